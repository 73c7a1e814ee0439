#include "media/playerprocess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include "core/translate.h"

extern char **environ;

namespace platform {
namespace {

// The players started and not yet collected.
std::mutex startedMutex;
std::set<pid_t> started;

// Whether pid, one of ours, still runs; one that has ended is collected and forgotten.
bool StillRunning(pid_t pid) {
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid, &status, WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return true;
  started.erase(pid);  // ended (now collected), or collected by someone else: not ours any more
  return false;
}

void CollectEnded() {
  for (auto it = started.begin(); it != started.end();) {
    const pid_t pid = *it++;
    StillRunning(pid);
  }
}

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false, inQuotes = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    const char ch = commandLine[i];
    if (inQuotes) {
      if (ch == '\\' && i + 1 < commandLine.size() && std::strchr("\"`$\\", commandLine[i + 1]) != nullptr) {
        current += commandLine[++i];
      } else if (ch == '"') {
        inQuotes = false;
      } else {
        current += ch;
      }
    } else if (IsBlank(ch)) {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      if (ch == '"') {
        inQuotes = true;
      } else {
        current += ch;
      }
      inArgument = true;
    }
  }
  if (inArgument) args.push_back(std::move(current));
  return args;
}

StartedProcess StartDetached(std::string_view commandLine) {
  std::vector<std::string> args = SplitCommandLine(commandLine);
  if (args.empty() || args[0].empty())
    return {0, platform::translate("Media", "起動するプログラムがコマンドにありません")};
  std::vector<char *> argv;
  for (std::string &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);

  std::lock_guard<std::mutex> lock(startedMutex);
  CollectEnded();
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0)
    return {0,
            platform::Args(platform::translate("Media", "%1 を起動できません (%2)"), {args[0], std::strerror(error)})};
  started.insert(pid);
  return {pid, {}};
}

bool TerminateStartedPlayer(pid_t pid) {
  std::lock_guard<std::mutex> lock(startedMutex);
  if (pid <= 0 || started.count(pid) == 0 || !StillRunning(pid)) return false;
  return kill(pid, SIGTERM) == 0;
}

size_t CollectEndedPlayers() {
  std::lock_guard<std::mutex> lock(startedMutex);
  CollectEnded();
  return started.size();
}

bool IsStartedPlayer(pid_t pid) {
  std::lock_guard<std::mutex> lock(startedMutex);
  return pid > 0 && started.count(pid) != 0;
}

}  // namespace platform
