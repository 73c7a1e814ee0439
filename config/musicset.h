// A music set: the scenes one kind of game music is made of, in their fixed order. The scene
// table, the store, apply, packages and the window take their scenes from the set they are given
// and assume no count. A game has up to two: the MIDI music of its MIDI clients (music\*.mid)
// and the digital music of today's clients (the MP3 tracks of Music\Digital, digitalset.h).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "scene.h"

struct TMusicSet {
  QString Id;                  // short name for code and logs, e.g. "midi"
  QString Name;                // shown to the user
  std::vector<TScene> Scenes;  // the built-in names, file names and descriptions; every Source empty
  int TitleScene = 0;          // the scene the folder tree is first positioned on
  // The extensions (lower case, with the dot) of the files a scene of this set takes as its
  // source, on disk or in an archive.
  QStringList SourceExtensions;

  // Whether a file or archive entry of this name can be a scene's source (by its extension,
  // without regard to case).
  bool Takes(const QString &name) const;
};

// The game's 49 MIDI scenes, one per music file, in the game's alphabetical order; the title
// music (stones2.mid) is the title scene.
const TMusicSet &MidiMusicSet();
