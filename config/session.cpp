#include "session.h"

TSession::TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs)
    : Folders(folders), Dialogs(dialogs), SceneTable(BuiltInSceneTable()), Store(programPath, Folders, SceneTable) {}

void TSession::CleanUpAtExit() {
  Store.SaveConfig(Store.Settings(), Store.CurrentConfig);
  WorkFolder.Remove();
}
