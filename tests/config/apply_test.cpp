#include "apply.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "coredialogs.h"
#include "core/fileops.h"
#include "midigen.h"
#include "requirements.h"
#include "storeworld.h"

using testsupport::GameMusicFiles;
using testsupport::TestWorld;

namespace {
testsupport::FakePrefixOptions WithThirdDawn(bool td) {
  testsupport::FakePrefixOptions o;
  o.thirdDawn = td;
  return o;
}
}  // namespace

class Apply : public testing::TestWithParam<bool> {
 protected:
  Apply() : w(WithThirdDawn(GetParam())) {
    TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "");
    s.Store.LoadConfigList();  // makes the backups
  }
  std::string Music(const std::string &file, bool td = false) const { return w.MusicLinux(td) + "/" + file; }
  std::string Backup(const std::string &file, bool td = false) const { return w.MusicLinux(td) + "/default/" + file; }
  QString Tune(const std::string &rel, int index) {
    TestWorld::MakeDirs(w.Linux(rel.substr(0, rel.rfind('/'))));
    TestWorld::WriteFile(w.Linux(rel), testsupport::MakeMidiTune(index));
    return QString::fromStdString(w.world.Windows(rel));
  }
  std::vector<bool> Clients() const { return GetParam() ? std::vector<bool>{false, true} : std::vector<bool>{false}; }

  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs};
};

TEST_P(Apply, CopiesEveryKindOfSourceThenStandardRestoresTheGame) {
  REQUIRE_TOOLS("zip");
  s.Store.Settings().WriteString("Summer", "approach.mid", "");
  s.Store.LoadConfig(s.Store.Settings(), "Summer");
  s.SceneTable[0].Source = Tune("tunes/disk.mid", 60);
  s.SceneTable[1].Source = Tune("tunes/town.mid", 61);  // lands as britain1.mid
  Tune("zip/music/entry.mid", 62);
  ASSERT_EQ(std::system(("cd '" + w.Linux("zip") + "' && zip -qr pack.zip music").c_str()), 0);
  s.SceneTable[2].Source = QString::fromStdString(w.world.Windows("zip/pack.zip")) + "|music/entry.mid";
  TestWorld::WriteFile(Music("readme.txt"), "not a scene");

  std::vector<TApplyCopy> seen;
  const TApplyReport report = ApplyConfig(s, [&](const TApplyCopy &c, TCopyResult r) {
    EXPECT_EQ(r, TCopyResult::Copied);
    seen.push_back(c);
  });
  EXPECT_TRUE(report.FailureText.isEmpty()) << report.FailureText.toStdString();
  EXPECT_EQ(report.Copied, GetParam() ? 98 : 49);
  EXPECT_EQ(seen.size(), GetParam() ? 98u : 49u);
  EXPECT_EQ(s.Store.Settings().ReadString("melodeck", "LastConfig", ""), "Summer");
  for (bool td : Clients()) {
    EXPECT_EQ(TestWorld::ReadFile(Music("approach.mid", td)), testsupport::MakeMidiTune(60));
    EXPECT_EQ(TestWorld::ReadFile(Music("britain1.mid", td)), testsupport::MakeMidiTune(61));
    EXPECT_EQ(TestWorld::ReadFile(Music("britain2.mid", td)), testsupport::MakeMidiTune(62));
    for (size_t i = 3; i < GameMusicFiles().size(); ++i)
      EXPECT_EQ(TestWorld::ReadFile(Music(GameMusicFiles()[i], td)),
                TestWorld::ReadFile(Backup(GameMusicFiles()[i], td)));
  }
  EXPECT_EQ(TestWorld::ReadFile(Music("readme.txt")), "not a scene");
  if (!GetParam()) EXPECT_FALSE(TestWorld::Exists(w.Linux("prefix/drive_c/Program Files/Ultima Online Third Dawn")));

  s.Store.LoadConfig(s.Store.Settings(), kStandardConfig);
  ApplyConfig(s);
  for (bool td : Clients())
    for (const std::string &f : GameMusicFiles())
      EXPECT_EQ(TestWorld::ReadFile(Music(f, td)), TestWorld::ReadFile(Backup(f, td))) << f;
}

TEST_P(Apply, ReadOnlyTargetsAreReplacedAndFailuresAndMissingFilesReported) {
  s.Store.LoadConfig(s.Store.Settings(), "Summer");
  for (int i : {0, 1, 3}) s.SceneTable[i].Source = Tune("tunes/t" + std::to_string(i) + ".mid", i);
  s.SceneTable[2].Source = QString::fromStdString(w.world.Windows("tunes/gone.mid"));
  chmod(Music("approach.mid").c_str(), 0444);
  // Targets that can't be written at all: folders in the place of the game's files.
  for (const char *f : {"britain1.mid", "btcastle.mid"}) {
    unlink(Music(f).c_str());
    TestWorld::MakeDirs(Music(f));
  }
  const TApplyReport report = ApplyConfig(s);
  EXPECT_EQ(TestWorld::ReadFile(Music("approach.mid")), testsupport::MakeMidiTune(0));
  struct stat st {};
  ASSERT_EQ(stat(Music("approach.mid").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);
  const QString music = w.folders.MusicDir;
  EXPECT_EQ(report.FailureText, QString::fromUtf8("\nブリティン :  ") + music + "\\britain1.mid" +
                                    QString::fromUtf8(" (フォルダです)\nBritain2 :  ") +
                                    QString::fromStdString(w.world.Windows("tunes/gone.mid")) +
                                    QString::fromUtf8(" (ファイルがありません)\nブラックソーン城 :  ") + music +
                                    "\\btcastle.mid" + QString::fromUtf8(" (フォルダです)"));
  EXPECT_EQ(report.Missing, GetParam() ? 2 : 1);
  for (bool td : Clients())
    EXPECT_EQ(TestWorld::ReadFile(Music("bucsden.mid", td)), TestWorld::ReadFile(Backup("bucsden.mid", td)));

  // Folders and a missing file: the advice about files in use or write-protected does not fit.
  ShowApplyFailures(report, w.dialogs);
  ASSERT_EQ(w.dialogs.Texts().size(), 1);
  EXPECT_TRUE(
      w.dialogs.Texts()[0].startsWith(QString::fromUtf8("以下のファイルにコピーできませんでした\n\n\nブリティン :  ")));
}

TEST_P(Apply, QuestionNamesTheConfigurationOrWarnsOfTheRunningGame) {
  EXPECT_EQ(ApplyQuestion(false, "Summer"), QString::fromUtf8("Summerを適用しますか？"));
  EXPECT_TRUE(
      ApplyQuestion(true, "Summer").startsWith(QString::fromUtf8("Ultima Online が実行中であることを確認しました\n")));
}

// A process killed at any moment of an apply leaves each game file whole: the old or the new.
TEST_P(Apply, AKilledApplyNeverLeavesAMixedFile) {
  if (GetParam()) GTEST_SKIP() << "one client is enough";
  const std::string big(256 * 1024, 'n');
  std::vector<QString> sources;
  for (int i = 0; i < s.SceneTable.size(); ++i) {
    TestWorld::MakeDirs(w.Linux("big"));
    TestWorld::WriteFile(w.Linux("big/" + std::to_string(i) + ".mid"), big + std::to_string(i));
    sources.push_back(QString::fromStdString(w.world.Windows("big/" + std::to_string(i) + ".mid")));
  }
  std::mt19937 random(7);
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0; i < s.SceneTable.size(); ++i) s.SceneTable[i].Source = sources[i];
      ApplyConfig(s);
      _exit(0);
    }
    usleep(std::uniform_int_distribution<int>(0, 40000)(random));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    for (int i = 0; i < s.SceneTable.size(); ++i) {
      const std::string now = TestWorld::ReadFile(Music(GameMusicFiles()[i]));
      EXPECT_TRUE(now == TestWorld::ReadFile(Backup(GameMusicFiles()[i])) || now == big + std::to_string(i))
          << GameMusicFiles()[i] << " round " << round;
    }
    ApplyConfig(s);  // back to the game's own music
    // ... and the copies the killed apply had staged are gone: the music folder holds the
    // game's files, its backup folder and the spare of the written record only.
    EXPECT_EQ(platform::ListDirectory(s.Folders.MusicDir.toStdString()).size(), GameMusicFiles().size() + 2)
        << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Clients, Apply, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &p) { return p.param ? "BothClients" : "FirstClient"; });
