#include "setapply.h"

TSetApply ApplyConfigToSet(const QString &programPath, const TGameSet &set, const QString &name,
                           platform::Dialogs &dialogs) {
  TSession session(programPath, set, dialogs);
  session.Store.LoadSceneNames();
  TSetApply result;
  result.Backups = session.Store.LoadConfig(name);
  result.Report = ApplyConfig(session);
  session.WorkFolder.Remove();
  return result;
}
