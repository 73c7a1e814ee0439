// The notes a channel may start: pairs of key and velocity, 0–127 each.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>

namespace platform {

class NoteSet {
 public:
  void Add(int key, int velocity) { velocities_[key & 0x7F].set(velocity & 0x7F); }

  NoteSet &operator|=(const NoteSet &other) {
    for (size_t key = 0; key < velocities_.size(); ++key) velocities_[key] |= other.velocities_[key];
    return *this;
  }

  bool Empty() const {
    return std::none_of(velocities_.begin(), velocities_.end(), [](const auto &v) { return v.any(); });
  }

  // True when a note of the set has its key in keyLow…keyHigh and its velocity in
  // velocityLow…velocityHigh (both ends included; nothing is in an empty range).
  bool AnyIn(int keyLow, int keyHigh, int velocityLow, int velocityHigh) const {
    keyLow = std::max(keyLow, 0), velocityLow = std::max(velocityLow, 0);
    keyHigh = std::min(keyHigh, 127), velocityHigh = std::min(velocityHigh, 127);
    if (keyLow > keyHigh || velocityLow > velocityHigh) return false;
    const std::bitset<128> range = (~std::bitset<128>() >> (127 - (velocityHigh - velocityLow))) << velocityLow;
    for (int key = keyLow; key <= keyHigh; ++key)
      if ((velocities_[key] & range).any()) return true;
    return false;
  }

 private:
  std::array<std::bitset<128>, 128> velocities_;  // by key
};

}  // namespace platform
