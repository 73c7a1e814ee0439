#include "gameupdates.h"

#include <gtest/gtest.h>

#include "coredialogs.h"
#include "core/inifile.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"
#include "storeworld.h"
#include "writtenrecord.h"

using testsupport::TestWorld;

namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(13, 15, 0));

struct Files {
  std::string music, backup;
};

// The first client's music file and its backup, by name.
Files FilesOf(const StoreWorld &w, const std::string &name, bool td = false) {
  return {w.MusicLinux(td) + "/" + name, w.MusicLinux(td) + "/default/" + name};
}

void MakeBackups(StoreWorld &w, bool td) {
  for (const auto &name : testsupport::GameMusicFiles()) {
    TestWorld::MakeDirs(w.MusicLinux(td) + "/default");
    const Files f = FilesOf(w, name, td);
    TestWorld::WriteFile(f.backup, TestWorld::ReadFile(f.music));
  }
}

QString SettingsPath(const StoreWorld &w) { return w.programPath + ".ini"; }

void Record(const StoreWorld &w, const QString &target, const std::string &bytes, const std::string &scratch) {
  TestWorld::WriteFile(scratch, bytes);
  TWrittenRecord record(WrittenRecordPath(SettingsPath(w)));
  record.Set(target, *StampOf(platform::QS(platform::ToWindows(scratch))));
  ASSERT_TRUE(record.Save());
}

}  // namespace

// Whose change a differing music file is: the backup, the record of our own writes and whether
// anything was ever applied decide.
TEST(GameUpdates, AFileThatMatchesNeitherBackupNorOurWriteIsTheGames) {
  struct Case {
    const char *what;
    bool changed;  // the music file differs from its backup
    int recorded;  // 0: no record, 1: the record names the current bytes, 2: other bytes
    bool applied;  // "LastConfig" is set
    bool adopted;
  } cases[] = {
      {"untouched", false, 0, true, false},
      {"our own write", true, 1, true, false},
      {"patched after our write", true, 2, true, true},
      {"patched before any apply", true, 0, false, true},
      {"written by an older program, no record", true, 0, true, false},
  };
  for (const auto &c : cases) {
    StoreWorld w;
    MakeBackups(w, false);
    const Files f = FilesOf(w, "britain1.mid");
    const std::string original = TestWorld::ReadFile(f.backup);
    const QString target = w.folders.MusicDir + "\\britain1.mid";
    if (c.changed) TestWorld::WriteFile(f.music, "MThd patched");
    if (c.recorded) Record(w, target, c.recorded == 1 ? "MThd patched" : "MThd ours", w.Linux("scratch"));
    if (c.applied) TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[melodeck]\nLastConfig=x\n");

    const auto updates = TellGameUpdates(w.dialogs, AdoptGameUpdates(w.folders, SettingsPath(w), kWhen));

    ASSERT_EQ(updates.size(), c.adopted ? 1u : 0u) << c.what;
    EXPECT_EQ(w.dialogs.Shown().size(), c.adopted ? 1u : 0u) << c.what;
    if (!c.adopted) {
      EXPECT_EQ(TestWorld::ReadFile(f.backup), original) << c.what;
      continue;
    }
    EXPECT_EQ(updates[0].Target, target);
    EXPECT_EQ(updates[0].KeptAs, w.folders.DefaultDir + "\\britain1_20261207-131500.mid");
    EXPECT_EQ(TestWorld::ReadFile(f.backup), "MThd patched") << c.what;
    EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/default/britain1_20261207-131500.mid"), original) << c.what;
    EXPECT_TRUE(w.dialogs.Texts()[0].endsWith("\n" + target)) << c.what;
    // Told once: the next start finds nothing.
    EXPECT_TRUE(TellGameUpdates(w.dialogs, AdoptGameUpdates(w.folders, SettingsPath(w), kWhen)).empty()) << c.what;
    EXPECT_EQ(w.dialogs.Shown().size(), 1u) << c.what;
  }
}

TEST(GameUpdates, BothClientsInOneMessageAndAnEarlierDatedCopyIsNotOverwritten) {
  testsupport::FakePrefixOptions o;
  o.thirdDawn = true;
  StoreWorld w(o);
  MakeBackups(w, false);
  MakeBackups(w, true);
  TestWorld::WriteFile(FilesOf(w, "yew.mid").music, "MThd new first");
  TestWorld::WriteFile(FilesOf(w, "yew.mid", true).music, "MThd new td");
  TestWorld::WriteFile(w.MusicLinux() + "/default/yew_20261207-131500.mid", "earlier");
  const auto updates = TellGameUpdates(w.dialogs, AdoptGameUpdates(w.folders, SettingsPath(w), kWhen));
  ASSERT_EQ(updates.size(), 2u);
  EXPECT_EQ(updates[0].KeptAs, w.folders.DefaultDir + "\\yew_20261207-131500-2.mid");
  EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/default/yew_20261207-131500.mid"), "earlier");
  EXPECT_EQ(TestWorld::ReadFile(FilesOf(w, "yew.mid", true).backup), "MThd new td");
  ASSERT_EQ(w.dialogs.Shown().size(), 1u);
  EXPECT_TRUE(
      w.dialogs.Texts()[0].endsWith("\n" + w.folders.MusicDir + "\\yew.mid\n" + w.folders.MusicDirTD + "\\yew.mid"))
      << w.dialogs.Texts()[0].toStdString();
}

TEST(WrittenRecord, KeepsWhatWasSavedAndSkipsDamagedLines) {
  TestWorld world;
  const QString path = platform::QS(world.Windows("rec.written"));
  TWrittenRecord record(path);
  EXPECT_TRUE(record.Empty());
  record.Set("C:\\music\\a.mid", {12, QByteArray(16, 'a')});
  record.Set("C:\\音楽\\b.mid", {0, QByteArray(16, 'b')});
  ASSERT_TRUE(record.Save());
  std::string text = TestWorld::ReadFile(world.Linux("rec.written"));
  text += "garbage\n-1\t" + std::string(16, 'c') + "\tC:\\c.mid\n12\tshort\tC:\\d.mid\n";
  TestWorld::WriteFile(world.Linux("rec.written"), text);
  const TWrittenRecord again(path);
  EXPECT_EQ(again.Find("C:\\music\\a.mid"), (TFileStamp{12, QByteArray(16, 'a')}));
  EXPECT_EQ(again.Find("C:\\音楽\\b.mid"), (TFileStamp{0, QByteArray(16, 'b')}));
  for (const char *absent : {"C:\\c.mid", "C:\\d.mid", "C:\\music\\A.MID"}) EXPECT_FALSE(again.Find(absent)) << absent;
}
