// Hostile archives: nothing may be written outside the destination folder.
#include <unistd.h>

#include <filesystem>

#include "lhatest.h"

namespace lhatest {
namespace {

namespace fs = std::filesystem;

struct HostileCase {
  const char *label;
  std::string storedName;
  int result;              // what the extraction answers
  const char *landsAt;     // where the file ends up below the destination, "" for nowhere
};

class HostileNameTest : public LhaLibTest, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileNameTest, StaysInsideTheDestination) {
  const auto &c = GetParam();
  TestWorld::MakeDirs(L("box/dest"));
  WriteRawArchive(L("box/evil.lzh"), {{c.storedName, "payload"}, {"fine.txt", "fine"}});
  EXPECT_EQ(lib.Run("x -x1 \"" + W("box/evil.lzh") + "\" \"" + W("box/dest") + "\\\""), c.result);
  std::vector<std::string> expected = {"fine.txt"};
  if (*c.landsAt) expected.push_back(c.landsAt);
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> got;
  for (const auto &[name, data] : arctest::Tree(L("box/dest"))) got.push_back(name);
  EXPECT_EQ(got, expected);
  // Nothing beside the destination but the archive itself.
  size_t count = 0;
  for (const auto &e : fs::directory_iterator(L("box"))) count += e.path().filename() != "dest";
  EXPECT_EQ(count, 1u);
  EXPECT_FALSE(fs::exists("/x_melodeck_test"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNameTest,
    testing::Values(HostileCase{"dotdot", "../x", 0x802B, ""}, HostileCase{"deepdotdot", "a/../../x", 0x802B, ""},
                    HostileCase{"absolute", "/x_melodeck_test", 0, "x_melodeck_test"},
                    HostileCase{"drive", "C:\\x", 0, "x"}, HostileCase{"drivefolder", "C:/sub/x", 0, "sub/x"}),
    [](const auto &info) { return std::string(info.param.label); });

// A folder link already on the disk (or made by a previous archive) is never followed.
TEST_F(LhaLibTest, ALinkInTheDestinationIsNotFollowed) {
  TestWorld::MakeDirs(L("outside"));
  TestWorld::MakeDirs(L("dest"));
  ASSERT_EQ(symlink(L("outside").c_str(), L("dest/music").c_str()), 0);
  WriteRawArchive(L("a.lzh"), {{"music/town.mid", "tune"}});
  EXPECT_NE(lib.Run("x \"" + W("a.lzh") + "\" \"" + W("dest") + "\\\""), 0);
  EXPECT_TRUE(fs::is_empty(L("outside")));
}

// lhasa's regression archives: a link to "../" or to "/" then a file written through it.
TEST_F(LhaLibTest, ArchivedLinksAreNotMade) {
  const std::string dir = std::string(std::getenv("MELODECK_SHARED_DIR")) + "/fixtures/lhasa/archives/";
  for (const char *file : {"regression/symlink1.lzh", "regression/symlink2.lzh", "regression/symlink3.lzh",
                           "lha_unix114i/h2_symlink.lzh", "lha_unix114i/h1_symlink3.lzh"}) {
    SCOPED_TRACE(file);
    const std::string dest = L(std::string("box/") + file + ".d");
    TestWorld::MakeDirs(dest);
    lib.Run("x \"" + Win(dir + file) + "\" \"" + Win(dest) + "\\\"");
    for (const auto &e : fs::recursive_directory_iterator(L("box"))) EXPECT_FALSE(e.is_symlink()) << e.path();
  }
  size_t count = 0;
  for (const auto &e : fs::directory_iterator(world.Root())) count += e.path().filename() != "box" && e.path().filename() != "tmp" && e.path().filename() != "run";
  EXPECT_EQ(count, 0u);
}

// A damaged entry leaves no file under its name, and an older file of that name survives.
TEST_F(LhaLibTest, ACrcFailureLeavesNoPartialFile) {
  WriteRawArchive(L("a.lzh"), {{"town.mid", std::string(5000, 'm')}});
  std::string bytes = TestWorld::ReadFile(L("a.lzh"));
  bytes[bytes.size() - 100] ^= 0x55;  // inside the stored data
  TestWorld::WriteFile(L("a.lzh"), bytes);
  TestWorld::MakeDirs(L("dest"));
  TestWorld::WriteFile(L("dest/town.mid"), "older");
  EXPECT_EQ(lib.Run("x \"" + W("a.lzh") + "\" \"" + W("dest") + "\\\""), 0x800C);
  EXPECT_EQ(TestWorld::ReadFile(L("dest/town.mid")), "older");
  // A quick check reads the headers only; the full one finds the damage.
  EXPECT_TRUE(lib.CheckArchive(W("a.lzh").c_str(), 0));
  EXPECT_FALSE(lib.CheckArchive(W("a.lzh").c_str(), 3));
  EXPECT_EQ(arctest::Tree(L("dest")).size(), 1u);
}

}  // namespace
}  // namespace lhatest
