// Applying tunes of any kind to the tracks of a digital client: each is made into an MP3 first,
// once, kept in the cache of converted tunes, and copied; a tune that can't be converted fails
// alone, and a cancelled apply touches nothing.
#include "applyconvert.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <map>

#include "apply.h"
#include "audiogen.h"
#include "configstore.h"
#include "convertcache.h"
#include "fakeprefix.h"
#include "gamefolder.h"
#include "gamesets.h"
#include "midigen.h"
#include "mp3check.h"
#include "requirements.h"
#include "scripteddialogs.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

const std::string kDigital = "uo/Music/Digital";

// Remembers what the apply told of its conversions, and cancels at the tick asked to.
class Progress : public TConvertProgress {
 public:
  explicit Progress(int cancelAtTick = -1) : cancelAt_(cancelAtTick) {}
  bool Tick(int done, int total, const QString &) override {
    EXPECT_LE(done, total);
    return ticks_++ != cancelAt_;
  }
  void Finished(const TTuneToConvert &tune, const TConvertedTune &result, int done, int total) override {
    EXPECT_LE(done, total);
    finished[tune.Track] = result;
  }
  std::map<QString, TConvertedTune> finished;

 private:
  int cancelAt_;
  int ticks_ = 0;
};

struct DigitalWorld {
  DigitalWorld() {
    testsupport::MakeDigitalMusic(world.Linux(kDigital));
    TestWorld::MakeDirs(world.Linux("tunes"));
    TestWorld::MakeDirs(world.Linux("prog"));
    testsupport::MakeSoundFile(world.Linux("tunes/town.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.5);
    testsupport::MakeSoundFile(world.Linux("tunes/sea.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.5);
    testsupport::MakeSoundFile(world.Linux("tunes/moon.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.5);
    TestWorld::WriteFile(world.Linux("tunes/title.mid"), testsupport::MakeMidiTune(0));
    testsupport::MakeMp3(world.Linux("tunes/snake.mp3"), 0.5);
    TestWorld::WriteFile(world.Linux("tunes/broken.wav"), "RIFF\x24\0\0\0WAVEfmt nothing that is a sound");
    Settings("");
  }
  void Settings(const std::string &extra) {
    const std::string z = "=Z:" + world.Linux("tunes/");
    TestWorld::WriteFile(world.Linux("prog/melodeck.ini"),
                         "[melodeck]\n" + extra + "\n[Mix]\nturfin.mp3" + z + "town.wav\nbritainpos.mp3" + z +
                             "sea.flac\nbritain1.mp3" + z + "moon.ogg\nstones.mp3" + z + "title.mid\nserpents.mp3" + z +
                             "snake.mp3\n[Broken]\nturfin.mp3" + z + "broken.wav\nbritainpos.mp3" + z + "sea.flac\n");
  }
  TApplyReport Apply(const QString &config, TConvertProgress *progress = nullptr) {
    const TGameLookup lookup = LookUpGame(QString::fromStdString(world.Windows("uo")));
    EXPECT_TRUE(lookup.Game.has_value());
    TSession session(QString::fromStdString(world.Windows("prog")) + "\\melodeck", DigitalGameSet(*lookup.Game),
                     dialogs);
    session.Store.LoadSceneNames();
    session.Store.LoadConfig(config);
    TApplyReport report = ApplyConfig(session, {}, progress);
    session.WorkFolder.Remove();
    return report;
  }
  std::string Track(const std::string &name) { return TestWorld::ReadFile(world.Linux(kDigital + "/" + name)); }
  std::map<std::string, std::string> Tracks() {
    std::map<std::string, std::string> files;
    for (const auto &e : std::filesystem::directory_iterator(world.Linux(kDigital)))
      files[e.path().filename().string()] = TestWorld::ReadFile(e.path().string());
    return files;
  }
  int CacheEntries() {
    int n = 0;
    if (std::filesystem::exists(ConvertCacheDir().toStdString()))
      for (const auto &e : std::filesystem::directory_iterator(ConvertCacheDir().toStdString()))
        n += e.path().extension() == ".mp3" && e.path().filename().string()[0] != '.';
    return n;
  }

  TestWorld world;
  testsupport::ScriptedDialogs dialogs;
};

}  // namespace

TEST(ApplyConvert, EveryKindOfTuneBecomesAnMp3AndAnMp3IsCopiedAsItIs) {
  DigitalWorld w;
  Progress progress;
  const TApplyReport report = w.Apply("Mix", &progress);
  ASSERT_FALSE(report.Cancelled);
  EXPECT_EQ(report.Copied, 5) << report.FailureText.toStdString();
  EXPECT_EQ(report.Converted, 4);
  EXPECT_EQ(report.FromCache, 0);
  EXPECT_EQ(progress.finished.size(), 4u);
  const struct {
    const char *track;
    double seconds;  // at least; a MIDI tune rings on after its last note
  } cases[] = {{"Turfin.mp3", 0.5}, {"Britainpos.mp3", 0.5}, {"britain1.MP3", 0.5}, {"STONES.mp3", 1.0}};
  for (const auto &c : cases) {
    const mp3check::Decoded mp3 = mp3check::Decode(w.world.Linux(kDigital + "/" + c.track));
    ASSERT_TRUE(mp3.ok) << c.track;
    EXPECT_EQ(mp3.rate, 44100) << c.track;
    EXPECT_EQ(mp3.channels, 2) << c.track;
    EXPECT_GE(mp3.Seconds(), c.seconds - 0.05) << c.track;
    EXPECT_GT(mp3.peak, 0.05f) << c.track;
  }
  EXPECT_EQ(w.Track("serpents.mp3"), TestWorld::ReadFile(w.world.Linux("tunes/snake.mp3")));
  EXPECT_EQ(w.CacheEntries(), 4);
}

TEST(ApplyConvert, TheSecondApplyTakesTheCacheAndAnotherSoundFontRendersTheMidiTuneAgain) {
  DigitalWorld w;
  ASSERT_EQ(w.Apply("Mix").Converted, 4);
  const std::string stones = w.Track("STONES.mp3");

  Progress again;
  TApplyReport report = w.Apply("Mix", &again);
  EXPECT_EQ(report.Converted, 0);
  EXPECT_EQ(report.FromCache, 4);
  EXPECT_EQ(report.Copied, 5);
  for (const auto &[track, tune] : again.finished) EXPECT_TRUE(tune.FromCache) << track.toStdString();
  EXPECT_EQ(w.Track("STONES.mp3"), stones);

  // Another SoundFont's bytes: only the MIDI tune is rendered anew.
  std::string font = TestWorld::ReadFile("/usr/share/sounds/sf2/TimGM6mb.sf2");
  const size_t name = font.find("INAM");
  if (name == std::string::npos) GTEST_SKIP() << "TimGM6mb.sf2 is not installed";
  font[name + 8] ^= 0x20;  // the first letter of its name in the other case
  TestWorld::WriteFile(w.world.Linux("other.sf2"), font);
  w.Settings("SoundFont=Z:" + w.world.Linux("other.sf2"));
  report = w.Apply("Mix");
  EXPECT_EQ(report.Converted, 1);
  EXPECT_EQ(report.FromCache, 3);
  EXPECT_EQ(report.Copied, 5) << report.FailureText.toStdString();
  EXPECT_EQ(w.CacheEntries(), 5);
}

// An archive's entry is converted like a file, from where it is extracted; the next apply takes it
// from the cache by its bytes, though it is extracted anew.
TEST(ApplyConvert, AnArchivesEntryIsConvertedLikeAFile) {
  REQUIRE_TOOLS("zip");
  DigitalWorld w;
  TestWorld::MakeDirs(w.world.Linux("pack/music"));
  testsupport::MakeSoundFile(w.world.Linux("pack/music/tide.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.5);
  ASSERT_EQ(std::system(("cd '" + w.world.Linux("pack") + "' && zip -qr ../tunes/pack.zip music").c_str()), 0);
  w.Settings("");
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")) +
                           "[Pack]\nturfin.mp3=" + w.world.Windows("tunes/pack.zip") + "|music/tide.wav\n");
  TApplyReport report = w.Apply("Pack");
  EXPECT_EQ(report.Converted, 1) << report.Missing << report.FailureText.toStdString();
  EXPECT_EQ(report.Failed, 0) << report.FailureText.toStdString();
  const mp3check::Decoded mp3 = mp3check::Decode(w.world.Linux(kDigital + "/Turfin.mp3"));
  EXPECT_TRUE(mp3.ok);
  EXPECT_NEAR(mp3.Seconds(), 0.5, 0.05);
  report = w.Apply("Pack");
  EXPECT_EQ(report.Converted, 0);
  EXPECT_EQ(report.FromCache, 1);
}

// Several MIDI tunes beside an audio tune, converted on every core: every one is made.
TEST(ApplyConvert, SeveralMidiTunesAreAllRendered) {
  DigitalWorld w;
  std::string ini = TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")) + "[Midis]\n";
  const char *tracks[] = {"turfin.mp3", "britainpos.mp3", "britain1.mp3"};
  for (int i = 0; i < 3; ++i) {
    const std::string tune = "tunes/m" + std::to_string(i) + ".mid";
    TestWorld::WriteFile(w.world.Linux(tune), testsupport::MakeMidiTune(10 + i));
    ini += std::string(tracks[i]) + "=Z:" + w.world.Linux(tune) + "\n";
  }
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       ini + "stones.mp3=Z:" + w.world.Linux("tunes/town.wav") + "\n");
  Progress progress;
  const TApplyReport report = w.Apply("Midis", &progress);
  EXPECT_EQ(report.Converted, 4) << report.FailureText.toStdString();
  EXPECT_EQ(report.Copied, 5);
  for (const char *track : {"Turfin.mp3", "Britainpos.mp3", "britain1.MP3", "STONES.mp3"})
    EXPECT_TRUE(mp3check::Decode(w.world.Linux(kDigital + "/" + track)).ok) << track;
}

TEST(ApplyConvert, ATuneThatCantBeConvertedFailsWithItsReasonAndLeavesItsTrack) {
  DigitalWorld w;
  const std::string turfin = w.Track("Turfin.mp3");
  const TApplyReport report = w.Apply("Broken");
  EXPECT_EQ(report.Failed, 1);
  EXPECT_EQ(report.Copied, 4);  // the sea, and the game's own tracks of the scenes left unassigned
  EXPECT_EQ(w.Track("Turfin.mp3"), turfin);
  EXPECT_NE(report.FailureText.indexOf("broken.wav"), -1) << report.FailureText.toStdString();
  EXPECT_NE(report.FailureText.indexOf(QStringLiteral("変換できる音声ファイルではありません")), -1)
      << report.FailureText.toStdString();
  EXPECT_TRUE(mp3check::Decode(w.world.Linux(kDigital + "/Britainpos.mp3")).ok);
}

TEST(ApplyConvert, CancellingWhileConvertingTouchesNoGameFileNorTheAppliedConfiguration) {
  DigitalWorld w;
  const std::map<std::string, std::string> before = w.Tracks();
  for (const int tick : {0, 2}) {
    Progress progress(tick);
    const TApplyReport report = w.Apply("Mix", &progress);
    EXPECT_TRUE(report.Cancelled) << tick;
    EXPECT_EQ(report.Copied, 0) << tick;
    EXPECT_EQ(w.Tracks(), before) << tick;
    EXPECT_EQ(TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")).find("LastConfig"), std::string::npos) << tick;
  }
  // Nothing unfinished is left in the cache.
  for (const auto &e : std::filesystem::directory_iterator(ConvertCacheDir().toStdString()))
    EXPECT_NE(e.path().filename().string().rfind(".part-", 0), 0u) << e.path();
}
