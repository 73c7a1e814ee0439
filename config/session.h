// Everything a front end works on once the game is found: the game's folders, the scene table
// with the loaded configuration, the configuration store and the work folder. Archives are
// opened per operation (archivefactory.h). The main window and the command line each own one;
// tests make their own. Dialogs is the front end's: the core never uses it, the front end's
// own helpers (main/coredialogs.h) ask and tell through it.
#pragma once

#include <QString>

#include "configstore.h"
#include "gamefolders.h"
#include "qtcore/dialogs.h"
#include "scenetable.h"
#include "workfolder.h"

class TSession {
 public:
  // programPath: the program's own Windows path (the settings live beside it). set: the music
  // the session works on, its scenes the table's.
  TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
           const TMusicSet &set = MidiMusicSet());
  TSession(const TSession &) = delete;
  TSession &operator=(const TSession &) = delete;

  const TGameFolders Folders;
  platform::Dialogs &Dialogs;
  TSceneTable SceneTable;
  TWorkFolder WorkFolder;
  TConfigStore Store;

  const TMusicSet &MusicSet() const { return SceneTable.Set(); }

  // At exit: the loaded configuration is saved and the work folder removed.
  void CleanUpAtExit();
};
