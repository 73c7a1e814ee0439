#include "registeredgames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/winpath.h"
#include "testworld.h"

using testsupport::FakeDigitalGame;
using testsupport::FakePrefixOptions;
using testsupport::TestWorld;

namespace {

constexpr char kClassic[] = "C:\\Program Files (x86)\\Electronic Arts\\Ultima Online Classic";
constexpr char kMidi[] = "C:\\Program Files\\Ultima Online";

FakeDigitalGame Digital(void (*change)(FakeDigitalGame &) = nullptr) {
  FakeDigitalGame g;
  if (change) change(g);
  return g;
}

FakePrefixOptions Prefix(bool midi, std::vector<FakeDigitalGame> games, bool win64 = false) {
  FakePrefixOptions o;
  o.firstClient = o.firstExe = o.firstMusic = midi;
  o.digitalGames = std::move(games);
  o.win64 = win64;
  return o;
}

struct Expected {
  const char *folder;
  const char *digital;  // the digital music folder, as spelled on disk; "" none
  bool midi;
  const char *name;
};

}  // namespace

TEST(RegisteredGames, FoundInEitherHiveWithTheirMusicSets) {
  const char *classicDigital = "C:\\Program Files (x86)\\Electronic Arts\\Ultima Online Classic\\Music\\Digital";
  const struct {
    const char *what;
    FakePrefixOptions options;
    std::vector<Expected> games;
    void (*change)(const std::string &prefix) = nullptr;  // after the prefix is made
  } cases[] = {
      {"Classic Client, 32-bit prefix",
       Prefix(false, {Digital()}),
       {{kClassic, classicDigital, false, "Ultima Online Classic"}}},
      {"Classic Client, 64-bit prefix", Prefix(false, {Digital()}, true), {{kClassic, classicDigital, false, nullptr}}},
      {"Classic Client in HKEY_CURRENT_USER only",
       Prefix(false, {Digital([](auto &g) { g.hive = FakeDigitalGame::User; })}, true),
       {{kClassic, classicDigital, false, nullptr}}},
      {"Stygian Abyss",
       Prefix(false, {Digital([](auto &g) {
                g.key = "Software\\Electronic Arts\\EA Games\\Ultima Online Stygian Abyss Classic";
                g.dir = "C:\\Games\\SA";
              })}),
       {{"C:\\Games\\SA", "C:\\Games\\SA\\Music\\Digital", false, "Ultima Online Stygian Abyss Classic"}}},
      {"KR: the folder of ExePath",
       Prefix(false, {Digital([](auto &g) {
                g.key = "Software\\Origin Worlds Online\\Ultima Online\\KR Legacy Beta";
                g.dir = "C:\\Games\\KR";
                g.exe = "uokr.exe";
              })},
              true),
       {{"C:\\Games\\KR", "C:\\Games\\KR\\Music\\Digital", false, "Ultima Online KR"}}},
      {"older client: MP3 files and Config.txt in Music",
       Prefix(false, {Digital([](auto &g) { g.music = "Music"; })}),
       {{kClassic, "C:\\Program Files (x86)\\Electronic Arts\\Ultima Online Classic\\Music", false, nullptr}}},
      {"MP3 files in Music without Config.txt: no game",
       Prefix(false, {Digital([](auto &g) { g.music = "Music", g.index = false; })}),
       {}},
      {"Music\\Digital without Config.txt is the music still",
       Prefix(false, {Digital([](auto &g) { g.index = false; })}),
       {{kClassic, classicDigital, false, nullptr}}},
      {"no music at all: no game", Prefix(false, {Digital([](auto &g) { g.music.clear(); })}), {}},
      {"folder names in other case on disk",
       Prefix(false, {Digital([](auto &g) { g.dir = "C:\\Games\\UO", g.music = "MUSIC\\digital"; })}),
       {{"C:\\Games\\UO", "C:\\Games\\UO\\MUSIC\\digital", false, nullptr}}},
      {"registry spelling the folder in other case",
       Prefix(false, {Digital([](auto &g) { g.dir = "C:\\Games\\UO"; })}),
       {{"C:\\Games\\UO", "C:\\Games\\UO\\Music\\Digital", false, nullptr}},
       [](const std::string &prefix) {
         std::string reg = TestWorld::ReadFile(prefix + "/system.reg");
         reg.replace(reg.find("C:\\\\Games\\\\UO"), 13, "c:\\\\GAMES\\\\uo");
         TestWorld::WriteFile(prefix + "/system.reg", reg);
       }},
      {"one folder through a link is one game",
       Prefix(false, {Digital([](auto &g) { g.dir = "C:\\Games\\UO"; }),
                      Digital([](auto &g) { g.dir = "C:\\Link", g.music.clear(), g.hive = FakeDigitalGame::User; })}),
       {{"C:\\Games\\UO", "C:\\Games\\UO\\Music\\Digital", false, nullptr}},
       [](const std::string &prefix) {
         ASSERT_EQ(rmdir((prefix + "/drive_c/Link").c_str()), 0);
         ASSERT_EQ(symlink("Games/UO", (prefix + "/drive_c/Link").c_str()), 0);
       }},
      {"the MIDI client alone", Prefix(true, {}), {{kMidi, "", true, "Ultima Online"}}},
      {"the MIDI clients in HKEY_CURRENT_USER only",
       Prefix(true, {}),
       {{kMidi, "", true, "Ultima Online"}},
       [](const std::string &prefix) {
         const std::string machine = TestWorld::ReadFile(prefix + "/system.reg");
         TestWorld::WriteFile(prefix + "/user.reg", machine);
         TestWorld::WriteFile(prefix + "/system.reg", machine.substr(0, machine.find("\n[")));
       }},
      {"a MIDI client whose folder also has Music\\Digital",
       [] {
         FakePrefixOptions o;
         o.firstDigital = "music\\Digital";
         return o;
       }(),
       {{kMidi, "C:\\Program Files\\Ultima Online\\music\\Digital", true, "Ultima Online"}}},
      {"MIDI client first, then the Classic Client",
       Prefix(true, {Digital()}, true),
       {{kMidi, "", true, nullptr}, {kClassic, classicDigital, false, nullptr}}},
      {"one folder under two keys and both hives is one game",
       [] {
         FakePrefixOptions o;
         o.firstDigital = "music\\Digital";
         o.digitalGames = {Digital([](auto &g) { g.dir = "C:\\Program Files\\Ultima Online", g.music.clear(); }),
                           Digital([](auto &g) {
                             g.dir = "C:\\Program Files\\Ultima Online\\", g.music.clear();
                             g.hive = FakeDigitalGame::User;
                           })};
         return o;
       }(),
       {{kMidi, "C:\\Program Files\\Ultima Online\\music\\Digital", true, "Ultima Online"}}},
      {"both hives naming two installs",
       Prefix(false, {Digital(), Digital([](auto &g) { g.dir = "C:\\Mine", g.hive = FakeDigitalGame::User; })}),
       {{kClassic, classicDigital, false, nullptr}, {"C:\\Mine", "C:\\Mine\\Music\\Digital", false, nullptr}}},
      {"no game at all", Prefix(false, {}), {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TestWorld world;
    const auto prefix = world.MakePrefix(c.options);
    if (c.change) c.change(prefix.root);
    const auto games = RegisteredGames(TRegistryHives::Load(prefix.root));
    EXPECT_EQ(games.size(), c.games.size());
    if (games.size() != c.games.size()) continue;
    for (size_t i = 0; i < games.size(); ++i) {
      EXPECT_EQ(games[i].Folder, c.games[i].folder);
      EXPECT_EQ(games[i].DigitalDir, c.games[i].digital);
      EXPECT_EQ(games[i].HasMidi(), c.games[i].midi);
      if (c.games[i].name) EXPECT_EQ(games[i].Name, c.games[i].name);
    }
  }
}

TEST(RegisteredGames, TheMidiGameHasTheFoldersStartUpAlwaysFound) {
  TestWorld world;
  FakePrefixOptions o;
  o.thirdDawn = true;
  o.win64 = true;
  o.firstDigital = "music\\Digital";
  const auto prefix = world.MakePrefix(o);
  const auto hives = TRegistryHives::Load(prefix.root);
  const auto games = RegisteredGames(hives);
  ASSERT_EQ(games.size(), 1u);
  const TGameFolders &f = games[0].Midi;
  EXPECT_EQ(f.ClientPath, "C:\\Program Files\\Ultima Online\\client.exe");
  EXPECT_EQ(f.MusicDir, "C:\\Program Files\\Ultima Online\\music");
  EXPECT_EQ(f.DefaultDir, "C:\\Program Files\\Ultima Online\\music\\default");
  EXPECT_TRUE(f.HasThirdDawn);
  EXPECT_EQ(f.MusicDirTD, "C:\\Program Files\\Ultima Online Third Dawn\\music");
  EXPECT_EQ(f.DefaultDirTD, "C:\\Program Files\\Ultima Online Third Dawn\\music\\default");
  EXPECT_TRUE(f.RecordSpareDir.isEmpty());
  EXPECT_TRUE(HasMidiClient(MidiClientFolders(hives.Machine)));
  EXPECT_FALSE(HasMidiClient(MidiClientFolders(hives.User)));
}
