// What an apply can't copy: sources that are no regular files, a full disk, a write-protected
// folder, a failed flush; each named with its reason, and nothing of the game's replaced by a
// copy that is not whole. And what a killed apply leaves behind goes at the next one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "../platform/failsyscalls.h"
#include "../platform/inchild.h"
#include "applyfailures.h"
#include "applyleftovers.h"
#include "storeworld.h"

using testsupport::GameMusicFiles;
using testsupport::TestWorld;

namespace {

testsupport::FakePrefixOptions Clients(bool thirdDawn) {
  testsupport::FakePrefixOptions o;
  o.thirdDawn = thirdDawn;
  return o;
}

// The report of an apply made in a child process (which may be made to fail or hang): the
// child's status (0: it answered) and its report as text: counts, failure lines, messages.
struct ChildReport {
  int status = 0;
  std::string text;
};

}  // namespace

class ApplyFailures : public testing::Test {
 protected:
  explicit ApplyFailures(bool thirdDawn = false) : w(Clients(thirdDawn)) {
    s.Store.LoadConfigList();  // makes the backups
    s.Store.LoadConfig(s.Store.Settings(), "Summer");
    TestWorld::MakeDirs(w.Linux("tunes"));
  }
  std::string Music(const std::string &file) const { return w.MusicLinux() + "/" + file; }
  QString Windows(const std::string &rel) const { return QString::fromStdString(w.world.Windows(rel)); }
  QString Tune(const std::string &name, const std::string &content) {
    TestWorld::WriteFile(w.Linux("tunes/" + name), content);
    return Windows("tunes/" + name);
  }
  // Applies in a child after prepare (which answers false when it can't); the child's report.
  ChildReport ApplyInChild(const std::function<bool()> &prepare) {
    const std::string out = w.Linux("report.txt");
    ChildReport r;
    r.status = platformtest::RunInChild(
        [&] {
          if (!prepare()) return 10;
          const TApplyReport report = ApplyConfig(s);
          std::ofstream(out) << report.Copied << " copied, " << report.Failed << " failed, " << report.Missing
                             << " missing" << report.FailureText.toStdString();
          for (const QString &m : FailureMessages(report.FailureText, report.Outcomes))
            std::ofstream(out, std::ios::app) << "\n--\n" << m.toStdString();
          return 0;
        },
        30);
    if (r.status == 0) r.text = TestWorld::ReadFile(out);
    return r;
  }
  QString Line(int scene, const QString &path, const char *reason) const {
    return "\n" + s.SceneTable[scene].Name + " :  " + path + " (" + QString::fromUtf8(reason) + ")";
  }
  // The report's text: counts, failure lines, then the messages, the advice about files in use
  // or write-protected last when it fits.
  std::string Expected(int copied, int failed, int missing, const QString &lines, bool advice) const {
    return std::to_string(copied) + " copied, " + std::to_string(failed) + " failed, " + std::to_string(missing) +
           " missing" + lines.toStdString() + "\n--\n以下のファイルにコピーできませんでした\n\n" + lines.toStdString() +
           (advice ? "\n--\nファイルを使用中、または書き込み不可属性になっていないか確認して再試行してください" : "");
  }

  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs};
};

// Only a regular file is copied: the others are missing, each with its reason, at once (a FIFO
// is not waited for, a device not read); a folder where the game's file goes names that too.
TEST_F(ApplyFailures, SourcesThatAreNoRegularFilesAreMissingWithTheirReason) {
  TestWorld::MakeDirs(w.Linux("tunes/folder.mid"));
  ASSERT_EQ(mkfifo(w.Linux("tunes/fifo.mid").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", w.Linux("tunes/zero.mid").c_str()), 0);
  s.SceneTable[0].Source = Tune("ok.mid", "MThd ok");
  s.SceneTable[1].Source = Windows("tunes/gone.mid");
  s.SceneTable[2].Source = Windows("tunes/folder.mid");
  s.SceneTable[3].Source = Windows("tunes/fifo.mid");
  s.SceneTable[4].Source = Windows("tunes/zero.mid");
  s.SceneTable[5].Source = Tune("five.mid", "MThd five");
  const std::string five = GameMusicFiles()[5];
  unlink(Music(five).c_str());
  TestWorld::MakeDirs(Music(five));
  const std::string before = TestWorld::ReadFile(Music(GameMusicFiles()[3]));

  const ChildReport r = ApplyInChild([] {
    signal(SIGXFSZ, SIG_IGN);  // a copy of /dev/zero ends at a small limit, not a full disk
    const rlimit limit{8 << 20, 8 << 20};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  });
  ASSERT_EQ(r.status, 0);
  const QString lines = Line(1, Windows("tunes/gone.mid"), "ファイルがありません") +
                        Line(2, Windows("tunes/folder.mid"), "フォルダです") +
                        Line(3, Windows("tunes/fifo.mid"), "通常のファイルではありません") +
                        Line(4, Windows("tunes/zero.mid"), "通常のファイルではありません") +
                        Line(5, w.folders.MusicDir + "\\" + QString::fromStdString(five), "フォルダです");
  // No advice about files in use: every reason is known and none is that.
  EXPECT_EQ(r.text, Expected(44, 1, 4, lines, false));
  EXPECT_EQ(TestWorld::ReadFile(Music(GameMusicFiles()[0])), "MThd ok");
  EXPECT_EQ(TestWorld::ReadFile(Music(GameMusicFiles()[3])), before);
}

// A copy cut short by a full disk, copies refused by a write-protected folder, copies whose
// flush failed: none replaces the game's file, none is counted as copied, each names its
// reason, and the advice about write-protected files comes where it fits.
TEST_F(ApplyFailures, CopiesThatAreNotWholeReplaceNothingAndSayWhy) {
  s.SceneTable[0].Source = Tune("big.mid", std::string(2 << 20, 'b'));
  const std::string game = TestWorld::ReadFile(Music(GameMusicFiles()[0]));
  const QString target0 = w.folders.MusicDir + "\\" + QString::fromStdString(GameMusicFiles()[0]);
  QString everyTarget;
  for (int i = 0; i < s.SceneTable.size(); ++i)
    everyTarget +=
        Line(i, w.folders.MusicDir + "\\" + QString::fromStdString(GameMusicFiles()[i]), "書き込みが禁止されています");
  QString ioError;
  for (int i = 0; i < s.SceneTable.size(); ++i)
    ioError += Line(i, w.folders.MusicDir + "\\" + QString::fromStdString(GameMusicFiles()[i]),
                    "ディスクへの書き込みに失敗しました");
  const std::string music = w.MusicLinux();
  struct stat folder {};
  ASSERT_EQ(stat(music.c_str(), &folder), 0);
  const struct {
    const char *what;
    std::function<bool()> prepare;
    std::string expected;
  } cases[] = {
      {"full disk",
       [] {
         signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{1 << 20, 1 << 20};
         return setrlimit(RLIMIT_FSIZE, &limit) == 0;
       },
       Expected(48, 1, 0, Line(0, target0, "ディスクの空き容量が足りません"), false)},
      {"write-protected folder", [&] { return chmod(music.c_str(), 0500) == 0 && platformtest::ObeyFileModes(); },
       Expected(0, 49, 0, everyTarget, true)},
      {"failed flush", [] { return platformtest::FailSystemCalls({SYS_syncfs}, EIO); },
       Expected(0, 49, 0, ioError, false)},
  };
  for (const auto &c : cases) {
    const ChildReport r = ApplyInChild(c.prepare);
    chmod(music.c_str(), folder.st_mode & 07777);
    ASSERT_EQ(r.status, 0) << c.what;
    EXPECT_EQ(r.text, c.expected) << c.what;
    EXPECT_TRUE(TestWorld::ReadFile(Music(GameMusicFiles()[0])) == game) << c.what;  // the game's, unchanged
  }
}

class ApplyLeftovers : public ApplyFailures {
 protected:
  ApplyLeftovers() : ApplyFailures(true) {}
};

// Copies an apply staged and never placed (it was killed) are removed by the next apply, in
// both clients' music and backup folders; files that only look alike stay.
TEST_F(ApplyLeftovers, TheNextApplyRemovesOurLeftoversAndNothingElse) {
  const std::string folders[] = {w.MusicLinux(false), w.MusicLinux(true), w.MusicLinux(false) + "/default",
                                 w.MusicLinux(true) + "/default"};
  for (const std::string &f : folders) {
    TestWorld::WriteFile(f + "/.approach.mid.melodeck-k2Pq9Z", "staged");
    TestWorld::WriteFile(f + "/.approach.mid.k2Pq9Z", "not ours");
    TestWorld::WriteFile(f + "/approach.mid.melodeck-k2Pq9Z", "not ours");
  }
  ApplyConfig(s);
  for (const std::string &f : folders) {
    EXPECT_FALSE(TestWorld::Exists(f + "/.approach.mid.melodeck-k2Pq9Z")) << f;
    EXPECT_TRUE(TestWorld::Exists(f + "/.approach.mid.k2Pq9Z")) << f;
    EXPECT_TRUE(TestWorld::Exists(f + "/approach.mid.melodeck-k2Pq9Z")) << f;
  }
  // At start-up the same: without an apply.
  TestWorld::WriteFile(folders[3] + "/.yew.mid.melodeck-000000", "staged");
  EXPECT_EQ(RemoveApplyLeftovers(w.folders), 1u);
}

// A missing file is named as it was assigned: an archive entry with its archive's path shown
// as the message shows paths and its entry as listed; once for both clients.
TEST(ApplyFailureLines, AMissingEntryIsNamedByItsArchiveAndEntry) {
  const TShownPath shown = [](const QString &path) { return QString(path).replace("C:\\", "/c/").replace('\\', '/'); };
  const auto outcome = [](TClient client, const QString &source, const TSource &entry, TCopyResult result) {
    TApplyOutcome o;
    o.Copy = {0, client, source, "C:\\game\\music\\town.mid"};
    o.SceneName = "town";
    o.Entry = entry;
    o.Result = result;
    o.Reason = result == TCopyResult::Missing ? platform::CopyFailure::SourceMissing : platform::CopyFailure::InUse;
    return o;
  };
  const TSource entry = TSource::Parse("C:\\dl\\p|a.lzh|music\\town.mid");
  const struct {
    const char *what;
    std::vector<TApplyOutcome> outcomes;
    QString lines;
  } cases[] = {
      {"entry, both clients",
       {outcome(TClient::First, "", entry, TCopyResult::Missing),
        outcome(TClient::ThirdDawn, "", entry, TCopyResult::Missing)},
       QString::fromUtf8("\ntown :  /c/dl/p|a.lzh|music\\town.mid (ファイルがありません)")},
      {"file",
       {outcome(TClient::First, "C:\\tunes\\town.mid", TSource(), TCopyResult::Missing)},
       QString::fromUtf8("\ntown :  /c/tunes/town.mid (ファイルがありません)")},
      {"entry whose copy failed: the target",
       {outcome(TClient::First, "C:\\work\\town.mid", entry, TCopyResult::Failed)},
       QString::fromUtf8("\ntown :  /c/game/music/town.mid (ファイルを使用中です)")},
  };
  for (const auto &c : cases) EXPECT_EQ(FailureLines(c.outcomes, shown), c.lines) << c.what;
}
