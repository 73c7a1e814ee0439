// The command line as a launcher runs it: the built program, no display, its own folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "cli.h"
#include "core/instancelock.h"
#include "core/text.h"
#include "fakeprefix.h"
#include "programrun.h"
#include "requirements.h"
#include "startup.h"

using testsupport::TestWorld;

namespace {

// A world with both clients, the program in prog/ and settings with two configurations.
struct CliWorld {
  CliWorld() {
    testsupport::FakePrefixOptions o;
    o.thirdDawn = true;
    world.MakePrefix(o);
    program = PlaceProgram(world.Linux("prog"));
    TestWorld::MakeDirs(world.Linux("tunes"));
    TestWorld::WriteFile(world.Linux("tunes/town.mid"), "MThd town");
    WriteSettings("[Town]\napproach.mid=Z:" + world.Linux("tunes/town.mid") +
                  "\n[Broken]\nyew.mid=Z:" + world.Linux("tunes/gone.mid") + "\n");
  }
  void WriteSettings(const std::string &text) { TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), text); }
  ProgramRun Run(const std::vector<std::string> &args, const std::string &wrapper = "") {
    return RunProgram(world, program, args, env, wrapper);
  }
  // Runs under the Japanese locale: the messages of the core in the words the window shows.
  ProgramRun RunInJapanese(const std::vector<std::string> &args) {
    return RunProgram(world, program, args, {kJapanese});
  }
  std::string Music(const std::string &folder, const std::string &name) {
    return TestWorld::ReadFile(world.Linux(folder + "/" + name));
  }
  size_t Lines(const std::string &text, const std::string &start) {
    size_t n = 0;
    for (size_t at = 0; (at = text.find("\n" + start, at)) != std::string::npos; ++at) ++n;
    return n + (text.rfind(start, 0) == 0);
  }

  TestWorld world;
  std::string program;
  std::vector<std::string> env;  // added to every run's environment
};

}  // namespace

TEST(CommandLine, ListsTheConfigurationsMarkingTheLastApplied) {
  struct Case {
    const char *what;
    const char *settings;  // nullptr: no settings file
    std::vector<std::string> args;
    int status;
    std::string out;
    const char *errHas;
  } cases[] = {
      {"never applied", "[B]\n[a]\n", {"--list"}, ecOK, "* 標準\n  B\n  a\n", ""},
      {"last applied, other case", "[B]\n[melodeck]\nLastConfig=b\n[a]\n", {"--list"}, ecOK, "  標準\n* B\n  a\n", ""},
      {"no settings yet", nullptr, {"--list"}, ecNotSetUp, "", "start Melodeck's window once"},
      {"two commands", "", {"--list", "--apply", "B"}, ecError, "", "give one of"},
      {"dry run alone", "", {"--dry-run"}, ecError, "", "give one of"},
      {"unknown option", "", {"--frobnicate"}, ecError, "", "frobnicate"},
  };
  for (const auto &c : cases) {
    CliWorld w;
    if (c.settings) w.WriteSettings(c.settings);
    else std::remove(w.world.Linux("prog/melodeck.ini").c_str());
    const ProgramRun run = w.Run(c.args);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.what;
    EXPECT_NE(run.err.find(c.errHas), std::string::npos) << c.what << "\n" << run.err;
    // Listing writes nothing: no backups, no settings.
    EXPECT_FALSE(TestWorld::Exists(w.world.Linux(kFirst + "/default"))) << c.what;
  }
}

TEST(CommandLine, ApplyCopiesIntoBothMusicFoldersAndAnswersByExitStatus) {
  CliWorld w;
  const std::string originalApproach = w.Music(kFirst, "approach.mid");
  ProgramRun run = w.Run({"--apply", "town"});
  ASSERT_EQ(run.status, ecOK) << run.err;
  EXPECT_EQ(w.Music(kFirst, "approach.mid"), "MThd town");
  EXPECT_EQ(w.Music(kThirdDawn, "approach.mid"), "MThd town");
  EXPECT_EQ(w.Lines(run.out, "copied "), 98u) << run.out;
  EXPECT_NE(run.out.find("Town: 98 copied, 0 failed, 0 missing\n"), std::string::npos) << run.out;
  EXPECT_NE(TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")).find("LastConfig=Town"), std::string::npos);
  EXPECT_EQ(w.Run({"--list"}).out, "  標準\n* Town\n  Broken\n");

  // The standard configuration puts the game's own file back.
  run = w.Run({"--apply", "標準"});
  EXPECT_EQ(run.status, ecOK) << run.err;
  EXPECT_EQ(w.Music(kFirst, "approach.mid"), originalApproach);

  // A missing file: everything else is copied, the status says it.
  run = w.Run({"--apply", "Broken"});
  EXPECT_EQ(run.status, ecCopiesFailed) << run.err;
  EXPECT_EQ(w.Lines(run.out, "MISSING"), 2u) << run.out;
  EXPECT_NE(run.out.find("Broken: 96 copied, 0 failed, 2 missing\n"), std::string::npos) << run.out;
  run = w.RunInJapanese({"--apply", "Broken"});
  EXPECT_EQ(run.status, ecCopiesFailed) << run.err;
  EXPECT_NE(run.err.find("melodeck: 以下のファイルにコピーできませんでした\nmelodeck: ユー :  " +
                         w.world.Linux("tunes/gone.mid") + " (ファイルがありません)\n"),
            std::string::npos)
      << run.err;

  // A write-protected music folder: the copies fail.
  chmod(w.world.Linux(kThirdDawn).c_str(), 0500);
  run = w.Run({"--apply", "Town"});
  chmod(w.world.Linux(kThirdDawn).c_str(), 0700);
  if (geteuid() != 0) {
    EXPECT_EQ(run.status, ecCopiesFailed) << run.err;
    EXPECT_EQ(w.Lines(run.out, "FAILED"), 49u) << run.out;
  }

  run = w.Run({"--apply", "Nowhere"});
  EXPECT_EQ(run.status, ecUnknownConfig);
  EXPECT_NE(run.err.find("no configuration \"Nowhere\""), std::string::npos) << run.err;
}

// A source that is no regular file is missing, with its reason, and never waited for (a
// launcher's script would hang); both streams name the files by the same Linux paths.
TEST(CommandLine, ApplyNeverWaitsForASourceThatIsNoRegularFile) {
  CliWorld w;
  ASSERT_EQ(mkfifo(w.world.Linux("tunes/fifo.mid").c_str(), 0600), 0);
  TestWorld::MakeDirs(w.world.Linux("tunes/folder.mid"));
  w.WriteSettings("[Odd]\napproach.mid=Z:" + w.world.Linux("tunes/fifo.mid") +
                  "\nyew.mid=Z:" + w.world.Linux("tunes/folder.mid") + "\n");
  ProgramRun run = w.Run({"--apply", "Odd"}, "timeout 60");
  ASSERT_EQ(run.status, ecCopiesFailed) << run.err;
  const std::string fifo = w.world.Linux("tunes/fifo.mid"), folder = w.world.Linux("tunes/folder.mid");
  for (const std::string &line : {"MISSING  approach.mid first: " + fifo + " -> " +
                                      w.world.Linux(kFirst + "/approach.mid") + " (the source is not a regular file)\n",
                                  "MISSING  yew.mid third-dawn: " + folder + " -> " +
                                      w.world.Linux(kThirdDawn + "/yew.mid") + " (the source is a folder)\n",
                                  std::string("Odd: 94 copied, 0 failed, 4 missing\n")})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
  EXPECT_EQ(run.err.find("Z:"), std::string::npos) << run.err;
  run = w.RunInJapanese({"--apply", "Odd"});
  ASSERT_EQ(run.status, ecCopiesFailed) << run.err;
  EXPECT_NE(run.err.find(":  " + fifo + " (通常のファイルではありません)\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(":  " + folder + " (フォルダです)\n"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Z:"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("再試行"), std::string::npos) << run.err;  // the advice does not fit
}

TEST(CommandLine, ACommandThatWritesRefusesWhileTheWindowRuns) {
  CliWorld w;
  platform::InstanceLock window;  // the same lock the window takes
  ASSERT_TRUE(AcquireInstance(window));
  const std::string before = TreeChecksum(w.world.Linux("prefix"));
  const ProgramRun run = w.Run({"--apply", "Town"});
  EXPECT_EQ(run.status, ecAnotherRunning);
  EXPECT_NE(run.err.find("another Melodeck is running"), std::string::npos) << run.err;
  EXPECT_EQ(TreeChecksum(w.world.Linux("prefix")), before);
  EXPECT_EQ(TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")).find("LastConfig"), std::string::npos);
  // Reading commands still answer.
  EXPECT_EQ(w.Run({"--list"}).status, ecOK);
  EXPECT_EQ(w.Run({"--apply", "Town", "--dry-run"}).status, ecOK);
}

TEST(CommandLine, ADryRunShowsThePlanAndWritesNothing) {
  for (const bool appliedBefore : {false, true}) {
    CliWorld w;
    if (appliedBefore) {
      ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
    }
    const std::string prefix = TreeChecksum(w.world.Linux("prefix"));
    const std::string prog = TreeChecksum(w.world.Linux("prog"));
    ProgramRun run = w.Run({"--apply", "Town", "--dry-run"});
    EXPECT_EQ(run.status, ecOK) << run.err;
    EXPECT_EQ(TreeChecksum(w.world.Linux("prefix")), prefix) << appliedBefore;
    EXPECT_EQ(TreeChecksum(w.world.Linux("prog")), prog) << appliedBefore;
    // approach.mid changes in both folders, unless Town is in effect already.
    const size_t changes = appliedBefore ? 0 : 2;
    EXPECT_EQ(w.Lines(run.out, "change "), changes) << run.out;
    if (!appliedBefore) {
      EXPECT_NE(run.out.find("change   approach.mid third-dawn: " + w.world.Linux("tunes/town.mid") + " -> " +
                             w.world.Linux(kThirdDawn + "/approach.mid") + "\n"),
                std::string::npos)
          << run.out;
    }
    EXPECT_NE(run.out.find("Town: " + std::to_string(changes) + " would change, " + std::to_string(98 - changes) +
                           " unchanged, 0 missing; nothing was written\n"),
              std::string::npos)
        << run.out;
    run = w.Run({"--apply", "Broken", "--dry-run"});
    EXPECT_EQ(run.status, ecCopiesFailed);
    EXPECT_EQ(w.Lines(run.out, "missing "), 2u) << run.out;
  }
}

// A patch of the game between two applies: the patched file becomes the game's own.
TEST(CommandLine, TheGamesOwnUpdateBecomesTheBackup) {
  CliWorld w;
  w.env = {kJapanese};
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  const std::string oldBritain = w.Music(kFirst, "default/britain1.mid");
  TestWorld::WriteFile(w.world.Linux(kFirst + "/britain1.mid"), "MThd patched britain");
  TestWorld::WriteFile(w.world.Linux(kFirst + "/approach.mid"), "MThd patched approach");

  ProgramRun run = w.Run({"--apply", "標準"});
  ASSERT_EQ(run.status, ecOK) << run.err;
  EXPECT_EQ(w.Music(kFirst, "default/britain1.mid"), "MThd patched britain");
  EXPECT_EQ(w.Music(kFirst, "britain1.mid"), "MThd patched britain");
  EXPECT_EQ(w.Music(kFirst, "approach.mid"), "MThd patched approach");
  EXPECT_EQ(w.Music(kThirdDawn, "britain1.mid"), w.Music(kThirdDawn, "default/britain1.mid"));
  // One message names both files; the old backups stay under dated names.
  EXPECT_EQ(w.Lines(run.err, "melodeck: ゲームの更新で"), 1u) << run.err;
  EXPECT_NE(run.err.find("melodeck: " + w.world.Linux(kFirst + "/approach.mid") + "\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("melodeck: " + w.world.Linux(kFirst + "/britain1.mid") + "\n"), std::string::npos) << run.err;
  const std::string kept = w.world.Linux("kept.txt");
  system(("ls '" + w.world.Linux(kFirst + "/default") + "' | grep -E '_[0-9]{8}-[0-9]{6}' >'" + kept + "'").c_str());
  const std::string keptNames = TestWorld::ReadFile(kept);
  EXPECT_EQ(w.Lines(keptNames, "britain1_"), 1u) << keptNames;
  EXPECT_EQ(w.Lines(keptNames, "approach_"), 1u) << keptNames;
  EXPECT_EQ(std::count(keptNames.begin(), keptNames.end(), '\n'), 2) << keptNames;
  // Our own writes are never taken for the game's: the next start says nothing.
  run = w.Run({"--apply", "Town"});
  EXPECT_EQ(run.err.find("ゲームの更新"), std::string::npos) << run.err;
  run = w.Run({"--apply", "標準"});
  EXPECT_EQ(run.err.find("ゲームの更新"), std::string::npos) << run.err;
  EXPECT_EQ(w.Music(kFirst, "britain1.mid"), "MThd patched britain");
}

// A configuration exported by one program folder and imported by another, both without a
// window: the second one's configuration applies the same music.
TEST(CommandLine, ExportThenImportInAnotherProgramFolderReproducesTheConfiguration) {
  CliWorld w;
  w.WriteSettings("[Town]\napproach.mid=" + w.world.Windows("tunes/town.mid") + "\n");
  const std::string package = w.world.Linux("town.mdk");
  ProgramRun run = w.Run({"--export", "town", package});
  ASSERT_EQ(run.status, ecOK) << run.err;
  ASSERT_TRUE(TestWorld::Exists(package)) << run.err;
  EXPECT_EQ(w.Run({"--export", "Nowhere", "x.mdk"}).status, ecUnknownConfig);

  const std::string second = PlaceProgram(w.world.Linux("prog2"));
  TestWorld::WriteFile(w.world.Linux("prog2/melodeck.ini"), "");
  auto runSecond = [&](const std::vector<std::string> &args) { return RunProgram(w.world, second, args); };
  run = runSecond({"--import", package});
  ASSERT_EQ(run.status, ecOK) << run.err;
  EXPECT_EQ(runSecond({"--list"}).out, "* 標準\n  Town\n");
  // The name is taken now: refused without an option, stored anew with --as, replaced with --overwrite.
  run = runSecond({"--import", package});
  EXPECT_EQ(run.status, ecError);
  EXPECT_NE(run.err.find("--overwrite"), std::string::npos) << run.err;
  EXPECT_EQ(runSecond({"--import", package, "--as", "Town2"}).status, ecOK);
  EXPECT_EQ(runSecond({"--import", package, "--overwrite"}).status, ecOK);
  EXPECT_EQ(runSecond({"--list"}).out, "* 標準\n  Town\n  Town2\n");

  ASSERT_EQ(runSecond({"--apply", "Town2"}).status, ecOK);
  EXPECT_EQ(w.Music(kFirst, "approach.mid"), "MThd town");
}

// Every way of asking for help or the version that --help names works.
TEST(CommandLine, TheHelpOptionsItOffersWork) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> outHas;
  } cases[] = {
      {{"--help"}, {"--help-all", "--list", "--apply <NAME>", "Exit status:"}},
      {{"-h"}, {"--help-all", "--list"}},
      {{"--help-all"}, {"--help-all", "--list", "--import <FILE.mdk>"}},
      {{"--version"}, {"melodeck "}},
  };
  CliWorld w;
  for (const auto &c : cases) {
    const ProgramRun run = w.Run(c.args);
    EXPECT_EQ(run.status, ecOK) << c.args[0] << "\n" << run.err;
    for (const auto &text : c.outHas) EXPECT_NE(run.out.find(text), std::string::npos) << c.args[0] << ": " << text;
  }
}

// The game's own file is gone and was never backed up: the apply says so once.
TEST(CommandLine, AMissingBackupIsToldOnce) {
  for (const char *last : {"", "[melodeck]\nLastConfig=Broken\n"}) {
    CliWorld w;
    w.env = {kJapanese};
    TestWorld::WriteFile(w.world.Linux("prog/melodeck.ini"),
                         "[Town]\napproach.mid=Z:" + w.world.Linux("tunes/town.mid") + "\n" + last);
    ASSERT_EQ(std::remove(w.world.Linux(kFirst + "/yew.mid").c_str()), 0);
    const ProgramRun run = w.Run({"--apply", "Town"});
    EXPECT_EQ(run.status, ecCopiesFailed) << last << run.err;
    EXPECT_EQ(w.Lines(run.err, "melodeck: バックアップファイルがありません."), 1u) << last << run.err;
    // The export loads the one configuration it writes, too.
    const ProgramRun exported = w.Run({"--export", "Town", w.world.Linux("town.mdk")});
    EXPECT_EQ(w.Lines(exported.err, "melodeck: バックアップファイルがありません."), 1u) << last << exported.err;
  }
}

// A command started from cron, over ssh or by another session (another runtime folder, or none)
// still meets the window's lock.
TEST(CommandLine, ACommandFromElsewhereMeetsTheWindowsLock) {
  const struct {
    const char *what;
    std::vector<std::string> env;
    std::string wrapper;
  } cases[] = {
      {"cron: no runtime folder", {}, "env -u XDG_RUNTIME_DIR"},
      {"another session's runtime folder", {"XDG_RUNTIME_DIR=/nonexistent/run"}, ""},
      {"another temporary folder", {"TMPDIR=/nonexistent/tmp"}, "env -u XDG_RUNTIME_DIR"},
  };
  for (const auto &c : cases) {
    CliWorld w;
    platform::InstanceLock window;
    ASSERT_TRUE(AcquireInstance(window));
    const ProgramRun run = RunProgram(w.world, w.program, {"--apply", "Town"}, c.env, c.wrapper);
    EXPECT_EQ(run.status, ecAnotherRunning) << c.what << "\n" << run.err;
    EXPECT_EQ(TestWorld::ReadFile(w.world.Linux("prog/melodeck.ini")).find("LastConfig"), std::string::npos) << c.what;
  }
}

namespace {

// Archive entries for the dry run: a ZIP archive, then an LHA archive whose name says nothing
// of its format (a ".dat" file), assigned to scenes in that order.
struct ArchiveWorld : CliWorld {
  ArchiveWorld() {
    TestWorld::MakeDirs(world.Linux("arc"));
    TestWorld::WriteFile(world.Linux("arc/make.py"),
                         "import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1], 'w')\n"
                         "z.writestr('music/town.mid', 'MThd zipped town')\nz.close()\n");
    EXPECT_EQ(Shell("python3 " + Quote(world.Linux("arc/make.py")) + " " + Quote(world.Linux("arc/pack.zip"))), 0);
    const std::string lzh = testsupport::FixturesDir() + "/libarchive/test_read_format_lha_filename_cp932.lzh";
    EXPECT_EQ(Shell("cp " + Quote(lzh) + " " + Quote(world.Linux("arc/pack.dat"))), 0);
    std::string entry;
    EXPECT_TRUE(platform::Cp932Encode("表.txt", entry));
    WriteSettings("[Arc]\napproach.mid=" + world.Windows("arc/pack.zip") +
                  "|music/town.mid\nbritain1.mid=" + world.Windows("arc/pack.dat") + "|" + entry + "\n");
  }
};

}  // namespace

// A window may be open beside the dry run, with entries extracted into its own work folder
// (and an older program's under the common name): the dry run extracts into a folder of its
// own, removes only that, and reads each archive's format from its bytes.
TEST(CommandLine, ADryRunExtractsIntoAFolderOfItsOwnAndRemovesOnlyThat) {
  REQUIRE_FIXTURES();
  ArchiveWorld w;
  for (const char *folder : {"tmp/melodeck/pack.zip/music", "tmp/melodeck-window/pack.zip/music"}) {
    TestWorld::MakeDirs(w.world.Linux(folder));
    TestWorld::WriteFile(w.world.Linux(folder) + "/town.mid", "the window's copy");
  }
  const std::string tmp = TreeChecksum(w.world.Linux("tmp"));
  const ProgramRun run = w.Run({"--apply", "Arc", "--dry-run"});
  EXPECT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(w.Lines(run.out, "change   approach.mid "), 2u) << run.out;
  EXPECT_EQ(w.Lines(run.out, "change   britain1.mid "), 2u) << run.out;
  EXPECT_EQ(TreeChecksum(w.world.Linux("tmp")), tmp) << "nothing left, nothing taken";
}

// No work folder (here: the temporary folder is a file): each archive entry says why it has no
// file, and standard error says it once.
TEST(CommandLine, AWorkFolderThatCannotBeMadeIsReportedWithItsReason) {
  REQUIRE_FIXTURES();
  ArchiveWorld w;
  TestWorld::WriteFile(w.world.Linux("notafolder"), "x");
  const std::vector<std::string> env{"TMPDIR=" + w.world.Linux("notafolder")};
  const std::string reason =
      "  (no work folder: " + w.world.Linux("notafolder") + "/melodeck-XXXXXX: Not a directory)\n";
  const struct {
    std::vector<std::string> args;
    const char *line;  // the start of an archive entry's line
  } cases[] = {
      {{"--apply", "Arc", "--dry-run"}, "missing  approach.mid first: (none) -> "},
      {{"--apply", "Arc"}, "MISSING  approach.mid first: (none) -> "},
  };
  for (const auto &c : cases) {
    const ProgramRun run = RunProgram(w.world, w.program, c.args, env);
    EXPECT_EQ(run.status, ecCopiesFailed) << c.args.size() << run.out << run.err;
    EXPECT_NE(run.out.find(std::string(c.line) + w.world.Linux(kFirst + "/approach.mid") + reason), std::string::npos)
        << run.out;
    EXPECT_EQ(w.Lines(run.out, std::string(c.line).substr(0, 9)), 4u) << run.out;
    EXPECT_EQ(w.Lines(run.err, "melodeck: archive entries can't be extracted: no work folder ("), 1u) << run.err;
  }
}
