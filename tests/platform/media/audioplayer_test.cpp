// The players of recorded sound: the audio player alone (every format, at other rates, Stop and
// Play, the loop, what does not decode) and the window's player that routes MIDI and the rest.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <functional>
#include <string>

#include "audiogen.h"
#include "media/audiostream.h"
#include "media/musicplayer.h"
#include "midigen.h"
#include "rendered.h"
#include "requirements.h"
#include "testworld.h"

namespace {

using testsupport::TestWorld;
using namespace rendered;

platform::FluidPlayerOptions RenderTo(const std::string &file) {
  platform::FluidPlayerOptions options;
  options.renderFile = file;
  options.soundFont = testsupport::kTestSoundFont;
  return options;
}

struct FormatCase {
  const char *name;
  const char *file;
  std::function<bool(const std::string &)> make;
};

class PlaysFormat : public testing::TestWithParam<FormatCase> {};

// Every format sounds, as the 440 Hz tone it holds (a file at another rate is converted, not
// played faster or slower).
TEST_P(PlaysFormat, AsTheToneItHolds) {
  REQUIRE_TOOLS("lame");
  TestWorld world;
  const std::string in = world.Linux(GetParam().file), out = world.Linux("out.raw");
  ASSERT_TRUE(GetParam().make(in));
  auto player = platform::MakeAudioPlayer(RenderTo(out));
  ASSERT_TRUE(player->Open(in)) << player->ErrorText();
  ASSERT_TRUE(player->Play());
  const size_t sound = WaitForSound(out, 0);
  ASSERT_GT(sound, 0u);
  const size_t from = sound + kBytesPerSecond / 20, to = from + kBytesPerSecond / 4;  // a quarter second
  ASSERT_TRUE(WaitForSize(out, to));
  const std::vector<int> tone = Left(out, from, to);
  EXPECT_GT(Peak(tone), 12000);
  EXPECT_NEAR(SignChanges(tone), 220, 6);
  player->Close();
  EXPECT_FALSE(player->IsOpen());
}

// Decoded straight, faster than playing: the one-second tone goes on after its end, from its
// start again (each decoder rewinds).
TEST_P(PlaysFormat, StartsAgainAtItsEnd) {
  REQUIRE_TOOLS("lame");
  TestWorld world;
  const std::string in = world.Linux(GetParam().file);
  ASSERT_TRUE(GetParam().make(in));
  std::unique_ptr<platform::AudioStream> stream = platform::AudioStream::Make(platform::OpenAudioDecoder(in));
  ASSERT_TRUE(stream && stream->Prime());
  constexpr size_t kSecond = platform::AudioStream::kRate;
  std::vector<float> left(kSecond * 5 / 2), right(left.size());
  stream->Fill(left.data(), right.data(), left.size());
  for (size_t from : {kSecond / 10, kSecond * 11 / 10, kSecond * 21 / 10}) {
    const auto [low, high] = std::minmax_element(left.begin() + from, left.begin() + from + kSecond / 4);
    EXPECT_GT(*high - *low, 0.7f) << from;
  }
}

bool Mp3(const std::string &path, int rate, int channels) { return testsupport::MakeMp3(path, 1.0, rate, channels); }
bool Sound(const std::string &path, int format, int rate, int channels) {
  return testsupport::MakeSoundFile(path, format, 1.0, rate, channels);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PlaysFormat,
    testing::Values(
        FormatCase{"Mp3", "tone.mp3", [](const std::string &p) { return Mp3(p, 44100, 2); }},
        FormatCase{"Mp3MonoAt22kHz", "TONE.MP3", [](const std::string &p) { return Mp3(p, 22050, 1); }},
        FormatCase{"Mp3At48kHz", "tone.mp3", [](const std::string &p) { return Mp3(p, 48000, 2); }},
        FormatCase{"Wav", "tone.wav",
                   [](const std::string &p) { return Sound(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2); }},
        FormatCase{"WavMonoAt8kHz", "tone.wav",
                   [](const std::string &p) { return Sound(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1); }},
        FormatCase{"Flac", "tone.flac",
                   [](const std::string &p) { return Sound(p, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2); }},
        FormatCase{"OggVorbis", "tone.ogg",
                   [](const std::string &p) { return Sound(p, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2); }},
        FormatCase{"Opus", "tone.opus",
                   [](const std::string &p) { return Sound(p, SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 2); }}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

// A tone rising over one second: how loud the output is tells where in the tune it plays.
class AudioPlayer : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::MakeSoundFile(in_, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1.0, 44100, 2, true));
  }
  TestWorld world_;
  std::string in_ = world_.Linux("rising.wav"), out_ = world_.Linux("out.raw");
  std::unique_ptr<platform::MidiPlayer> player_ = platform::MakeAudioPlayer(RenderTo(out_));
};

TEST_F(AudioPlayer, StopSilencesAtOncePlayGoesOnWhereItStoppedAndTheEndStartsAgain) {
  ASSERT_TRUE(player_->Open(in_)) << player_->ErrorText();
  ASSERT_TRUE(WaitForSize(out_, kBytesPerSecond / 10));
  EXPECT_LT(Peak(out_, 0), kQuiet);  // open, not yet playing: silence
  ASSERT_TRUE(player_->Play());
  ASSERT_GT(WaitForSound(out_, 0, 16000), 0u);  // past the middle

  player_->Stop();
  EXPECT_TRUE(player_->IsOpen());
  // A block already rendered may still reach the file; a hundredth of a second after, silence.
  const size_t stopped = FileSize(out_) + kBytesPerSecond / 100;
  ASSERT_TRUE(WaitForSize(out_, stopped + kBytesPerSecond / 5));
  EXPECT_LT(Peak(out_, stopped), kQuiet);

  const size_t resumed = FileSize(out_);
  ASSERT_TRUE(player_->Play());
  const size_t sound = WaitForSound(out_, resumed);
  ASSERT_GT(sound, 0u);
  // Its first tenth of a second is as loud as where it stopped, not the quiet start.
  EXPECT_GT(Peak(out_, sound, sound + kBytesPerSecond / 10), 14000);
  // Then it rises to the end (a thirtieth of a second after 31000) and starts again, quiet.
  const size_t end = WaitForSound(out_, sound, 31000);
  ASSERT_GT(end, 0u);
  const size_t tenth = kBytesPerSecond / 10;
  ASSERT_TRUE(WaitForSize(out_, end + 3 * tenth));
  EXPECT_LT(Peak(out_, end + tenth * 6 / 10, end + tenth), 4000);
  const int again = Peak(out_, end + 2 * tenth, end + 3 * tenth);
  EXPECT_GT(again, 5000);
  EXPECT_LT(again, 12000);
}

TEST_F(AudioPlayer, AnotherFileStartsAfreshWithoutStop) {
  const std::string tone = world_.Linux("tone.wav");
  ASSERT_TRUE(testsupport::MakeSoundFile(tone, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  ASSERT_TRUE(player_->Open(tone));
  ASSERT_TRUE(player_->Play());
  ASSERT_GT(WaitForSound(out_, 0), 0u);
  ASSERT_TRUE(player_->Open(in_)) << player_->ErrorText();
  ASSERT_TRUE(player_->Play());
  // The output starts afresh with the rising tone's quiet beginning.
  ASSERT_TRUE(WaitForSize(out_, kBytesPerSecond / 10));
  EXPECT_LT(Peak(out_, 0, kBytesPerSecond / 20), 4000);
}

// --- What does not play ----------------------------------------------------------------

struct FailureCase {
  const char *name;
  const char *file;                                     // in the world
  std::function<std::string(const TestWorld &)> bytes;  // nullopt-like: "<none>" leaves it missing
  const char *error;                 // "#" stands for the file's Windows path; "…" at the end: a prefix
  std::vector<std::string> drivers;  // empty: the file output
};

std::string Mp3Bytes(const TestWorld &world) {
  const std::string path = world.Linux("made.mp3");
  return testsupport::MakeMp3(path) ? TestWorld::ReadFile(path) : std::string();
}

std::string WavBytes(const TestWorld &world, double seconds) {
  const std::string path = world.Linux("made.wav");
  return testsupport::MakeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, seconds) ? TestWorld::ReadFile(path)
                                                                                     : std::string();
}

class AudioOpenFails : public testing::TestWithParam<FailureCase> {};

TEST_P(AudioOpenFails, WithItsText) {
  REQUIRE_TOOLS("lame");
  const FailureCase &c = GetParam();
  TestWorld world;
  const std::string in = world.Linux(c.file);
  const std::string bytes = c.bytes(world);
  if (bytes != "<none>") TestWorld::WriteFile(in, bytes);
  platform::FluidPlayerOptions options = RenderTo(world.Linux("out.raw"));
  if (!c.drivers.empty()) {
    options.renderFile.clear();
    options.drivers = c.drivers;
  }
  auto player = platform::MakeAudioPlayer(options);
  EXPECT_FALSE(player->Open(in));
  EXPECT_FALSE(player->IsOpen());
  std::string expected = c.error;
  if (const size_t at = expected.find('#'); at != std::string::npos) expected.replace(at, 1, world.Windows(c.file));
  if (expected.size() > 3 && expected.substr(expected.size() - 3) == "…") {
    expected.resize(expected.size() - 3);
    EXPECT_EQ(player->ErrorText().substr(0, expected.size()), expected) << player->ErrorText();
  } else {
    EXPECT_EQ(player->ErrorText(), expected);
  }
  EXPECT_FALSE(player->Play());
  EXPECT_EQ(player->ErrorText(), "再生する音声ファイルが開かれていません");
}

constexpr const char *kNotAudio = "# は再生できる音声ファイル (MP3, WAV, FLAC, Ogg Vorbis, Opus) ではありません";

INSTANTIATE_TEST_SUITE_P(
    Cases, AudioOpenFails,
    testing::Values(
        FailureCase{"Missing", "gone.mp3", [](const TestWorld &) { return "<none>"; }, "音声ファイル # を開けません"},
        FailureCase{"Empty", "empty.mp3", [](const TestWorld &) { return ""; }, kNotAudio},
        FailureCase{"Text", "readme.mp3", [](const TestWorld &) { return "plain text, no sound\n"; }, kNotAudio},
        FailureCase{"Mp3CutInItsFirstFrame", "cut.mp3", [](const TestWorld &w) { return Mp3Bytes(w).substr(0, 500); },
                    kNotAudio},
        FailureCase{"Mp3BodyZeroed", "zeroed.mp3",
                    [](const TestWorld &w) {
                      std::string mp3 = Mp3Bytes(w);
                      return mp3.replace(4, mp3.size() - 4, mp3.size() - 4, '\0');
                    },
                    kNotAudio},
        FailureCase{"WavWithoutSamples", "none.wav", [](const TestWorld &w) { return WavBytes(w, 0); }, kNotAudio},
        FailureCase{"WavHeaderCut", "cut.wav", [](const TestWorld &w) { return WavBytes(w, 1).substr(0, 20); },
                    kNotAudio},
        FailureCase{"NoSoundOutput",
                    "tone.mp3",
                    [](const TestWorld &w) { return Mp3Bytes(w); },
                    "音声デバイスを開けません。\n音声の出力先 (no-such-output) がどれも使えません…",
                    {"no-such-output"}}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

// --- The window's player: MIDI by its bytes to the MIDI player, the rest to the audio player -----

struct RouteCase {
  const char *name;
  const char *file;
  const char *kind;   // what the file holds: "midi", "mp3", "text"
  const char *error;  // "" : it plays; "#" stands for the file's Windows path
};

class MusicPlayerRoutes : public testing::TestWithParam<RouteCase> {};

// The SoundFont chosen is missing: a file the MIDI player takes says so, one the audio player
// takes plays without it.
TEST_P(MusicPlayerRoutes, ByTheFilesBytes) {
  REQUIRE_TOOLS("lame");
  const RouteCase &c = GetParam();
  TestWorld world;
  const std::string in = world.Linux(c.file), out = world.Linux("out.raw");
  const std::string kind = c.kind;
  if (kind == "midi") TestWorld::WriteFile(in, testsupport::MakeMidiTune(1));
  if (kind == "mp3") ASSERT_TRUE(testsupport::MakeMp3(in));
  if (kind == "text") TestWorld::WriteFile(in, "plain text");
  platform::FluidPlayerOptions options = RenderTo(out);
  options.soundFont = world.Linux("gone.sf2");
  auto player = platform::MakeMusicPlayer(options);
  std::string expected = c.error;
  for (size_t at; (at = expected.find('#')) != std::string::npos;) expected.replace(at, 1, world.Windows(c.file));
  for (size_t at; (at = expected.find('@')) != std::string::npos;) expected.replace(at, 1, world.Root());
  if (!expected.empty()) {
    EXPECT_FALSE(player->Open(in));
    EXPECT_EQ(player->ErrorText(), expected);
    EXPECT_FALSE(player->IsOpen());
    EXPECT_FALSE(player->Play());
    return;
  }
  ASSERT_TRUE(player->Open(in)) << player->ErrorText();
  ASSERT_TRUE(player->Play());
  EXPECT_GT(WaitForSound(out, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicPlayerRoutes,
    testing::Values(RouteCase{"Midi", "tune.mid", "midi", "サウンドフォント @/gone.sf2 が見つかりません"},
                    RouteCase{"MidiNamedMp3", "tune.mp3", "midi", "サウンドフォント @/gone.sf2 が見つかりません"},
                    RouteCase{"Mp3", "tune.mp3", "mp3", ""}, RouteCase{"Mp3NamedMid", "tune.mid", "mp3", ""},
                    RouteCase{"TextNamedMid", "not.MID", "text", "# は再生できる標準 MIDI ファイルではありません"},
                    RouteCase{"TextNamedOtherwise", "notes.txt", "text",
                              "# は再生できる音声ファイル (MP3, WAV, FLAC, Ogg Vorbis, Opus) ではありません"},
                    RouteCase{"MissingMid", "gone.mid", "none", "MIDI ファイル # を開けません"},
                    RouteCase{"MissingMp3", "gone.mp3", "none", "音声ファイル # を開けません"}),
    [](const testing::TestParamInfo<RouteCase> &info) { return std::string(info.param.name); });

// With the tests' SoundFont: a MIDI file and an MP3 in turn through one player, each heard
// in an output started afresh, and Stop silences whichever plays.
TEST(MusicPlayer, SwitchesBetweenMidiAndMp3) {
  REQUIRE_TOOLS("lame");
  TestWorld world;
  const std::string midi = world.Linux("a.mid"), mp3 = world.Linux("b.mp3"), out = world.Linux("out.raw");
  TestWorld::WriteFile(midi, testsupport::MakeMidiTune(3));
  ASSERT_TRUE(testsupport::MakeMp3(mp3));
  auto player = platform::MakeMusicPlayer(RenderTo(out));
  for (const std::string &file : {midi, mp3, midi}) {
    ASSERT_TRUE(player->Open(file)) << player->ErrorText();
    ASSERT_TRUE(player->Play());
    ASSERT_GT(WaitForSound(out, 0), 0u) << file;
    player->Stop();
    const size_t stopped = FileSize(out) + kBytesPerSecond / 10;
    ASSERT_TRUE(WaitForSize(out, stopped + kBytesPerSecond / 10));
    EXPECT_LT(Peak(out, stopped), kQuiet) << file;
  }
  player->Close();
  EXPECT_FALSE(player->IsOpen());
  EXPECT_FALSE(player->Play());
  EXPECT_EQ(player->ErrorText(), "再生するファイルが開かれていません");
}

}  // namespace
