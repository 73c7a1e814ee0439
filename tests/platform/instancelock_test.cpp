#include "core/instancelock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <functional>
#include <string>

#include "core/lockfolder.h"
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

// The lock folder follows from the user alone: a session's runtime folder when it is the
// user's private one, else a private folder in the temporary folder named by the user's id.
TEST(InstanceLock, TheLockFolderIsTheUsersOwnWhateverTheEnvironment) {
  const uid_t me = getuid();
  const std::string id = std::to_string(me);
  struct Case {
    const char *what;
    std::function<void(const std::string &run, const std::string &tmp)> arrange;
    enum { kRuntime, kTmp, kNone } expected;
  } cases[] = {
      {"the session's runtime folder",
       [&](const std::string &run, const std::string &) {
         testsupport::TestWorld::MakeDirs(run + "/" + id);
         chmod((run + "/" + id).c_str(), 0700);
       },
       Case::kRuntime},
      {"no session", [](const std::string &, const std::string &) {}, Case::kTmp},
      {"a runtime folder others may write to",
       [&](const std::string &run, const std::string &) {
         testsupport::TestWorld::MakeDirs(run + "/" + id);
         chmod((run + "/" + id).c_str(), 0770);
       },
       Case::kTmp},
      {"a runtime folder that is a link",
       [&](const std::string &run, const std::string &tmp) {
         testsupport::TestWorld::MakeDirs(tmp + "/elsewhere");
         chmod((tmp + "/elsewhere").c_str(), 0700);
         symlink((tmp + "/elsewhere").c_str(), (run + "/" + id).c_str());
       },
       Case::kTmp},
      {"a planted link in the temporary folder",
       [&](const std::string &, const std::string &tmp) {
         testsupport::TestWorld::MakeDirs(tmp + "/elsewhere");
         chmod((tmp + "/elsewhere").c_str(), 0700);
         symlink((tmp + "/elsewhere").c_str(), (tmp + "/melodeck-" + id).c_str());
       },
       Case::kNone},
      {"a shared folder in the temporary folder",
       [&](const std::string &, const std::string &tmp) {
         testsupport::TestWorld::MakeDirs(tmp + "/melodeck-" + id);
         chmod((tmp + "/melodeck-" + id).c_str(), 0777);
       },
       Case::kNone},
  };
  for (const auto &c : cases) {
    testsupport::TestWorld world;
    const std::string run = world.Linux("system/run/user"), tmp = world.Linux("system/tmp");
    testsupport::TestWorld::MakeDirs(run);
    testsupport::TestWorld::MakeDirs(tmp);
    c.arrange(run, tmp);
    const std::string expected = c.expected == Case::kRuntime ? run + "/" + id
                                 : c.expected == Case::kTmp   ? tmp + "/melodeck-" + id
                                                              : "";
    // The caller's environment plays no part.
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(platform::UserLockFolder(me, run, tmp), expected) << c.what;
    setenv("XDG_RUNTIME_DIR", world.Linux("run").c_str(), 1);
    EXPECT_EQ(platform::UserLockFolder(me, run, tmp), expected) << c.what;
    if (!expected.empty()) {
      struct stat st;
      ASSERT_EQ(lstat(expected.c_str(), &st), 0) << c.what;
      EXPECT_EQ(st.st_mode & 07777, 0700u) << c.what;
    }
    EXPECT_FALSE(testsupport::TestWorld::Exists(tmp + "/elsewhere/melodeck_mutex.lock")) << c.what;
  }
}

TEST(InstanceLock, OnlyAPrivateFolderHoldsTheLock) {
  testsupport::TestWorld world;
  const std::string shared = world.Linux("shared");
  testsupport::TestWorld::MakeDirs(shared);
  chmod(shared.c_str(), 01777);  // anybody could hold the lock or plant a link here
  setenv("MELODECK_LOCK_DIR", shared.c_str(), 1);
  EXPECT_EQ(InstanceLock::Folder(), "");
  InstanceLock refused;
  EXPECT_EQ(refused.Acquire("melodeck_mutex"), InstanceLock::kUnavailable);
  EXPECT_FALSE(testsupport::TestWorld::Exists(shared + "/melodeck_mutex.lock"));

  // A link planted where the lock file goes is not followed.
  const std::string own = world.Linux("own");
  testsupport::TestWorld::MakeDirs(own);
  chmod(own.c_str(), 0700);
  setenv("MELODECK_LOCK_DIR", own.c_str(), 1);
  ASSERT_EQ(symlink(world.Linux("elsewhere").c_str(), (own + "/planted.lock").c_str()), 0);
  InstanceLock lock;
  EXPECT_EQ(lock.Acquire("planted"), InstanceLock::kUnavailable);
  EXPECT_FALSE(testsupport::TestWorld::Exists(world.Linux("elsewhere")));
}

// sudo melodeck --apply on a user's prefix: the superuser takes the user's own lock, so it waits
// for the user's window, and the lock file it makes stays the user's.
TEST(InstanceLock, TheSuperuserTakesThePrefixOwnersLock) {
  testsupport::TestWorld world;
  EXPECT_EQ(platform::LockOwner(world.Root()), getuid());
  EXPECT_EQ(platform::LockOwner(world.Linux("no such prefix")), getuid());
  if (getuid() != 0) GTEST_SKIP() << "needs the superuser";
  constexpr uid_t kUser = 65534;
  const std::string prefix = world.Linux("prefix"), run = world.Linux("system/run/user"),
                    tmp = world.Linux("system/tmp");
  for (const std::string &dir : {prefix, run, tmp}) testsupport::TestWorld::MakeDirs(dir);
  ASSERT_EQ(lchown(prefix.c_str(), kUser, static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(chmod(world.Root().c_str(), 0711), 0);  // the user may pass through to its folder
  EXPECT_EQ(platform::LockOwner(prefix), kUser);

  const std::string folder = platform::UserLockFolder(kUser, run, tmp);
  ASSERT_EQ(folder, tmp + "/melodeck-65534");
  EXPECT_TRUE(platform::IsPrivateFolderOf(folder, kUser));
  InstanceLock lock;
  ASSERT_EQ(lock.AcquireIn(folder, "melodeck_mutex", kUser), InstanceLock::kAcquired);
  struct stat st;
  ASSERT_EQ(lstat((folder + "/melodeck_mutex.lock").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kUser);
  // The user's own copy finds it held.
  const pid_t pid = fork();
  if (pid == 0) {
    if (setuid(kUser) != 0) _exit(99);
    InstanceLock l;
    _exit(static_cast<int>(l.AcquireIn(folder, "melodeck_mutex", kUser)));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(InstanceLock::kHeldElsewhere));
  // A folder of another user is refused for this one.
  InstanceLock mine;
  EXPECT_EQ(mine.AcquireIn(folder, "other", 0), InstanceLock::kUnavailable);
}
