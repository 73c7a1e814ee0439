// A settings file with lines that can't be read is said once, kept as it was before anything
// writes it, and its damaged lines stay in it.
#include "damagedsettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/inifile.h"
#include "qtcore/qstr.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(13, 15, 0));

struct DamageCase {
  const char *what;
  std::string bytes;
  std::vector<int> lines;  // empty: the file is whole
};

TEST(DamagedSettings, DamagedLinesAreToldOnceAndTheFileIsKeptAsItWas) {
  const DamageCase cases[] = {
      {"whole", "[Town]\r\napproach.mid=C:\\a.mid\r\n; a comment\r\n\r\n[melodeck]\r\nLastConfig=Town\r\n", {}},
      {"garbage", std::string("\x7f\x45\x4c\x46\x02\x01\r\nxq#", 10) + "\r\n", {1, 2}},
      {"a byte code page 932 can't decode",
       "[Town]\r\napproach.mid=C:\\\xa0\xa0.mid\r\nbritain1.mid=C:\\b.mid\r\n",
       {2}},
      {"cut inside a character", "[Town]\r\napproach.mid=C:\\a.mid\r\nbritain1.mid=C:\\\x82", {3}},
      {"cut before its value", "[Town]\r\napproach.mid=C:\\a.mid\r\nbritain1.m", {3}},
  };
  for (const DamageCase &c : cases) {
    TestWorld world;
    TestWorld::MakeDirs(world.Linux("prog"));
    const std::string file = world.Linux("prog/melodeck.ini");
    TestWorld::WriteFile(file, c.bytes);
    const QString path = platform::QS(world.Windows("prog/melodeck.ini"));
    const auto damaged = KeepDamagedSettings(path, true, kWhen);
    if (c.lines.empty()) {
      EXPECT_FALSE(damaged) << c.what;
      EXPECT_FALSE(TestWorld::Exists(world.Linux("prog/melodeck_20261207-131500.ini"))) << c.what;
      continue;
    }
    ASSERT_TRUE(damaged) << c.what;
    EXPECT_EQ(damaged->Lines, c.lines) << c.what;
    EXPECT_EQ(damaged->KeptAs, platform::QS(world.Windows("prog/melodeck_20261207-131500.ini"))) << c.what;
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("prog/melodeck_20261207-131500.ini")), c.bytes) << c.what;

    // Told once: not again, also after the program wrote the file (the damaged lines stay).
    platform::IniFile(world.Windows("prog/melodeck.ini")).WriteString("melodeck", "LastConfig", "Town");
    EXPECT_FALSE(KeepDamagedSettings(path, true, kWhen.addSecs(60))) << c.what;
    EXPECT_FALSE(TestWorld::Exists(world.Linux("prog/melodeck_20261207-131600.ini"))) << c.what;
    const std::string now = TestWorld::ReadFile(file);
    EXPECT_NE(now.find("LastConfig=Town"), std::string::npos) << c.what;
    EXPECT_NE(now.find(c.bytes.substr(c.bytes.rfind('\n') + 1)), std::string::npos)
        << c.what << ": a damaged line lost";
  }
}

// A command that writes nothing says so without keeping a copy, and says it again next time.
TEST(DamagedSettings, ACallerThatWritesNothingKeepsNoCopy) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("prog"));
  TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "[Town]\r\nnoise\r\n");
  const QString path = platform::QS(world.Windows("prog/melodeck.ini"));
  for (int time = 0; time < 2; ++time) {
    const auto damaged = KeepDamagedSettings(path, false, kWhen);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->Lines, std::vector<int>{2});
    EXPECT_TRUE(damaged->KeptAs.isEmpty());
  }
  EXPECT_FALSE(TestWorld::Exists(world.Linux("prog/melodeck_20261207-131500.ini")));
}

}  // namespace
