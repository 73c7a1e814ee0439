// Any tune to MP3: every format made here converted and decoded back (length, sound, bitrate),
// MIDI to its end plus the release of its last notes, the same bytes every time, and inputs
// that do not convert failing with their reason and leaving nothing behind.
#include "media/converter.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audiogen.h"
#include "midigen.h"
#include "mp3check.h"
#include "requirements.h"
#include "testworld.h"

namespace {

using testsupport::TestWorld;

// The files of folder (not its subfolders: the world's own), sorted.
std::vector<std::string> Names(const std::string &folder) {
  std::vector<std::string> names;
  if (DIR *dir = opendir(folder.c_str())) {
    while (dirent *entry = readdir(dir))
      if (entry->d_type != DT_DIR) names.push_back(entry->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The length of a format-0 Standard MIDI File in seconds, its tempo changes followed.
double MidiSeconds(const std::string &smf) {
  auto be = [&smf](size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<uint8_t>(smf[at + i]);
    return v;
  };
  const double division = be(12, 2);
  size_t at = 14 + 8;
  const size_t end = at + be(18, 4);
  double seconds = 0, tempo = 500000;
  uint8_t status = 0;
  while (at < end) {
    uint32_t delta = 0;
    uint8_t byte;
    do {
      byte = static_cast<uint8_t>(smf[at++]);
      delta = (delta << 7) | (byte & 0x7F);
    } while (byte & 0x80);
    seconds += delta * tempo / division / 1e6;
    if (static_cast<uint8_t>(smf[at]) & 0x80) status = static_cast<uint8_t>(smf[at++]);
    if (status == 0xFF) {
      const uint8_t type = static_cast<uint8_t>(smf[at++]);
      const uint32_t length = static_cast<uint8_t>(smf[at++]);  // short metas only
      if (type == 0x51) tempo = be(at, 3);
      if (type == 0x2F) break;
      at += length;
    } else {
      at += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    }
  }
  return seconds;
}

struct FormatCase {
  const char *name;
  const char *file;
  std::function<bool(const std::string &)> make;
  double seconds;
  int kbit;
};

class ConvertsFormat : public testing::TestWithParam<FormatCase> {};

// The tone comes out as long as it went in (the encoder's delay and padding trimmed by the
// decoder as the tag says), at 44,100 stereo frames a second, at the bitrate asked for.
TEST_P(ConvertsFormat, ToAnMp3OfTheSameLength) {
  const FormatCase &c = GetParam();
  if (std::string(c.name).find("Mp3") != std::string::npos) REQUIRE_TOOLS("lame");
  TestWorld world;
  const std::string in = world.Linux(c.file), out = world.Linux("out.mp3");
  ASSERT_TRUE(c.make(in));
  platform::ConvertOptions options;
  options.kbitPerSecond = c.kbit;
  const platform::ConvertResult result = platform::ConvertToMp3(in, out, options);
  ASSERT_TRUE(result.ok) << result.error;
  const mp3check::Decoded mp3 = mp3check::Decode(out);
  ASSERT_TRUE(mp3.ok);
  EXPECT_EQ(mp3.rate, 44100);
  EXPECT_EQ(mp3.channels, 2);
  EXPECT_EQ(mp3.kbitPerSecond, c.kbit);
  EXPECT_NEAR(mp3.Seconds(), c.seconds, 0.05);
  EXPECT_GT(mp3.peak, 0.3f);
  // Nothing added before or after the tone: the tag has the decoder trim the encoder's delay
  // and padding.
  EXPECT_LT(mp3.firstSound, 0.002 * mp3.rate);
  EXPECT_GT(mp3.lastSound, mp3.frames - 0.002 * mp3.rate);
  EXPECT_EQ(Names(world.Root()), (std::vector<std::string>{c.file, "out.mp3"}));
}

bool Sound(const std::string &path, int format, double seconds, int rate, int channels) {
  return testsupport::MakeSoundFile(path, format, seconds, rate, channels);
}
using namespace std::placeholders;

INSTANTIATE_TEST_SUITE_P(
    Formats, ConvertsFormat,
    testing::Values(
        FormatCase{"Wav", "a.wav", std::bind(Sound, _1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1.0, 44100, 2), 1.0, 192},
        FormatCase{"WavMono22050", "a.wav", std::bind(Sound, _1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1.5, 22050, 1), 1.5,
                   192},
        FormatCase{"Flac48000", "a.flac", std::bind(Sound, _1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1.0, 48000, 2), 1.0,
                   192},
        FormatCase{"OggVorbis", "a.ogg", std::bind(Sound, _1, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2.0, 44100, 2), 2.0,
                   128},
        FormatCase{"Opus", "a.opus", std::bind(Sound, _1, SF_FORMAT_OGG | SF_FORMAT_OPUS, 1.0, 48000, 2), 1.0, 320},
        FormatCase{"Mp3", "a.mp3", [](const std::string &p) { return testsupport::MakeMp3(p, 1.0); }, 1.0, 192}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

// A MIDI tune lasts from its start to its end and then as long as its last notes ring out
// (a piano's release: more than a tenth of a second, and not the silence after it); the
// same tune gives the same bytes again.
TEST(ConvertsMidi, ToItsEndAndTheReleaseTheSameEveryTime) {
  TestWorld world;
  for (int index : {0, 7}) {
    const std::string tune = testsupport::MakeMidiTune(index);
    const std::string in = world.Linux("tune.mid"), first = world.Linux("1.mp3"), second = world.Linux("2.mp3");
    TestWorld::WriteFile(in, tune);
    platform::ConvertOptions options;
    options.soundFont = testsupport::kTestSoundFont;
    platform::ConvertResult result = platform::ConvertToMp3(in, first, options);
    ASSERT_TRUE(result.ok) << result.error;
    result = platform::ConvertToMp3(in, second, options);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(TestWorld::ReadFile(first), TestWorld::ReadFile(second)) << index;
    const mp3check::Decoded mp3 = mp3check::Decode(first);
    ASSERT_TRUE(mp3.ok);
    const double length = MidiSeconds(tune);
    ASSERT_GT(length, 1.0);
    EXPECT_GT(mp3.Seconds(), length + 0.1) << index;
    // Not the file player's grace time of silence after the last release (the tests'
    // SoundFont rings out for 1.0 and 2.5 seconds here).
    EXPECT_LT(mp3.Seconds(), length + 3.0) << index;
    EXPECT_GT(mp3.peak, 0.05f) << index;
  }
}

// An organ's note held to the end of a one-second tune (no note-off): let go at the end, it
// rings out briefly instead of sounding on.
TEST(ConvertsMidi, ANoteHeldAtTheEndRingsOut) {
  TestWorld world;
  const std::string track("\x00\xC0\x13\x00\x90\x3C\x64\x81\x40\xFF\x2F\x00", 12);
  const std::string tune = std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0", 21) + char(track.size()) + track;
  ASSERT_DOUBLE_EQ(MidiSeconds(tune), 1.0);
  const std::string in = world.Linux("held.mid"), out = world.Linux("held.mp3");
  TestWorld::WriteFile(in, tune);
  platform::ConvertOptions options;
  options.soundFont = testsupport::kTestSoundFont;
  const platform::ConvertResult result = platform::ConvertToMp3(in, out, options);
  ASSERT_TRUE(result.ok) << result.error;
  const mp3check::Decoded mp3 = mp3check::Decode(out);
  ASSERT_TRUE(mp3.ok);
  EXPECT_GT(mp3.lastSound, 0.9 * mp3.rate);
  EXPECT_LT(mp3.Seconds(), 2.5);
}

struct FailureCase {
  const char *name;
  const char *file;
  std::function<void(const std::string &)> make;  // nullptr: no file
  std::string error;
  std::string soundFont = {};

  int kbit = 192;
  double longest = 7200;
};

class RefusesToConvert : public testing::TestWithParam<FailureCase> {};

std::string Replace(std::string text, const std::string &what, const std::string &with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// Fails with the reason ("#": the source's Windows path, "@": the world's Linux folder); the MP3 that was there stays
// as it was, and no file is left beside.
TEST_P(RefusesToConvert, WithItsReasonLeavingNothing) {
  const FailureCase &c = GetParam();
  TestWorld world;
  const std::string in = world.Linux(c.file), out = world.Linux("out.mp3");
  if (c.make) c.make(in);
  TestWorld::WriteFile(out, "the old MP3");
  const std::vector<std::string> before = Names(world.Root());
  platform::ConvertOptions options;
  options.soundFont = Replace(c.soundFont, "@", world.Root());
  options.kbitPerSecond = c.kbit;
  options.longestMidiSeconds = c.longest;
  const platform::ConvertResult result = platform::ConvertToMp3(in, out, options);
  EXPECT_FALSE(result.ok);
  const std::string expected = Replace(Replace(c.error, "#", world.Windows(c.file)), "@", world.Root());
  EXPECT_EQ(result.error.substr(0, expected.size()), expected);
  EXPECT_EQ(TestWorld::ReadFile(out), "the old MP3");
  EXPECT_EQ(Names(world.Root()), before);
}

void Write(const std::string &path, const std::string &data) { TestWorld::WriteFile(path, data); }
void Cut(const std::string &path, int format, size_t keep) {
  testsupport::MakeSoundFile(path, format);
  Write(path, TestWorld::ReadFile(path).substr(0, keep));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusesToConvert,
    testing::Values(
        FailureCase{"Missing", "gone.wav", nullptr, "ファイル # を開けません"},
        FailureCase{"Empty", "empty.wav", std::bind(Write, _1, ""), "# は MP3 に変換できる音声ファイルではありません"},
        FailureCase{"Text", "notes.txt", std::bind(Write, _1, "just some words\n"),
                    "# は MP3 に変換できる音声ファイルではありません"},
        FailureCase{"WavCutInItsHeader", "cut.wav", std::bind(Cut, _1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 30),
                    "# は MP3 に変換できる音声ファイルではありません"},
        FailureCase{"WavCutBeforeItsSound", "cut.wav", std::bind(Cut, _1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44),
                    "# には変換できる音が入っていません"},
        FailureCase{"FlacCut", "cut.flac", std::bind(Cut, _1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 40),
                    "# は MP3 に変換できる音声ファイルではありません"},
        FailureCase{"FlacCutInItsSound", "cut.flac",
                    [](const std::string &p) {
                      testsupport::MakeSoundFile(p, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2.0);
                      Write(p, TestWorld::ReadFile(p).substr(0, TestWorld::ReadFile(p).size() / 2));
                    },
                    "# は途中から読めません。壊れているか、途中で切れています"},
        FailureCase{"FlacCorrupt", "bad.flac", std::bind(Write, _1, "fLaC" + std::string(400, '\x5a')),
                    "# は MP3 に変換できる音声ファイルではありません"},
        FailureCase{"MidiCut", "cut.mid",
                    [](const std::string &p) { Write(p, testsupport::MakeMidiTune(1).substr(0, 40)); },
                    "# は再生できる標準 MIDI ファイルではありません"},
        FailureCase{"MidiHeaderOnly", "head.mid", std::bind(Write, _1, std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14)),
                    "# は再生できる標準 MIDI ファイルではありません"},
        FailureCase{"SoundFontMissing", "tune.mid",
                    [](const std::string &p) { Write(p, testsupport::MakeMidiTune(1)); },
                    "サウンドフォント @/gone.sf2 が見つかりません", "@/gone.sf2"},
        FailureCase{"SoundFontNotOne", "tune.mid",
                    [](const std::string &p) {
                      Write(p, testsupport::MakeMidiTune(1));
                      Write(p + ".sf2", "not a SoundFont");
                    },
                    "サウンドフォント @/tune.mid.sf2 を読み込めません", "@/tune.mid.sf2"},
        FailureCase{"BitrateLameHasNot", "a.wav",
                    [](const std::string &p) { testsupport::MakeSoundFile(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16); },
                    "MP3 エンコーダーを 191 kbit/s に設定できません", "", 191},
        FailureCase{"MidiLongerThanTheLongest", "tune.mid",
                    [](const std::string &p) { Write(p, testsupport::MakeMidiTune(1)); },
                    "# は長すぎて MP3 に変換できません (2 秒まで)", "", 192, 2.0}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

// Cancelled part way: it stops there, says so, and leaves nothing behind.
TEST(RefusesToConvert, WhenCancelled) {
  TestWorld world;
  const std::string in = world.Linux("a.wav");
  ASSERT_TRUE(testsupport::MakeSoundFile(in, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2.0));
  int asked = 0;
  platform::ConvertOptions options;
  options.cancelled = [&asked] { return ++asked == 10; };
  const platform::ConvertResult result = platform::ConvertToMp3(in, world.Linux("out.mp3"), options);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.error, "変換を取り消しました");
  EXPECT_EQ(asked, 10);
  EXPECT_EQ(Names(world.Root()), std::vector<std::string>{"a.wav"});
}

// The folder of the MP3 is missing: nothing is written anywhere.
TEST(RefusesToConvert, IntoAMissingFolder) {
  TestWorld world;
  const std::string in = world.Linux("a.wav");
  ASSERT_TRUE(testsupport::MakeSoundFile(in, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  const platform::ConvertResult result = platform::ConvertToMp3(in, world.Linux("gone/out.mp3"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "MP3 ファイル " + world.Windows("gone/out.mp3") + " を書き込めません");
  EXPECT_EQ(Names(world.Root()), std::vector<std::string>{"a.wav"});
}

}  // namespace
