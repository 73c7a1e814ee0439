// The desktop's player for MIDI files, from the association to closing its window. The
// association is a desktop entry of ours, made the default for audio/midi in private XDG
// folders; its program is fake_game_window, which records the files it was given.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/association.h"
#include "media/playercommand.h"
#include "media/playerprocess.h"
#include "desktopplayer.h"
#include "testworld.h"
#include "x11/windows.h"

namespace {

using testsupport::TestWorld;

// GLib reads the XDG folders once per process, so they are set before the first test.
class Desktop : public testing::Environment {
 public:
  void SetUp() override {
    world_ = std::make_unique<TestWorld>();
    testsupport::MakeDefaultMidiPlayer(world_->Linux("desktop"), Exec());
  }
  void TearDown() override { world_.reset(); }

  static std::string Record() { return world_->Linux("args.txt"); }
  static std::string Exec() {
    return "\"" FAKE_GAME_WINDOW "\" --pid --delete --record \"" + Record() + "\" %i -- %U %F";
  }

 private:
  static inline std::unique_ptr<TestWorld> world_;
};

// Waits for a started player's record, which it writes once its window is shown.
std::string WaitForRecord(const std::string &path) {
  for (int i = 0; i < 3000 && !TestWorld::Exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return TestWorld::Exists(path) ? TestWorld::ReadFile(path) : "(none)";
}

int WaitForExit(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// fake_game_window started as a player, with its own record file; ended when the test ends.
class Player {
 public:
  Player(const TestWorld &world, const std::string &name, const std::string &options) {
    record_ = world.Linux(name + ".txt");
    started_ = platform::StartDetached("\"" FAKE_GAME_WINDOW "\" " + options + " --record \"" + record_ + "\"");
    shown_ = WaitForRecord(record_) == "";
  }
  ~Player() {
    if (platform::TerminateStartedPlayer(started_.pid)) WaitForExit(started_.pid);
  }
  pid_t pid() const { return started_.pid; }
  bool shown() const { return shown_; }
  bool Running() const { return waitpid(started_.pid, nullptr, WNOHANG) == 0; }

 private:
  std::string record_;
  platform::StartedProcess started_;
  bool shown_ = false;
};

TEST(AssociatedCommand, FromTheDefaultApplication) {
  const std::string expected =
      "\"" FAKE_GAME_WINDOW "\" --pid --delete --record \"" + Desktop::Record() + "\"  -- \"%1\" ";
  EXPECT_EQ(platform::AssociatedCommand(".mid"), expected);
  EXPECT_EQ(platform::AssociatedCommand(".MID"), expected);
  EXPECT_EQ(platform::AssociatedCommand(".midi"), expected);
  EXPECT_EQ(platform::AssociatedCommand(".mp3"), expected);  // audio/mpeg
  EXPECT_EQ(platform::AssociatedCommand(".MP3"), expected);
  EXPECT_EQ(platform::AssociatedCommand(".melodeck-unknown"), "");
  EXPECT_EQ(platform::AssociatedCommand(""), "");
  EXPECT_EQ(platform::AssociatedCommand("."), "");
}

TEST(ExecToTemplate, FieldCodes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"player %f", "player \"%1\""},
      {"player %U", "player \"%1\""},
      {"player --x %u %F", "player --x \"%1\" "},
      {"player %i %c %k %d%D%n%N%v%m x", "player     x"},
      {"player 100%% %f", "player 100%% \"%1\""},
      {"player %z", "player %z"},
      {"player %", "player %"},
      {"player", "player"},
  };
  for (const auto &[exec, expected] : cases) EXPECT_EQ(platform::ExecToTemplate(exec), expected) << exec;
}

TEST(AssociatedPlayer, GetsTheFileAndItsWindowCloses) {
  TestWorld world;
  const std::string file = world.Linux("My Music/tune one.mid");
  std::remove(Desktop::Record().c_str());
  platform::FormattedCommand command =
      platform::FormatCommand(platform::PrepareCommandTemplate(platform::AssociatedCommand(".mid")), file);
  ASSERT_TRUE(command.command.has_value()) << command.error;
  platform::StartedProcess started = platform::StartDetached(*command.command);
  ASSERT_GT(started.pid, 0) << started.error;
  EXPECT_EQ(WaitForRecord(Desktop::Record()), file + "\n");

  EXPECT_TRUE(platform::CloseProcessWindow(started.pid));
  EXPECT_EQ(WaitForExit(started.pid), 0);  // closed through WM_DELETE_WINDOW
  EXPECT_FALSE(platform::CloseProcessWindow(started.pid));
}

TEST(CloseProcessWindow, OnlyThatProcessesWindow) {
  TestWorld world;
  Player older(world, "older", "--pid --delete"), newer(world, "newer", "--pid --delete");
  ASSERT_TRUE(older.shown() && newer.shown());
  EXPECT_TRUE(platform::CloseProcessWindow(newer.pid()));
  EXPECT_EQ(WaitForExit(newer.pid()), 0);
  EXPECT_TRUE(older.Running());
}

TEST(CloseProcessWindow, WindowsThatDontCount) {
  TestWorld world;
  Player noPid(world, "nopid", "--delete");
  Player owned(world, "owned", "--pid --delete --owned");
  Player hidden(world, "hidden", "--pid --delete --hidden");
  ASSERT_TRUE(noPid.shown() && owned.shown() && hidden.shown());
  EXPECT_FALSE(platform::CloseProcessWindow(noPid.pid()));
  EXPECT_FALSE(platform::CloseProcessWindow(owned.pid()));
  EXPECT_FALSE(platform::CloseProcessWindow(hidden.pid()));
  EXPECT_FALSE(platform::CloseProcessWindow(0));
  EXPECT_TRUE(noPid.Running() && owned.Running() && hidden.Running());

  // A player without a window of its own pid can still be ended: it is a child of ours.
  EXPECT_TRUE(platform::TerminateStartedPlayer(noPid.pid()));
  EXPECT_EQ(WaitForExit(noPid.pid()), 128 + SIGTERM);
}

TEST(CloseProcessWindow, WithoutDisplayFindsNothing) {
  TestWorld world;
  Player player(world, "player", "--pid --delete");
  ASSERT_TRUE(player.shown());
  const std::string display = getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_FALSE(platform::CloseProcessWindow(player.pid()));
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(player.Running());
}

const testing::Environment *const kDesktop = testing::AddGlobalTestEnvironment(new Desktop);

}  // namespace
