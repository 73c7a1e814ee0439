// libtar32.so with GNU tar, bsdtar, gzip, bzip2 and Python's tarfile as oracles.
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

class TarTest : public testing::Test {
 protected:
  TarTest() : lib("libtar32.so", "Tar") {
    type = reinterpret_cast<ArcGetArchiveTypeFn>(lib.Symbol("TarGetArchiveType"));
  }
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  std::string W(const std::string &rel) const { return Win(world.Linux(rel)); }
  void Put(const std::string &rel, const std::string &data) {
    const auto slash = rel.find_last_of('/');
    if (slash != std::string::npos) TestWorld::MakeDirs(L(rel.substr(0, slash)));
    TestWorld::WriteFile(L(rel), data);
  }
  // The TAR drivers' line for the main window's options (a=2, n=1, x=1, jm=4).
  std::string Line(const char *letter, const std::string &compression, const std::string &archive,
                   const std::string &folder, const std::string &files) const {
    return std::string(letter) + " -AH --display-dialog=0 --use-directory=1" + compression + "  -f \"" + W(archive) +
           "\" -o \"" + W(folder) + "\\\" " + files + " ";
  }
  TestWorld world;
  arctest::ArcLib lib;
  ArcGetArchiveTypeFn type = nullptr;
};

TEST_F(TarTest, ArchiveTypes) {
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

TEST_F(TarTest, HostileEntriesStayInside) {
  TestWorld::MakeDirs(L("box/dest"));
  TestWorld::MakeDirs(L("box/outside"));
  Put("make.py",
      "import tarfile,io,sys\n"
      "t=tarfile.open(sys.argv[1],'w')\n"
      "def add(n,data=b'payload',**kw):\n"
      "  i=tarfile.TarInfo(n); i.size=len(data)\n"
      "  for k,v in kw.items(): setattr(i,k,v)\n"
      "  t.addfile(i,io.BytesIO(data) if i.isreg() else None)\n"
      "for n in ['../x','/abs_melodeck_tar','a/../../y','fine.txt']: add(n)\n"
      "add('link',type=tarfile.SYMTYPE,linkname='../outside',size=0)\n"
      "add('link/escape.txt')\n"
      "add('hard',type=tarfile.LNKTYPE,linkname='../outside/h',size=0)\n"
      "add('fifo',type=tarfile.FIFOTYPE,size=0)\n");
  std::string out;
  ASSERT_EQ(Sh("python3 " + Q(L("make.py")) + " " + Q(L("box/evil.tar")), &out), 0) << out;
  EXPECT_NE(lib.Run(Line("x", "", "box/evil.tar", "box/dest", "")), 0);
  EXPECT_TRUE(fs::is_empty(L("box/outside")));
  EXPECT_FALSE(fs::exists("/abs_melodeck_tar"));
  std::vector<std::string> names;
  for (const auto &e : fs::recursive_directory_iterator(L("box/dest"))) {
    EXPECT_FALSE(e.is_symlink()) << e.path();
    if (e.is_regular_file()) names.push_back(fs::relative(e.path(), L("box/dest")).string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"abs_melodeck_tar", "fine.txt", "link/escape.txt"}));
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
