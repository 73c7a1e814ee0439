#include "core/instancelock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "testworld.h"

using platform::InstanceLock;

namespace {
// Tries the lock in a child process; answers the child's result.
InstanceLock::Result AcquireElsewhere() {
  pid_t pid = fork();
  if (pid == 0) {
    InstanceLock l;
    _exit(static_cast<int>(l.Acquire("melodeck_mutex")));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return static_cast<InstanceLock::Result>(WEXITSTATUS(status));
}
}  // namespace

TEST(InstanceLock, OneHolderAtATime) {
  testsupport::TestWorld world;
  InstanceLock lock;
  ASSERT_EQ(lock.Acquire("melodeck_mutex"), InstanceLock::kAcquired);
  EXPECT_TRUE(testsupport::TestWorld::Exists(world.Linux("run/melodeck_mutex.lock")));
  EXPECT_EQ(AcquireElsewhere(), InstanceLock::kHeldElsewhere);
  lock.Release();
  EXPECT_EQ(AcquireElsewhere(), InstanceLock::kAcquired);
}

TEST(InstanceLock, AStartedProgramDoesNotInheritIt) {
  testsupport::TestWorld world;
  InstanceLock lock;
  ASSERT_EQ(lock.Acquire("melodeck_mutex"), InstanceLock::kAcquired);
  pid_t player = fork();
  if (player == 0) {
    execlp("sleep", "sleep", "3", static_cast<char *>(nullptr));
    _exit(127);
  }
  usleep(100000);  // the player runs
  lock.Release();
  EXPECT_EQ(AcquireElsewhere(), InstanceLock::kAcquired);
  kill(player, SIGKILL);
  waitpid(player, nullptr, 0);
}

TEST(InstanceLock, FallsBackToTheTmpRuntimeFolder) {
  testsupport::TestWorld world;
  unsetenv("XDG_RUNTIME_DIR");
  const std::string folder = InstanceLock::Folder();
  EXPECT_EQ(folder.rfind("/tmp/runtime-", 0), 0u) << folder;
  EXPECT_TRUE(testsupport::TestWorld::Exists(folder));
}

TEST(InstanceLock, OnlyAPrivateFolderHoldsTheLock) {
  testsupport::TestWorld world;
  const std::string shared = world.Linux("shared");
  testsupport::TestWorld::MakeDirs(shared);
  chmod(shared.c_str(), 01777);  // anybody could hold the lock or plant a link here
  setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
  EXPECT_EQ(InstanceLock::Folder().rfind("/tmp/runtime-", 0), 0u) << InstanceLock::Folder();

  // A link planted where the lock file goes is not followed.
  const std::string own = world.Linux("own");
  testsupport::TestWorld::MakeDirs(own);
  chmod(own.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
  ASSERT_EQ(symlink(world.Linux("elsewhere").c_str(), (own + "/planted.lock").c_str()), 0);
  InstanceLock lock;
  EXPECT_EQ(lock.Acquire("planted"), InstanceLock::kUnavailable);
  EXPECT_FALSE(testsupport::TestWorld::Exists(world.Linux("elsewhere")));
}
