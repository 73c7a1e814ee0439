#include "midigen.h"

#include <cstdint>
#include <vector>

namespace testsupport {

namespace {

void PutVarLen(std::string &out, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
  while (n) out += static_cast<char>(buf[--n]);
}

void PutBE(std::string &out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string MakeMidiTune(int index) {
  // Instruments that sound well in a General MIDI SoundFont: pianos, organ, guitar, strings…
  static const uint8_t kPrograms[] = {0, 4, 6, 11, 19, 24, 40, 46, 48, 52, 56, 68, 71, 73, 79, 80};
  static const int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16};  // major pentatonic over two octaves
  uint32_t seed = 2166136261u ^ (static_cast<uint32_t>(index) * 16777619u);
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  const int root = 55 + index % 12;
  const uint32_t tempo = 400000 + static_cast<uint32_t>(index % 7) * 40000;  // µs per quarter note

  std::string track;
  PutVarLen(track, 0);
  track += "\xFF\x51\x03";
  PutBE(track, tempo, 3);
  PutVarLen(track, 0);
  track += static_cast<char>(0xC0);
  track += static_cast<char>(kPrograms[index % 16]);
  PutVarLen(track, 0);
  track += static_cast<char>(0xC1);
  track += static_cast<char>(32 + index % 8);  // a bass on channel 2
  for (int bar = 0; bar < 4; ++bar) {
    const int bass = root - 24 + kScale[(index + bar) % 4];
    PutVarLen(track, 0);
    track += "\x91";
    track += static_cast<char>(bass);
    track += static_cast<char>(80);
    for (int n = 0; n < 4; ++n) {
      const int note = root + kScale[next() % 8];
      const uint32_t len = (next() % 3 == 0) ? 48 : 96;
      PutVarLen(track, 0);
      track += "\x90";
      track += static_cast<char>(note);
      track += static_cast<char>(90 + next() % 30);
      PutVarLen(track, len);
      track += "\x80";
      track += static_cast<char>(note);
      track += static_cast<char>(64);
      if (len == 48)
        PutVarLen(track, 48), track += "\x80", track += static_cast<char>(note), track += static_cast<char>(0);
    }
    PutVarLen(track, 0);
    track += "\x81";
    track += static_cast<char>(bass);
    track += static_cast<char>(64);
  }
  PutVarLen(track, 0);
  track += "\xFF\x2F";
  track += '\0';

  std::string file = "MThd";
  PutBE(file, 6, 4);
  PutBE(file, 0, 2);   // format 0
  PutBE(file, 1, 2);   // one track
  PutBE(file, 96, 2);  // ticks per quarter note
  file += "MTrk";
  PutBE(file, static_cast<uint32_t>(track.size()), 4);
  return file + track;
}

}  // namespace testsupport
