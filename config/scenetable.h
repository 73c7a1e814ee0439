// The scenes of one music set with what the loaded configuration assigns to them. Indexes run
// from 0 to size() - 1 in the set's order; nothing outside the set knows how many there are.
#pragma once

#include <vector>

#include "musicset.h"

class TSceneTable {
 public:
  explicit TSceneTable(const TMusicSet &set);

  const TMusicSet &Set() const { return set_; }
  int size() const { return static_cast<int>(scenes_.size()); }
  bool Contains(int scene) const { return scene >= 0 && scene < size(); }
  // The scene the folder tree is first positioned on.
  int TitleScene() const { return set_.TitleScene; }

  // An index outside the set is a fault of the caller: std::out_of_range, never another's memory.
  TScene &operator[](int scene) { return scenes_.at(static_cast<size_t>(scene)); }
  const TScene &operator[](int scene) const { return scenes_.at(static_cast<size_t>(scene)); }
  auto begin() { return scenes_.begin(); }
  auto end() { return scenes_.end(); }
  auto begin() const { return scenes_.begin(); }
  auto end() const { return scenes_.end(); }

 private:
  TMusicSet set_;
  std::vector<TScene> scenes_;
};

// The MIDI set's table: the built-in names, file names and descriptions; every Source empty.
TSceneTable BuiltInSceneTable();
