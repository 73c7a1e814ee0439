#include "gamefolder.h"

#include <gtest/gtest.h>

#include <string>

#include "classicuosettings.h"
#include "core/winpath.h"
#include "testworld.h"

using testsupport::TestWorld;

TEST(ClassicUoSettings, TheDataFolderIsReadFromOutsideData) {
  const struct {
    const char *json;
    TClassicUoFolder::Kind result;
    const char *value;
  } cases[] = {
      {R"({"username":"a","ultimaonlinedirectory":"/home/me/uo","port":2593})", TClassicUoFolder::Found, "/home/me/uo"},
      {"\xEF\xBB\xBF{\"ultimaonlinedirectory\": \"C:\\\\UO\"}", TClassicUoFolder::Found, "C:\\UO"},
      {R"({"UltimaOnlineDirectory":"uo"})", TClassicUoFolder::Found, "uo"},
      {R"({"ultimaonlinedirectory":"/a","UltimaOnlineDirectory":"/b"})", TClassicUoFolder::Found, "/a"},
      {R"({"ultimaonlinedirectory":"/home/\u00e9t\u00e9 uo"})", TClassicUoFolder::Found, "/home/\xC3\xA9t\xC3\xA9 uo"},
      {R"({"ultimaonlinedirectory":""})", TClassicUoFolder::NoFolder, ""},
      {R"({"ultimaonlinedirectory":"  "})", TClassicUoFolder::NoFolder, ""},
      {R"({"ultimaonlinedirectory":7})", TClassicUoFolder::NoFolder, ""},
      {R"({"ultimaonlinedirectory":"/a\nb"})", TClassicUoFolder::NoFolder, ""},
      {R"({"profile":{"ultimaonlinedirectory":"/a"}})", TClassicUoFolder::NoFolder, ""},
      {R"({})", TClassicUoFolder::NoFolder, ""},
      {R"(["ultimaonlinedirectory","/a"])", TClassicUoFolder::NotJson, ""},
      {R"({"ultimaonlinedirectory":"/a")", TClassicUoFolder::NotJson, ""},
      {"", TClassicUoFolder::NotJson, ""},
      {"\xFF\xFE{\0\"", TClassicUoFolder::NotJson, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.json);
    const TClassicUoFolder folder = ReadClassicUoFolder(QByteArray(c.json));
    EXPECT_EQ(folder.Result, c.result);
    EXPECT_EQ(folder.Value, QString::fromUtf8(c.value));
  }
}

TEST(ClassicUoSettings, TheFolderBecomesAWindowsPathOfThePrefix) {
  TestWorld world;
  world.MakePrefix();
  const std::string uo = world.Linux("uo");
  const struct {
    QString value;
    const char *path;
  } cases[] = {
      {"/srv/../srv/games/uo", "Z:\\srv\\games\\uo"},
      {QString::fromStdString(world.Linux("prefix/drive_c/UO")), "C:\\UO"},  // the deepest drive
      {"C:/Games/UO/", "C:\\Games\\UO\\"},
      {"D:\\UO", "D:\\UO"},
      {"..\\uo", "C:\\Data\\uo"},
      {"../uo/./x/..", "C:\\Data\\uo"},
      {"uo", "C:\\Data\\ClassicUO\\uo"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.value.toStdString());
    EXPECT_EQ(ClassicUoFolderPath(c.value, "C:\\Data\\ClassicUO"), c.path);
  }
}

namespace {

// A world with a prefix and, beside it, a native game folder with ClassicUO's settings.
struct LookupWorld {
  TestWorld world;
  LookupWorld() {
    testsupport::FakePrefixOptions o;
    o.firstMusic = false;
    world.MakePrefix(o);
    testsupport::MakeDigitalMusic(world.Linux("uo/Music/Digital"));
    testsupport::MakeDigitalMusic(world.Linux("old/music"));  // an older client: MP3s with their index
    TestWorld::MakeDirs(world.Linux("empty/Music"));
    TestWorld::WriteFile(world.Linux("note.txt"), "x");
    Json("cuo", R"({"ultimaonlinedirectory":")" + world.Linux("uo") + R"(","ip":"127.0.0.1"})");
    Json("cuo-win", R"({"ultimaonlinedirectory":")" + Escaped(world.Windows("uo")) + R"("})");
    Json("cuo-relative", R"({"ultimaonlinedirectory":"../uo/"})");
    Json("cuo-broken", R"({"ultimaonlinedirectory":)");
    Json("cuo-without", R"({"ip":"127.0.0.1"})");
    Json("cuo-missing", R"({"ultimaonlinedirectory":"../nowhere"})");
    Json("cuo-empty", R"({"ultimaonlinedirectory":"../empty"})");
  }
  void Json(const std::string &folder, const std::string &text) {
    TestWorld::MakeDirs(world.Linux(folder));
    TestWorld::WriteFile(world.Linux(folder + "/settings.json"), text);
  }
  static std::string Escaped(std::string s) {
    for (size_t i = 0; (i = s.find('\\', i)) != std::string::npos; i += 2) s.insert(i, 1, '\\');
    return s;
  }
  QString W(const std::string &relative) const { return QString::fromStdString(world.Windows(relative)); }
};

}  // namespace

TEST(GameLookup, AFolderOrSettingsTheUserNamesIsTheGameOrTheReason) {
  LookupWorld w;
  const QString uo = w.W("uo");
  const struct {
    const char *what;
    QString path;
    QString folder;  // the game's; empty when not a game
    TGameLookup::Kind problem;
    QString problemPath, settings;
  } cases[] = {
      {"the game folder", uo, uo, TGameLookup::None, {}, {}},
      {"its Music folder", w.W("uo/Music"), uo, TGameLookup::None, {}, {}},
      {"its Music\\Digital folder, other case", w.W("uo") + "\\MUSIC\\digital\\", uo, TGameLookup::None, {}, {}},
      {"an older client's Music folder", w.W("old/music"), w.W("old"), TGameLookup::None, {}, {}},
      {"settings.json, a Linux path", w.W("cuo/settings.json"), uo, TGameLookup::None, {}, {}},
      {"settings.json, a Windows path", w.W("cuo-win/settings.json"), uo, TGameLookup::None, {}, {}},
      {"settings.json, a relative path", w.W("cuo-relative/settings.json"), uo, TGameLookup::None, {}, {}},
      {"ClassicUO's folder", w.W("cuo"), uo, TGameLookup::None, {}, {}},
      {"not JSON",
       w.W("cuo-broken/settings.json"),
       {},
       TGameLookup::SettingsUnreadable,
       w.W("cuo-broken/settings.json"),
       {}},
      {"without the folder",
       w.W("cuo-without/settings.json"),
       {},
       TGameLookup::SettingsWithoutFolder,
       w.W("cuo-without/settings.json"),
       {}},
      {"naming a missing folder",
       w.W("cuo-missing/settings.json"),
       {},
       TGameLookup::NotFound,
       w.W("nowhere"),
       w.W("cuo-missing/settings.json")},
      {"naming a folder without music",
       w.W("cuo-empty"),
       {},
       TGameLookup::NoMusic,
       w.W("empty"),
       w.W("cuo-empty/settings.json")},
      {"a folder without music", w.W("empty"), {}, TGameLookup::NoMusic, w.W("empty"), {}},
      {"Music without MP3 files", w.W("empty/Music"), {}, TGameLookup::NoMusic, w.W("empty/Music"), {}},
      {"ClassicUO's folder, its settings naming none",
       w.W("cuo-without"),
       {},
       TGameLookup::NoMusic,
       w.W("cuo-without"),
       {}},
      {"another file", w.W("note.txt"), {}, TGameLookup::NotSettings, w.W("note.txt"), {}},
      {"nothing there", w.W("gone"), {}, TGameLookup::NotFound, w.W("gone"), {}},
      {"no path", "", {}, TGameLookup::NotFound, "", {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const TGameLookup lookup = LookUpGame(c.path);
    EXPECT_EQ(lookup.Problem, c.problem);
    EXPECT_EQ(lookup.Game.has_value(), !c.folder.isEmpty());
    if (lookup.Game) {
      EXPECT_EQ(lookup.Game->Folder, c.folder);
      EXPECT_TRUE(lookup.Game->HasDigital());
      EXPECT_FALSE(lookup.Game->HasMidi());
      continue;
    }
    EXPECT_EQ(lookup.Path, c.problemPath);
    EXPECT_EQ(lookup.Settings, c.settings);
    EXPECT_TRUE(GameLookupText(lookup).startsWith(c.problemPath + "\n"));
    EXPECT_TRUE(GameLookupLine(lookup).startsWith(c.problemPath + " "));
  }
}

TEST(GameLookup, TheReasonsAreWrittenForTheWindowAndTheCommandLine) {
  LookupWorld w;
  const TGameLookup empty = LookUpGame(w.W("cuo-empty/settings.json"));
  const QString e = w.W("empty"), json = w.W("cuo-empty/settings.json");
  EXPECT_EQ(GameLookupText(empty),
            e +
                "\nにはゲームの音楽がありません.\nUltima Onlineのフォルダ(Music\\Digitalのあるフォルダ)か, "
                "ClassicUOのsettings.jsonを選んでください.\n(" +
                json + " のultimaonlinedirectory)");
  EXPECT_EQ(GameLookupLine(empty), e +
                                       " holds no music of the game (neither Music\\Digital nor MP3 files with a "
                                       "Config.txt in Music) (the ultimaonlinedirectory of " +
                                       json + ")");
  EXPECT_EQ(GameLookupText(LookUpGame(w.W("uo"))), "");
}

TEST(GameLookup, TheCommandLineNamesALinuxOrAWindowsPath) {
  LookupWorld w;
  const QString uo = w.W("uo");
  const struct {
    QString argument;
    QString folder;
    TGameLookup::Kind problem;
  } cases[] = {
      {QString::fromStdString(w.world.Linux("uo")), uo, TGameLookup::None},
      {QString::fromStdString(w.world.Linux("uo/Music/Digital/")), uo, TGameLookup::None},
      {QString::fromStdString(w.world.Linux("cuo/settings.json")), uo, TGameLookup::None},
      {uo, uo, TGameLookup::None},
      {QString(uo).replace('\\', '/'), uo, TGameLookup::None},
      {QString::fromStdString(w.world.Linux("gone")), {}, TGameLookup::NotFound},
      {"C:\\gone", {}, TGameLookup::NotFound},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    const TGameLookup lookup = LookUpGameArgument(c.argument);
    EXPECT_EQ(lookup.Problem, c.problem);
    if (lookup.Game) EXPECT_EQ(lookup.Game->Folder, c.folder);
  }
}
