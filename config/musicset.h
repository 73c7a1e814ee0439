// A music set: the scenes one kind of game music is made of, in their fixed order. The scene
// table, the store, apply, packages and the window take their scenes from the set they are given
// and assume no count. Today there is one set, the MIDI music of the game (music\*.mid).
#pragma once

#include <QString>
#include <vector>

#include "scene.h"

struct TMusicSet {
  QString Id;                  // short name for code and logs, e.g. "midi"
  QString Name;                // shown to the user
  std::vector<TScene> Scenes;  // the built-in names, file names and descriptions; every Source empty
  int TitleScene = 0;          // the scene the folder tree is first positioned on
};

// The game's 49 MIDI scenes, one per music file, in the game's alphabetical order; the title
// music (stones2.mid) is the title scene.
const TMusicSet &MidiMusicSet();
