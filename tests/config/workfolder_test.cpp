// The work folder: one per process, private to its user, made on first need, removed only by
// the process that made it.
#include "workfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "../platform/inchild.h"
#include "core/winpath.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

std::string OnDisk(const QString &windowsPath) { return platform::ToLinux(windowsPath.toStdString()); }

bool IsFolder(const std::string &linuxPath) {
  struct stat st;
  return lstat(linuxPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The names in tmp/ that a work folder could have.
std::vector<std::string> WorkFolders(const TestWorld &world) {
  std::vector<std::string> names;
  for (const auto &e : std::filesystem::directory_iterator(world.Linux("tmp")))
    if (e.path().filename().string().rfind("melodeck", 0) == 0) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(WorkFolder, IsMadeOnFirstNeedUnderAPrivateNameOfItsOwn) {
  TestWorld world;
  TWorkFolder work;
  EXPECT_TRUE(WorkFolders(world).empty()) << "nothing is made before it is needed";
  const QString path = work.Path();
  const std::string linux = OnDisk(path);
  ASSERT_TRUE(IsFolder(linux)) << linux;
  EXPECT_EQ(std::filesystem::path(linux).parent_path().string(), world.Linux("tmp"));
  const std::string name = std::filesystem::path(linux).filename().string();
  EXPECT_EQ(name.size(), std::string("melodeck-XXXXXX").size()) << name;
  EXPECT_EQ(name.rfind("melodeck-", 0), 0u) << name;
  struct stat st;
  ASSERT_EQ(stat(linux.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  EXPECT_EQ(work.Path(), path) << "the same folder for the process's life";
  EXPECT_EQ(work.FolderFor("C:\\dl\\pack.lzh"), path + "\\pack.lzh");
  EXPECT_TRUE(work.Error().isEmpty());
}

// A window and a command line beside it (two sessions): neither touches the other's folder,
// nor a folder that an older program left under the common name.
TEST(WorkFolder, TwoOwnersNeverShareOrRemoveEachOthersFiles) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("tmp/melodeck/pack.lzh"));
  TestWorld::WriteFile(world.Linux("tmp/melodeck/pack.lzh/town.mid"), "old");
  TWorkFolder window, commandLine;
  const std::string mine = OnDisk(window.Path());
  TestWorld::WriteFile(mine + "/town.mid", "window's");
  const std::string theirs = OnDisk(commandLine.Path());
  EXPECT_NE(mine, theirs);
  EXPECT_TRUE(commandLine.Remove());
  EXPECT_FALSE(IsFolder(theirs));
  EXPECT_EQ(TestWorld::ReadFile(mine + "/town.mid"), "window's");
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("tmp/melodeck/pack.lzh/town.mid")), "old");
  // After a removal (the tree's refresh) the next need makes a new folder.
  const std::string again = OnDisk(commandLine.Path());
  EXPECT_TRUE(IsFolder(again));
  EXPECT_NE(again, mine);
}

TEST(WorkFolder, OnlyTheProcessThatMadeItRemovesIt) {
  TestWorld world;
  std::string linux;
  {
    TWorkFolder work;
    linux = OnDisk(work.Path());
    TestWorld::WriteFile(linux + "/x.mid", "x");
    // A child process (forked with a copy of the session) leaves it alone, removing or ending.
    EXPECT_EQ(platformtest::RunInChild([&] { return work.Remove() ? 1 : 0; }), 0);
    EXPECT_TRUE(TestWorld::Exists(linux + "/x.mid"));
  }
  EXPECT_FALSE(TestWorld::Exists(linux)) << "gone with its owner";
}

// Whatever takes the folder's place is not followed nor removed: a new folder is made.
TEST(WorkFolder, AFolderReplacedByALinkIsLeftAlone) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("elsewhere"));
  TestWorld::WriteFile(world.Linux("elsewhere/keep.mid"), "keep");
  TWorkFolder work;
  const std::string linux = OnDisk(work.Path());
  ASSERT_EQ(rmdir(linux.c_str()), 0);
  ASSERT_EQ(symlink(world.Linux("elsewhere").c_str(), linux.c_str()), 0);
  const std::string fresh = OnDisk(work.Path());
  EXPECT_NE(fresh, linux);
  EXPECT_TRUE(IsFolder(fresh));
  ASSERT_EQ(rmdir(fresh.c_str()), 0);
  ASSERT_EQ(symlink(world.Linux("elsewhere").c_str(), fresh.c_str()), 0);
  work.Remove();
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("elsewhere/keep.mid")), "keep");
  struct stat st;
  EXPECT_TRUE(lstat(fresh.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) << "not ours to remove";
  ASSERT_EQ(unlink(linux.c_str()), 0);
  ASSERT_EQ(unlink(fresh.c_str()), 0);
}

TEST(WorkFolder, AFolderThatCannotBeMadeIsNoneWithItsReason) {
  TestWorld world;
  TestWorld::WriteFile(world.Linux("afile"), "x");
  const struct {
    const char *what;
    std::string tmpdir;
    const char *reason;
  } cases[] = {
      {"no such folder", world.Linux("gone/tmp"), "No such file or directory"},
      {"a file", world.Linux("afile"), "Not a directory"},
      {"too long a path", world.Linux("tmp/" + std::string(250, 'x')), "File name too long"},
  };
  for (const auto &c : cases) {
    setenv("TMPDIR", c.tmpdir.c_str(), 1);
    TWorkFolder work;
    EXPECT_TRUE(work.Path().isEmpty()) << c.what;
    EXPECT_TRUE(work.FolderFor("C:\\dl\\pack.lzh").isEmpty()) << c.what;
    EXPECT_TRUE(work.Error().contains(QString::fromStdString(c.tmpdir)))
        << c.what << ": " << work.Error().toStdString();
    EXPECT_TRUE(work.Error().endsWith(c.reason)) << c.what << ": " << work.Error().toStdString();
    EXPECT_TRUE(WorkFolderFailureText(work).startsWith(QString::fromUtf8("作業フォルダを作成できません: "))) << c.what;
    EXPECT_TRUE(work.Remove()) << c.what;
  }
}
