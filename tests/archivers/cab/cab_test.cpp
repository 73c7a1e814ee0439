// libcab32.so with gcab, cabextract and the libarchive samples as oracles.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>
#include <vector>

#include "rawarchives.h"
#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Files;
using arctest::MakeCab;
using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

class CabTest : public arctest::WorldTest {
 protected:
  CabTest() : lib("libcab32.so", "Cab") {}
  // The CAB driver's lines for the main window's options (n=1, r=2, x=1).
  std::string Line(const char *command, const std::string &archive, const std::string &folder, const std::string &files,
                   const std::string &switches = " -i -r") const {
    return std::string(command) + switches + "  \"" + archive + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  std::string Fixture(const std::string &name) const { return testsupport::FixturesDir() + "/libarchive/" + name; }
  arctest::ArcLib lib;
};

TEST_F(CabTest, PacksWhatCabextractRestores) {
  REQUIRE_TOOLS("cabextract");
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
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("gcab");
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
}

TEST_F(CabTest, UnpacksAsCabextractDoes) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("cabextract");
  // Stored, MSZIP and LZX folders (16-bit and 21-bit windows). cabextract writes code page 932
  // names as their bytes and takes a second byte 0x5C for a separator, so there only the
  // contents are compared; the names are the listing test's.
  const struct {
    const char *file;
    bool sameNames;
  } cases[] = {
      {"test_read_format_cab_1.cab", true},
      {"test_read_format_cab_2.cab", true},
      {"test_read_format_cab_3.cab", true},
      {"test_read_format_cab_lzx_16bit.cab", true},
      {"test_fuzz.cab", true},
      {"test_read_format_cab_filename_cp932.cab", false},
  };
  auto contents = [](Files tree) {
    for (auto &[name, digest] : tree) name.clear();
    std::sort(tree.begin(), tree.end());
    return tree;
  };
  for (const auto &c : cases) {
    const std::string theirs = std::string("theirs/") + c.file, ours = std::string("ours/") + c.file;
    TestWorld::MakeDirs(L(theirs));
    std::string out;
    ASSERT_EQ(Sh("cabextract -q " + Q(Fixture(c.file)), &out, L(theirs)), 0) << out;
    EXPECT_EQ(lib.Run(Line("-x", Win(Fixture(c.file)), ours, "", " -o"), &out), 0) << c.file << out;
    if (c.sameNames) EXPECT_EQ(arctest::Tree(L(ours)), arctest::Tree(L(theirs))) << c.file;
    else EXPECT_EQ(contents(arctest::Tree(L(ours))), contents(arctest::Tree(L(theirs)))) << c.file;
  }
  EXPECT_EQ(TestWorld::ReadFile(L("ours/test_read_format_cab_lzx_16bit.cab/lzx16.bin")), "ABABABABABABABAB");
}

TEST_F(CabTest, ChecksAndTestsEveryBlock) {
  REQUIRE_FIXTURES();
  Put("good.cab", MakeCab({{"a.mid", "alpha"}, {"b.mid", "bravo"}}));
  Put("bad.cab", MakeCab({{"a.mid", "alpha"}, {"b.mid", "bravo"}}, 0x12345678));
  std::string quantum = MakeCab({{"q.mid", "quantum"}});
  quantum[36 + 6] = 2;  // the folder's compression: Quantum, which nothing here unpacks
  Put("quantum.cab", quantum);
  const struct {
    std::string archive;
    int quick, full, test;  // CheckArchive mode 1, mode 3, "-t"
  } cases[] = {
      {W("good.cab"), 1, 1, 0},
      {W("bad.cab"), 1, 0, 0x800C},  // headers are fine, the data block's checksum is not
      {W("quantum.cab"), 1, 0, 0x8009},
      {Win(Fixture("test_read_format_cab_lzx_16bit.cab")), 1, 1, 0},
      {Win(Fixture("test_read_format_cab_3.cab")), 1, 1, 0},
      {Win(Fixture("test_read_format_cab_skip_malformed.cab")), 0, 0, -1},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(lib.CheckArchive(c.archive.c_str(), 1), c.quick) << c.archive;
    EXPECT_EQ(lib.CheckArchive(c.archive.c_str(), 3), c.full) << c.archive;
    if (c.test >= 0) EXPECT_EQ(lib.Run("-t \"" + c.archive + "\""), c.test) << c.archive;
  }
  // Listing reads the headers only: every entry of the broken cabinet is listed.
  EXPECT_EQ(lib.Names(W("bad.cab")), (std::vector<std::string>{"a.mid", "b.mid"}));
  EXPECT_EQ(lib.Names(Win(Fixture("test_read_format_cab_lzx_16bit.cab"))), std::vector<std::string>{"lzx16.bin"});
  // A broken entry leaves nothing under its name.
  EXPECT_EQ(lib.Run(Line("-x", W("bad.cab"), "bad", "", " -o")), 0x800C);
  EXPECT_FALSE(TestWorld::Exists(L("bad/a.mid")));
  EXPECT_FALSE(TestWorld::Exists(L("bad/b.mid")));
}

TEST_F(CabTest, KeepsNewerFilesAndDropsFolders) {
  Put("d.cab", MakeCab({{"d\\a.mid", "from the cabinet"}}));  // dated 2020-01-01
  const struct {
    const char *switches;
    int64_t existingTime;  // 0: no file there
    const char *path;
    const char *expected;
  } cases[] = {
      {" -i", 0, "o/d/a.mid", "from the cabinet"},
      {" -i", 2000000000, "o/d/a.mid", "on disk"},  // newer than the entry: kept
      {" -i", 900000000, "o/d/a.mid", "from the cabinet"},
      {" -o -i", 2000000000, "o/d/a.mid", "from the cabinet"},
      {" -o -j", 0, "o/a.mid", "from the cabinet"},
  };
  for (const auto &c : cases) {
    fs::remove_all(L("o"));
    if (c.existingTime) {
      Put(c.path, "on disk");
      fs::last_write_time(L(c.path),
                          fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(c.existingTime)));
    }
    EXPECT_EQ(lib.Run(Line("-x", W("d.cab"), "o", "", c.switches)), 0) << c.switches;
    EXPECT_EQ(TestWorld::ReadFile(L(c.path)), c.expected) << c.switches << " " << c.existingTime;
  }
}

TEST_F(CabTest, MalformedSamplesFailCleanly) {
  REQUIRE_FIXTURES();
  // Its folder index is out of range: nothing can be read (no crash, no leak either way).
  const std::string malformed = Win(Fixture("test_read_format_cab_skip_malformed.cab"));
  EXPECT_EQ(lib.Run(Line("-x", malformed, "m", "", " -o")), 0x8017);
  EXPECT_FALSE(fs::exists(L("m")) && !fs::is_empty(L("m")));
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
