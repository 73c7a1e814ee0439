#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "media/midiplayer.h"
#include "midigen.h"
#include "testworld.h"

namespace {

using testsupport::TestWorld;

platform::FluidPlayerOptions RenderTo(const std::string &file) {
  platform::FluidPlayerOptions options;
  options.renderFile = file;
  options.soundFont = testsupport::kTestSoundFont;
  return options;
}

constexpr size_t kBytesPerSecond = 44100 * 4;  // 16-bit stereo
constexpr int kLoud = 1000;                    // a tune's peaks are far above this
constexpr int kQuiet = 64;                     // silence with the synthesiser's dither stays below

// Format 0, no notes: five seconds of nothing.
std::string SilentTune() {
  std::string track("\x00\xC0\x00", 3);
  track += std::string("\x87\x40\xFF\x2F\x00", 5);  // delta 960 ticks, end of track
  std::string file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
  file += std::string("\x00\x00\x00", 3) + static_cast<char>(track.size()) + track;
  return file;
}

size_t FileSize(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// The largest sample magnitude in [from, to) of a raw 16-bit little-endian file.
int Peak(const std::string &path, size_t from, size_t to = SIZE_MAX) {
  std::string data = TestWorld::ReadFile(path);
  int peak = 0;
  for (size_t i = from & ~size_t{1}; i + 1 < data.size() && i + 1 < to; i += 2) {
    int16_t v = static_cast<int16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
    peak = std::max(peak, std::abs(static_cast<int>(v)));
  }
  return peak;
}

// Waits until the file holds at least size bytes. The output writes at the pace of playing;
// the limit only keeps a broken output from hanging the test.
bool WaitForSize(const std::string &path, size_t size) {
  for (int i = 0; i < 6000; ++i) {
    if (FileSize(path) >= size) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Waits until the file holds sound after byte from.
bool WaitForSound(const std::string &path, size_t from) {
  for (size_t end = from + kBytesPerSecond / 4; WaitForSize(path, end); end += kBytesPerSecond / 4) {
    if (Peak(path, from) > kLoud) return true;
    if (end > from + 5 * kBytesPerSecond) return false;
  }
  return false;
}

class Player : public testing::Test {
 protected:
  void SetUp() override {
    TestWorld::WriteFile(tune_, testsupport::MakeMidiTune(3));
    TestWorld::WriteFile(silent_, SilentTune());
    player_ = platform::MakeFluidPlayer(RenderTo(out_));
  }
  TestWorld world_;
  std::string tune_ = world_.Linux("tune.mid"), silent_ = world_.Linux("silent.mid");
  std::string out_ = world_.Linux("out.raw");
  std::unique_ptr<platform::MidiPlayer> player_;
};

TEST_F(Player, PlaysTheTuneInTheBackground) {
  ASSERT_TRUE(player_->Open(tune_)) << player_->ErrorText();
  EXPECT_TRUE(player_->IsOpen());
  ASSERT_TRUE(player_->Play());
  EXPECT_TRUE(player_->ErrorText().empty());
  EXPECT_TRUE(WaitForSound(out_, 0));
  player_->Close();
  EXPECT_FALSE(player_->IsOpen());
}

TEST_F(Player, AnotherFileReplacesThePlayingOneWithoutStop) {
  ASSERT_TRUE(player_->Open(tune_));
  ASSERT_TRUE(player_->Play());
  ASSERT_TRUE(WaitForSound(out_, 0));

  // The output starts afresh for the new file: what it writes holds nothing of the first tune.
  ASSERT_TRUE(player_->Open(silent_)) << player_->ErrorText();
  ASSERT_TRUE(player_->Play());
  ASSERT_TRUE(WaitForSize(out_, kBytesPerSecond));
  player_->Close();
  EXPECT_LT(Peak(out_, 0), kQuiet);

  ASSERT_TRUE(player_->Open(silent_));
  ASSERT_TRUE(player_->Play());
  ASSERT_TRUE(player_->Open(tune_));
  ASSERT_TRUE(player_->Play());
  EXPECT_TRUE(WaitForSound(out_, 0));
}

TEST_F(Player, StopSilencesAndPlayGoesOn) {
  ASSERT_TRUE(player_->Open(tune_));
  ASSERT_TRUE(player_->Play());
  ASSERT_TRUE(WaitForSound(out_, 0));

  player_->Stop();
  EXPECT_TRUE(player_->IsOpen());
  // What was already rendered when Stop returned may still reach the file; a tenth of a
  // second after, the output is silent.
  const size_t stopped = FileSize(out_) + kBytesPerSecond / 10;
  ASSERT_TRUE(WaitForSize(out_, stopped + kBytesPerSecond / 2));
  EXPECT_LT(Peak(out_, stopped), kQuiet);

  const size_t resumed = FileSize(out_);
  ASSERT_TRUE(player_->Play());
  EXPECT_TRUE(WaitForSound(out_, resumed));
}

// --- Failures ------------------------------------------------------------------------------

struct FailureCase {
  const char *name;
  std::optional<std::string> file;   // written to the world as "in.mid"
  const char *soundFont;             // "@" stands for the world's folder
  const char *systemSoundFont;       // nullptr: the system's own
  std::vector<std::string> drivers;  // empty: the file output
  const char *error;                 // exact text, "@" for the world's folder; "…" at the end: a prefix
};

class OpenFails : public testing::TestWithParam<FailureCase> {};

// "@" stands for the world's Linux folder; "#name" for the Windows path of the world's file name.
std::string InWorld(const TestWorld &world, const char *text) {
  std::string s = text;
  for (size_t at; (at = s.find('@')) != std::string::npos;) s.replace(at, 1, world.Root());
  for (size_t at; (at = s.find('#')) != std::string::npos;) {
    const size_t end = s.find(' ', at);
    s.replace(at, end - at, world.Windows(s.substr(at + 1, end - at - 1)));
  }
  return s;
}

TEST_P(OpenFails, WithItsText) {
  const FailureCase &c = GetParam();
  TestWorld world;
  if (c.file) TestWorld::WriteFile(world.Linux("in.mid"), *c.file);
  TestWorld::WriteFile(world.Linux("text.sf2"), "not a SoundFont");
  platform::FluidPlayerOptions options;
  options.soundFont = InWorld(world, c.soundFont);
  if (c.systemSoundFont != nullptr) options.systemSoundFonts = {InWorld(world, c.systemSoundFont)};
  if (c.drivers.empty()) {
    options.renderFile = world.Linux("out.raw");
  } else {
    options.drivers = c.drivers;
  }
  auto player = platform::MakeFluidPlayer(options);

  EXPECT_FALSE(player->Open(world.Linux("in.mid")));
  EXPECT_FALSE(player->IsOpen());
  std::string expected = InWorld(world, c.error);
  if (expected.size() > 3 && expected.substr(expected.size() - 3) == "…") {
    expected.resize(expected.size() - 3);
    EXPECT_EQ(player->ErrorText().substr(0, expected.size()), expected) << player->ErrorText();
  } else {
    EXPECT_EQ(player->ErrorText(), expected);
  }
  EXPECT_FALSE(player->Play());
  EXPECT_EQ(player->ErrorText(), "再生する MIDI ファイルが開かれていません");
}

const std::string kTune = testsupport::MakeMidiTune(0);

// kTune with a header chunk of eight bytes: two more than the six the synthesiser reads.
std::string WithLongHeader(std::string tune) {
  tune[7] = 8;
  return tune.insert(14, std::string("\0\0", 2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenFails,
    testing::Values(
        FailureCase{"NoFile", std::nullopt, "", nullptr, {}, "MIDI ファイル #in.mid を開けません"},
        FailureCase{
            "NotMidi", "RIFF....WAVEfmt ", "", nullptr, {}, "#in.mid は再生できる標準 MIDI ファイルではありません"},
        FailureCase{"TruncatedTrack",
                    std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\1\0", 22),
                    "",
                    nullptr,
                    {},
                    "#in.mid は再生できる標準 MIDI ファイルではありません"},
        FailureCase{"LongHeaderChunk",
                    WithLongHeader(kTune),
                    "",
                    nullptr,
                    {},
                    "#in.mid は再生できる標準 MIDI ファイルではありません"},
        FailureCase{
            "ChosenSoundFontMissing", kTune, "@/gone.sf2", nullptr, {}, "サウンドフォント @/gone.sf2 が見つかりません"},
        FailureCase{"NoSystemSoundFont",
                    kTune,
                    "",
                    "@/none.sf2",
                    {},
                    "General MIDI のサウンドフォントが見つかりません。\n"
                    "サウンドフォント (.sf2) を設定で指定するか、システムに入れてください"},
        FailureCase{
            "SoundFontNotReadable", kTune, "@/text.sf2", nullptr, {}, "サウンドフォント @/text.sf2 を読み込めません…"},
        FailureCase{"NoSoundOutput",
                    kTune,
                    "",
                    nullptr,
                    {"no-such-output"},
                    "MIDI デバイスを開けません。\n音声の出力先 (no-such-output) がどれも使えません…"}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

}  // namespace
