// On which channels a file starts notes, read from hand-made tracks: what the synthesiser
// would take for a note-on counts, and a track that can't be read to its end gives no answer.
#include "media/smfnotes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "midigen.h"

namespace {

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

std::string Chunk(const char *kind, const std::string &data) {
  const size_t n = data.size();
  return std::string(kind, 4) + Bytes({int(n >> 24), int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF)}) +
         data;
}

// A file of the given tracks' events, each track as it is (no end added).
std::string Smf(std::initializer_list<std::string> tracks) {
  std::string file = Chunk("MThd", Bytes({0, 1, 0, int(tracks.size()), 0, 0x60}));
  for (const std::string &t : tracks) file += Chunk("MTrk", t);
  return file;
}

const std::string kEnd = Bytes({0, 0xFF, 0x2F, 0});

constexpr uint16_t Ch(int channel) { return uint16_t(1u << (channel - 1)); }

TEST(SmfNotes, ChannelsWithNotes) {
  const struct {
    const char *name;
    std::string bytes;
    std::optional<uint16_t> channels;
  } cases[] = {
      {"generated tune: melody and bass", testsupport::MakeMidiTune(3), Ch(1) | Ch(2)},
      {"no events", Smf({kEnd}), 0},
      {"one note-on", Smf({Bytes({0, 0x93, 60, 100, 0x60, 0x83, 60, 0}) + kEnd}), Ch(4)},
      {"drums on channel 10", Smf({Bytes({0, 0x99, 36, 100}) + kEnd}), Ch(10)},
      {"channel 16", Smf({Bytes({0, 0x9F, 36, 1}) + kEnd}), Ch(16)},
      {"note-on of velocity 0 is a note's end", Smf({Bytes({0, 0x95, 60, 0}) + kEnd}), 0},
      {"running status after a note-off", Smf({Bytes({0, 0x82, 60, 0, 0, 0x91, 60, 0, 0x10, 62, 90}) + kEnd}), Ch(2)},
      {"running status of a program change", Smf({Bytes({0, 0xC3, 5, 0, 6, 0, 0x94, 60, 70}) + kEnd}), Ch(5)},
      {"running status of a note-on, velocity 0 then more", Smf({Bytes({0, 0x96, 60, 0, 0, 62, 0, 0, 64, 1}) + kEnd}),
       Ch(7)},
      {"program change, pressure, bend, controller: no note",
       Smf({Bytes({0, 0xC0, 19, 0, 0xD1, 64, 0, 0xE2, 0, 64, 0, 0xB3, 7, 100, 0, 0xA4, 60, 10}) + kEnd}), 0},
      {"sysex and its continuation skipped",
       Smf({Bytes({0, 0xF0, 5, 0x90, 60, 100, 1, 0xF7, 0, 0xF7, 3, 0x91, 60, 100, 0, 0x92, 60, 100}) + kEnd}), Ch(3)},
      {"sysex of a two-byte length",
       Smf({Bytes({0, 0xF0, 0x81, 0x00}) + std::string(128, '\x10') + Bytes({0, 0x9A, 40, 50}) + kEnd}), Ch(11)},
      {"meta events skipped",
       Smf({Bytes({0, 0x90, 60, 100, 0, 0xFF, 0x03, 3, 0x95, 60, 100, 0, 0xFF, 0x51, 3, 7, 0xA1, 0x20}) + kEnd}),
       Ch(1)},
      // Running status repeats any status, as the synthesiser's file player reads it.
      {"a data byte after a meta event is the kind of another",
       Smf({Bytes({0, 0x90, 60, 100, 0, 0xFF, 0x01, 0, 0, 0x01, 2, 0x91, 60, 0, 0x92, 60, 100}) + kEnd}),
       Ch(1) | Ch(3)},
      {"a data byte after a system exclusive message is the length of another",
       Smf({Bytes({0, 0xF0, 1, 0xF7, 0, 2, 0x93, 60, 0, 0x94, 60, 100}) + kEnd}), Ch(5)},
      {"a data byte after a meta event, read as one running past the track",
       Smf({Bytes({0, 0x90, 60, 100, 0, 0xFF, 0x51, 3, 7, 0xA1, 0x20, 0, 61, 90}) + kEnd}), std::nullopt},
      {"nothing after the end of the track", Smf({kEnd + Bytes({0, 0x94, 60, 100})}), 0},
      {"two tracks", Smf({Bytes({0, 0x90, 60, 100}) + kEnd, Bytes({0, 0x9C, 60, 100}) + kEnd}), Ch(1) | Ch(13)},
      {"other chunk between tracks",
       Chunk("MThd", Bytes({0, 1, 0, 1, 0, 0x60})) + Chunk("XFIH", Bytes({0x90, 60, 100})) +
           Chunk("MTrk", Bytes({0, 0x98, 60, 100}) + kEnd),
       Ch(9)},
      {"track without an end", Smf({Bytes({0, 0x90, 60, 100})}), Ch(1)},
      // Not read to the end: no answer.
      {"track cut in a note-on", Smf({Bytes({0, 0x90, 60})}), std::nullopt},
      {"track cut in a meta event", Smf({Bytes({0, 0xFF, 0x01, 10, 'a'})}), std::nullopt},
      {"track cut in a sysex", Smf({Bytes({0, 0xF0, 0x7F, 1, 2})}), std::nullopt},
      {"sysex length cut", Smf({Bytes({0, 0xF0, 0x81})}), std::nullopt},
      {"delta cut", Smf({Bytes({0x81})}), std::nullopt},
      {"delta of five bytes", Smf({Bytes({0x81, 0x81, 0x81, 0x81, 0, 0x90, 60, 100}) + kEnd}), std::nullopt},
      {"data byte with no status", Smf({Bytes({0, 60, 100}) + kEnd}), std::nullopt},
      {"status byte where data belongs", Smf({Bytes({0, 0x90, 0x90, 100}) + kEnd}), std::nullopt},
      {"system message", Smf({Bytes({0, 0xF2, 0, 0, 0, 0x90, 60, 100}) + kEnd}), std::nullopt},
      {"chunk longer than the file", Smf({Bytes({0, 0x90, 60, 100}) + kEnd}).substr(0, 25), std::nullopt},
      {"fewer tracks than announced", Chunk("MThd", Bytes({0, 1, 0, 2, 0, 0x60})) + Chunk("MTrk", kEnd), std::nullopt},
      {"header cut", std::string("MThd\0\0\0\6\0\0", 10), std::nullopt},
      {"header of 0xFFFFFFFF bytes", std::string("MThd\xFF\xFF\xFF\xFF\0\0\0\1\0\x60", 14), std::nullopt},
      {"not MIDI", "RIFF....WAVEfmt ", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto &c : cases) EXPECT_EQ(platform::ChannelsWithNotes(c.bytes), c.channels) << c.name;
}

// Which channels may start a note with their default instrument: a program change counts only
// where the file player surely sends it before the note (the same track earlier, or an earlier
// track no later), since at each step it sends the due events track after track.
TEST(SmfNotes, ChannelsSoundingDefault) {
  const struct {
    const char *name;
    std::string bytes;
    std::optional<uint16_t> channels;
  } cases[] = {
      {"note with no program change", Smf({Bytes({0, 0x93, 60, 100}) + kEnd}), Ch(4)},
      {"program change at the same tick, before the note", Smf({Bytes({0, 0xC3, 5, 0, 0x93, 60, 100}) + kEnd}), 0},
      {"program change at the same tick, after the note", Smf({Bytes({0, 0x93, 60, 100, 0, 0xC3, 5}) + kEnd}), Ch(4)},
      {"program change only after the first note",
       Smf({Bytes({0, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0, 0xC0, 19, 0, 0x90, 62, 100}) + kEnd}), Ch(1)},
      {"program change on another channel", Smf({Bytes({0, 0xC1, 5, 0, 0x90, 60, 100}) + kEnd}), Ch(1)},
      {"program change by running status", Smf({Bytes({0, 0xC3, 5, 0, 6, 0, 0x93, 60, 100}) + kEnd}), 0},
      {"velocity 0 before the program change is no note",
       Smf({Bytes({0, 0x92, 60, 0, 0, 0xC2, 5, 0, 0x92, 60, 100}) + kEnd}), 0},
      {"drums with and without a program change", Smf({Bytes({0, 0x99, 36, 100, 0, 0xCA, 0, 0, 0x9A, 36, 100}) + kEnd}),
       Ch(10)},
      {"program in an earlier track, earlier", Smf({Bytes({0, 0xC2, 5}) + kEnd, Bytes({0x10, 0x92, 60, 100}) + kEnd}),
       0},
      {"program in an earlier track, at the note's tick",
       Smf({Bytes({0x10, 0xC2, 5}) + kEnd, Bytes({0x10, 0x92, 60, 100}) + kEnd}), 0},
      {"program in an earlier track, later", Smf({Bytes({0x11, 0xC2, 5}) + kEnd, Bytes({0x10, 0x92, 60, 100}) + kEnd}),
       Ch(3)},
      // A later track's events of a step go after the earlier track's, whatever their ticks.
      {"program in a later track, earlier", Smf({Bytes({0x10, 0x92, 60, 100}) + kEnd, Bytes({0, 0xC2, 5}) + kEnd}),
       Ch(3)},
      {"each track's first note covered",
       Smf({Bytes({0, 0xC2, 5, 0, 0x92, 60, 100}) + kEnd, Bytes({0x10, 0x92, 64, 100}) + kEnd}), 0},
      {"a later track's note before the program",
       Smf({Bytes({0x20, 0xC2, 5, 0, 0x92, 60, 100}) + kEnd, Bytes({0x10, 0x92, 64, 100}) + kEnd}), Ch(3)},
      {"nothing after the end of the track", Smf({Bytes({0, 0xC3, 5}) + kEnd + Bytes({0, 0x93, 60, 100})}), 0},
      {"generated tune: both instruments chosen first", testsupport::MakeMidiTune(3), 0},
      {"track cut in a note-on", Smf({Bytes({0, 0x90, 60})}), std::nullopt},
  };
  for (const auto &c : cases) EXPECT_EQ(platform::ChannelsSoundingDefault(c.bytes), c.channels) << c.name;
}

}  // namespace
