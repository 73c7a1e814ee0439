#include "keptgames.h"

#include <gtest/gtest.h>

#include <string>

#include "testworld.h"

using testsupport::TestWorld;

namespace {
std::string Settings(const TestWorld &world) { return world.Windows("melodeck.ini"); }
}  // namespace

TEST(KeptGames, TheListAndTheChoiceRoundTripKeepingEveryOtherKey) {
  TestWorld world;
  world.MakePrefix();
  platform::IniFile ini(Settings(world));
  ini.WriteStrings("melodeck", {{"LastConfig", "夏"}, {"Width", "640"}});
  ini.WriteStrings("夏", {{"britain1.mid", "C:\\MIDI\\a.mid"}, {"game", "x"}});
  EXPECT_TRUE(ReadKeptGames(ini).isEmpty());
  EXPECT_EQ(ReadChosenGame(ini), "");

  TestWorld::MakeDirs(world.Linux("uo"));
  const QString uo = QString::fromStdString(world.Windows("uo"));
  EXPECT_TRUE(KeepGame(ini, "C:\\Games\\UO"));
  EXPECT_TRUE(KeepGame(ini, uo));
  EXPECT_FALSE(KeepGame(ini, QString(uo).toUpper() + "\\"));  // the same folder
  EXPECT_FALSE(KeepGame(ini, "c:\\games\\uo"));
  WriteChosenGame(ini, uo);

  platform::IniFile again(Settings(world));
  EXPECT_EQ(ReadKeptGames(again), (QStringList{"C:\\Games\\UO", uo}));
  EXPECT_EQ(ReadChosenGame(again), uo);
  EXPECT_EQ(again.ReadString("melodeck", "LastConfig", ""), "夏");
  EXPECT_EQ(again.ReadString("melodeck", "Width", ""), "640");
  EXPECT_EQ(again.ReadString("夏", "britain1.mid", ""), "C:\\MIDI\\a.mid");
  EXPECT_EQ(again.ReadString("夏", "game", ""), "x");  // a configuration's key of that name is its own

  WriteKeptGames(again, {uo});
  EXPECT_EQ(ReadKeptGames(platform::IniFile(Settings(world))), QStringList{uo});
  EXPECT_FALSE(again.ValueExists("melodeck", "Game2"));
  WriteKeptGames(again, {});
  EXPECT_TRUE(ReadKeptGames(again).isEmpty());
  EXPECT_EQ(ReadChosenGame(again), uo);
  EXPECT_EQ(again.ReadString("melodeck", "LastConfig", ""), "夏");
}

TEST(KeptGames, KeysWrittenByHandAreReadInTheirOrder) {
  const struct {
    const char *what;
    const char *section;
    QStringList folders;
  } cases[] = {
      {"a gap in the numbers", "Game1=C:\\A\r\nGame3=C:\\C\r\n", {"C:\\A", "C:\\C"}},
      {"out of order, other case", "GAME2=C:\\B\r\ngame1=C:\\A\r\n", {"C:\\A", "C:\\B"}},
      {"repeated and empty", "Game1=C:\\A\r\nGame2=c:\\a\r\nGame3=\r\nGame4= C:\\D \r\n", {"C:\\A", "C:\\D"}},
      {"not numbered", "Game=C:\\A\r\nGameX=C:\\B\r\nGame-1=C:\\C\r\nGame99999999999=C:\\D\r\n", {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TestWorld world;
    TestWorld::WriteFile(world.Linux("melodeck.ini"), std::string("[melodeck]\r\n") + c.section);
    platform::IniFile ini(Settings(world));
    EXPECT_EQ(ReadKeptGames(ini), c.folders);
  }
  // Rewriting the list leaves no key that reads as another entry.
  TestWorld world;
  TestWorld::WriteFile(world.Linux("melodeck.ini"),
                       "[melodeck]\r\nGame01=C:\\Old\r\nGame7=C:\\Seven\r\nGame=C:\\A\r\n");
  platform::IniFile ini(Settings(world));
  WriteKeptGames(ini, {"C:\\A", "C:\\B"});
  EXPECT_EQ(ReadKeptGames(ini), (QStringList{"C:\\A", "C:\\B"}));
  EXPECT_EQ(ReadChosenGame(ini), "C:\\A");
}
