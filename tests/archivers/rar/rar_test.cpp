// libunrar32.so over the RAR 4 and RAR 5 samples, with bsdtar as the oracle.
#include <gtest/gtest.h>

#include <filesystem>

#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

std::string Fixture(const std::string &name) { return testsupport::FixturesDir() + "/libarchive/" + name; }

class RarTest : public arctest::WorldTest, public testing::WithParamInterface<const char *> {
 protected:
  RarTest() : lib("libunrar32.so", "Unrar") {}
  void SetUp() override {
    REQUIRE_FIXTURES();
    REQUIRE_TOOLS("bsdtar");
  }
  arctest::ArcLib lib;
};

TEST_P(RarTest, ListsAndExtractsAsBsdtarDoes) {
  const std::string archive = Fixture(GetParam());
  std::string listing;
  ASSERT_EQ(Sh("bsdtar -tf " + Q(archive), &listing), 0);
  std::string ours;
  for (std::string n : lib.Names(Win(archive))) {
    if (n.back() == '/') n.pop_back();
    ours += n + "\n";
  }
  EXPECT_EQ(ours, listing);
  TestWorld::MakeDirs(L("theirs"));
  std::string out;
  ASSERT_EQ(Sh("bsdtar -xf " + Q(archive), &out, L("theirs")), 0) << out;
  ASSERT_EQ(lib.Run("-x -u -y  \"" + Win(archive) + "\" \"" + W("ours") + "\\\" "), 0);
  // bsdtar makes links, symbolic and hard; we never do. Every file we write is one of
  // theirs, and every one of theirs that is no link is ours too.
  const auto mine = arctest::Tree(L("ours"));
  const auto all = arctest::Tree(L("theirs"));
  for (const auto &file : mine) EXPECT_NE(std::find(all.begin(), all.end(), file), all.end()) << file.first;
  for (const auto &file : all) {
    const fs::path p = fs::path(L("theirs")) / file.first;
    if (fs::is_symlink(p) || fs::hard_link_count(p) > 1) continue;
    EXPECT_NE(std::find(mine.begin(), mine.end(), file), mine.end()) << file.first;
  }
  EXPECT_TRUE(lib.CheckArchive(Win(archive).c_str(), 3));
}

INSTANTIATE_TEST_SUITE_P(Samples, RarTest,
                         testing::Values("test_read_format_rar5_multiple_files.rar", "test_read_format_rar5_solid.rar",
                                         "test_read_format_rar5_unicode.rar", "test_read_format_rar5_win32.rar",
                                         "test_read_format_rar_compress_normal.rar", "test_read_format_rar_unicode.rar",
                                         "test_read_format_rar_windows.rar"));

TEST(RarCommands, WithoutFoldersUpdatesAndErrors) {
  REQUIRE_FIXTURES();
  TestWorld world;
  arctest::ArcLib lib("libunrar32.so", "Unrar");
  const std::string archive = Win(Fixture("test_read_format_rar_unicode.rar"));
  const std::string dest = Win(world.Linux("flat"));
  ASSERT_EQ(lib.Run("-e -u  \"" + archive + "\" \"" + dest + "\\\" \"*.txt\" "), 0);
  EXPECT_TRUE(TestWorld::Exists(world.Linux("flat/漢字長いファイル名long-filename-in-漢字.txt")));
  // -u keeps a file newer than the entry.
  const std::string kept = world.Linux("flat/漢字長いファイル名long-filename-in-漢字.txt");
  TestWorld::WriteFile(kept, "mine");
  ASSERT_EQ(lib.Run("-e -u  \"" + archive + "\" \"" + dest + "\\\" \"*.txt\" "), 0);
  EXPECT_EQ(TestWorld::ReadFile(kept), "mine");
  ASSERT_EQ(lib.Run("-e -y  \"" + archive + "\" \"" + dest + "\\\" \"*.txt\" "), 0);
  EXPECT_NE(TestWorld::ReadFile(kept), "mine");
  TestWorld::WriteFile(world.Linux("plain.txt"), "no rar here");
  EXPECT_EQ(lib.Run("-x \"" + Win(world.Linux("plain.txt")) + "\" \"" + dest + "\\\""), 0x8019);
  EXPECT_EQ(lib.Run("-a \"" + archive + "\""), 0x801C);
  EXPECT_EQ(lib.OpenArchive(nullptr, Win(world.Linux("plain.txt")).c_str(), ARC_M_PROBE), nullptr);
}

}  // namespace
