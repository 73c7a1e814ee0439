#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamefolder.h"
#include "keptgames.h"
#include "scripteddialogs.h"
#include "shownlanguage.h"
#include "startup.h"
#include "testworld.h"

using testsupport::FakeDigitalGame;
using testsupport::FakePrefixOptions;
using testsupport::ScriptedDialogs;
using testsupport::ShownDialog;
using testsupport::TestWorld;

namespace {

constexpr char kMidi[] = "C:\\Program Files\\Ultima Online";
constexpr char kClassic[] = "C:\\Program Files (x86)\\Electronic Arts\\Ultima Online Classic";

// A prefix with the MIDI client and the Classic Client (each optional), a native game folder
// "uo" beside it, and the settings file of the program.
struct StartWorld {
  TestWorld world;
  TRegistryHives hives;
  StartWorld(bool midi, bool classic) {
    FakePrefixOptions o;
    o.firstClient = o.firstExe = o.firstMusic = midi;
    if (classic) o.digitalGames = {FakeDigitalGame()};
    const auto prefix = world.MakePrefix(o);
    hives = TRegistryHives::Load(prefix.root);
    testsupport::MakeDigitalMusic(world.Linux("uo/Music/Digital"));
  }
  QString Settings() const { return QString::fromStdString(world.Windows("melodeck.ini")); }
  QString Uo() const { return QString::fromStdString(world.Windows("uo")); }
  platform::IniFile Ini() const { return platform::IniFile(Settings().toStdString()); }
};

QStringList Folders(const TGameList &list) {
  QStringList out;
  for (const TGame &g : list.Games) out << g.Folder;
  return out;
}

}  // namespace

TEST(GameStartup, TheListAndTheChosenGame) {
  enum Kept { None, KeptUo, KeptGone };
  const struct {
    const char *what;
    bool midi, classic;
    Kept kept;
    const char *chosen;  // the kept choice: "uo", a registered folder, or none
    bool request, keep;  // --game uo, kept when keep
    std::vector<std::string> folders;
    size_t index;
  } cases[] = {
      {"the MIDI client", true, false, None, nullptr, false, false, {kMidi}, 0},
      {"registered games, the MIDI one chosen", true, true, None, nullptr, false, false, {kMidi, kClassic}, 0},
      {"only the Classic Client", false, true, None, nullptr, false, false, {kClassic}, 0},
      {"kept games follow the registered", true, true, KeptUo, nullptr, false, false, {kMidi, kClassic, "uo"}, 0},
      {"the kept choice", true, true, KeptUo, "uo", false, false, {kMidi, kClassic, "uo"}, 2},
      {"the kept choice of a registered game", true, true, None, kClassic, false, false, {kMidi, kClassic}, 1},
      {"a kept choice no longer there", true, false, None, "C:\\gone", false, false, {kMidi}, 0},
      {"a kept folder that no longer is a game", false, true, KeptGone, nullptr, false, false, {kClassic}, 0},
      {"--game comes last and is chosen", true, true, None, kClassic, true, false, {kMidi, kClassic, "uo"}, 2},
      {"--game already kept", true, false, KeptUo, kMidi, true, false, {kMidi, "uo"}, 1},
      {"--game kept when asked", true, false, None, nullptr, true, true, {kMidi, "uo"}, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    StartWorld w(c.midi, c.classic);
    auto ini = w.Ini();
    if (c.kept == KeptUo) KeepGame(ini, w.Uo());
    if (c.kept == KeptGone) {
      TestWorld::MakeDirs(w.world.Linux("gone"));
      KeepGame(ini, QString::fromStdString(w.world.Windows("gone")));
    }
    if (c.chosen) WriteChosenGame(ini, std::string(c.chosen) == "uo" ? w.Uo() : QString(c.chosen));
    const QStringList keptBefore = ReadKeptGames(ini);
    std::optional<TGameRequest> request;
    if (c.request) request = TGameRequest{*GameOfFolder(w.Uo()), c.keep};
    ScriptedDialogs dialogs;
    const auto list = FindGames(w.hives, w.Settings(), request, dialogs);
    ASSERT_TRUE(list.has_value());
    EXPECT_TRUE(dialogs.Shown().empty());
    QStringList expected;
    for (const std::string &f : c.folders) expected << (f == "uo" ? w.Uo() : QString::fromStdString(f));
    EXPECT_EQ(Folders(*list), expected);
    EXPECT_EQ(list->Chosen, c.index);
    // Only a request to keep changes the kept list; nothing is forgotten.
    EXPECT_EQ(ReadKeptGames(ini), c.keep ? keptBefore + QStringList{w.Uo()} : keptBefore);
  }
}

TEST(GameStartup, WithNoGameTheUserMayChooseTheFolder) {
  const QString notFound = "\"Client.exe\" was not found.";
  const QString notFoundInJapanese = QString::fromUtf8("\"Client.exe\" が見つかりません。");
  // Cancel ends as before, after the message.
  {
    StartWorld w(false, false);
    ScriptedDialogs dialogs;
    const TShownLanguage english(false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(FindGames(w.hives, w.Settings(), std::nullopt, dialogs).has_value());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("melodeck: the client was not found"), std::string::npos);
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0].text, notFound);
    EXPECT_EQ(dialogs.Shown()[1].kind, ShownDialog::Folder);
    EXPECT_TRUE(ReadKeptGames(w.Ini()).isEmpty());
  }
  // A folder that is not a game is explained and the dialog comes again, from there; a game's
  // Music\Digital folder is its game, kept and chosen. The message shows in the language shown.
  StartWorld w(false, false);
  TestWorld::MakeDirs(w.world.Linux("empty"));
  const QString empty = QString::fromStdString(w.world.Windows("empty"));
  ScriptedDialogs dialogs;
  dialogs.AnswerFile(empty);
  dialogs.AnswerFile(w.Uo() + "\\Music\\Digital");
  testing::internal::CaptureStderr();
  const auto list = FindGames(w.hives, w.Settings(), std::nullopt, dialogs);
  testing::internal::GetCapturedStderr();
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(Folders(*list), QStringList{w.Uo()});
  EXPECT_EQ(list->Chosen, 0u);
  ASSERT_EQ(dialogs.Shown().size(), 4u);
  EXPECT_EQ(dialogs.Shown()[0].text, notFoundInJapanese);
  EXPECT_EQ(dialogs.Shown()[1].kind, ShownDialog::Folder);
  EXPECT_EQ(dialogs.Shown()[2].text, GameLookupText(LookUpGame(empty)));
  EXPECT_EQ(dialogs.Shown()[2].type, platform::TMsgType::Warning);
  EXPECT_EQ(dialogs.Shown()[3].kind, ShownDialog::Folder);
  EXPECT_EQ(dialogs.Shown()[3].folder, empty);
  EXPECT_EQ(ReadKeptGames(w.Ini()), QStringList{w.Uo()});
  EXPECT_EQ(ReadChosenGame(w.Ini()), w.Uo());
  // The next start finds it without asking.
  ScriptedDialogs next;
  const auto again = FindGames(w.hives, w.Settings(), std::nullopt, next);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(Folders(*again), QStringList{w.Uo()});
  EXPECT_TRUE(next.Shown().empty());
}

TEST(GameStartup, GamesOfOneNameCarryTheirFolders) {
  StartWorld w(false, true);
  TestWorld::MakeDirs(w.world.Linux("b"));
  testsupport::MakeDigitalMusic(w.world.Linux("b/Ultima Online Classic/Music/Digital"));
  const QString other = QString::fromStdString(w.world.Windows("b/Ultima Online Classic"));
  ScriptedDialogs dialogs;
  const auto list = FindGames(w.hives, w.Settings(), TGameRequest{*GameOfFolder(other), false}, dialogs);
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(list->Games.size(), 2u);
  EXPECT_EQ(list->Games[0].Name, QString("Ultima Online Classic (%1)").arg(kClassic));
  EXPECT_EQ(list->Games[1].Name, QString("Ultima Online Classic (%1)").arg(other));
}
