// The game counts as running when a window's class is one of the clients' executable names,
// as Wine names its windows.
#include "gamerunning.h"
#include "x11/windows.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>
#include <sys/wait.h>

#include <string>

namespace {
// fake_game_window with a class, as a child process; answers once its window is mapped.
struct Window {
  explicit Window(const std::string &cls) : cls(cls) {
    int out[2];
    if (pipe(out) != 0) return;
    pid = fork();
    if (pid == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execl(FAKE_GAME_WINDOW, FAKE_GAME_WINDOW, "--class", cls.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
    close(out[1]);
    char ch;
    while (read(out[0], &ch, 1) == 1 && ch != '\n') {
    }
    close(out[0]);
  }
  ~Window() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // The server drops the window a moment after its client is gone.
    for (int i = 0; i < 200 && Shown(); ++i) usleep(10000);
  }
  bool Shown() const {
    for (const auto &w : platform::EnumTopWindows())
      if (w.className == cls) return true;
    return false;
  }
  std::string cls;
  pid_t pid = -1;
};
}  // namespace

TEST(GameRunning, TheClientsExecutableNamesCountAsWindowClasses) {
  TGameFolders folders;
  folders.ClientPath = "C:\\Program Files\\Ultima Online\\client.exe";
  folders.ClientPathTD = "C:\\Program Files\\Ultima Online Third Dawn\\uotd.exe";
  EXPECT_FALSE(IsGameRunning(folders));
  const std::pair<const char *, bool> cases[] = {
      {"CLIENT.EXE", true}, {"uotd.exe", true}, {"Ultima Online", true}, {"notepad.exe", false}};
  for (const auto &[cls, running] : cases) {
    Window w(cls);
    EXPECT_EQ(IsGameRunning(folders), running) << cls;
  }
  folders.ClientPathTD.clear();
  Window w("uotd.exe");
  EXPECT_FALSE(IsGameRunning(folders));
}
