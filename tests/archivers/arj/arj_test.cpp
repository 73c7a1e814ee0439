// libunarj32j.so over archives that the arj program makes with each of its methods.
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

std::string Tune(size_t bytes, unsigned seed) {
  std::string out;
  unsigned x = seed;
  while (out.size() < bytes) {
    x = x * 1103515245u + 12345u;
    out += static_cast<char>(0x90);
    out += static_cast<char>(40 + (x >> 16) % 24);
    if ((x >> 8) % 5 == 0) out += "chorus and verse ";
  }
  out.resize(bytes);
  return out;
}

class ArjTest : public testing::Test {
 protected:
  ArjTest() : lib("libunarj32j.so", "Unarj") {}
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  std::string W(const std::string &rel) const { return Win(world.Linux(rel)); }
  void Put(const std::string &rel, const std::string &data) {
    const auto slash = rel.find_last_of('/');
    if (slash != std::string::npos) TestWorld::MakeDirs(L(rel.substr(0, slash)));
    TestWorld::WriteFile(L(rel), data);
  }
  // The ARJ driver's extraction line for the main window's options.
  std::string Line(const std::string &archive, const std::string &folder, const std::string &files = "") const {
    return "x -+ -a2 -n1 -r2 -x1 -jm4  \"" + W(archive) + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  TestWorld world;
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
  ASSERT_EQ(Sh("arj a -r -y " + method + " " + Q(L("a.arj")) + " town.mid sub/小さい.txt empty random.bin", &out,
               L("src")),
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

// Stored entries with any names, written the way the format lays them out.
TEST_F(ArjTest, HostileNamesStayInside) {
  Put("make.py",
      "import struct,zlib,sys\n"
      "def hdr(first,name,ftype,size=0,crc=0):\n"
      "  b=bytes([first,11,1,0,0,0,ftype,0])+struct.pack('<IIIIHHH',0x5a210000,size,size,crc,0,0x20,0)\n"
      "  b=b+b'\\0'*(first-len(b))+name+b'\\0\\0'\n"
      "  return b'\\x60\\xea'+struct.pack('<H',len(b))+b+struct.pack('<I',zlib.crc32(b))+b'\\0\\0'\n"
      "out=hdr(30,b'evil.arj',2)\n"
      "for n in [b'../x',b'/abs_melodeck_arj',b'C:\\\\drive',b'a\\\\..\\\\..\\\\y',b'fine.txt']:\n"
      "  d=b'payload'; out+=hdr(30,n,0,len(d),zlib.crc32(d))+d\n"
      "out+=b'\\x60\\xea\\0\\0'\n"
      "open(sys.argv[1],'wb').write(out)\n");
  std::string out;
  TestWorld::MakeDirs(L("box/dest"));
  ASSERT_EQ(Sh("python3 " + Q(L("make.py")) + " " + Q(L("box/evil.arj")), &out), 0) << out;
  EXPECT_EQ(lib.Run(Line("box/evil.arj", "box/dest")), 0x802B);
  std::vector<std::string> names;
  for (const auto &[n, d] : arctest::Tree(L("box/dest"))) names.push_back(n);
  EXPECT_EQ(names, (std::vector<std::string>{"abs_melodeck_arj", "drive", "fine.txt"}));
  EXPECT_FALSE(fs::exists("/abs_melodeck_arj"));
  size_t count = 0;
  for (const auto &e : fs::directory_iterator(L("box"))) count += e.path().filename() != "dest";
  EXPECT_EQ(count, 1u);
}

}  // namespace
