// A test world's teardown removes what is inside it and touches nothing a link inside points to.
#include "testworld.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

mode_t ModeOf(const std::string &path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(TestWorld, TeardownNeverFollowsALinkOutOfTheWorld) {
  char pattern[] = "/tmp/melodeck-outside-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string outside = pattern;
  const std::string file = outside + "/kept.mid";
  testsupport::TestWorld::WriteFile(file, "MThd");
  chmod(outside.c_str(), 0755);
  chmod(file.c_str(), 0644);
  const mode_t rootMode = ModeOf("/");
  {
    testsupport::TestWorld world;
    world.MakePrefix();  // its dosdevices\z: is a link to "/"
    testsupport::TestWorld::MakeDirs(world.Linux("locked/inner"));
    ASSERT_EQ(symlink(outside.c_str(), world.Linux("locked/to-folder").c_str()), 0);
    ASSERT_EQ(symlink(file.c_str(), world.Linux("locked/to-file").c_str()), 0);
    ASSERT_EQ(symlink(outside.c_str(), world.Linux("locked/inner/deeper").c_str()), 0);
    chmod(world.Linux("locked/inner").c_str(), 0555);
    chmod(world.Linux("locked").c_str(), 0500);
  }
  EXPECT_EQ(ModeOf("/"), rootMode);
  EXPECT_EQ(ModeOf(outside), 0755u);
  EXPECT_EQ(ModeOf(file), 0644u);
  EXPECT_EQ(testsupport::TestWorld::ReadFile(file), "MThd");
  unlink(file.c_str());
  rmdir(outside.c_str());
}

TEST(TestWorld, TeardownRemovesReadOnlyFoldersInside) {
  std::string root;
  {
    testsupport::TestWorld world;
    root = world.Root();
    testsupport::TestWorld::MakeDirs(world.Linux("a/b"));
    testsupport::TestWorld::WriteFile(world.Linux("a/b/c.mid"), "x");
    chmod(world.Linux("a/b").c_str(), 0500);
    chmod(world.Linux("a").c_str(), 0);
  }
  EXPECT_FALSE(testsupport::TestWorld::Exists(root));
}

}  // namespace
