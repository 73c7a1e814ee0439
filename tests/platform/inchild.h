// Running part of a test in a child process: for code that may hang (the child is killed
// after a generous bound instead of hanging the test run) and for code that must see file
// modes bind (root ignores them unless it gives up the capabilities for that).
#pragma once

#include <linux/capability.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace platformtest {

constexpr int kHung = -1;

// body's result is the child's exit status (0: all held). kHung when the child has not ended
// within boundSeconds; -2 when it died of a signal.
inline int RunInChild(const std::function<int()> &body, int boundSeconds = 20) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  for (int waited = 0; waited < boundSeconds * 100; ++waited) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return kHung;
}

// In a child: gives up the capabilities that let root ignore file modes, so that modes bind
// as they bind every other user (the owner's bits apply to root's own files). Works for any
// user, without a second account. True when it is done.
inline bool ObeyFileModes() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) data[0].effective &= ~(1u << cap);
  return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace platformtest
