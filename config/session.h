// Everything a front end works on once the game is found: the game's folders, the scene table
// with the loaded configuration, the configuration store and the work folder. Archives are
// opened per operation (archivefactory.h). The main window and the command line each own one;
// tests make their own. Dialogs is the front end's: the core never uses it, the front end's
// own helpers (main/coredialogs.h) ask and tell through it.
#pragma once

#include <QString>

#include "configstore.h"
#include "gamefolders.h"
#include "gamesets.h"
#include "qtcore/dialogs.h"
#include "scenetable.h"
#include "workfolder.h"

class TSession {
 public:
  // programPath: the program's own Windows path (the settings live beside it). set: the music
  // the session works on, its scenes the table's.
  TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
           const TMusicSet &set = MidiMusicSet());
  TSession(const QString &programPath, const TGameSet &set, platform::Dialogs &dialogs);
  TSession(const TSession &) = delete;
  TSession &operator=(const TSession &) = delete;

  // The folders of the music set worked on: they change only with the set (UseSet).
  TGameFolders Folders;
  platform::Dialogs &Dialogs;
  TSceneTable SceneTable;
  TWorkFolder WorkFolder;
  TConfigStore Store;

  const TMusicSet &MusicSet() const { return SceneTable.Set(); }

  // Works on another music set from now on, of this game or another: the sources the loaded
  // configuration has for the set so far are saved first, then the set's scene names and the
  // configuration's sources for it are loaded and its missing backups made. Every reference to
  // the session, its table, folders and store stays valid.
  TBackupReport UseSet(const TGameSet &set);

  // At exit: the loaded configuration is saved and the work folder removed.
  void CleanUpAtExit();
};
