#include "filefilter.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "earchiver.h"
#include "fakearchivers.h"
#include "testworld.h"

using namespace archives;
using testsupport::TestWorld;

namespace {

// Files written at fixed local times (in a pinned time zone), in their own world; the
// current folder is the world's root while the test runs.
class ExpandFiles : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
  }

  // Makes a file at the local time YYYY-MM-DD hh:mm:ss.
  void Make(const std::string &relative, int y, int mo, int d, int h = 12, int mi = 0, int s = 0) {
    const size_t slash = relative.rfind('/');
    if (slash != std::string::npos) TestWorld::MakeDirs(world.Linux(relative.substr(0, slash)));
    TestWorld::WriteFile(world.Linux(relative), relative);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    const timespec times[2] = {{mktime(&tm), 0}, {mktime(&tm), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, world.Linux(relative).c_str(), times, 0), 0);
  }

  // A Windows path below the world's root, "\\" between levels; may hold wildcards.
  std::string W(const std::string &relative) { return world.Windows("") + "\\" + relative; }

  TestWorld world;
  archivetest::InFolder here{world.Root()};
};

}  // namespace

TEST_F(ExpandFiles, DateLimitsAreLocalTimes) {
  Make("before.mid", 2000, 12, 31, 23, 59, 59);
  Make("newyear.mid", 2001, 1, 1, 0, 0, 0);
  Make("later.mid", 2001, 6, 1);
  Make("ninetynine.mid", 1999, 1, 1);
  struct Case {
    const char *jo;
    std::string job;
    std::vector<std::string> expected;
  } cases[] = {
      {"010101", kUnset, {"later.mid", "newyear.mid"}},
      {"", "010101", {"before.mid", "ninetynine.mid"}},  // the upper limit is excluded
      {"001231235959", "010601120000", {"before.mid", "newyear.mid"}},
      {"990101", kUnset, {"before.mid", "later.mid", "newyear.mid", "ninetynine.mid"}},  // 1999
      {"0101", kUnset, {"before.mid", "later.mid", "newyear.mid", "ninetynine.mid"}},    // no limit
  };
  for (const auto &c : cases) {
    TArchiverOptions o;
    o.jo = c.jo;
    o.job = c.job;
    EXPECT_EQ(ExpandFileList(o, nullptr), c.expected) << c.jo << " " << c.job;
  }
}

TEST_F(ExpandFiles, LinesWildcardsFoldersAndRecursion) {
  Make("a.mid", 2020, 1, 1);
  Make("b.txt", 2020, 1, 1);
  Make(".hidden.mid", 2020, 1, 1);
  Make("sub/c.mid", 2020, 1, 1);
  Make("sub/deep/d.mid", 2020, 1, 1);
  Make("sub/.dot/e.mid", 2020, 1, 1);
  struct Case {
    const char *what;
    int a, r, p;
    std::vector<std::string> lines;
    std::vector<std::string> expected;
  } cases[] = {
      {"one folder, no hidden", -1, -1, -1, {W("*.mid")}, {W("a.mid")}},
      {"hidden with a > 0", 1, -1, -1, {W("*.mid")}, {W(".hidden.mid"), W("a.mid")}},
      {"recursion into every folder, hidden ones too",
       -1,
       1,
       -1,
       {W("sub\\*.mid")},
       {W("sub\\.dot\\e.mid"), W("sub\\c.mid"), W("sub\\deep\\d.mid")}},
      {"r > 1 takes a folder line whole", -1, 2, -1, {W("sub\\deep")}, {W("sub\\deep\\d.mid")}},
      {"r = 1 takes a folder line as a name", -1, 1, -1, {W("sub\\deep")}, {}},
      {"p > 0 stops at a plain name", -1, 1, 1, {W("sub\\c.mid")}, {W("sub\\c.mid")}},
      {"without p a plain name is looked for below too", -1, 1, -1, {W("sub\\d.mid")}, {W("sub\\deep\\d.mid")}},
      {"sorted without case, each once", -1, -1, -1, {W("B.TXT"), W("a.mid"), W("a.mid")}, {W("a.mid"), W("b.txt")}},
  };
  for (const auto &c : cases) {
    TArchiverOptions o;
    o.a = static_cast<int8_t>(c.a);
    o.r = static_cast<int8_t>(c.r);
    o.p = static_cast<int8_t>(c.p);
    EXPECT_EQ(ExpandFileList(o, &c.lines), c.expected) << c.what;
  }
}

TEST_F(ExpandFiles, EmptyListMeansTheCurrentFolderAndTheOptionsAreSpent) {
  Make("x.mid", 2020, 1, 1);
  Make("y.mid", 2020, 1, 1);
  TArchiverOptions o;
  o.r = 0;
  o.jo = "";
  o.job = "210101";
  o.p = 0;
  o.a = 2;
  const TStringList none;
  EXPECT_EQ(ExpandFileList(o, &none), (TStringList{"x.mid", "y.mid"}));
  EXPECT_EQ(o.r, -1);
  EXPECT_EQ(o.jo, kUnset);
  EXPECT_EQ(o.job, kUnset);
  EXPECT_EQ(o.p, 1);
  EXPECT_EQ(o.a, 2);
}

TEST_F(ExpandFiles, BadDateRaisesAndLeavesTheOptions) {
  for (const char *bad : {"01x101", "011301", "010230", "010101250000"}) {
    TArchiverOptions o;
    o.jo = bad;
    o.r = 1;
    EXPECT_THROW(ExpandFileList(o, nullptr), EArchiver) << bad;
    EXPECT_EQ(o.r, 1);
    EXPECT_EQ(o.jo, bad);
  }
}

TEST_F(ExpandFiles, LinkLoopEnds) {
  Make("loop/a.mid", 2020, 1, 1);
  ASSERT_EQ(symlink(world.Linux("loop").c_str(), world.Linux("loop/again").c_str()), 0);
  TArchiverOptions o;
  o.r = 1;
  const TStringList lines{W("loop\\*.mid")};
  EXPECT_EQ(ExpandFileList(o, &lines), (TStringList{W("loop\\a.mid")}));
}
