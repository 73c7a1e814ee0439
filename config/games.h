// The games Melodeck serves: each install found in the Wine prefix's registry or added by the
// user, with the music sets it has. A game is known by its folder.
#pragma once

#include <QString>

#include "gamefolders.h"

struct TGame {
  QString Folder;      // the game's folder, a Windows path of the prefix without trailing "\"
  QString Name;        // shown in the game selector and the caption
  TGameFolders Midi;   // the MIDI clients' folders; MusicDir empty when the game has none
  QString DigitalDir;  // Folder + "\Music\Digital", or "\Music" holding MP3 files and a Config.txt;
                       // empty when the game has no digital music

  bool HasMidi() const { return !Midi.MusicDir.isEmpty(); }
  bool HasDigital() const { return !DigitalDir.isEmpty(); }
};
