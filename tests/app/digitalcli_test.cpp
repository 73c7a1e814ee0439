// The command line on a game whose folder has digital music beside the MIDI clients' music.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli.h"
#include "digitalgen.h"
#include "fakeprefix.h"
#include "midigen.h"
#include "programrun.h"

using testsupport::TestWorld;

namespace {

// The first client's folder; its "Music\Digital" is music/Digital on disk, found without case.
const std::string kDigital = kFirst + "/Digital";
const std::string kBackup = "prefix/drive_c/Program Files/Ultima Online/melodeck-backup/Digital";

struct DigitalWorld {
  DigitalWorld() {
    world.MakePrefix({});
    testsupport::MakeRealDigitalMusic(world.Linux(kDigital));
    program = PlaceProgram(world.Linux("prog"));
    TestWorld::MakeDirs(world.Linux("tunes"));
    town = testsupport::MakeSineMp3(world.Linux("tunes/town.mp3"), 880);
    sea = testsupport::MakeSineMp3(world.Linux("tunes/sea.mp3"), 990);
    TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "[Town]\nbritainpos.mp3=Z:" + world.Linux("tunes/town.mp3") +
                                                               "\nturfin.mp3=Z:" + world.Linux("tunes/sea.mp3") + "\n");
  }
  ProgramRun Run(const std::vector<std::string> &args) { return RunProgram(world, program, args); }
  std::string Read(const std::string &relative) { return TestWorld::ReadFile(world.Linux(relative)); }
  std::vector<std::string> Names(const std::string &relative) {
    std::vector<std::string> names;
    for (const auto &e : std::filesystem::directory_iterator(world.Linux(relative)))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TestWorld world;
  std::string program, town, sea;
};

}  // namespace

TEST(DigitalCommandLine, ApplyReplacesTheTracksAsNamedOnDiskAndTheStandardPutsThemBack) {
  DigitalWorld w;
  ASSERT_FALSE(w.town.empty()) << "lame made no MP3";
  const std::string britainpos = w.Read(kDigital + "/Britainpos.mp3");
  const std::string turfin = w.Read(kDigital + "/Turfin.mp3");
  const std::vector<std::string> before = w.Names(kDigital);

  ProgramRun run = w.Run({"--apply", "Town"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(w.Read(kDigital + "/Britainpos.mp3"), w.town);
  EXPECT_EQ(w.Read(kDigital + "/Turfin.mp3"), w.sea);
  // The MIDI scenes are applied too: 49 MIDI files and the 4 tracks that are one file each.
  EXPECT_NE(run.out.find("Town: 53 copied, 0 failed, 0 missing\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("copied   britainpos.mp3 digital: " + w.world.Linux("tunes/town.mp3") + " -> " +
                         w.world.Linux(kDigital + "/Britainpos.mp3") + "\n"),
            std::string::npos)
      << run.out;
  // The track two files answer to is left alone, and said so.
  EXPECT_NE(run.err.find("several files are named like echo.mp3: ECHO.mp3, echo.mp3"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("1 line of " + w.world.Linux(kDigital + "/Config.txt") + " is no track"), std::string::npos)
      << run.err;
  // Nothing new lies where the client looks for tracks; the backups are beside Music.
  EXPECT_EQ(w.Names(kDigital), before);
  EXPECT_EQ(w.Read(kBackup + "/britainpos.mp3"), britainpos);
  EXPECT_EQ(w.Read(kBackup + "/turfin.mp3"), turfin);

  run = w.Run({"--apply", "標準"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(w.Read(kDigital + "/Britainpos.mp3"), britainpos);
  EXPECT_EQ(w.Read(kDigital + "/Turfin.mp3"), turfin);
  EXPECT_EQ(w.Names(kDigital), before);

  run = w.Run({"--apply", "Town", "--dry-run"});
  EXPECT_EQ(run.status, ecOK) << run.err;
  EXPECT_NE(run.out.find("change   turfin.mp3 digital: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Town: 2 would change, 51 unchanged, 0 missing"), std::string::npos) << run.out;
}

namespace {

// Every file below folder, relative to it.
std::vector<std::string> FilesBelow(const std::string &folder) {
  std::vector<std::string> files;
  for (const auto &e : std::filesystem::recursive_directory_iterator(folder))
    files.push_back(std::filesystem::relative(e.path(), folder).string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

// A native client's data folder, named by its settings.json, given for one run: its Music folder
// holds nothing of ours afterwards, and nothing is kept of the game in the settings.
TEST(DigitalCommandLine, ANativeClientsFolderGivenForOneRunKeepsOnlyItsTracksUnderMusic) {
  DigitalWorld w;
  const std::string data = w.world.Linux("home/uo-data");
  testsupport::MakeRealDigitalMusic(data + "/Music/Digital");
  TestWorld::MakeDirs(w.world.Linux("home/cuo"));
  TestWorld::WriteFile(w.world.Linux("home/cuo/settings.json"),
                       "{\n  \"username\": \"\",\n  \"ultimaonlinedirectory\": \"" + data + "\"\n}\n");
  const std::vector<std::string> before = FilesBelow(data + "/Music");
  const std::string settings = w.Read("prog/melodeck.ini");

  ProgramRun run = w.Run({"--game", w.world.Linux("home/cuo/settings.json"), "--apply", "Town"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  // Only the digital set: this game has no MIDI client.
  EXPECT_NE(run.out.find("Town: 4 copied, 0 failed, 0 missing\n"), std::string::npos) << run.out;
  EXPECT_EQ(w.Read("home/uo-data/Music/Digital/Britainpos.mp3"), w.town);
  EXPECT_EQ(FilesBelow(data + "/Music"), before);
  EXPECT_TRUE(TestWorld::Exists(data + "/melodeck-backup/Digital/britainpos.mp3"));
  EXPECT_EQ(w.Read("prog/melodeck.ini").find("Game"), std::string::npos) << w.Read("prog/melodeck.ini");

  run = w.Run({"--game", "Z:" + data, "--apply", "標準"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(FilesBelow(data + "/Music"), before);
  EXPECT_NE(w.Read("home/uo-data/Music/Digital/Britainpos.mp3"), w.town);

  run = w.Run({"--game", w.world.Linux("home/nothing-here"), "--list"});
  EXPECT_EQ(run.status, ecError);
  EXPECT_FALSE(run.err.empty());
  (void)settings;
}

// A package of both music sets, taken to another program on a game with digital music only:
// the MP3 arrives and is applied; the MIDI file travels with it for a game that has MIDI.
TEST(DigitalCommandLine, APackageCarriesTheTracksOfBothSetsToAnotherGame) {
  DigitalWorld w;
  TestWorld::WriteFile(w.world.Linux("tunes/town.mid"), "MThd town");
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       "[Town]\nbritainpos.mp3=" + w.world.Windows("tunes/town.mp3") +
                           // written by hand, with the separators of a Linux path
                           "\napproach.mid=Z:" + w.world.Linux("tunes/town.mid") + "\n");
  ProgramRun run = w.Run({"--export", "Town", w.world.Linux("town.mdk")});
  ASSERT_EQ(run.status, ecOK) << run.err;

  const std::string data = w.world.Linux("home/uo-data");
  testsupport::MakeRealDigitalMusic(data + "/Music/Digital");
  const std::string other = PlaceProgram(w.world.Linux("prog2"));
  TestWorld::WriteFile(w.world.Linux("prog2/melodeck.ini"), "");
  run = RunProgram(w.world, other, {"--game", data, "--import", w.world.Linux("town.mdk")});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  const std::string settings = w.Read("prog2/melodeck.ini");
  EXPECT_NE(settings.find("approach.mid="), std::string::npos) << settings;
  run = RunProgram(w.world, other, {"--game", data, "--apply", "Town"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(TestWorld::ReadFile(data + "/Music/Digital/Britainpos.mp3"), w.town);
}

// A stored configuration that gives a scene a file its set does not take (by hand, or from an
// older package): an MP3 on a MIDI scene, something that is no tune on a digital track (which
// takes any tune). That file is never copied over the game's, and the line says why.
TEST(DigitalCommandLine, AFileOfTheOtherSetsKindIsNeverCopied) {
  DigitalWorld w;
  TestWorld::WriteFile(w.world.Linux("tunes/notes.txt"), "notes");
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       "[Swapped]\nbritainpos.mp3=" + w.world.Windows("tunes/notes.txt") +
                           "\napproach.mid=" + w.world.Windows("tunes/town.mp3") + "\n");
  const std::string britainpos = w.Read(kDigital + "/Britainpos.mp3");
  const std::string approach = w.Read(kFirst + "/approach.mid");
  const ProgramRun run = w.Run({"--apply", "Swapped"});
  EXPECT_EQ(run.status, ecCopiesFailed) << run.out << run.err;
  EXPECT_EQ(w.Read(kDigital + "/Britainpos.mp3"), britainpos);
  EXPECT_EQ(w.Read(kFirst + "/approach.mid"), approach);
  for (const char *key : {"britainpos.mp3 digital", "approach.mid first"})
    EXPECT_NE(run.out.find(std::string("FAILED   ") + key), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("(not a kind of file this music takes)"), std::string::npos) << run.out;
}

// Tunes of other kinds on digital tracks: a line for each as it is converted, the cache the
// second time, and --dry-run says which of them would be converted.
TEST(DigitalCommandLine, ConvertedTunesGetALineEachAndComeFromTheCacheTheSecondTime) {
  DigitalWorld w;
  TestWorld::WriteFile(w.world.Linux("tunes/dawn.mid"), testsupport::MakeMidiTune(1));
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       "[Dawn]\nbritainpos.mp3=" + w.world.Windows("tunes/dawn.mid") +
                           "\nturfin.mp3=" + w.world.Windows("tunes/sea.mp3") + "\n");
  const std::string dawn = w.world.Linux("tunes/dawn.mid");
  ProgramRun run = w.Run({"--apply", "Dawn", "--dry-run"});
  EXPECT_EQ(run.status, ecOK) << run.err;
  EXPECT_NE(run.out.find("britainpos.mp3 digital: " + dawn + " -> " + w.world.Linux(kDigital + "/Britainpos.mp3") +
                         " (to convert)\n"),
            std::string::npos)
      << run.out;

  run = w.Run({"--apply", "Dawn"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_NE(run.out.find("converted  britainpos.mp3 digital: " + dawn + " (1/1)\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("turfin.mp3 digital: " + w.world.Linux("tunes/sea.mp3") + " ("), std::string::npos)
      << run.out;  // an MP3 is copied as it is
  const std::string made = w.Read(kDigital + "/Britainpos.mp3");
  EXPECT_EQ(made.substr(0, 3) == "ID3" || (made.size() > 1 && uint8_t(made[0]) == 0xff), true);

  run = w.Run({"--apply", "Dawn", "--dry-run"});
  EXPECT_NE(run.out.find("same     britainpos.mp3 digital: " + dawn), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" (converted before, cached)\n"), std::string::npos) << run.out;
  run = w.Run({"--apply", "Dawn"});
  ASSERT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_NE(run.out.find("cached     britainpos.mp3 digital: " + dawn + " (1/1)\n"), std::string::npos) << run.out;
  EXPECT_EQ(w.Read(kDigital + "/Britainpos.mp3"), made);
}

// Names are shown as they are, whatever they hold: a configuration and a tune named with "%2"
// or a percent-encoded "%2C" (as a browser saves a download) in every line that shows them.
TEST(DigitalCommandLine, NamesWithPercentSignsAreShownAsTheyAre) {
  DigitalWorld w;
  TestWorld::WriteFile(w.world.Linux("tunes/dawn%2C%5.mid"), testsupport::MakeMidiTune(1));
  TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                       "[Mix %2]\nbritainpos.mp3=" + w.world.Windows("tunes/dawn%2C%5.mid") + "\n");
  const std::string dawn = w.world.Linux("tunes/dawn%2C%5.mid");
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> outHas;
  } cases[] = {
      {{"--apply", "Mix %2", "--dry-run"},
       {"change   britainpos.mp3 digital: " + dawn + " -> ", "\nMix %2: 1 would change, "}},
      {{"--apply", "mix %2"},
       {"converted  britainpos.mp3 digital: " + dawn + " (1/1)\n", "copied   britainpos.mp3 digital: " + dawn + " -> ",
        "\nMix %2: 53 copied, 0 failed, 0 missing\n"}},
  };
  for (const auto &c : cases) {
    const ProgramRun run = w.Run(c.args);
    EXPECT_EQ(run.status, ecOK) << run.out << run.err;
    for (const std::string &part : c.outHas)
      EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
}
