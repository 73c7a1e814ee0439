#include "scenetable.h"

TSceneTable::TSceneTable(const TMusicSet &set) : set_(set), scenes_(set.Scenes) {
  for (TScene &scene : scenes_) scene.Source.clear();
}

TSceneTable BuiltInSceneTable() { return TSceneTable(MidiMusicSet()); }
