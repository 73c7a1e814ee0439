// The desktop's player started and closed from the window. The association is a desktop entry
// of ours, the default for audio/midi in private XDG folders; its program is fake_game_window,
// which shows a window under its own process id and records the files it was given.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QCoreApplication>

#include <chrono>
#include <thread>

#include "audiogen.h"
#include "desktopplayer.h"
#include "formworld.h"
#include "menuitems.h"
#include "midigen.h"
#include "requirements.h"

using testsupport::TestWorld;

namespace {

// GLib reads the XDG folders once per process, so they are set before the first test.
class Desktop : public testing::Environment {
 public:
  void SetUp() override {
    world_ = std::make_unique<TestWorld>();
    testsupport::MakeDefaultMidiPlayer(world_->Linux("desktop"),
                                       "\"" FAKE_GAME_WINDOW "\" --pid --delete --record \"" + Record() + "\" -- %f");
  }
  void TearDown() override { world_.reset(); }
  static std::string Record() { return world_->Linux("args.txt"); }

 private:
  static inline std::unique_ptr<TestWorld> world_;
};
const auto *const kDesktop = testing::AddGlobalTestEnvironment(new Desktop);

// Plays the edit box's file with the desktop's player and waits until its window is shown.
std::string PlayAndWait(TFormMain &f) {
  unlink(Desktop::Record().c_str());
  f.ToolButtonPlayClick();
  for (int i = 0; i < 3000 && !TestWorld::Exists(Desktop::Record()); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return TestWorld::Exists(Desktop::Record()) ? TestWorld::ReadFile(Desktop::Record()) : "(not started)";
}

// Whether the process ended (and was collected) within a few seconds.
bool Ends(pid_t pid) {
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

struct PlayerWorld : FormWorld {
  TFormMain &Start() {
    TFormMain &f = Open();
    f.MainMenuOptionClick(Control<QAction>(f, "MainMenuAssign"));
    EXPECT_TRUE(f.Options().Assign);
    TestWorld::MakeDirs(Linux("my tunes"));
    TestWorld::WriteFile(Linux("my tunes/a b.mid"), testsupport::MakeMidiTune(2));
    Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(world.Windows("my tunes/a b.mid")));
    return f;
  }
};

}  // namespace

TEST(ExternalPlayer, GetsTheLinuxPathAndSwitchingTheOptionOffClosesIt) {
  PlayerWorld w;
  TFormMain &f = w.Start();
  EXPECT_NE(PlayAndWait(f).find(w.Linux("my tunes/a b.mid")), std::string::npos);
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  ASSERT_EQ(f.Players().ProcessIds().size(), 1u);
  const auto pid = static_cast<pid_t>(f.Players().ProcessIds()[0]);
  f.MainMenuOptionClick(Control<QAction>(f, "MainMenuAssign"));
  EXPECT_TRUE(Ends(pid));
  EXPECT_TRUE(f.Players().ProcessIds().empty());
}

TEST(ExternalPlayer, ClosingTheWindowClosesOnlyTheMostRecentPlayer) {
  PlayerWorld w;
  TFormMain &f = w.Start();
  PlayAndWait(f);
  PlayAndWait(f);
  ASSERT_EQ(f.Players().ProcessIds().size(), 2u);
  const auto first = static_cast<pid_t>(f.Players().ProcessIds()[0]),
             second = static_cast<pid_t>(f.Players().ProcessIds()[1]);
  ASSERT_TRUE(menuitems::Checked(Control<QAction>(f, "MainMenuWithClose")));
  w.Close();
  EXPECT_TRUE(Ends(second));
  EXPECT_FALSE(Ends(first));
  kill(first, SIGTERM);
  waitpid(first, nullptr, 0);
}

namespace {
// Whether pid is a zombie: ended, and not collected by its parent.
bool IsZombie(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  if (!TestWorld::Exists(path)) return false;
  const std::string stat = TestWorld::ReadFile(path);
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}
}  // namespace

TEST(ExternalPlayer, APlayerTheUserClosedIsCollectedWhileTheWindowRuns) {
  PlayerWorld w;
  TFormMain &f = w.Start();
  PlayAndWait(f);
  PlayAndWait(f);
  ASSERT_EQ(f.Players().ProcessIds().size(), 2u);
  const auto closed = static_cast<pid_t>(f.Players().ProcessIds()[0]),
             open = static_cast<pid_t>(f.Players().ProcessIds()[1]);
  kill(closed, SIGTERM);  // as when its window is closed
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, closed, &info, WEXITED | WNOWAIT), 0);
  ASSERT_TRUE(IsZombie(closed));
  for (int i = 0; i < 300 && IsZombie(closed); ++i) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(IsZombie(closed));
  EXPECT_EQ(f.Players().ProcessIds(), std::vector<qint64>{open}) << "the closed player's id may be another's now";
  f.StopPlaying();
  EXPECT_TRUE(Ends(open));
}

// An MP3 goes to the desktop's default player for audio/mpeg, also as an archive's entry.
TEST(ExternalPlayer, AnMp3GoesToTheDefaultPlayerForItsType) {
  REQUIRE_TOOLS("lame", "zip");
  PlayerWorld w;
  TFormMain &f = w.Start();
  ASSERT_TRUE(testsupport::MakeMp3(w.Linux("my tunes/Town Theme.MP3")));
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.world.Windows("my tunes/Town Theme.MP3")));
  EXPECT_NE(PlayAndWait(f).find(w.Linux("my tunes/Town Theme.MP3")), std::string::npos);
  ASSERT_EQ(std::system(("cd '" + w.Linux("my tunes") + "' && zip -q pack.zip 'Town Theme.MP3'").c_str()), 0);
  Control<QLineEdit>(f, "EditMidiFile")
      ->setText(QString::fromStdString(w.world.Windows("my tunes/pack.zip")) + "|Town Theme.MP3");
  EXPECT_NE(PlayAndWait(f).find("/pack.zip/Town Theme.MP3"), std::string::npos);
  EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << w.dialogs.Texts().join("|").toStdString();
  f.StopPlaying();
}
