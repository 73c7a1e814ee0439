// libunarj32j.so over archives that the arj program makes with each of its methods.
#include <gtest/gtest.h>

#include <filesystem>

#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Q;
using arctest::Sh;
using arctest::Tune;
using testsupport::TestWorld;

class ArjTest : public arctest::WorldTest {
 protected:
  ArjTest() : lib("libunarj32j.so", "Unarj") {}
  void SetUp() override { REQUIRE_TOOLS("arj"); }
  // The ARJ driver's extraction line for the main window's options.
  std::string Line(const std::string &archive, const std::string &folder, const std::string &files = "") const {
    return "x -+ -a2 -n1 -r2 -x1 -jm4  \"" + W(archive) + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  arctest::ArcLib lib;
};

class ArjMethodTest : public ArjTest, public testing::WithParamInterface<int> {};

TEST_P(ArjMethodTest, ExtractsByteExact) {
  Put("src/town.mid", Tune(150000, 1));  // past the 26 KiB window several times
  Put("src/sub/小さい.txt", "small");
  Put("src/empty", "");
  Put("src/random.bin", [] {
    std::string s;
    unsigned x = 7;
    for (int i = 0; i < 40000; ++i) s += static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
    return s;
  }());
  std::string out;
  const std::string method = "-m" + std::to_string(GetParam());
  ASSERT_EQ(
      Sh("arj a -r -y " + method + " " + Q(L("a.arj")) + " town.mid sub/小さい.txt empty random.bin", &out, L("src")),
      0)
      << out;
  const auto records = lib.Records(W("a.arj"));
  ASSERT_EQ(records.size(), 4u);
  bool sawMethod = false;
  for (const auto &r : records) sawMethod |= std::string(r.szMode) == "-arj" + std::to_string(GetParam()) + "-";
  EXPECT_TRUE(sawMethod);
  ASSERT_EQ(lib.Run(Line("a.arj", "out")), 0);
  EXPECT_EQ(arctest::Tree(L("out")), arctest::Tree(L("src")));
  EXPECT_TRUE(lib.CheckArchive(W("a.arj").c_str(), 3));
}

INSTANTIATE_TEST_SUITE_P(Methods, ArjMethodTest, testing::Values(0, 1, 2, 3, 4));

TEST_F(ArjTest, DamagedDataLeavesNoFile) {
  Put("src/town.mid", Tune(50000, 2));
  std::string out;
  ASSERT_EQ(Sh("arj a -y -m4 " + Q(L("a.arj")) + " town.mid", &out, L("src")), 0) << out;
  std::string bytes = TestWorld::ReadFile(L("a.arj"));
  bytes[bytes.size() / 2] ^= 0x5A;
  Put("bad.arj", bytes);
  EXPECT_NE(lib.Run(Line("bad.arj", "out")), 0);
  EXPECT_FALSE(TestWorld::Exists(L("out/town.mid")));
  Put("plain.txt", "no arj here");
  EXPECT_EQ(lib.Run(Line("plain.txt", "out")), 0x8019);
  EXPECT_EQ(lib.OpenArchive(nullptr, W("plain.txt").c_str(), ARC_M_PROBE), nullptr);
  EXPECT_EQ(lib.Run("a \"" + W("a.arj") + "\" x"), 0x8023);
}

}  // namespace
