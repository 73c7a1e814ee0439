// Giving the synthesiser only the parts of the SoundFont a tune can reach, and the default
// instruments only to the channels the tune plays with them, changes no sample of what it
// renders: the same tunes rendered with and without that choice, compared bit for bit, with the
// small SoundFont of the tests and with FluidR3_GM (its layers of velocity) where it is installed.
#include "media/midirender.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "midigen.h"

namespace {

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

// A format-0 file of the track's events (the end of the track added).
std::string Smf(const std::string &events) {
  const std::string track = events + Bytes({0, 0xFF, 0x2F, 0});
  const size_t n = track.size();
  return Bytes({'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0,           0,
                1,   0,   0x60, 'M', 'T', 'r', 'k', 0, 0, int(n >> 8), int(n & 0xFF)}) +
         track;
}

// A format-1 file of the tracks' events (each track's end added).
std::string Smf1(std::initializer_list<std::string> tracks) {
  std::string file = Bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, int(tracks.size()), 0, 0x60});
  for (const std::string &events : tracks) {
    const std::string track = events + Bytes({0, 0xFF, 0x2F, 0});
    const size_t n = track.size();
    file += Bytes({'M', 'T', 'r', 'k', 0, 0, int(n >> 8), int(n & 0xFF)}) + track;
  }
  return file;
}

// Every sample the renderer gives, bit for bit; empty when it did not start.
std::vector<float> Render(const std::string &tune, const char *soundFont, bool onlyReachable) {
  platform::MidiRendering rendering = platform::RenderMidi(tune, "tune.mid", soundFont, 60, onlyReachable);
  std::vector<float> samples;
  if (rendering.decoder == nullptr) return samples;
  std::vector<float> block(2 * 4096);
  while (size_t frames = rendering.decoder->Read(block.data(), 4096))
    samples.insert(samples.end(), block.begin(), block.begin() + 2 * frames);
  return samples;
}

float Peak(const std::vector<float> &samples) {
  float peak = 0;
  for (float v : samples) peak = std::max(peak, v < 0 ? -v : v);
  return peak;
}

TEST(MidiRender, OnlyWhatTheTuneReachesChangesNoSample) {
  const struct {
    const char *name;
    std::string tune;
  } cases[] = {
      {"generated tune 0", testsupport::MakeMidiTune(0)},
      {"generated tune 5", testsupport::MakeMidiTune(5)},
      {"generated tune 7", testsupport::MakeMidiTune(7)},
      {"generated tune 12", testsupport::MakeMidiTune(12)},
      // Drums on channel 10 and the default piano on channel 3, neither with a program change.
      {"default instruments", Smf(Bytes({0, 0x99, 36, 100, 0,    0x92, 60, 90, 0x30, 0x89, 36, 0,
                                         0, 0x99, 38, 110, 0x30, 0x82, 60, 0,  0,    0x89, 38, 0}))},
      // A channel given an organ half way through, after a note on its default piano; a channel
      // given a program but no note.
      {"program change later", Smf(Bytes({0, 0xC4, 48, 0, 0x90, 64, 100, 0x30, 0x80, 64, 0,
                                          0, 0xC0, 19, 0, 0x90, 67, 100, 0x60, 0x80, 67, 0}))},
      // Instruments chosen at the tick of the first note, before it; drums by a program change.
      {"programs before the notes",
       Smf(Bytes({0, 0xC0, 40, 0, 0x90, 67, 100, 0, 0xC9, 0, 0, 0x99, 38, 110, 0x30, 0x80, 67, 0, 0, 0x89, 38, 0}))},
      // A program chosen in the first track for a note of the second; a program the second
      // track chooses for the first track's note too late, after the note started.
      {"programs in other tracks",
       Smf1({Bytes({0, 0xC2, 24, 0x10, 0xC3, 56}),
             Bytes({0x10, 0x92, 60, 100, 0, 0x93, 64, 100, 0x40, 0x82, 60, 0, 0, 0x83, 64, 0}),
             Bytes({0, 0xC4, 71, 0, 0x94, 60, 100, 0x30, 0x84, 60, 0})})},
      {"an earlier track's program after the note started",
       Smf1({Bytes({0x20, 0xC6, 19}), Bytes({0x10, 0x96, 60, 100, 0x40, 0x86, 60, 0})})},
      {"a later track's program after an earlier track's note",
       Smf1({Bytes({0x10, 0x95, 60, 100, 0x40, 0x85, 60, 0}), Bytes({0x08, 0xC5, 19})})},
      // Running status, a note-on of velocity 0 as the note's end, sysex and meta events.
      {"running status and sysex", Smf(Bytes({0, 0xF0, 5,  0x7E, 0x7F, 9,  1, 0xF7, 0,  0xFF, 3,    2,  'h', 'i',
                                              0, 0x95, 60, 100,  0x30, 60, 0, 0,    64, 100,  0x30, 64, 0}))},
      // Banks the SoundFont lacks, selected on a melodic channel and on the drum channel.
      {"banks", Smf(Bytes({0, 0xB0, 0, 1, 0, 0xC0, 19, 0, 0x90, 60, 100, 0,    0xB9, 0,  5,    0,
                           0xC9, 25, 0, 0x99, 36, 100, 0x30, 0x80, 60, 0,  0, 0x89, 36, 0}))},
      // Keys from the lowest to the highest at every fourth velocity, on a piano and strings.
      {"keys and velocities", [] {
         std::string events = Bytes({0, 0xC1, 48});
         for (int key = 21, velocity = 1; key <= 108; key += 3, velocity = (velocity + 29) % 127 + 1)
           events += Bytes({0, 0x90, key, velocity, 0, 0x91, key, 128 - velocity, 0x08, 0x80, key, 0, 0, 0x81, key, 0});
         return Smf(events);
       }()},
      // A data byte after a meta event is read as another meta event, not as a note: the note
      // on channel 2 then sounds the default piano, the program change being that event's data.
      {"data byte after a meta event", Smf(Bytes({0, 0x90, 60, 100, 0, 0xFF, 0x01, 0, 0, 0x01, 3, 0, 0xC1, 24, 0,
                                                  0x91, 62, 100, 0x30, 0x80, 60, 0, 0, 0x81, 62, 0}))},
      // A system exclusive message makes channel 2 a drum part.
      {"drum part by system exclusive",
       Smf(Bytes({0, 0xF0, 10, 0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x15, 0x02, 0x18, 0xF7, 0, 0x91, 38, 100, 0,
                  0x90, 60, 90, 0x30, 0x81, 38, 0, 0, 0x80, 60, 0}))},
  };
  for (const char *soundFont : {testsupport::kTestSoundFont, "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    if (access(soundFont, R_OK) != 0) continue;
    for (const auto &c : cases) {
      const std::vector<float> reachable = Render(c.tune, soundFont, true);
      ASSERT_GT(reachable.size(), 44100u) << c.name << " with " << soundFont;
      EXPECT_GT(Peak(reachable), 0.01f) << c.name << " with " << soundFont;
      const std::vector<float> whole = Render(c.tune, soundFont, false);
      ASSERT_EQ(reachable.size(), whole.size()) << c.name << " with " << soundFont;
      EXPECT_EQ(std::memcmp(reachable.data(), whole.data(), reachable.size() * sizeof(float)), 0)
          << c.name << " with " << soundFont;
    }
  }
}

}  // namespace
