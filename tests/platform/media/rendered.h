// Reading what a player rendered into its file output: raw 16-bit little-endian stereo at
// 44,100 frames a second, written at the pace of playing.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "testworld.h"

namespace rendered {

constexpr size_t kBytesPerSecond = 44100 * 4;
constexpr int kLoud = 1000;  // the test tones' peaks are far above this
constexpr int kQuiet = 64;   // silence

inline size_t FileSize(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// The left channel's samples of bytes [from, to).
inline std::vector<int> Left(const std::string &path, size_t from, size_t to = SIZE_MAX) {
  const std::string data = testsupport::TestWorld::ReadFile(path);
  std::vector<int> samples;
  for (size_t i = from & ~size_t{3}; i + 3 < data.size() && i + 3 < to; i += 4)
    samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8)));
  return samples;
}

inline int Peak(const std::vector<int> &samples) {
  int peak = 0;
  for (int v : samples) peak = std::max(peak, std::abs(v));
  return peak;
}

inline int Peak(const std::string &path, size_t from, size_t to = SIZE_MAX) { return Peak(Left(path, from, to)); }

// Waits until the file holds at least size bytes; the limit only keeps a broken output from
// hanging the test.
inline bool WaitForSize(const std::string &path, size_t size) {
  for (int i = 0; i < 1000; ++i) {
    if (FileSize(path) >= size) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Waits until the file holds sound after byte from; its byte offset, or 0 when none came
// within three seconds.
inline size_t WaitForSound(const std::string &path, size_t from, int loud = kLoud) {
  for (size_t end = from + kBytesPerSecond / 20; end < from + 3 * kBytesPerSecond; end += kBytesPerSecond / 20) {
    if (!WaitForSize(path, end)) return 0;
    const std::vector<int> samples = Left(path, from, end);
    for (size_t i = 0; i < samples.size(); ++i)
      if (std::abs(samples[i]) > loud) return (from & ~size_t{3}) + 4 * i;
  }
  return 0;
}

// How often the left channel changes sign within the samples: twice the tone's frequency a
// second.
inline int SignChanges(const std::vector<int> &samples) {
  int changes = 0;
  for (size_t i = 1; i < samples.size(); ++i) changes += (samples[i - 1] < 0) != (samples[i] < 0);
  return changes;
}

}  // namespace rendered
