// libunzip32.so and libzip32j.so, with Info-ZIP, bsdtar and lsar as oracles.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

class ZipTest : public arctest::WorldTest {
 protected:
  ZipTest() : unzip("libunzip32.so", "UnZip"), zip("libzip32j.so", "UnZip", "Zip") {}
  // The pack line of the ZIP driver for the main window's options, as it builds it.
  std::string PackLine(const std::string &archive, const std::string &folder, const std::string &files,
                       const std::string &switches = " -S -q -r -o -9") const {
    return switches + "  \"" + W(archive) + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  std::string ExtractLine(const std::string &archive, const std::string &folder, const std::string &files = "",
                          const std::string &switches = " -o --i") const {
    return "-x" + switches + "  \"" + W(archive) + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  std::string Fixture(const std::string &name) const { return testsupport::FixturesDir() + "/libarchive/" + name; }
  arctest::ArcLib unzip, zip;
};

TEST_F(ZipTest, PacksATreeThePeersAccept) {
  REQUIRE_TOOLS("unzip", "lsar", "bsdtar");
  Put("src/town.mid", std::string(20000, 'm') + "end");
  Put("src/曲/日本.mid", "japanese");
  Put("src/sub/\xf0\x9f\x8e\xb5.txt", "a name code page 932 cannot hold");
  ASSERT_EQ(zip.Run(PackLine("a.zip", "src", "\"*\"")), 0);
  std::string out;
  ASSERT_EQ(Sh("unzip -t " + Q(L("a.zip")), &out), 0) << out;
  ASSERT_EQ(Sh("lsar -t " + Q(L("a.zip")), &out), 0) << out;
  // Names code page 932 holds are stored in it (no UTF-8 flag); the others with the flag.
  ASSERT_EQ(Sh("bsdtar -tf " + Q(L("a.zip")) + " --options hdrcharset=CP932", &out), 0);
  EXPECT_NE(out.find("曲/日本.mid"), std::string::npos) << out;
  EXPECT_NE(out.find("sub/\xf0\x9f\x8e\xb5.txt"), std::string::npos) << out;
  ASSERT_EQ(unzip.Run(ExtractLine("a.zip", "out")), 0);
  EXPECT_EQ(arctest::Tree(L("out")), arctest::Tree(L("src")));
  EXPECT_EQ(unzip.Names(W("a.zip")),
            (std::vector<std::string>{"sub/", "sub/\xf0\x9f\x8e\xb5.txt", "town.mid", "曲/", "曲/日本.mid"}));
}

TEST_F(ZipTest, ListsAndExtractsWhatInfoZipMakes) {
  REQUIRE_TOOLS("zip", "unzip");
  Put("src/a.txt", "alpha\n");
  Put("src/dir/b.mid", std::string(5000, 'b'));
  std::string out;
  ASSERT_EQ(Sh("zip -qr " + Q(L("i.zip")) + " a.txt dir", &out, L("src")), 0) << out;
  const auto records = unzip.Records(W("i.zip"));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_STREQ(records[2].szFileName, "dir/b.mid");
  EXPECT_EQ(records[2].dwOriginalSize, 5000u);
  EXPECT_LT(records[2].dwCompressedSize, 5000u);
  EXPECT_STREQ(records[2].szMode, "deflate");
  Sh("unzip -v " + Q(L("i.zip")), &out);
  char crc[16];
  snprintf(crc, sizeof crc, "%08x", records[2].dwCRC);
  EXPECT_NE(out.find(crc), std::string::npos) << out;
  ASSERT_EQ(unzip.Run(ExtractLine("i.zip", "out", "\"dir/b.mid\"")), 0);
  EXPECT_EQ(TestWorld::ReadFile(L("out/dir/b.mid")), std::string(5000, 'b'));
  EXPECT_FALSE(TestWorld::Exists(L("out/a.txt")));
  ASSERT_EQ(unzip.Run(ExtractLine("i.zip", "flat", "", " -o --i -j")), 0);
  EXPECT_TRUE(TestWorld::Exists(L("flat/b.mid")));
  // ZIP64 records, forced on small files.
  ASSERT_EQ(Sh("zip -q -fz -r " + Q(L("z64.zip")) + " a.txt dir", &out, L("src")), 0) << out;
  const auto z64 = unzip.Records(W("z64.zip"));
  ASSERT_EQ(z64.size(), 3u);
  EXPECT_EQ(z64[2].dwOriginalSize, 5000u);
  EXPECT_EQ(z64[2].dwCRC, records[2].dwCRC);
  ASSERT_EQ(unzip.Run(ExtractLine("z64.zip", "z64")), 0);
  EXPECT_EQ(arctest::Tree(L("z64")), arctest::Tree(L("src")));
}

TEST_F(ZipTest, JapaneseNamesOfTheFixtures) {
  REQUIRE_FIXTURES();
  const struct {
    const char *file;
    std::vector<std::string> names;
  } cases[] = {
      {"test_read_format_zip_filename_cp932.zip", {"表だよ/一覧表.txt", "表だよ/漢字.txt"}},
      {"test_read_format_zip_filename_utf8_jp.zip", {"表だよ/", "表だよ/一覧表.txt", "表だよ/漢字.txt"}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(unzip.Names(Win(Fixture(c.file))), c.names) << c.file;
    fs::remove_all(L("out"));
    ASSERT_EQ(unzip.Run("-x \"" + Win(Fixture(c.file)) + "\" \"" + W("out") + "\\\""), 0) << c.file;
    EXPECT_TRUE(TestWorld::Exists(L("out/表だよ/漢字.txt"))) << c.file;
  }
}

TEST_F(ZipTest, UpdateFreshenDelete) {
  REQUIRE_TOOLS("unzip");
  Put("src/a.mid", "first a");
  Put("src/b.mid", "first b");
  ASSERT_EQ(zip.Run(PackLine("a.zip", "src", "\"a.mid\"")), 0);
  Put("src/a.mid", "second a");
  fs::last_write_time(L("src/a.mid"), fs::file_time_type::clock::now() + std::chrono::hours(1));
  ASSERT_EQ(zip.Run("-f" + PackLine("a.zip", "src", "\"*.mid\"", " -q")), 0);
  EXPECT_EQ(unzip.Names(W("a.zip")), std::vector<std::string>{"a.mid"});
  ASSERT_EQ(zip.Run(PackLine("a.zip", "src", "\"*.mid\"", " -q -u")), 0);
  EXPECT_EQ(unzip.Names(W("a.zip")), (std::vector<std::string>{"a.mid", "b.mid"}));
  ASSERT_EQ(unzip.Run(ExtractLine("a.zip", "out")), 0);
  EXPECT_EQ(TestWorld::ReadFile(L("out/a.mid")), "second a");
  ASSERT_EQ(zip.Run("-d -q  \"" + W("a.zip") + "\" \"a.mid\" "), 0);
  EXPECT_EQ(unzip.Names(W("a.zip")), std::vector<std::string>{"b.mid"});
  std::string out;
  EXPECT_EQ(Sh("unzip -t " + Q(L("a.zip")), &out), 0) << out;
}

TEST_F(ZipTest, PackSwitches) {
  Put("src/a.mid", "a");
  Put("src/x/b.mid", "b");
  Put("src/.hidden.mid", "h");
  const struct {
    const char *switches;
    const char *files;
    std::vector<std::string> names;
  } cases[] = {
      {" -q", "\"*\"", {"a.mid"}},
      {" -q -r", "\"*\"", {"a.mid", "x/", "x/b.mid"}},
      {" -q -r -D", "\"*\"", {"a.mid", "x/b.mid"}},
      {" -q -r -j -D", "\"*\"", {"a.mid", "b.mid"}},
      {" -q -S -r -D", "\"*.mid\"", {".hidden.mid", "a.mid", "x/b.mid"}},
      {" -q -r -D -0", "\"x\"", {"x/b.mid"}},
  };
  for (const auto &c : cases) {
    fs::remove(L("a.zip"));
    ASSERT_EQ(zip.Run(PackLine("a.zip", "src", c.files, c.switches)), 0) << c.switches;
    EXPECT_EQ(unzip.Names(W("a.zip")), c.names) << c.switches;
  }
  EXPECT_STREQ(unzip.Records(W("a.zip"))[0].szMode, "stored");
}

TEST_F(ZipTest, FixesTheOffsetsOfASelfExtractor) {
  REQUIRE_TOOLS("zip", "unzip");
  Put("src/a.txt", "self-extracting");
  ASSERT_EQ(zip.Run(PackLine("a.zip", "src", "\"*\"")), 0);
  // The path comes unquoted: blanks inside it, doubled or at its end, are part of it.
  for (const std::string name : {"a.exe", "two  blanks.exe", "trailing.exe "}) {
    Put(name, std::string(4096, 'S') + TestWorld::ReadFile(L("a.zip")));
    std::string out;
    ASSERT_EQ(zip.Run("-A " + W(name)), 0) << name;
    ASSERT_EQ(Sh("zip -T " + Q(L(name)) + " && unzip -qq -t " + Q(L(name)), &out), 0) << name << out;
    EXPECT_EQ(out.find("warning"), std::string::npos) << out;
  }
}

TEST_F(ZipTest, ResultCodesAndProbing) {
  Put("text.txt", "no archive");
  EXPECT_EQ(unzip.Run(ExtractLine("text.txt", "o")), 0x8019);
  EXPECT_EQ(unzip.Run(ExtractLine("missing.zip", "o")), 0x8018);
  EXPECT_EQ(unzip.Run("-q \"" + W("text.txt") + "\""), 0x801C);
  EXPECT_EQ(unzip.OpenArchive(nullptr, W("text.txt").c_str(), ARC_M_PROBE), nullptr);
  EXPECT_EQ(zip.Run(PackLine("a.zip", "nowhere", "\"*\"")), 0x8031);
  EXPECT_EQ(zip.Run("-d -q  \"" + W("missing.zip") + "\" \"a\" "), 0x8018);
  EXPECT_FALSE(unzip.CheckArchive(W("text.txt").c_str(), 3));
}

}  // namespace
