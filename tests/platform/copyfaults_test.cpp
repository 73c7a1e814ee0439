// Copies that can't be made whole: sources that are no regular files, a disk that fills up, a
// flush that fails, and the temporary files a killed process leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "core/atomicfile.h"
#include "core/fileops.h"
#include "core/leftovers.h"
#include "core/winpath.h"
#include "failsyscalls.h"
#include "inchild.h"
#include "testworld.h"

using namespace platform;
using platformtest::RunInChild;
using testsupport::TestWorld;

namespace {

// In a child: files may grow to limit bytes; a longer write fails with EFBIG (a full disk, as
// the writer sees it) instead of killing the process.
bool LimitFileSize(rlim_t limit) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit r{limit, limit};
  return setrlimit(RLIMIT_FSIZE, &r) == 0;
}

size_t Entries(const std::string &linuxFolder) { return ListDirectory(ToWindows(linuxFolder)).size(); }

}  // namespace

class CopyFaults : public testing::Test {
 protected:
  CopyFaults() {
    TestWorld::MakeDirs(world.Linux("m"));
    TestWorld::WriteFile(world.Linux("m/target.mid"), "old");
  }
  std::string W(const std::string &rel) { return world.Windows(rel); }
  TestWorld world;
};

// Only a regular file is a source: the others are refused with their reason, at once, and
// nothing is written. A FIFO without a writer would wait for good; /dev/zero never ends.
TEST_F(CopyFaults, OnlyARegularFileIsASource) {
  TestWorld::WriteFile(world.Linux("tune.mid"), "tune");
  TestWorld::MakeDirs(world.Linux("folder.mid"));
  ASSERT_EQ(mkfifo(world.Linux("fifo.mid").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", world.Linux("zero.mid").c_str()), 0);
  ASSERT_EQ(symlink(world.Linux("nowhere.mid").c_str(), world.Linux("dangling.mid").c_str()), 0);
  const struct {
    const char *source;
    CopyFailure failure;
  } cases[] = {
      {"tune.mid", CopyFailure::None},
      {"gone.mid", CopyFailure::SourceMissing},
      {"dangling.mid", CopyFailure::SourceMissing},
      {"folder.mid", CopyFailure::SourceIsFolder},
      {"fifo.mid", CopyFailure::SourceNotRegular},
      {"zero.mid", CopyFailure::SourceNotRegular},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SourceFailure(W(c.source)), c.failure) << c.source;
    // In a child with a small file size limit: a copy that hangs or reads without end shows
    // as a child that never ends or a failure of the wrong kind.
    const int status = RunInChild(
        [&] {
          if (!LimitFileSize(1 << 20)) return 10;
          std::vector<CopyFailure> why;
          CopyBatch batch;
          const bool ok = batch.Stage({{W(c.source), W("m/target.mid")}}, &why)[0];
          if (ok != (c.failure == CopyFailure::None) || why[0] != c.failure) return 11;
          if (!ok && Entries(world.Linux("m")) != 1) return 12;  // no temporary file
          if (CopyFile(W(c.source), W("m/copy.mid"), false) != ok) return 13;
          return 0;
        },
        10);
    EXPECT_EQ(status, 0) << c.source;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/target.mid")), "old") << c.source;
    unlink(world.Linux("m/copy.mid").c_str());
  }
}

// A target that takes no copy names why: a folder in its place, read-only, a folder that
// takes no new file (with the modes binding, as for any user but root).
TEST_F(CopyFaults, ARefusedTargetNamesItsReason) {
  TestWorld::WriteFile(world.Linux("tune.mid"), "tune");
  TestWorld::MakeDirs(world.Linux("m/folder.mid"));
  TestWorld::WriteFile(world.Linux("m/locked.mid"), "old");
  chmod(world.Linux("m/locked.mid").c_str(), 0444);
  TestWorld::MakeDirs(world.Linux("closed"));
  chmod(world.Linux("closed").c_str(), 0500);
  const struct {
    const char *target;
    CopyFailure failure;
  } cases[] = {
      {"m/folder.mid", CopyFailure::TargetIsFolder},
      {"m/locked.mid", CopyFailure::WriteProtected},
      {"closed/new.mid", CopyFailure::WriteProtected},
      {"nofolder/new.mid", CopyFailure::Other},
  };
  for (const auto &c : cases) {
    const int status = RunInChild([&] {
      if (!platformtest::ObeyFileModes()) return 10;
      std::vector<CopyFailure> why;
      CopyBatch batch;
      if (batch.Stage({{W("tune.mid"), W(c.target)}}, &why)[0]) return 11;
      return why[0] == c.failure ? 0 : 20 + static_cast<int>(why[0]);
    });
    EXPECT_EQ(status, 0) << c.target;
  }
  chmod(world.Linux("closed").c_str(), 0700);
}

// A copy cut short by a full disk is refused as such and replaces nothing, in a batch and
// alone; its temporary file goes.
TEST_F(CopyFaults, ACopyCutShortByAFullDiskReplacesNothing) {
  TestWorld::WriteFile(world.Linux("big.mid"), std::string(300000, 'b'));
  TestWorld::WriteFile(world.Linux("small.mid"), "small");
  TestWorld::WriteFile(world.Linux("m/other.mid"), "old");
  const int status = RunInChild([&] {
    if (!LimitFileSize(100000)) return 10;
    std::vector<CopyFailure> why;
    {
      CopyBatch batch;
      const auto staged = batch.Stage({{W("big.mid"), W("m/target.mid")}, {W("small.mid"), W("m/other.mid")}}, &why);
      if (staged != std::vector<bool>{false, true}) return 11;
      if (why[0] != CopyFailure::DiskFull) return 12;
      if (batch.Place() != std::vector<bool>{true}) return 13;
    }
    if (CopyFile(W("big.mid"), W("m/target.mid"), false)) return 14;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/target.mid")), "old");
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/other.mid")), "small");
  EXPECT_EQ(Entries(world.Linux("m")), 2u);
}

// A flush that fails places nothing (the copies may not be on the disk), and a settings file
// whose flush fails is not replaced: both report the failure.
TEST_F(CopyFaults, AFailedFlushIsAFailure) {
  TestWorld::WriteFile(world.Linux("tune.mid"), "tune");
  TestWorld::WriteFile(world.Linux("m/settings.ini"), "old=1");
  const struct {
    const char *what;
    std::function<int()> body;
  } cases[] = {
      {"a batch's sync of its file systems",
       [&] {
         CopyBatch batch;
         if (batch.Stage({{W("tune.mid"), W("m/target.mid")}}) != std::vector<bool>{true}) return 11;
         std::vector<CopyFailure> why;
         if (batch.Place(&why) != std::vector<bool>{false}) return 12;
         return why[0] == CopyFailure::WriteError ? 0 : 13;
       }},
      {"one copy's flush", [&] { return CopyFile(W("tune.mid"), W("m/target.mid"), false) ? 11 : 0; }},
      {"a settings file's flush", [&] { return WriteFileAtomically(world.Linux("m/settings.ini"), "new=2") ? 11 : 0; }},
  };
  for (const auto &c : cases) {
    const int status = RunInChild([&] {
      if (!platformtest::FailSystemCalls({SYS_syncfs, SYS_fsync, SYS_fdatasync, SYS_sync}, EIO)) return 10;
      return c.body();
    });
    EXPECT_EQ(status, 0) << c.what;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/target.mid")), "old") << c.what;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/settings.ini")), "old=1") << c.what;
    EXPECT_EQ(Entries(world.Linux("m")), 2u) << c.what;
  }
}

// What a killed process leaves of its copies is recognised by name and removed; files that
// only look alike, links and folders stay.
TEST_F(CopyFaults, LeftoversOfAKilledCopyAreRemovedAndNothingElse) {
  TestWorld::WriteFile(world.Linux("tune.mid"), "tune");
  // A child that stages a copy and ends without cleaning up, as a killed apply does.
  ASSERT_EQ(RunInChild([&] {
              static CopyBatch *batch = new CopyBatch;
              return batch->Stage(W("tune.mid"), W("m/target.mid")) ? 0 : 1;
            }),
            0);
  ASSERT_EQ(Entries(world.Linux("m")), 2u);
  const std::string ours[] = {".britain1.mid.melodeck-Ab3dE9", ".a.melodeck-000000"};
  const std::string kept[] = {
      ".britain1.mid.melodeck-Ab3dE",    // too short
      ".britain1.mid.melodeck-Ab3dE9x",  // too long
      ".britain1.mid.melodeck-Ab3d_9",   // not a letter or digit
      "britain1.mid.melodeck-Ab3dE9",    // no leading dot
      ".melodeck-Ab3dE9",                // no name
      ".britain1.mid.Ab3dE9",            // another program's temporary file
      "britain1.mid",
  };
  for (const auto &n : ours) TestWorld::WriteFile(world.Linux("m/" + n), "x");
  for (const auto &n : kept) TestWorld::WriteFile(world.Linux("m/" + n), "x");
  TestWorld::MakeDirs(world.Linux("m/.folder.mid.melodeck-Ab3dE9"));
  TestWorld::MakeDirs(world.Linux("m/sub"));
  TestWorld::WriteFile(world.Linux("m/sub/.a.mid.melodeck-Ab3dE9"), "x");
  TestWorld::WriteFile(world.Linux("outside.mid"), "outside");
  ASSERT_EQ(symlink(world.Linux("outside.mid").c_str(), world.Linux("m/.link.mid.melodeck-Ab3dE9").c_str()), 0);

  EXPECT_EQ(RemoveLeftoverTemporaries(W("m")), 3u);
  for (const auto &n : ours) EXPECT_FALSE(TestWorld::Exists(world.Linux("m/" + n))) << n;
  for (const auto &n : kept) EXPECT_TRUE(TestWorld::Exists(world.Linux("m/" + n))) << n;
  EXPECT_TRUE(TestWorld::Exists(world.Linux("m/.folder.mid.melodeck-Ab3dE9")));
  EXPECT_TRUE(TestWorld::Exists(world.Linux("m/sub/.a.mid.melodeck-Ab3dE9")));
  EXPECT_TRUE(TestWorld::Exists(world.Linux("m/.link.mid.melodeck-Ab3dE9")));
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("outside.mid")), "outside");
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/target.mid")), "old");
  EXPECT_EQ(RemoveLeftoverTemporaries(W("nowhere")), 0u);
}

// The kernel's copy may be refused (another file system, an old kernel, a file it can't copy)
// or fail: the copy goes on through a buffer from where it stopped, whole, and a source that
// can't be read is told from a target that can't be written.
TEST_F(CopyFaults, ACopyTheKernelRefusesIsMadeThroughABuffer) {
  std::string tune(300000, '\0');
  for (size_t i = 0; i < tune.size(); ++i) tune[i] = static_cast<char>(i * 7 + i / 251);
  TestWorld::WriteFile(world.Linux("tune.mid"), tune);
  const struct {
    std::vector<long> calls;
    int err;
    CopyFailure failure;  // None: copied whole
  } cases[] = {
      {{SYS_copy_file_range}, ENOSYS, CopyFailure::None},
      {{SYS_copy_file_range}, EXDEV, CopyFailure::None},
      {{SYS_copy_file_range}, EOPNOTSUPP, CopyFailure::None},
      {{SYS_copy_file_range}, EIO, CopyFailure::None},
      {{SYS_copy_file_range, SYS_read}, EIO, CopyFailure::SourceUnreadable},
  };
  for (const auto &c : cases) {
    const int status = RunInChild([&] {
      const bool readsFail = c.calls.size() > 1;
      if (!(readsFail ? platformtest::FailSystemCalls({SYS_copy_file_range, SYS_read}, c.err)
                      : platformtest::FailSystemCalls({SYS_copy_file_range}, c.err)))
        return 10;
      std::vector<CopyFailure> why;
      CopyBatch batch;
      const bool staged = batch.Stage({{W("tune.mid"), W("m/target.mid")}}, &why)[0];
      if (staged != (c.failure == CopyFailure::None) || why[0] != c.failure) return 11;
      return !staged || batch.Place() == std::vector<bool>{true} ? 0 : 12;
    });
    EXPECT_EQ(status, 0) << c.err;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("m/target.mid")), c.failure == CopyFailure::None ? tune : "old") << c.err;
    EXPECT_EQ(Entries(world.Linux("m")), 1u) << c.err;  // no temporary file left
    TestWorld::WriteFile(world.Linux("m/target.mid"), "old");
  }
}
