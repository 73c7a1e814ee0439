// The archive component over the real libraries: type detection by contents through each
// library's probe, and a package's round trip through TArchiveFile.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "archivefile.h"
#include "detect.h"
#include "library.h"
#include "requirements.h"
#include "worldtest.h"

namespace {

using arctest::Q;
using arctest::Sh;
using arctest::Win;
using namespace archives;
using testsupport::TestWorld;

class ComponentTest : public arctest::WorldTest {
 protected:
  void SetUp() override {
    const char *bin = std::getenv("MELODECK_BIN_DIR");
    TArchiverLibrary::SetSearchFolder(bin ? bin : ".");
  }
  void TearDown() override { TArchiverLibrary::SetSearchFolder(""); }
};

TEST_F(ComponentTest, EveryFormatIsFoundByItsContents) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("jlha", "zip", "gcab", "arj", "tar", "gzip", "bzip2");
  Put("src/a.txt", std::string(2000, 'a'));
  const std::string rar = testsupport::FixturesDir() + "/libarchive/test_read_format_rar_windows.rar";
  const struct {
    std::string make;  // run in src, writes ../<name>
    const char *name;
    TArchiverType type;
  } cases[] = {
      {"jlha aq ../lha.bin a.txt", "lha.bin", atLha},
      {"zip -q ../zip.bin a.txt", "zip.bin", atZip},
      {"gcab -c ../cab.bin a.txt", "cab.bin", atCab},
      {"arj a -y ../arj.bin a.txt >/dev/null && mv ../arj.bin.arj ../arj.bin 2>/dev/null; true", "arj.bin", atArj},
      {"cp " + Q(rar) + " ../rar.bin", "rar.bin", atRar},
      {"tar -cf ../tar.bin a.txt", "tar.bin", atTar},
      {"tar -czf ../tgz.bin a.txt", "tgz.bin", atTgz},
      {"tar -cjf ../bz2.bin a.txt", "bz2.bin", atBZ2},
      {"cp a.txt ../text.bin", "text.bin", atNone},
  };
  for (const auto &c : cases) {
    std::string out;
    ASSERT_EQ(Sh(c.make, &out, L("src")), 0) << c.make << out;
    EXPECT_EQ(ArchiverTypeFromContents(W(c.name)), c.type) << c.name;
  }
}

// A FIFO named as an archive would block a reader forever; every library refuses it at once.
TEST_F(ComponentTest, AFifoIsNoArchive) {
  ASSERT_EQ(mkfifo(L("fifo.lzh").c_str(), 0600), 0);
  const std::pair<const char *, const char *> libraries[] = {{"libunlha32.so", "Unlha"}, {"libunzip32.so", "UnZip"},
                                                             {"libcab32.so", "Cab"},     {"libunarj32j.so", "Unarj"},
                                                             {"libtar32.so", "Tar"},     {"libunrar32.so", "Unrar"}};
  for (const auto &[file, prefix] : libraries) {
    arctest::ArcLib lib(file, prefix);
    EXPECT_EQ(lib.OpenArchive(nullptr, W("fifo.lzh").c_str(), ARC_M_PROBE), nullptr) << file;
  }
  EXPECT_EQ(ArchiverTypeFromContents(W("fifo.lzh")), atNone);
  // Among files to pack it is left out.
  Put("src/a.mid", "a");
  ASSERT_EQ(mkfifo(L("src/b.mid").c_str(), 0600), 0);
  arctest::ArcLib lha("libunlha32.so", "Unlha");
  ASSERT_EQ(lha.Run("a \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *.mid"), 0);
  EXPECT_EQ(lha.Names(W("a.lzh")), std::vector<std::string>{"a.mid"});
}

TEST_F(ComponentTest, APackageGoesOutAndComesBack) {
  REQUIRE_TOOLS("lhasa");
  Put("stage/index.ini", "[曲集]\r\napproach.mid=000\\town.mid\r\n");
  Put("stage/000/town.mid", std::string(9000, 't'));
  TArchiveFile file;
  TArchiverOptions &o = file.Options();
  o.a = 2;
  o.n = 1;
  o.r = 2;
  o.x = 1;
  o.jm = 4;
  file.SetFileName(W("pkg.mdk"));
  file.SetArchiverType(atLha);
  const TStringList all{"*"};
  ASSERT_EQ(file.Pack(nullptr, nullptr, W("stage"), &all), 0);
  std::string listing;
  ASSERT_EQ(Sh("lhasa v " + Q(L("pkg.mdk")), &listing), 0);
  EXPECT_NE(listing.find("-lh7-"), std::string::npos) << listing;

  ASSERT_NE(file.OpenArchive(nullptr, 0), nullptr);
  INDIVIDUALINFO entry;
  std::vector<std::string> names;
  for (int r = file.FindFirst("*", entry); r == 0; r = file.FindNext(entry)) names.emplace_back(entry.szFileName);
  file.CloseArchive();
  EXPECT_EQ(names, (std::vector<std::string>{"000/", "000/town.mid", "index.ini"}));

  const TStringList index{"index.ini"};
  ASSERT_EQ(file.Extract(nullptr, nullptr, W("work"), &index), 0);
  EXPECT_EQ(arctest::Tree(L("work")).size(), 1u);
  ASSERT_EQ(file.Extract(nullptr, nullptr, W("Package/000"), &all), 0);
  EXPECT_EQ(arctest::Tree(L("Package/000")), arctest::Tree(L("stage")));
}

}  // namespace
