#include "core/fileops.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "testworld.h"

using namespace platform;
using testsupport::TestWorld;

class FileOps : public testing::Test {
 protected:
  TestWorld world;
  std::string W(const std::string &rel) { return world.Windows(rel); }
};

TEST_F(FileOps, AttributesAsWineShowsThem) {
  TestWorld::WriteFile(world.Linux("plain.mid"), "x");
  TestWorld::WriteFile(world.Linux(".hidden"), "x");
  TestWorld::WriteFile(world.Linux("locked.mid"), "x");
  chmod(world.Linux("locked.mid").c_str(), 0444);
  TestWorld::MakeDirs(world.Linux("folder"));
  const std::pair<const char *, uint32_t> cases[] = {
      {"plain.mid", faArchive},
      {".hidden", faArchive | faHidden},
      {"locked.mid", faArchive | faReadOnly},
      {"folder", faDirectory},
  };
  for (const auto &[name, attr] : cases) EXPECT_EQ(GetAttributes(W(name)), attr) << name;
  EXPECT_FALSE(GetAttributes(W("missing")).has_value());
  EXPECT_TRUE(FileExists(W("plain.mid")));
  EXPECT_FALSE(FileExists(W("folder")));
  EXPECT_TRUE(DirectoryExists(W("folder")));
  EXPECT_FALSE(DirectoryExists(W("plain.mid")));
}

TEST_F(FileOps, CopyKeepsContentsModeAndTimeAndRespectsTheTarget) {
  TestWorld::WriteFile(world.Linux("src.mid"), "new tune");
  timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  utimensat(AT_FDCWD, world.Linux("src.mid").c_str(), old, 0);
  struct Case {
    const char *target;
    const char *before;  // nullptr: absent
    bool readOnly;
    bool failIfExists;
    bool ok;
    const char *after;
  } cases[] = {
      {"a.mid", nullptr, false, true, true, "new tune"},
      {"b.mid", "old", false, true, false, "old"},
      {"c.mid", "old", false, false, true, "new tune"},
      {"d.mid", "old", true, false, false, "old"},
  };
  for (const auto &c : cases) {
    if (c.before) TestWorld::WriteFile(world.Linux(c.target), c.before);
    if (c.readOnly) chmod(world.Linux(c.target).c_str(), 0444);
    EXPECT_EQ(CopyFile(W("src.mid"), W(c.target), c.failIfExists), c.ok) << c.target;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux(c.target)), c.after) << c.target;
  }
  struct stat st;
  ASSERT_EQ(stat(world.Linux("a.mid").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
  EXPECT_FALSE(CopyFile(W("missing.mid"), W("e.mid"), false));
  EXPECT_FALSE(TestWorld::Exists(world.Linux("e.mid")));
  EXPECT_FALSE(CopyFile(W("src.mid"), W("src.mid"), false));
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("src.mid")), "new tune");
}

TEST_F(FileOps, DeleteAndFoldersRefuseWhatWindowsRefuses) {
  TestWorld::WriteFile(world.Linux("locked.mid"), "x");
  chmod(world.Linux("locked.mid").c_str(), 0444);
  EXPECT_FALSE(DeleteFile(W("locked.mid")));
  EXPECT_TRUE(FileExists(W("locked.mid")));
  EXPECT_TRUE(SetReadOnly(W("locked.mid"), false));
  EXPECT_TRUE(DeleteFile(W("locked.mid")));

  EXPECT_TRUE(CreateDirectory(W("d")));
  EXPECT_FALSE(CreateDirectory(W("d")));
  EXPECT_FALSE(CreateDirectory(W("x") + "\\y"));  // one level only
  EXPECT_TRUE(ForceDirectories(W("x") + "\\y\\z"));
  TestWorld::WriteFile(world.Linux("d/f"), "x");
  EXPECT_FALSE(RemoveDirectory(W("d")));
  EXPECT_FALSE(DeleteFile(W("d")));
  EXPECT_TRUE(DeleteFile(W("d") + "\\f"));
  EXPECT_TRUE(RemoveDirectory(W("d")));
}

TEST_F(FileOps, ListsEntriesWithoutDots) {
  TestWorld::MakeDirs(world.Linux("l/sub"));
  TestWorld::WriteFile(world.Linux("l/a.mid"), "1234");
  auto entries = ListDirectory(W("l"));
  ASSERT_EQ(entries.size(), 2u);
  std::sort(entries.begin(), entries.end(), [](auto &a, auto &b) { return a.name < b.name; });
  EXPECT_EQ(entries[0].name, "a.mid");
  EXPECT_EQ(entries[0].size, 4u);
  EXPECT_EQ(entries[1].attributes, faDirectory);
  EXPECT_TRUE(ListDirectory(W("none")).empty());
}

TEST_F(FileOps, TempPathEndsInABackslashAndFitsTheBuffer) {
  EXPECT_EQ(TempPath(), W("tmp") + "\\");
  // "Z:" + the folder + "\" + NUL must fit in 261 characters.
  auto folderOfLength = [&](size_t windowsLength) {
    std::string dir = world.Root() + "/t";
    while (dir.size() + 2 + 1 < windowsLength) dir += 'x';
    return dir;
  };
  for (auto [length, ok] : {std::pair{260u, true}, {261u, false}}) {
    const std::string dir = folderOfLength(length);
    setenv("TMPDIR", dir.c_str(), 1);
    EXPECT_EQ(TempPath().empty(), !ok) << length;
    if (ok) EXPECT_EQ(TempPath().size(), length);
  }
}

TEST(PathParts, SplitAtTheLastSeparatorCharacter) {
  const struct {
    const char *path, *dir, *name;
  } cases[] = {
      {"C:\\a\\b.mid", "C:\\a\\", "b.mid"},
      {"C:b.mid", "C:", "b.mid"},
      {"b.mid", "", "b.mid"},
      {"C:\\ソ表\\ポ.mid", "C:\\ソ表\\", "ポ.mid"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.dir);
    EXPECT_EQ(ExtractFileName(c.path), c.name);
  }
  EXPECT_EQ(ChangeFileExt("C:\\x.y\\melodeck.exe", ".ini"), "C:\\x.y\\melodeck.ini");
  EXPECT_EQ(ChangeFileExt("C:\\x.y\\melodeck", ".ini"), "C:\\x.y\\melodeck.ini");
}

TEST_F(FileOps, DeleteTreeRemovesWhatItCanAndNeverFollowsLinks) {
  const std::string work = world.Linux("tmp/melodeck");
  TestWorld::MakeDirs(work + "/a/b");
  TestWorld::MakeDirs(world.Linux("outside"));
  TestWorld::WriteFile(world.Linux("outside/keep.mid"), "x");
  TestWorld::WriteFile(work + "/a/b/x.mid", "x");
  TestWorld::WriteFile(work + "/.hidden", "x");
  ASSERT_EQ(symlink(world.Linux("outside").c_str(), (work + "/link").c_str()), 0);
  EXPECT_TRUE(DeleteTree(W("tmp/melodeck")));
  EXPECT_FALSE(TestWorld::Exists(work));
  EXPECT_TRUE(TestWorld::Exists(world.Linux("outside/keep.mid")));

  TestWorld::MakeDirs(work + "/a");
  TestWorld::WriteFile(work + "/a/locked.mid", "x");
  TestWorld::WriteFile(work + "/free.mid", "x");
  chmod((work + "/a/locked.mid").c_str(), 0444);
  EXPECT_FALSE(DeleteTree(W("tmp/melodeck") + "\\"));
  EXPECT_FALSE(DeleteTree(""));  // never the current drive's root
  EXPECT_TRUE(TestWorld::Exists(work + "/a/locked.mid"));
  EXPECT_FALSE(TestWorld::Exists(work + "/free.mid"));
}

// A batch replaces nothing until it is placed; copies never placed leave no file behind.
TEST_F(FileOps, ACopyBatchReplacesOnlyWhenPlaced) {
  TestWorld::MakeDirs(world.Linux("batch"));
  TestWorld::WriteFile(world.Linux("batch/a.mid"), "new a");
  TestWorld::WriteFile(world.Linux("batch/b.mid"), "new b");
  TestWorld::WriteFile(world.Linux("batch/t1.mid"), "old 1");
  TestWorld::WriteFile(world.Linux("batch/t2.mid"), "old 2");
  {
    CopyBatch abandoned;
    ASSERT_TRUE(abandoned.Stage(W("batch/a.mid"), W("batch/t1.mid")));
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("batch/t1.mid")), "old 1");
  }
  EXPECT_EQ(ListDirectory(W("batch")).size(), 4u);  // no temporary file left
  CopyBatch batch;
  EXPECT_TRUE(batch.Stage(W("batch/a.mid"), W("batch/t1.mid")));
  EXPECT_FALSE(batch.Stage(W("batch/missing.mid"), W("batch/t2.mid")));
  EXPECT_TRUE(batch.Stage(W("batch/b.mid"), W("batch/t2.mid")));
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("batch/t2.mid")), "old 2");
  EXPECT_EQ(batch.Place(), (std::vector<bool>{true, true}));
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("batch/t1.mid")), "new a");
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("batch/t2.mid")), "new b");
}

// Many copies staged at once report in the order asked, whichever finishes first; a missing
// source or a read-only target is refused alone, and what was staged lands whole.
TEST_F(FileOps, ACopyBatchStagesManyAtOnceInOrder) {
  TestWorld::MakeDirs(world.Linux("many"));
  std::vector<std::pair<std::string, std::string>> copies;
  std::vector<bool> expected;
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    const bool missing = i % 3 == 0, locked = i == 7;
    if (!missing)
      TestWorld::WriteFile(world.Linux("many/s" + n), std::string(1000 + i, static_cast<char>('a' + i % 26)));
    TestWorld::WriteFile(world.Linux("many/t" + n), "old");
    if (locked) chmod(world.Linux("many/t" + n).c_str(), 0444);
    copies.emplace_back(W("many/s" + n), W("many/t" + n));
    expected.push_back(!missing && !locked);
  }
  CopyBatch batch;
  EXPECT_EQ(batch.Stage(copies), expected);
  EXPECT_EQ(batch.Place(), std::vector<bool>(std::count(expected.begin(), expected.end(), true), true));
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    const std::string want = expected[i] ? TestWorld::ReadFile(world.Linux("many/s" + n)) : "old";
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("many/t" + n)), want) << i;
  }
  EXPECT_EQ(ListDirectory(W("many")).size(), 40u + 26u);  // 26 sources, 40 targets, no temporary file
}
