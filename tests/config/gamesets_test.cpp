// Which music sets a game has: a MIDI client registered over a folder of digital music alone has
// none of MIDI.
#include <gtest/gtest.h>

#include "gamesets.h"
#include "testworld.h"

using testsupport::TestWorld;

TEST(GameSets, AGameHasTheSetsItsFoldersHoldMusicFor) {
  const struct {
    const char *what;
    bool midiClient, midiFile, midiBackup, digital;
    std::vector<QString> sets;
  } cases[] = {
      {"MIDI client only", true, true, false, false, {"midi"}},
      {"MIDI client, its music folder empty", true, false, false, false, {"midi"}},
      {"MIDI client with digital music", true, true, false, true, {"midi", "digital"}},
      {"the MIDI files' backups only, with digital music", true, false, true, true, {"midi", "digital"}},
      {"today's client registered as the MIDI client", true, false, false, true, {"digital"}},
      {"digital music only", false, false, false, true, {"digital"}},
  };
  for (const auto &c : cases) {
    TestWorld world;
    TestWorld::MakeDirs(world.Linux("uo/music/default"));
    if (c.midiFile) TestWorld::WriteFile(world.Linux("uo/music/yew.mid"), "MThd");
    if (c.midiBackup) TestWorld::WriteFile(world.Linux("uo/music/default/yew.mid"), "MThd");
    if (c.digital) {
      TestWorld::MakeDirs(world.Linux("uo/music/Digital"));
      TestWorld::WriteFile(world.Linux("uo/music/Digital/Config.txt"), "0 turfin\r\n");
    }
    TGame game;
    game.Folder = QString::fromStdString(world.Windows("uo"));
    if (c.midiClient) {
      game.Midi.ClientPath = game.Folder + "\\client.exe";
      game.Midi.MusicDir = game.Folder + "\\music";
      game.Midi.DefaultDir = game.Midi.MusicDir + "\\default";
    }
    if (c.digital) game.DigitalDir = game.Folder + "\\music\\Digital";
    std::vector<QString> ids;
    for (const TGameSet &set : GameSets(game)) ids.push_back(set.Set.Id);
    EXPECT_EQ(ids, c.sets) << c.what;
  }
}
