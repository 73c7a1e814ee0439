// libcab32.so with gcab, cabextract and the libarchive samples as oracles.
#include <gtest/gtest.h>

#include <filesystem>

#include "arclib.h"
#include "testworld.h"

namespace {

namespace fs = std::filesystem;
using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

class CabTest : public testing::Test {
 protected:
  CabTest() : lib("libcab32.so", "Cab") {}
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  std::string W(const std::string &rel) const { return Win(world.Linux(rel)); }
  void Put(const std::string &rel, const std::string &data) {
    const auto slash = rel.find_last_of('/');
    if (slash != std::string::npos) TestWorld::MakeDirs(L(rel.substr(0, slash)));
    TestWorld::WriteFile(L(rel), data);
  }
  // The CAB driver's lines for the main window's options (n=1, r=2, x=1).
  std::string Line(const char *command, const std::string &archive, const std::string &folder,
                   const std::string &files, const std::string &switches = " -i -r") const {
    return std::string(command) + switches + "  \"" + archive + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  std::string Fixture(const std::string &name) const {
    return std::string(std::getenv("MELODECK_SHARED_DIR")) + "/fixtures/libarchive/" + name;
  }
  TestWorld world;
  arctest::ArcLib lib;
};

TEST_F(CabTest, PacksWhatCabextractRestores) {
  Put("src/town.mid", std::string(40000, 'c') + "end");
  Put("src/曲/日本語.mid", "japanese");
  ASSERT_EQ(lib.Run(Line("-a", W("a.cab"), "src", "\"*\"")), 0);
  std::string out;
  ASSERT_EQ(Sh("cabextract -t " + Q(L("a.cab")), &out), 0) << out;
  TestWorld::MakeDirs(L("theirs"));
  ASSERT_EQ(Sh("cabextract -q " + Q(L("a.cab")), &out, L("theirs")), 0) << out;
  EXPECT_EQ(arctest::Tree(L("theirs")), arctest::Tree(L("src")));
  ASSERT_EQ(lib.Run(Line("-x", W("a.cab"), "ours", "", " -o -i")), 0);
  EXPECT_EQ(arctest::Tree(L("ours")), arctest::Tree(L("src")));
  EXPECT_EQ(lib.Names(W("a.cab")), (std::vector<std::string>{"town.mid", "曲/日本語.mid"}));
}

TEST_F(CabTest, ReadsTheSamplesAndWhatGcabMakes) {
  Put("src/a.txt", "alpha");
  Put("src/b.txt", std::string(9000, 'b'));
  std::string out;
  ASSERT_EQ(Sh("gcab -c -z " + Q(L("g.cab")) + " a.txt b.txt", &out, L("src")), 0) << out;
  ASSERT_EQ(lib.Run(Line("-x", W("g.cab"), "g", "\"b.txt\"", " -o")), 0);
  EXPECT_EQ(arctest::Tree(L("g")), (std::vector<std::pair<std::string, std::string>>{arctest::Tree(L("src"))[1]}));

  const struct {
    const char *file;
    std::vector<std::string> names;
  } cases[] = {
      {"test_read_format_cab_1.cab", {"empty", "dir1/file1", "dir2/file2"}},
      {"test_read_format_cab_3.cab", {"empty", "zero", "dir1/file1", "dir2/file2"}},
      // Code page 932 names whose second bytes look like "\".
      {"test_read_format_cab_filename_cp932.cab", {"表だよ/漢字.txt", "表だよ/一覧表.txt"}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(lib.Names(Win(Fixture(c.file))), c.names) << c.file;
    EXPECT_EQ(lib.Run(Line("-x", Win(Fixture(c.file)), std::string("x/") + c.file, "", " -o")), 0) << c.file;
  }
  EXPECT_TRUE(TestWorld::Exists(L("x/test_read_format_cab_filename_cp932.cab/表だよ/漢字.txt")));
  // libarchive lists LZX cabinets but cannot unpack this one (cabextract can): the failure is
  // reported, and no file is left under the entry's name.
  const std::string lzx = Win(Fixture("test_read_format_cab_lzx_16bit.cab"));
  EXPECT_EQ(lib.Names(lzx), std::vector<std::string>{"lzx16.bin"});
  EXPECT_EQ(lib.Run(Line("-x", lzx, "lzx", "", " -o")), 0x800C);
  EXPECT_FALSE(TestWorld::Exists(L("lzx/lzx16.bin")));
}

TEST_F(CabTest, MalformedSamplesFailCleanly) {
  for (const char *file : {"test_read_format_cab_skip_malformed.cab", "test_fuzz.cab"})
    lib.Run(Line("-x", Win(Fixture(file)), std::string("m/") + file, "", " -o"));  // no crash, no leak
  Put("plain.txt", "no cabinet");
  EXPECT_EQ(lib.Run(Line("-x", W("plain.txt"), "o", "")), 0x8019);
  EXPECT_EQ(lib.OpenArchive(nullptr, W("plain.txt").c_str(), ARC_M_PROBE), nullptr);
}

TEST_F(CabTest, CommandsOutsideTheFormat) {
  EXPECT_EQ(lib.Run("-f -i  \"" + W("a.cab") + "\" \"" + W("o") + "\\\" "), 0x8023);
  EXPECT_EQ(lib.Run("-d \"" + W("a.cab") + "\""), 0x801C);
  EXPECT_EQ(lib.Run(Line("-a", W("a.cab"), "nothing", "\"*\"")), 0x8031);
}

}  // namespace
