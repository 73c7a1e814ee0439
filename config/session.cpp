#include "session.h"

TSession::TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
                   const TMusicSet &set)
    : Folders(folders), Dialogs(dialogs), SceneTable(set), Store(programPath, Folders, SceneTable) {}

void TSession::CleanUpAtExit() {
  Store.SaveConfig(Store.Settings(), Store.CurrentConfig);
  WorkFolder.Remove();
}
