// The 49 scenes: one per music file of the game, in the game's alphabetical order. A scene's
// index is its identity everywhere; list rows carry it as their data.
#pragma once

#include <QString>
#include <array>

struct TScene {
  QString Name;      // display name, the caption of its row
  QString FileName;  // the game's file, lower case with ".mid"; the key of every stored value
  QString Source;    // what the loaded configuration assigns: a path, an archive entry or a bare name
  QString Detail;    // short description for the status bar
};

constexpr int kSceneCount = 49;
using TSceneTable = std::array<TScene, kSceneCount>;

// The built-in names, file names and descriptions; every Source empty.
TSceneTable BuiltInSceneTable();

// The scene the folder tree is first positioned on: the title music.
constexpr int kTitleScene = 38;
