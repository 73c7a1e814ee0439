#include "setapply.h"

TSetApply ApplyConfigToSet(const QString &programPath, const TGameSet &set, const QString &name,
                           platform::Dialogs &dialogs, TConvertProgress *progress) {
  TSession session(programPath, set, dialogs);
  session.Store.LoadSceneNames();
  TSetApply result;
  result.Backups = session.Store.LoadConfig(name);
  result.Report = ApplyConfig(session, {}, progress);
  session.WorkFolder.Remove();
  return result;
}
