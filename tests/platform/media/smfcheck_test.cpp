// Which files the player takes for playable: what the synthesiser would refuse or play as
// silence is refused here, so that the player can say so.
#include "media/smfcheck.h"

#include <gtest/gtest.h>

#include <string>

#include "midigen.h"

namespace {

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

// A header chunk of the given length (its six known bytes, then zeros) and one track.
std::string WithHeader(int length, int format = 0, int tracks = 1, int division = 0x60) {
  std::string header = Bytes({'M', 'T', 'h', 'd', 0, 0, length >> 8, length & 0xFF, format >> 8, format & 0xFF,
                              tracks >> 8, tracks & 0xFF, division >> 8, division & 0xFF});
  header += std::string(length > 6 ? length - 6 : 0, '\0');
  if (length < 6) header.resize(8 + length);
  return header + Bytes({'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0});
}

TEST(SmfCheck, HeaderAndChunks) {
  const std::string track = Bytes({'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0});
  const struct {
    const char *name;
    std::string bytes;
    bool playable;
  } cases[] = {
      {"generated tune", testsupport::MakeMidiTune(0), true},
      {"six-byte header", WithHeader(6), true},
      {"eight-byte header", WithHeader(8), false},
      {"header of 0x106 bytes", WithHeader(0x106), false},
      {"five-byte header", WithHeader(5), false},
      {"format 2", WithHeader(6, 2), true},
      {"format 3", WithHeader(6, 3), false},
      {"no tracks announced", WithHeader(6, 0, 0), false},
      {"SMPTE timing", WithHeader(6, 0, 1, 0xE728), false},
      {"zero division", WithHeader(6, 0, 1, 0), false},
      {"two tracks announced, one there", WithHeader(6, 1, 2), false},
      {"other chunk kind skipped", WithHeader(6, 1, 2) + Bytes({'X', 'F', 'I', 'H', 0, 0, 0, 1, 7}) + track, true},
      {"chunk kind not text", WithHeader(6, 1, 2) + Bytes({'X', 0, 'I', 'H', 0, 0, 0, 0}) + track, false},
      {"bytes after the last track", WithHeader(6) + "trailing", true},
      {"track longer than the file", WithHeader(6).substr(0, 25), false},
      {"only the header", WithHeader(6).substr(0, 14), false},
      {"not MIDI", "RIFF....WAVEfmt data", false},
      {"empty", "", false},
  };
  for (const auto &c : cases) EXPECT_EQ(platform::IsPlayableMidiFile(c.bytes), c.playable) << c.name;
}

}  // namespace
