#include "session.h"

TSession::TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
                   const TMusicSet &set)
    : Folders(folders), Dialogs(dialogs), SceneTable(set), Store(programPath, Folders, SceneTable) {}

TSession::TSession(const QString &programPath, const TGameSet &set, platform::Dialogs &dialogs)
    : TSession(programPath, set.Folders, dialogs, set.Set) {}

TBackupReport TSession::UseSet(const TGameSet &set) {
  const QString config = Store.CurrentConfig;
  if (!config.isEmpty()) Store.SaveConfig(Store.Settings(), config);
  Folders = set.Folders;
  SceneTable = TSceneTable(set.Set);
  Store.LoadSceneNames();
  return config.isEmpty() ? TBackupReport() : Store.LoadConfig(config);
}

void TSession::CleanUpAtExit() {
  Store.SaveConfig(Store.Settings(), Store.CurrentConfig);
  WorkFolder.Remove();
}
