// Packages: the export's pack line and the import's extraction lines, checked with the peers.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "lhatest.h"

namespace lhatest {
namespace {

class PackageTest : public LhaLibTest {
 protected:
  void SetUp() override {
    Put("stage/index.ini", "[曲集]\r\napproach.mid=town.mid\r\nbritain1.mid=000\\town.mid\r\n");
    Put("stage/town.mid", Tune(30000, 1));
    Put("stage/000/town.mid", Tune(20000, 2));
    Put("stage/日本語の曲.mid", Tune(5000, 3));
    Put("stage/songs.lzh", std::string(3000, '\0'));
  }
  // The line the archive component builds for a package export.
  std::string ExportLine() const {
    return "u -+ -a2 -n1 -r2 -x1 -jm4  \"" + W("pkg.mdk") + "\" \"" + W("stage") + "\\\" \"*\" ";
  }
  std::string ImportLine(const std::string &folder, const std::string &file) const {
    return "x -+ -a2 -n1 -r2 -x1 -jm4  \"" + W("pkg.mdk") + "\" \"" + W(folder) + "\\\" \"" + file + "\" ";
  }
};

TEST_F(PackageTest, ExportLinePacksTheTreeWithLh7ForThePeers) {
  REQUIRE_TOOLS("lhasa", "bsdtar", "lsar");
  std::string output;
  ASSERT_EQ(lib.Run(ExportLine(), &output), 0) << output;

  std::string listing;
  ASSERT_EQ(Sh("lhasa v " + Q(L("pkg.mdk")), &listing), 0) << listing;
  EXPECT_NE(listing.find("-lh7-"), std::string::npos) << listing;
  EXPECT_EQ(listing.find("-lh5-"), std::string::npos) << listing;

  TestWorld::MakeDirs(L("by_lhasa"));
  ASSERT_EQ(Sh("lhasa xqf " + Q(L("pkg.mdk")), &output, L("by_lhasa")), 0) << output;
  EXPECT_EQ(arctest::Tree(L("by_lhasa")), arctest::Tree(L("stage")));

  TestWorld::MakeDirs(L("by_bsdtar"));
  ASSERT_EQ(Sh("bsdtar -xf " + Q(L("pkg.mdk")) + " --options hdrcharset=CP932", &output, L("by_bsdtar")), 0) << output;
  EXPECT_EQ(arctest::Tree(L("by_bsdtar")), arctest::Tree(L("stage")));

  ASSERT_EQ(Sh("lsar -e shift_jis -t " + Q(L("pkg.mdk")), &output), 0) << output;  // lsar checks every CRC
  EXPECT_NE(output.find("日本語の曲.mid"), std::string::npos) << output;
}

TEST_F(PackageTest, ImportLinesRestoreTheIndexAloneThenEverything) {
  ASSERT_EQ(lib.Run(ExportLine()), 0);
  ASSERT_EQ(lib.Run(ImportLine("work", "index.ini")), 0);
  const auto work = arctest::Tree(L("work"));
  ASSERT_EQ(work.size(), 1u);
  EXPECT_EQ(work[0].first, "index.ini");

  ASSERT_EQ(lib.Run(ImportLine("Package/000", "*")), 0);
  EXPECT_EQ(arctest::Tree(L("Package/000")), arctest::Tree(L("stage")));
}

TEST_F(PackageTest, ExportOverAnExistingPackageReplacesIt) {
  Put("pkg.mdk", "an old package that is no archive at all");
  // The old file is no LHA archive: the update refuses to rewrite what it cannot read.
  EXPECT_EQ(lib.Run(ExportLine()), 0x8019);
  std::remove(L("pkg.mdk").c_str());
  ASSERT_EQ(lib.Run(ExportLine()), 0);
  Put("stage/town.mid", "changed");
  // Newer files replace their entries; the rest stays as it was.
  std::filesystem::last_write_time(L("stage/town.mid"),
                                   std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  ASSERT_EQ(lib.Run(ExportLine()), 0);
  ASSERT_EQ(lib.Run(ImportLine("again", "*")), 0);
  EXPECT_EQ(arctest::Tree(L("again")), arctest::Tree(L("stage")));
}

}  // namespace
}  // namespace lhatest
