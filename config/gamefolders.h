// Where the game keeps its music, found once at start-up and read-only afterwards.
// Folder values carry no trailing backslash.
#pragma once

#include <QString>

struct TGameFolders {
  QString ClientPath;    // "ExePath" of the first client
  QString MusicDir;      // its folder + "music", set only when ClientPath names a file
  QString DefaultDir;    // MusicDir + "\default": the backup of the game's own files
  QString ClientPathTD;  // the same for the Third Dawn client
  QString MusicDirTD;
  QString DefaultDirTD;
  bool HasThirdDawn = false;  // MusicDirTD names an existing folder
};

enum class TClient { First, ThirdDawn };
