// The game's own music is never lost, seen from outside: the built program as a process, run
// the way a launcher runs it, from one or two program folders on one or two game prefixes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "cli.h"
#include "core/winpath.h"
#include "fakeprefix.h"
#include "programrun.h"
#include "qtcore/qstr.h"
#include "writtenrecord.h"

using testsupport::TestWorld;

namespace {

struct GameWorld {
  GameWorld() {
    testsupport::FakePrefixOptions o;
    o.thirdDawn = true;
    world.MakePrefix(o);
    program = PlaceProgram(world.Linux("prog"));
    TestWorld::MakeDirs(world.Linux("tunes"));
    Tune("town.mid", "MThd town");
    Tune("night.mid", "MThd night");
    Settings("[Town]\napproach.mid=" + Windows("tunes/town.mid") +
             "\n[Night]\napproach.mid=" + Windows("tunes/night.mid") + "\n");
  }
  std::string Windows(const std::string &rel) const { return world.Windows(rel); }
  std::string Linux(const std::string &rel) const { return world.Linux(rel); }
  void Tune(const std::string &name, const std::string &bytes) { TestWorld::WriteFile(Linux("tunes/" + name), bytes); }
  void Settings(const std::string &text, const std::string &folder = "prog") {
    TestWorld::WriteFile(Linux(folder + "/melodeck.ini"), text);
  }
  ProgramRun Run(const std::vector<std::string> &args, const std::vector<std::string> &env = {},
                 const std::string &wrapper = "") {
    return RunProgram(world, program, args, env, wrapper);
  }
  std::string Read(const std::string &rel) const { return TestWorld::ReadFile(Linux(rel)); }
  // The dated copies in a backup folder ("name_yyyyMMdd-HHmmss.mid"), one a line.
  std::string Dated(const std::string &music) const {
    const std::string list = Linux("dated.txt");
    Shell("ls " + Quote(Linux(music + "/default")) + " | grep -E '_[0-9]{8}-[0-9]{6}' >" + Quote(list));
    return TestWorld::ReadFile(list);
  }

  TestWorld world;
  std::string program;
};

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

}  // namespace

// Our own files are told from the game's by every copy of the program on that game, and by no
// copy on another game that shares the settings.
TEST(Originals, EveryProgramFolderOnAGameKnowsWhatWasWritten) {
  struct Case {
    const char *what;
    bool secondPrefix;  // the same program folder on a second prefix in between
  } cases[] = {{"a second program folder", false}, {"two prefixes sharing one settings folder", true}};
  for (const auto &c : cases) {
    GameWorld w;
    const std::string original = w.Read(kFirst + "/approach.mid");
    ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
    ProgramRun run;
    if (!c.secondPrefix) {
      // Another copy of the program, with settings of its own and nothing applied yet.
      const std::string second = PlaceProgram(w.Linux("prog2"));
      w.Settings("", "prog2");
      run = RunProgram(w.world, second, {"--apply", "標準"}, {kJapanese});
      EXPECT_EQ(run.status, ecOK) << c.what << "\n" << run.err;
      EXPECT_EQ(w.Read(kFirst + "/approach.mid"), original) << c.what;
    } else {
      testsupport::FakePrefixOptions o;
      o.thirdDawn = true;
      const testsupport::FakePrefix other = testsupport::MakeFakePrefix(w.Linux("prefix2"), o);
      run = w.Run({"--apply", "Night"}, {"WINEPREFIX=" + other.root, kJapanese});
      ASSERT_EQ(run.status, ecOK) << run.err;
      EXPECT_FALSE(Has(run.err, "ゲームの更新")) << c.what << "\n" << run.err;
      run = w.Run({"--apply", "Town"}, {kJapanese});
      EXPECT_EQ(run.status, ecOK) << c.what << "\n" << run.err;
      EXPECT_EQ(w.Read(kFirst + "/approach.mid"), "MThd town") << c.what;
    }
    EXPECT_FALSE(Has(run.err, "ゲームの更新")) << c.what << "\n" << run.err;
    EXPECT_EQ(w.Read(kFirst + "/default/approach.mid"), original) << c.what;
    EXPECT_EQ(w.Dated(kFirst), "") << c.what;
  }
}

// Killed right after the last game file was placed: the next start takes none of them for the
// game's.
TEST(Originals, AKillAfterPlacingLeavesTheFilesKnownAsOurs) {
  GameWorld w;
  std::string settings = "[Town]\napproach.mid=" + w.Windows("tunes/town.mid") + "\n[Big]\n";
  for (const std::string &name : testsupport::GameMusicFiles()) {
    w.Tune("big-" + name, std::string(512 * 1024, 'b') + name);
    settings += name + "=" + w.Windows("tunes/big-" + name) + "\n";
  }
  w.Settings(settings);
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);

  // The last copy of an apply is the Third Dawn client's file of the last scene.
  const std::string last = w.Linux(kThirdDawn + "/" + testsupport::GameMusicFiles().back());
  struct stat before {};
  ASSERT_EQ(stat(last.c_str(), &before), 0);
  std::string command = "exec env -i";
  for (const char *name : PassedEnvironment())
    if (const char *value = getenv(name)) command += " " + Quote(std::string(name) + "=" + value);
  command += " " + Quote(w.program) + " --apply Big >/dev/null 2>&1 </dev/null";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  bool placed = false;
  for (int i = 0; i < 60000 && !placed; ++i) {
    struct stat now {};
    placed = stat(last.c_str(), &now) == 0 && now.st_ino != before.st_ino;
    if (!placed) std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(placed) << "the apply never placed its last file";

  const ProgramRun run = w.Run({"--apply", "Town"}, {kJapanese});
  EXPECT_EQ(run.status, ecOK) << run.err;
  EXPECT_FALSE(Has(run.err, "ゲームの更新")) << run.err;
  EXPECT_EQ(w.Dated(kFirst), "");
  EXPECT_EQ(w.Dated(kThirdDawn), "");
  for (const std::string &name : testsupport::GameMusicFiles())
    EXPECT_NE(w.Read(kFirst + "/default/" + name).substr(0, 4), "bbbb") << name;
}

// The record of what was written can't be saved: nothing of the game is replaced, and the
// status says so.
TEST(Originals, ARecordThatCannotBeSavedStopsTheApply) {
  struct Case {
    const char *what;
    bool fullDisk;  // files beyond 1 KiB can't be written; else the record's place is taken by a folder
  } cases[] = {{"a full disk", true}, {"a folder where the record goes", false}};
  for (const auto &c : cases) {
    GameWorld w;
    ASSERT_EQ(w.Run({"--apply", "Night"}).status, ecOK);
    const std::string before = TreeChecksum(w.Linux(kFirst));
    std::string wrapper;
    if (c.fullDisk) {
      wrapper = "sh -c 'trap \"\" XFSZ; ulimit -f 2; exec \"$@\"' sh";
    } else {
      for (const std::string &record : {std::string("prog/melodeck.written"), kFirst + "/default/melodeck.written"}) {
        std::remove(w.Linux(record).c_str());
        TestWorld::MakeDirs(w.Linux(record));
      }
    }
    const std::string beforeRecordFolders = TreeChecksum(w.Linux(kFirst));
    const ProgramRun run = w.Run({"--apply", "Town"}, {}, wrapper);
    EXPECT_EQ(run.status, ecCopiesFailed) << c.what << "\n" << run.out << run.err;
    EXPECT_TRUE(Has(run.err, "melodeck.written")) << c.what << "\n" << run.err;
    EXPECT_FALSE(Has(run.out, "copied ")) << c.what << "\n" << run.out;
    EXPECT_EQ(w.Read(kFirst + "/approach.mid"), "MThd night") << c.what;
    EXPECT_EQ(w.Read(kThirdDawn + "/approach.mid"), "MThd night") << c.what;
    EXPECT_EQ(TreeChecksum(w.Linux(kFirst)), c.fullDisk ? before : beforeRecordFolders) << c.what;
  }
}

// No room for a backup: the game's file it would keep is not replaced.
TEST(Originals, NoGameFileIsReplacedWithoutItsBackup) {
  GameWorld w;
  // The first client's backup folder can't be made: a file has its name.
  TestWorld::WriteFile(w.Linux(kFirst + "/default"), "not a folder");
  const std::string before = TreeChecksum(w.Linux(kFirst));
  const ProgramRun run = w.Run({"--apply", "Town"});
  EXPECT_EQ(run.status, ecCopiesFailed) << run.err;
  EXPECT_EQ(TreeChecksum(w.Linux(kFirst)), before);
  EXPECT_EQ(w.Read(kThirdDawn + "/approach.mid"), "MThd town");
  EXPECT_TRUE(Has(run.out, "Town: 49 copied, 1 failed, 48 missing")) << run.out;
  // Again under the Japanese locale: the same refusal, in the window's words.
  const ProgramRun again = w.Run({"--apply", "Town"}, {kJapanese});
  EXPECT_EQ(again.status, ecCopiesFailed) << again.err;
  EXPECT_EQ(TreeChecksum(w.Linux(kFirst)), before);
  EXPECT_TRUE(Has(again.err, "approach.mid (バックアップがありません)")) << again.err;
}

// A backup deleted after an apply is never made again from our own file; the game's own files
// are backed up as before.
TEST(Originals, ADeletedBackupIsNotMadeFromOurOwnFile) {
  GameWorld w;
  const std::string originalTD = w.Read(kThirdDawn + "/britain1.mid");
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  std::remove(w.Linux(kFirst + "/default/approach.mid").c_str());
  Shell("rm -r " + Quote(w.Linux(kThirdDawn + "/default")));
  // The dry run tells the same beforehand.
  const ProgramRun dry = w.Run({"--apply", "標準", "--dry-run"});
  EXPECT_EQ(dry.status, ecCopiesFailed) << dry.err;
  EXPECT_TRUE(Has(dry.out, "missing  approach.mid first: ")) << dry.out;
  EXPECT_TRUE(Has(dry.out, "missing  approach.mid third-dawn: ")) << dry.out;
  EXPECT_TRUE(Has(dry.out, "same     britain1.mid third-dawn: ")) << dry.out;

  const ProgramRun run = w.Run({"--apply", "標準"});
  EXPECT_EQ(run.status, ecCopiesFailed) << run.err;
  EXPECT_EQ(w.Read(kFirst + "/approach.mid"), "MThd town");
  EXPECT_EQ(w.Read(kThirdDawn + "/approach.mid"), "MThd town");
  EXPECT_FALSE(TestWorld::Exists(w.Linux(kFirst + "/default/approach.mid")));
  EXPECT_FALSE(TestWorld::Exists(w.Linux(kThirdDawn + "/default/approach.mid")));
  EXPECT_EQ(w.Read(kThirdDawn + "/default/britain1.mid"), originalTD);
  // One message names both files, a line each, with the paths the command line shows
  // everywhere.
  EXPECT_TRUE(Has(run.err, "melodeck: " + w.Linux(kFirst + "/approach.mid") + "\n")) << run.err;
  EXPECT_TRUE(Has(run.err, "melodeck: " + w.Linux(kThirdDawn + "/approach.mid") + "\n")) << run.err;
  EXPECT_FALSE(Has(run.err, "C:\\")) << run.err;
  EXPECT_TRUE(Has(run.out, "標準: 96 copied, 0 failed, 2 missing")) << run.out;
}

// With no record at all, a file that is neither the backup nor what is to be written is kept
// beside the backup before it is replaced.
TEST(Originals, AnUnknownFileIsKeptBeforeItIsReplaced) {
  GameWorld w;
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  for (const std::string &record :
       {std::string("prog/melodeck.written"), kFirst + "/default/melodeck.written", kFirst + "/melodeck.written",
        kThirdDawn + "/default/melodeck.written", kThirdDawn + "/melodeck.written"})
    std::remove(w.Linux(record).c_str());
  TestWorld::WriteFile(w.Linux(kFirst + "/britain1.mid"), "MThd patched");

  const ProgramRun run = w.Run({"--apply", "Night"});
  EXPECT_EQ(run.status, ecOK) << run.err;
  const std::string dated = w.Dated(kFirst);
  ASSERT_TRUE(Has(dated, "britain1_")) << dated;
  const std::string keptName =
      dated.substr(dated.find("britain1_"), dated.find(".mid", dated.find("britain1_")) - dated.find("britain1_") + 4);
  EXPECT_EQ(w.Read(kFirst + "/default/" + keptName), "MThd patched");
  EXPECT_TRUE(Has(run.out, "kept     britain1.mid first: " + w.Linux(kFirst + "/britain1.mid") + " -> " +
                               w.Linux(kFirst + "/default/" + keptName) + "\n"))
      << run.out;
  // Files that are the backup or ours were not kept.
  EXPECT_FALSE(Has(dated, "bucsden_")) << dated;
  EXPECT_EQ(w.Dated(kThirdDawn).find("britain1_"), std::string::npos);
}

// A game update whose stamp begins with a zero digit is recognised like any other.
TEST(Originals, EveryRecordedStampIsReadBack) {
  GameWorld w;
  // Our replacement, and then the patch, with hashes that begin with a zero digit.
  auto leadingZero = [&](const std::string &stem) {
    for (int n = 0;; ++n) {
      const std::string bytes = stem + std::to_string(n);
      w.Tune("probe.mid", bytes);
      const auto stamp = StampOf(platform::QS(w.Windows("tunes/probe.mid")));
      if (stamp && (stamp->Hash.size() < 16 || stamp->Hash[0] == '0')) return bytes;
    }
  };
  const std::string town = leadingZero("MThd town ");
  const std::string patch = leadingZero("MThd patch ");
  w.Tune("town.mid", town);
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  TestWorld::WriteFile(w.Linux(kFirst + "/approach.mid"), patch);

  const ProgramRun run = w.Run({"--apply", "標準"}, {kJapanese});
  EXPECT_EQ(run.status, ecOK) << run.err;
  EXPECT_TRUE(Has(run.err, "ゲームの更新")) << run.err;
  EXPECT_EQ(w.Read(kFirst + "/default/approach.mid"), patch);
  EXPECT_EQ(w.Read(kFirst + "/approach.mid"), patch);
  // And again: the patch is now the game's, our town is not.
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  const ProgramRun again = w.Run({"--apply", "標準"}, {kJapanese});
  EXPECT_FALSE(Has(again.err, "ゲームの更新")) << again.err;
  EXPECT_EQ(w.Read(kFirst + "/approach.mid"), patch);
}

// A dry run leaves a pending game update for the apply that follows.
TEST(Originals, ADryRunLeavesAPendingGameUpdateAlone) {
  GameWorld w;
  ASSERT_EQ(w.Run({"--apply", "Town"}).status, ecOK);
  TestWorld::WriteFile(w.Linux(kFirst + "/britain1.mid"), "MThd patched");
  const std::string prefix = TreeChecksum(w.Linux("prefix"));
  const std::string prog = TreeChecksum(w.Linux("prog"));
  const ProgramRun dry = w.Run({"--apply", "Town", "--dry-run"}, {kJapanese});
  EXPECT_EQ(dry.status, ecOK) << dry.err;
  EXPECT_EQ(TreeChecksum(w.Linux("prefix")), prefix);
  EXPECT_EQ(TreeChecksum(w.Linux("prog")), prog);
  EXPECT_FALSE(Has(dry.err, "ゲームの更新")) << dry.err;
  const ProgramRun run = w.Run({"--apply", "Town"}, {kJapanese});
  EXPECT_TRUE(Has(run.err, "ゲームの更新")) << run.err;
  EXPECT_EQ(w.Read(kFirst + "/default/britain1.mid"), "MThd patched");
}
