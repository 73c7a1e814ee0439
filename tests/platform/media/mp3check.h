// An MP3 file decoded back with libmpg123 (gapless: the encoder's delay and padding trimmed as
// its LAME tag says), for the converter's tests and benchmark.
#pragma once

#include <string>

namespace mp3check {

struct Decoded {
  bool ok = false;
  long rate = 0;
  int channels = 0, kbitPerSecond = 0;
  size_t frames = 0;
  float peak = 0;  // of all samples
  // The first and the last frame with sound (above 1/100 of full scale); frames when none.
  size_t firstSound = 0, lastSound = 0;
  double Seconds() const { return rate > 0 ? double(frames) / double(rate) : 0; }
};

Decoded Decode(const std::string &linuxPath);

}  // namespace mp3check
