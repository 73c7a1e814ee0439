// The demo's game with digital music must be what the program takes a ClassicUO player's game
// for: found through settings.json, its index read with every file present.
#include "classicuogame.h"

#include <gtest/gtest.h>

#include <QSet>
#include <string>

#include "classicuosettings.h"
#include "digitalfiles.h"
#include "gamefolder.h"
#include "gamesets.h"
#include "requirements.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

struct DemoGameWorld {
  TestWorld world;
  DemoGameWorld() {
    world.MakePrefix();
    testsupport::MakeClassicUoGame(world.Linux("Ultima Online Classic"), world.Linux("ClassicUO"), 0.2);
  }
  QString W(const std::string &relative) const { return QString::fromStdString(world.Windows(relative)); }
};

}  // namespace

TEST(DemoGame, IsFoundAsAUserNamesIt) {
  MELODECK_SKIP_WHEN_(testsupport::MissingTools({"lame"}));
  DemoGameWorld w;
  const QString game = w.W("Ultima Online Classic");
  const QString arguments[] = {
      QString::fromStdString(w.world.Linux("ClassicUO/settings.json")),
      QString::fromStdString(w.world.Linux("ClassicUO")),
      QString::fromStdString(w.world.Linux("Ultima Online Classic")),
      w.W("ClassicUO/settings.json"),
  };
  for (const QString &argument : arguments) {
    SCOPED_TRACE(argument.toStdString());
    const TGameLookup lookup = LookUpGameArgument(argument);
    ASSERT_TRUE(lookup.Game) << GameLookupLine(lookup).toStdString();
    EXPECT_EQ(lookup.Game->Folder, game);
    EXPECT_EQ(lookup.Game->Name, "Ultima Online Classic");
    EXPECT_EQ(lookup.Game->DigitalDir, game + "\\Music\\Digital");
    EXPECT_FALSE(lookup.Game->HasMidi());
  }
}

TEST(DemoGame, EveryFileOfTheIndexIsOneTrackOnDisk) {
  MELODECK_SKIP_WHEN_(testsupport::MissingTools({"lame"}));
  DemoGameWorld w;
  const auto game = GameOfFolder(w.W("Ultima Online Classic"));
  ASSERT_TRUE(game);
  const TGameSet set = DigitalGameSet(*game);
  EXPECT_EQ(set.SkippedLines, 0);
  EXPECT_TRUE(set.Ambiguous.isEmpty()) << set.Ambiguous.join("; ").toStdString();
  QSet<QString> tracks;
  for (const TScene &scene : set.Set.Scenes) tracks << scene.FileName;
  const QSet<QString> expected = {"turfin.mp3",    "stones1.mp3",           "britainpos.mp3",    "britain1.mp3",
                                  "vesper1.mp3",   "walking.mp3",           "citynightedit.mp3", "moonglowpos.mp3",
                                  "loginloop.mp3", "starlightinbritain.mp3"};
  EXPECT_EQ(tracks, expected);
  EXPECT_EQ(set.Set.Scenes.size(), static_cast<size_t>(expected.size()));  // one row per file
  // Every track is one file on disk, as the game finds it (case ignored), and an MP3 of substance.
  const QString digital = QString::fromStdString(w.world.Linux("Ultima Online Classic/Music/Digital"));
  for (const TScene &scene : set.Set.Scenes) {
    SCOPED_TRACE(scene.FileName.toStdString());
    const TDigitalFileMatch match = MatchDigitalFile(digital, DigitalFolderFiles(digital), scene.FileName.chopped(4));
    ASSERT_EQ(match.Result, TDigitalFileMatch::Found);
    EXPECT_GT(TestWorld::ReadFile(match.Path.toStdString()).size(), 400u);
  }
}

TEST(DemoGame, SettingsNameAnyFolderAsWritten) {
  const std::string folders[] = {"/home/me/Ultima Online Classic", "/srv/a \"b\" c", "/srv/back\\slash",
                                 "/home/\xE3\x81\x82/uo", "/tab\there"};
  for (const std::string &folder : folders) {
    SCOPED_TRACE(folder);
    const std::string json = "{\"ultimaonlinedirectory\": " + testsupport::JsonString(folder) + "}";
    const TClassicUoFolder read = ReadClassicUoFolder(QByteArray::fromStdString(json));
    if (folder.find('\t') != std::string::npos) {
      EXPECT_EQ(read.Result, TClassicUoFolder::NoFolder);  // control characters are refused, not misread
      continue;
    }
    EXPECT_EQ(read.Result, TClassicUoFolder::Found);
    EXPECT_EQ(read.Value.toStdString(), folder);
  }
}
