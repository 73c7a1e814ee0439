// libtar32.so with GNU tar, bsdtar, gzip, bzip2 and Python's tarfile as oracles.
#include <gtest/gtest.h>

#include <filesystem>

#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Q;
using arctest::Sh;
using testsupport::TestWorld;

class TarTest : public arctest::WorldTest {
 protected:
  TarTest() : lib("libtar32.so", "Tar") {
    type = reinterpret_cast<ArcGetArchiveTypeFn>(lib.Symbol("TarGetArchiveType"));
  }
  // The TAR drivers' line for the main window's options (a=2, n=1, x=1, jm=4).
  std::string Line(const char *letter, const std::string &compression, const std::string &archive,
                   const std::string &folder, const std::string &files) const {
    return std::string(letter) + " -AH --display-dialog=0 --use-directory=1" + compression + "  -f \"" + W(archive) +
           "\" -o \"" + W(folder) + "\\\" " + files + " ";
  }
  arctest::ArcLib lib;
  ArcGetArchiveTypeFn type = nullptr;
};

TEST_F(TarTest, ArchiveTypes) {
  REQUIRE_TOOLS("tar", "bsdtar", "gzip", "bzip2", "zip");
  Put("src/a.txt", std::string(3000, 'a'));
  Put("plain.txt", "not an archive at all, not even close");
  const struct {
    const char *make;  // run in src
    const char *file;
    int type;
  } cases[] = {
      {"tar -cf ../x.tar a.txt", "x.tar", 1},
      {"tar -czf ../x.tar.gz a.txt", "x.tar.gz", 2},
      {"bsdtar -cZf ../x.tar.Z a.txt", "x.tar.Z", 3},
      {"gzip -c a.txt > ../a.txt.gz", "a.txt.gz", 4},
      {"tar -cjf ../x.tar.bz2 a.txt", "x.tar.bz2", 6},
      {"bzip2 -c a.txt > ../a.txt.bz2", "a.txt.bz2", 7},
      {"zip -q ../x.zip a.txt", "x.zip", 0},
      {"true", "plain.txt", 0},
      {"true", "missing.tar", 0},
  };
  ASSERT_TRUE(type);
  for (const auto &c : cases) {
    std::string out;
    ASSERT_EQ(Sh(c.make, &out, L("src")), 0) << c.make << out;
    if (!*c.file) continue;
    EXPECT_EQ(type(W(c.file).c_str()), c.type) << c.file;
  }
}

struct PackCase {
  const char *compression;
  const char *archive;
  int type;
};

class TarPackTest : public TarTest, public testing::WithParamInterface<PackCase> {};

TEST_P(TarPackTest, PacksWhatTheToolsRestore) {
  REQUIRE_TOOLS("bsdtar");
  Put("src/town.mid", std::string(30000, 't') + "end");
  Put("src/曲/日本語.mid", "japanese");
  Put("src/.hidden", "kept with -AH");
  ASSERT_EQ(lib.Run(Line("c", GetParam().compression, GetParam().archive, "src", "\"*\"")), 0);
  EXPECT_EQ(type(W(GetParam().archive).c_str()), GetParam().type);
  TestWorld::MakeDirs(L("theirs"));
  std::string out;
  ASSERT_EQ(Sh("bsdtar -xf " + Q(L(GetParam().archive)), &out, L("theirs")), 0) << out;
  EXPECT_EQ(arctest::Tree(L("theirs")), arctest::Tree(L("src")));
  ASSERT_EQ(lib.Run(Line("x", GetParam().compression, GetParam().archive, "ours", "")), 0);
  EXPECT_EQ(arctest::Tree(L("ours")), arctest::Tree(L("src")));
  std::vector<std::string> names = lib.Names(W(GetParam().archive));
  EXPECT_NE(std::find(names.begin(), names.end(), "曲/日本語.mid"), names.end());
}

INSTANTIATE_TEST_SUITE_P(Kinds, TarPackTest,
                         testing::Values(PackCase{"", "a.tar", 1}, PackCase{" -z4", "a.tgz", 2},
                                         PackCase{" -z", "a.tar.gz", 2}, PackCase{" -B9", "a.tar.bz2", 6},
                                         PackCase{"", "a.taz", 3}));

TEST_F(TarTest, ExtractsWhatGnuTarMakes) {
  REQUIRE_TOOLS("tar", "gzip");
  Put("src/dir/日本.txt", "utf-8 name");
  Put("src/b.bin", std::string(100000, '\x01'));
  std::string out;
  ASSERT_EQ(Sh("tar -cjf ../g.tar.bz2 dir b.bin", &out, L("src")), 0) << out;
  ASSERT_EQ(lib.Run(Line("x", "", "g.tar.bz2", "out", "\"dir\"")), 0);
  EXPECT_TRUE(TestWorld::Exists(L("out/dir/日本.txt")));
  EXPECT_FALSE(TestWorld::Exists(L("out/b.bin")));
  ASSERT_EQ(lib.Run("x --use-directory=0 -f \"" + W("g.tar.bz2") + "\" -o \"" + W("flat") + "\\\""), 0);
  EXPECT_TRUE(TestWorld::Exists(L("flat/日本.txt")));
  // A gzip file holding no tar extracts as the one file it holds.
  ASSERT_EQ(Sh("gzip -c b.bin > ../b.bin.gz", &out, L("src")), 0);
  ASSERT_EQ(lib.Run(Line("x", "", "b.bin.gz", "single", "")), 0);
  EXPECT_EQ(TestWorld::ReadFile(L("single/b.bin")), TestWorld::ReadFile(L("src/b.bin")));
}

// One byte flipped in the compressed data: in the middle (the data may still unpack), or in
// bzip2's stream CRC at the very end. Nothing whose data the check did not cover is kept.
TEST_F(TarTest, RefusesAStreamWhoseChecksumFails) {
  REQUIRE_TOOLS("tar", "gzip", "bzip2", "head");
  Put("src/a.mid", "a small tune first");
  std::string out;
  // Random data: gzip stores it, so the flipped byte changes only the data and the CRC.
  ASSERT_EQ(Sh("head -c 60000 /dev/urandom > b.mid", &out, L("src")), 0) << out;
  const struct {
    const char *make;  // run in src
    const char *archive;
    const char *check;  // the compressor's own test
    const char *extracted;
    size_t fromEnd;  // where the flipped byte is; 0: the middle
  } cases[] = {
      {"tar -cf - a.mid b.mid | gzip -1 > ../x.tgz", "x.tgz", "gzip -t", "a.mid", 0},
      {"tar -cjf ../x.tar.bz2 a.mid b.mid", "x.tar.bz2", "bzip2 -t", "a.mid", 0},
      {"tar -cjf ../y.tar.bz2 a.mid b.mid", "y.tar.bz2", "bzip2 -t", "a.mid", 3},
      {"gzip -1 -c b.mid > ../b.mid.gz", "b.mid.gz", "gzip -t", "b.mid", 0},
      {"bzip2 -c b.mid > ../b.mid.bz2", "b.mid.bz2", "bzip2 -t", "b.mid", 0},
  };
  for (const auto &c : cases) {
    ASSERT_EQ(Sh(c.make, &out, L("src")), 0) << c.make << out;
    const std::string intact = std::string("intact/") + c.archive;
    TestWorld::MakeDirs(L("intact"));
    fs::copy_file(L(c.archive), L(intact), fs::copy_options::overwrite_existing);
    std::string bytes = TestWorld::ReadFile(L(c.archive));
    bytes[c.fromEnd ? bytes.size() - c.fromEnd : bytes.size() / 2] ^= 0x10;
    Put(c.archive, bytes);
    ASSERT_NE(Sh(std::string(c.check) + " " + Q(L(c.archive)), &out), 0) << c.archive;

    EXPECT_EQ(lib.Run(Line("x", "", intact, "good", "")), 0) << intact;
    EXPECT_TRUE(TestWorld::ReadFile(L(std::string("good/") + c.extracted)) ==
                TestWorld::ReadFile(L(std::string("src/") + c.extracted)))
        << intact;
    EXPECT_EQ(lib.CheckArchive(W(intact).c_str(), 3), 1) << intact;

    const std::string dest = std::string("out-") + c.archive;
    EXPECT_EQ(lib.Run(Line("x", "", c.archive, dest, "")), 0x800C) << c.archive;
    EXPECT_TRUE(!fs::exists(L(dest)) || fs::is_empty(L(dest))) << c.archive;
    EXPECT_EQ(lib.CheckArchive(W(c.archive).c_str(), 3), 0) << c.archive;
    EXPECT_EQ(lib.Run("t -f \"" + W(c.archive) + "\""), 0x800C) << c.archive;
    fs::remove_all(L("good"));
  }
}

// Damage the tar reader never reaches: it stops at the tar's end, before the gzip trailer and
// before whatever a later member holds. A multi-member file is one tar split in two, each part
// compressed on its own; the random data of b.mid is stored, so a flipped byte changes only
// the data and the member's CRC.
TEST_F(TarTest, RefusesAStreamDamagedPastTheTarsEnd) {
  REQUIRE_TOOLS("tar", "gzip", "head", "tail");
  Put("src/a.mid", "a small tune first");
  std::string out;
  ASSERT_EQ(Sh("head -c 60000 /dev/urandom > b.mid && tar -cf ../x.tar a.mid b.mid", &out, L("src")), 0) << out;
  ASSERT_EQ(Sh("gzip -1 -c x.tar > one.tgz && "
               "{ head -c 10240 x.tar | gzip -1; tail -c +10241 x.tar | gzip -1; } > two.tgz",
               &out, world.Root()),
            0)
      << out;
  const struct {
    const char *name;
    const char *archive;
    size_t cut;     // bytes taken off the end
    size_t flipAt;  // from the end: the byte flipped; 0: none
  } cases[] = {
      {"cut inside the trailer's length", "one.tgz", 2, 0},       // the data and its CRC whole
      {"cut inside the trailer's CRC", "one.tgz", 6, 0},          // the data whole
      {"trailer's CRC damaged", "one.tgz", 0, 6},                 // the data whole
      {"second member's data damaged", "two.tgz", 0, 20000},      // b.mid's last bytes
      {"second member's CRC damaged", "two.tgz", 0, 6},           // its data whole
      {"second member cut inside its trailer", "two.tgz", 3, 0},  // its data whole
  };
  for (const auto &c : cases) {
    const std::string intact = TestWorld::ReadFile(L(c.archive));
    Put("intact.tgz", intact);
    ASSERT_EQ(lib.Run(Line("x", "", "intact.tgz", "good", "")), 0) << c.name;
    EXPECT_TRUE(TestWorld::ReadFile(L("good/b.mid")) == TestWorld::ReadFile(L("src/b.mid"))) << c.name;
    fs::remove_all(L("good"));

    std::string bytes = intact.substr(0, intact.size() - c.cut);
    if (c.flipAt) bytes[bytes.size() - c.flipAt] ^= 0x10;
    Put("bad.tgz", bytes);
    ASSERT_NE(Sh("gzip -t " + Q(L("bad.tgz")), &out), 0) << c.name;
    EXPECT_EQ(lib.Run(Line("x", "", "bad.tgz", "out", "")), 0x800C) << c.name;
    EXPECT_TRUE(!fs::exists(L("out")) || fs::is_empty(L("out"))) << c.name;
    EXPECT_EQ(lib.Run("t -f \"" + W("bad.tgz") + "\""), 0x800C) << c.name;
    EXPECT_EQ(lib.CheckArchive(W("bad.tgz").c_str(), 3), 0) << c.name;
    fs::remove_all(L("out"));
  }
}

TEST_F(TarTest, ResultCodes) {
  Put("plain.txt", "no archive here, just words");
  EXPECT_EQ(lib.Run(Line("x", "", "plain.txt", "o", "")), 0x8019);
  EXPECT_EQ(lib.Run(Line("x", "", "missing.tar", "o", "")), 0x8018);
  EXPECT_EQ(lib.Run("q -f \"" + W("a.tar") + "\""), 0x801C);
  EXPECT_EQ(lib.Run("x -f"), 0x801C);
  EXPECT_EQ(lib.Run(Line("c", "", "new.tar", "nothing", "\"*\"")), 0x8031);
  EXPECT_EQ(lib.OpenArchive(nullptr, W("plain.txt").c_str(), ARC_M_PROBE), nullptr);
}

}  // namespace
