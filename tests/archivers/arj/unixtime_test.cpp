// ARJ archives made on Unix keep a Unix time where MS-DOS hosts keep an MS-DOS date: both
// list, and extract, as the same local time.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "arclib.h"
#include "testworld.h"

namespace {

using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

struct Stamp {
  const char *local;  // as touch -d reads it
  int year, month, day, hour, minute, second;
};

class ArjTimeTest : public testing::TestWithParam<Stamp> {
 protected:
  ArjTimeTest() : lib("libunarj32j.so", "Unarj") {}
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  TestWorld world;
  arctest::ArcLib lib;
};

TEST_P(ArjTimeTest, UnixHostTimeListsAsLocalDosTime) {
  const Stamp &s = GetParam();
  TestWorld::MakeDirs(L("src"));
  TestWorld::WriteFile(L("src/song.mid"), "MThd and some notes");
  std::string out;
  ASSERT_EQ(
      Sh(std::string("touch -d '") + s.local + "' song.mid && arj a -y " + Q(L("a.arj")) + " song.mid", &out, L("src")),
      0)
      << out;
  // arj built for Unix marks its entries with host OS 2 (Unix).
  const auto records = lib.Records(Win(L("a.arj")));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].uOSType, 2u);
  const unsigned date = (s.year - 1980) << 9 | s.month << 5 | s.day;
  const unsigned time = s.hour << 11 | s.minute << 5 | s.second / 2;
  EXPECT_EQ(records[0].wDate, date);
  EXPECT_EQ(records[0].wTime, time);

  ASSERT_EQ(lib.Run("x \"" + Win(L("a.arj")) + "\" \"" + Win(L("out")) + "\\\""), 0);
  struct stat st {};
  ASSERT_EQ(stat(L("out/song.mid").c_str(), &st), 0);
  std::tm tm{};
  const std::time_t t = st.st_mtime;
  localtime_r(&t, &tm);
  EXPECT_EQ(tm.tm_year + 1900, s.year);
  EXPECT_EQ(tm.tm_mon + 1, s.month);
  EXPECT_EQ(tm.tm_mday, s.day);
  EXPECT_EQ(tm.tm_hour, s.hour);
  EXPECT_EQ(tm.tm_min, s.minute);
  EXPECT_EQ(tm.tm_sec / 2, s.second / 2);
}

INSTANTIATE_TEST_SUITE_P(Stamps, ArjTimeTest,
                         testing::Values(Stamp{"2010-01-01 00:00:00", 2010, 1, 1, 0, 0, 0},
                                         Stamp{"2023-07-15 13:45:58", 2023, 7, 15, 13, 45, 58},
                                         Stamp{"1999-12-31 23:59:58", 1999, 12, 31, 23, 59, 58}));

}  // namespace
