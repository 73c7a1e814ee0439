// One scene: a music file of the game the user assigns a replacement to. A scene's index in
// its music set is its identity everywhere; list rows carry it as their data.
#pragma once

#include <QString>

struct TScene {
  QString Name;      // display name, the caption of its row
  QString FileName;  // the game's file, lower case with its extension; the key of every stored value
  QString Source;    // what the loaded configuration assigns: a path, an archive entry or a bare name
  QString Detail;    // short description for the status bar
};
