// Which music sets a game has: a MIDI client registered over a folder of digital music alone has
// none of MIDI.
#include <gtest/gtest.h>

#include "assignrule.h"
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

// A digital track takes any tune (converted when applied); a MIDI scene still takes MIDI only,
// with the same words as before.
TEST(GameSets, ADigitalTrackTakesEveryMusicFileAndAMidiSceneMidiOnly) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("uo/Music/Digital"));
  TestWorld::WriteFile(world.Linux("uo/Music/Digital/Config.txt"), "0 turfin\r\n");
  TGame game;
  game.Folder = QString::fromStdString(world.Windows("uo"));
  game.DigitalDir = game.Folder + "\\Music\\Digital";
  const TMusicSet digital = DigitalGameSet(game).Set;
  const struct {
    const char *source;
    bool digital, midi;
  } cases[] = {
      {"C:\\tunes\\town.mp3", true, false},
      {"C:\\tunes\\Town.WAV", true, false},
      {"C:\\tunes\\town.flac", true, false},
      {"C:\\tunes\\town.ogg", true, false},
      {"C:\\tunes\\town.opus", true, false},
      {"C:\\tunes\\town.mid", true, true},
      {"C:\\tunes\\pack.zip|a/town.wav", true, false},
      {"C:\\tunes\\pack.lzh|town.MID", true, true},
      {"C:\\tunes\\readme.txt", false, false},
      {"C:\\tunes\\town.midi", false, false},
  };
  for (const auto &c : cases) {
    const QString source = QString::fromUtf8(c.source);
    EXPECT_EQ(AssignRefusal(digital, source).isEmpty(), c.digital) << c.source;
    EXPECT_EQ(AssignRefusal(MidiMusicSet(), source).isEmpty(), c.midi) << c.source;
  }
  EXPECT_EQ(AssignRefusal(MidiMusicSet(), "C:\\tunes\\town.mp3"),
            QString::fromUtf8(
                "town.mp3 は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます."));
  EXPECT_EQ(AssignRefusal(digital, "C:\\tunes\\readme.txt"),
            QString::fromUtf8("readme.txt は割り当てられません.\nデジタル (MP3) の場面には MP3・MIDI・WAV・FLAC・Ogg "
                              "Vorbis・Opus ファイル (.mp3, .mid, .wav, .flac, .ogg, .opus) だけを割り当てられます."));
}
