#include "applyguard.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "coredialogs.h"
#include "backups.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "../platform/inchild.h"
#include "gameupdates.h"
#include "midigen.h"
#include "qtcore/qstr.h"
#include "storeworld.h"

using testsupport::GameMusicFiles;
using testsupport::TestWorld;

namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(13, 15, 0));

struct GuardWorld {
  GuardWorld() {
    TestWorld::MakeDirs(w.Linux("tunes"));
    s.Store.LoadConfigList();  // makes the backups
  }
  QString Settings() const { return w.programPath + ".ini"; }
  std::string Music(const std::string &file) const { return w.MusicLinux() + "/" + file; }
  std::string Backup(const std::string &file) const { return w.MusicLinux() + "/default/" + file; }
  QString Tune(const std::string &name, const std::string &bytes) {
    TestWorld::WriteFile(w.Linux("tunes/" + name), bytes);
    return QString::fromStdString(w.world.Windows("tunes/" + name));
  }
  QString MusicWindows(const std::string &file) const {
    return w.folders.MusicDir + "\\" + QString::fromStdString(file);
  }
  // Records bytes as written by an apply (a replacement) for the first client's file.
  void RecordOurs(const std::string &file, const std::string &bytes) {
    TGameRecord record(w.folders, Settings());
    TestWorld::WriteFile(w.Linux("scratch"), bytes);
    record.Set(TClient::First, QString::fromStdString(file),
               *StampOf(QString::fromStdString(w.world.Windows("scratch"))));
    ASSERT_EQ(record.Save(), QString());
  }

  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs};
};

}  // namespace

// The game's record is found wherever a copy of the program left it, and only for this game.
TEST(GameRecord, ReadsTheRecordItsSpareAndAnOlderProgramsRecordOfThisGame) {
  struct Case {
    const char *what;
    std::string file;  // relative to the world; "" for the settings' older record
    std::string key;   // the key it is stored under
    bool found;
  } cases[] = {
      {"the backup folder's record", "default", "britain1.mid", true},
      {"its spare in the music folder", "music", "britain1.mid", true},
      {"an older program's record", "", "C:\\Program Files\\Ultima Online\\music\\britain1.mid", true},
      {"an older record, another case", "", "c:\\program files\\ultima online\\MUSIC\\britain1.mid", true},
      {"an older record of another game", "", "C:\\Games\\UO\\music\\britain1.mid", false},
  };
  for (const auto &c : cases) {
    GuardWorld g;
    const TFileStamp stamp{5, "00000000000000ab"};
    const QString path = c.file == "default" ? GameRecordPath(g.w.folders.DefaultDir)
                         : c.file == "music" ? GameRecordPath(g.w.folders.MusicDir)
                                             : WrittenRecordPath(g.Settings());
    TWrittenRecord file(path);
    file.Set(QString::fromStdString(c.key), stamp);
    ASSERT_TRUE(file.Save()) << c.what;
    const TGameRecord record(g.w.folders, g.Settings());
    EXPECT_EQ(record.Recorded(TClient::First, "britain1.mid", stamp), c.found) << c.what;
    EXPECT_EQ(record.Replacement(TClient::First, "britain1.mid", stamp), c.found) << c.what;
    EXPECT_FALSE(record.Recorded(TClient::First, "britain1.mid", {5, "00000000000000ac"})) << c.what;
  }
}

TEST(GameRecord, SavesTheRecordAndItsSpareAndTellsTheGamesOwnBytes) {
  GuardWorld g;
  TGameRecord record(g.w.folders, g.Settings());
  EXPECT_TRUE(record.Empty(TClient::First));
  record.Add(TClient::First, "yew.mid", {1, "0000000000000001"});
  record.Add(TClient::First, "yew.mid", {2, "0000000000000002"}, true);
  ASSERT_EQ(record.Save(), QString());
  for (const std::string &spare : {std::string(""), std::string("default/")}) {
    const std::string text = TestWorld::ReadFile(g.w.MusicLinux() + "/" + spare + "melodeck.written");
    EXPECT_EQ(text, "1\t0000000000000001\tyew.mid\n2\t0000000000000002\tyew.mid\tgame\n") << spare;
  }
  const TGameRecord again(g.w.folders, g.Settings());
  EXPECT_TRUE(again.Replacement(TClient::First, "yew.mid", {1, "0000000000000001"}));
  EXPECT_TRUE(again.Recorded(TClient::First, "yew.mid", {2, "0000000000000002"}));
  EXPECT_FALSE(again.Replacement(TClient::First, "yew.mid", {2, "0000000000000002"}));
}

// Whether the game's file may be replaced, and what is kept first.
TEST(ApplyGuard, AGameFileIsReplacedOnlyWhenNothingOfTheGameIsLost) {
  enum class Before { Backup, NoBackupGames, NoBackupOurs, BackupBlocked, Unknown, Ours, NoGameFile };
  struct Case {
    const char *what;
    Before before;
    bool copied;
    const char *reason;  // in the failure text
    bool kept;           // the game's file stays beside the backup under a dated name
    bool backupMade;
  } cases[] = {
      {"the game's file is its backup", Before::Backup, true, "", false, false},
      {"no backup, the game's own file", Before::NoBackupGames, true, "", false, true},
      {"no backup, our own file", Before::NoBackupOurs, false, " (バックアップがありません)", false, false},
      {"no backup can be made", Before::BackupBlocked, false, " (バックアップがありません)", false, false},
      {"neither the backup nor ours", Before::Unknown, true, "", true, false},
      {"our own file", Before::Ours, true, "", false, false},
      {"no game file at all", Before::NoGameFile, true, "", false, false},
  };
  for (const auto &c : cases) {
    GuardWorld g;
    const std::string game = TestWorld::ReadFile(g.Music("approach.mid"));
    switch (c.before) {
      case Before::Backup:
        break;
      case Before::NoBackupGames:
        std::remove(g.Backup("approach.mid").c_str());
        break;
      case Before::NoBackupOurs:
      case Before::Ours:
        TestWorld::WriteFile(g.Music("approach.mid"), "MThd ours");
        g.RecordOurs("approach.mid", "MThd ours");
        if (c.before == Before::NoBackupOurs) std::remove(g.Backup("approach.mid").c_str());
        break;
      case Before::BackupBlocked:
        std::remove(g.Backup("approach.mid").c_str());
        TestWorld::MakeDirs(g.Backup("approach.mid"));
        break;
      case Before::Unknown:
        TestWorld::WriteFile(g.Music("approach.mid"), "MThd patched");
        break;
      case Before::NoGameFile:
        std::remove(g.Music("approach.mid").c_str());
        break;
    }
    const std::string before =
        TestWorld::Exists(g.Music("approach.mid")) ? TestWorld::ReadFile(g.Music("approach.mid")) : "";
    g.s.SceneTable[0].Source = g.Tune("new.mid", "MThd new");

    const TApplyReport report = ApplyConfig(g.s);

    EXPECT_EQ(TestWorld::ReadFile(g.Music("approach.mid")), c.copied ? "MThd new" : before) << c.what;
    EXPECT_EQ(report.Failed, c.copied ? 0 : 1) << c.what;
    EXPECT_EQ(report.Copied, c.copied ? 49 : 48) << c.what;
    if (!c.copied) {
      EXPECT_EQ(report.FailureText,
                QString::fromUtf8("\nApproach :  ") + g.MusicWindows("approach.mid") + QString::fromUtf8(c.reason))
          << c.what << report.FailureText.toStdString();
    }
    ASSERT_EQ(report.Kept.size(), c.kept ? 1u : 0u) << c.what;
    if (c.kept) {
      EXPECT_EQ(report.Kept[0].Copy.Target, g.MusicWindows("approach.mid"));
      EXPECT_TRUE(report.Kept[0].KeptAs.startsWith(g.w.folders.DefaultDir + "\\approach_")) << c.what;
      EXPECT_EQ(TestWorld::ReadFile(platform::ToLinux(platform::SS(report.Kept[0].KeptAs))), "MThd patched");
      EXPECT_EQ(TestWorld::ReadFile(g.Backup("approach.mid")), game) << c.what;
      ASSERT_EQ(ApplyNotes(report).size(), 1) << c.what;
      EXPECT_TRUE(ApplyNotes(report)[0].endsWith(g.MusicWindows("approach.mid") + "\n  → " + report.Kept[0].KeptAs));
    } else {
      EXPECT_TRUE(ApplyNotes(report).isEmpty()) << c.what;
    }
    if (c.backupMade) EXPECT_EQ(TestWorld::ReadFile(g.Backup("approach.mid")), game) << c.what;
    if (c.before == Before::NoBackupOurs) EXPECT_FALSE(TestWorld::Exists(g.Backup("approach.mid"))) << c.what;
    // Whatever happened, the next start takes nothing of ours for the game's.
    EXPECT_TRUE(AdoptGameUpdates(g.w.folders, g.Settings(), kWhen).empty()) << c.what;
  }
}

// A disk too full for the backup: the game's file it would keep is not replaced.
TEST(ApplyGuard, NoRoomForABackupLeavesTheGamesFileAlone) {
  GuardWorld g;
  std::remove(g.Backup("approach.mid").c_str());
  const std::string game = TestWorld::ReadFile(g.Music("approach.mid"));
  g.s.SceneTable[0].Source = g.Tune("new.mid", "MThd new");
  const int status = platformtest::RunInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};  // bytes: smaller than any of the game's files
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    const TApplyReport report = ApplyConfig(g.s);
    return report.FailureText.contains(QString::fromUtf8("approach.mid (バックアップがありません)")) ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(TestWorld::ReadFile(g.Music("approach.mid")), game);
  EXPECT_FALSE(TestWorld::Exists(g.Backup("approach.mid")));
}

// A record that can't be written: nothing of the game is replaced.
TEST(ApplyGuard, ARecordThatCannotBeWrittenStopsBeforeAnyFileIsReplaced) {
  GuardWorld g;
  TestWorld::MakeDirs(g.Backup("melodeck.written"));  // a folder where the record goes
  for (int i = 0; i < 3; ++i)
    g.s.SceneTable[i].Source = g.Tune(std::to_string(i) + ".mid", "MThd " + std::to_string(i));
  const std::string before = TestWorld::ReadFile(g.Music("approach.mid"));

  const TApplyReport report = ApplyConfig(g.s);

  EXPECT_EQ(report.Copied, 0);
  EXPECT_EQ(report.Failed, 49);
  EXPECT_EQ(report.RecordNotSaved, GameRecordPath(g.w.folders.DefaultDir));
  EXPECT_EQ(TestWorld::ReadFile(g.Music("approach.mid")), before);
  ASSERT_EQ(ApplyNotes(report).size(), 1);
  EXPECT_TRUE(ApplyNotes(report)[0].endsWith("\n\n" + GameRecordPath(g.w.folders.DefaultDir)));
  // No staged copy is left behind beside the game's files.
  EXPECT_EQ(platform::ListDirectory(platform::SS(g.w.folders.MusicDir)).size(),
            GameMusicFiles().size() + 1);  // and default
}

// Killed after the files were placed, before the apply reported: the next start adopts none.
TEST(ApplyGuard, AKillAfterPlacingLeavesNothingForTheNextStartToAdopt) {
  GuardWorld g;
  ApplyConfig(g.s);  // a first apply: the record holds the game's own files
  for (int i = 0; i < g.s.SceneTable.size(); ++i)
    g.s.SceneTable[i].Source = g.Tune(std::to_string(i) + ".mid", testsupport::MakeMidiTune(100 + i));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ApplyConfig(g.s, [](const TApplyCopy &, TCopyResult) { raise(SIGKILL); });
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(TestWorld::ReadFile(g.Music(GameMusicFiles().back())),
            testsupport::MakeMidiTune(100 + g.s.SceneTable.size() - 1));
  EXPECT_TRUE(AdoptGameUpdates(g.w.folders, g.Settings(), kWhen).empty());
  EXPECT_TRUE(g.w.dialogs.Shown().empty());
}

// A missing backup is made from the game's file unless that file is one we wrote.
TEST(Backups, AMissingBackupIsMadeOnlyFromTheGamesOwnFile) {
  struct Case {
    const char *what;
    bool replacement;  // the record names the music file's bytes as ours
    bool gameOwn;      // the record names them as the game's own (copied from the backup)
    bool made;
  } cases[] = {
      {"no record", false, false, true},
      {"the game's own bytes", false, true, true},
      {"our replacement", true, false, false},
  };
  for (const auto &c : cases) {
    GuardWorld g;
    const std::string game = TestWorld::ReadFile(g.Music("britain1.mid"));
    if (c.replacement || c.gameOwn) {
      TGameRecord record(g.w.folders, g.Settings());
      record.Set(TClient::First, "britain1.mid", *StampOf(g.MusicWindows("britain1.mid")), c.gameOwn);
      ASSERT_EQ(record.Save(), QString());
    }
    std::remove(g.Backup("britain1.mid").c_str());
    const size_t shown = g.w.dialogs.Shown().size();

    const TBackupReport backups = g.s.Store.LoadConfig(kStandardConfig);
    ShowBackupReport(g.w.dialogs, backups);
    EXPECT_EQ(backups.Complete(), c.made) << c.what;

    EXPECT_EQ(TestWorld::Exists(g.Backup("britain1.mid")), c.made) << c.what;
    if (c.made) {
      EXPECT_EQ(TestWorld::ReadFile(g.Backup("britain1.mid")), game) << c.what;
      EXPECT_EQ(g.w.dialogs.Shown().size(), shown) << c.what;
      continue;
    }
    ASSERT_EQ(g.w.dialogs.Shown().size(), shown + 1) << c.what;
    const QString text = g.w.dialogs.Texts().back();
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("次の音楽ファイルのバックアップがありません.")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("\n\n" + g.MusicWindows("britain1.mid"))) << text.toStdString();
    // "標準" leaves the file as it is.
    const TApplyReport report = ApplyConfig(g.s);
    EXPECT_EQ(report.Missing, 1) << c.what;
    EXPECT_EQ(TestWorld::ReadFile(g.Music("britain1.mid")), game) << c.what;
    EXPECT_FALSE(TestWorld::Exists(g.Backup("britain1.mid"))) << c.what;
  }
}

// An apply ended between naming its files and recording what it placed: the next start keeps
// the stamp of the file that stands there, and adopts only a file that is neither.
TEST(GameUpdates, TheNextStartResolvesAnUnfinishedApply) {
  struct Case {
    const char *what;
    const char *now;  // the music file's bytes at the next start
    const char *recorded;
    bool adopted;
  } cases[] = {
      {"the new file was placed", "MThd new", "MThd new", false},
      {"the old file stayed", "MThd old", "MThd old", false},
      {"the game patched it since", "MThd patched", "MThd patched", true},
  };
  for (const auto &c : cases) {
    GuardWorld g;
    auto stamp = [&](const std::string &bytes) {
      TestWorld::WriteFile(g.w.Linux("scratch"), bytes);
      return *StampOf(QString::fromStdString(g.w.world.Windows("scratch")));
    };
    TGameRecord record(g.w.folders, g.Settings());
    record.Set(TClient::First, "britain1.mid", stamp("MThd old"));
    record.Add(TClient::First, "britain1.mid", stamp("MThd new"));
    ASSERT_EQ(record.Save(), QString());
    TestWorld::WriteFile(g.Music("britain1.mid"), c.now);

    EXPECT_EQ(AdoptGameUpdates(g.w.folders, g.Settings(), kWhen).size(), c.adopted ? 1u : 0u) << c.what;

    const TWrittenRecord after(GameRecordPath(g.w.folders.DefaultDir));
    ASSERT_EQ(after.Entries().count("britain1.mid"), 1u) << c.what;
    ASSERT_EQ(after.Entries().at("britain1.mid").size(), 1u) << c.what;
    EXPECT_EQ(after.Entries().at("britain1.mid")[0].Stamp, stamp(c.recorded)) << c.what;
    EXPECT_EQ(after.Entries().at("britain1.mid")[0].GameOwn, c.adopted) << c.what;
  }
}

// A save writes only the record files whose content changes; an unchanged one is left as it
// is (the same file), and one that is missing is written.
TEST(GameRecord, ASaveWritesOnlyTheFilesWhoseContentChanges) {
  struct Case {
    const char *what;
    TFileStamp stamp;  // added to yew.mid's recorded stamp
    bool removeSpare;  // the spare is gone before the record is read
    bool recordWritten, spareWritten;
  } cases[] = {
      {"the same stamp again", {1, "0000000000000001"}, false, false, false},
      {"a new stamp", {2, "0000000000000002"}, false, true, true},
      {"the same stamp, spare gone", {1, "0000000000000001"}, true, false, true},
  };
  for (const auto &c : cases) {
    GuardWorld g;
    const std::string record = g.Backup("melodeck.written"), spare = g.Music("melodeck.written");
    TGameRecord first(g.w.folders, g.Settings());
    first.Add(TClient::First, "yew.mid", {1, "0000000000000001"});
    ASSERT_EQ(first.Save(), QString());
    if (c.removeSpare) std::remove(spare.c_str());
    const auto inode = [](const std::string &path) {
      struct stat st {};
      return stat(path.c_str(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t recordBefore = inode(record), spareBefore = inode(spare);
    TGameRecord again(g.w.folders, g.Settings());
    again.Add(TClient::First, "yew.mid", c.stamp);
    ASSERT_EQ(again.Save(), QString()) << c.what;
    EXPECT_EQ(inode(record) != recordBefore, c.recordWritten) << c.what;
    EXPECT_EQ(inode(spare) != spareBefore, c.spareWritten) << c.what;
    EXPECT_EQ(TestWorld::ReadFile(record), TestWorld::ReadFile(spare)) << c.what;
    EXPECT_TRUE(TGameRecord(g.w.folders, g.Settings()).Recorded(TClient::First, "yew.mid", c.stamp)) << c.what;
  }
}
