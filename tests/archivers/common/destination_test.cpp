#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "destination.h"
#include "errors.h"
#include "testworld.h"

#include <filesystem>

namespace {

using testsupport::TestWorld;

std::span<const uint8_t> Bytes(const std::string &s) { return {reinterpret_cast<const uint8_t *>(s.data()), s.size()}; }

class DestinationTest : public testing::Test {
 protected:
  void SetUp() override {
    TestWorld::MakeDirs(world.Linux("outside"));
    ASSERT_TRUE(dest.Open(world.Linux("dest")));
  }
  TestWorld world;
  arc::Destination dest;
};

TEST_F(DestinationTest, WritesFoldersAndFileOnlyWhenCommitted) {
  int r = 0;
  auto f = dest.Create({"a", "b", "c.mid"}, &r);
  ASSERT_TRUE(f) << r;
  ASSERT_TRUE(f->Write(Bytes("data")));
  EXPECT_FALSE(TestWorld::Exists(world.Linux("dest/a/b/c.mid")));
  EXPECT_EQ(f->Commit(1000000000), arc::kOk);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("dest/a/b/c.mid")), "data");
  struct stat st {};
  stat(world.Linux("dest/a/b/c.mid").c_str(), &st);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
}

TEST_F(DestinationTest, AnAbandonedFileLeavesNothing) {
  TestWorld::WriteFile(world.Linux("dest/old.mid"), "old");
  {
    int r = 0;
    auto f = dest.Create({"old.mid"}, &r);
    ASSERT_TRUE(f);
    f->Write(Bytes("half"));
  }
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("dest/old.mid")), "old");
  int count = 0;
  for (auto &e : std::filesystem::directory_iterator(world.Linux("dest"))) count += e.is_regular_file();
  EXPECT_EQ(count, 1);
}

TEST_F(DestinationTest, ALinkedFolderIsNotEntered) {
  ASSERT_EQ(symlink(world.Linux("outside").c_str(), world.Linux("dest/evil").c_str()), 0);
  int r = 0;
  EXPECT_FALSE(dest.Create({"evil", "x"}, &r));
  EXPECT_EQ(r, arc::kErrMakeDirectory);
  EXPECT_EQ(dest.MakeFolders({"evil", "sub"}), arc::kErrMakeDirectory);
  EXPECT_TRUE(std::filesystem::is_empty(world.Linux("outside")));
}

TEST_F(DestinationTest, ALinkedFileIsReplacedNotWrittenThrough) {
  TestWorld::WriteFile(world.Linux("outside/target"), "precious");
  ASSERT_EQ(symlink(world.Linux("outside/target").c_str(), world.Linux("dest/x").c_str()), 0);
  int r = 0;
  auto f = dest.Create({"x"}, &r);
  ASSERT_TRUE(f);
  f->Write(Bytes("new"));
  EXPECT_EQ(f->Commit(-1), arc::kOk);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("outside/target")), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(world.Linux("dest/x")));
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("dest/x")), "new");
}

TEST_F(DestinationTest, NeitherAFolderNorAReadOnlyFileIsReplaced) {
  TestWorld::MakeDirs(world.Linux("dest/dir"));
  TestWorld::WriteFile(world.Linux("dest/ro"), "keep");
  chmod(world.Linux("dest/ro").c_str(), 0444);
  for (auto [name, expected] : {std::pair{"dir", arc::kErrCannotWrite}, {"ro", arc::kErrReadOnly}}) {
    int r = 0;
    auto f = dest.Create({name}, &r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Commit(-1), expected) << name;
  }
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("dest/ro")), "keep");
}

}  // namespace
