// The MIDI scenes' sources a stored configuration gives digital tracks, and the whole
// configuration's tracks taking them.
#include "midituneuse.h"

#include <gtest/gtest.h>

#include "testworld.h"

using testsupport::TestWorld;

namespace {

TGame MakeGame(TestWorld &world, bool midi) {
  TestWorld::MakeDirs(world.Linux("uo/Music/Digital"));
  TestWorld::MakeDirs(world.Linux("uo/music/default"));
  TestWorld::WriteFile(world.Linux("uo/Music/Digital/Config.txt"), "0 turfin\r\n9 britainpos\r\n10 britain1\r\n");
  TestWorld::WriteFile(world.Linux("uo/music/default/britain1.mid"), "MThd");
  TGame game;
  game.Folder = QString::fromStdString(world.Windows("uo"));
  game.DigitalDir = game.Folder + "\\Music\\Digital";
  if (midi) {
    game.Midi.ClientPath = game.Folder + "\\client.exe";
    game.Midi.MusicDir = game.Folder + "\\music";
    game.Midi.DefaultDir = game.Midi.MusicDir + "\\default";
  }
  return game;
}

}  // namespace

TEST(MidiTuneUse, TheStoredConfigurationGivesTheMidiScenesSources) {
  const struct {
    const char *value;     // stored for britain2.mid
    bool midi;             // the game has MIDI clients
    const char *expected;  // "": left out; "backup:" + file: that file's backup
  } cases[] = {
      {"C:\\tunes\\town.mid", true, "C:\\tunes\\town.mid"},
      {"C:\\tunes\\set.lzh|music/town.mid", false, "C:\\tunes\\set.lzh|music/town.mid"},
      {"britain2.mid", true, ""},  // the game's own file: its backup stands for it
      {"BRITAIN2.MID", true, ""},
      {"britain1.mid", true, "backup:britain1.mid"},  // another scene's own file
      {"britain1.mid", false, ""},
      {"", true, ""},
  };
  for (const auto &c : cases) {
    TestWorld world;
    const TGame game = MakeGame(world, c.midi);
    TestWorld::WriteFile(world.Linux("melodeck.ini"), std::string("[Town]\r\nbritain2.mid=") + c.value +
                                                          "\r\nturfin.mp3=C:\\tunes\\t.wav\r\nyew.mid=C:\\y.mid\r\n");
    const platform::IniFile settings(world.Windows("melodeck.ini"));
    const TAssignments assignments = StoredMidiAssignments(settings, "Town", game);
    const QString expected = QString::fromUtf8(c.expected).startsWith("backup:")
                                 ? game.Folder + "\\music\\default\\" + QString::fromUtf8(c.expected).mid(7)
                                 : QString::fromUtf8(c.expected);
    EXPECT_EQ(assignments.value("britain2.mid").toStdString(), expected.toStdString()) << c.value;
    EXPECT_EQ(assignments.value("yew.mid"), "C:\\y.mid") << c.value;
    EXPECT_FALSE(assignments.contains("turfin.mp3")) << c.value;  // a digital track's key
    EXPECT_TRUE(StoredMidiAssignments(settings, QString::fromUtf8("標準"), game).isEmpty());
    EXPECT_TRUE(StoredMidiAssignments(settings, "Absent", game).isEmpty());
  }
}

TEST(MidiTuneUse, TheWholeConfigurationsTracksTakeTheirTunesAndTheRestStay) {
  for (const bool midi : {true, false}) {
    TestWorld world;
    const TGame game = MakeGame(world, midi);
    const TGameSet digital = DigitalGameSet(game);
    TSceneTable table(digital.Set);
    for (TScene &scene : table) scene.Source = "C:\\before\\" + scene.FileName;
    const TAssignments midiTunes{{"oldult01.mid", "C:\\tunes\\dawn.mid"}};
    EXPECT_TRUE(AnyMidiTune(digital, midiTunes, game));
    EXPECT_EQ(AnyMidiTune(digital, {}, game), midi);  // the game's own britain1 backup
    EXPECT_FALSE(AnyMidiTune(MidiGameSet(game.Midi), midiTunes, game));

    const TAllMidiTunes all = GiveAllMidiTunes(table, digital, midiTunes, game);
    const std::pair<QString, QString> expected[] = {
        {"turfin.mp3", "C:\\tunes\\dawn.mid"},
        {"britainpos.mp3", midi ? game.Folder + "\\music\\default\\britain1.mid" : "C:\\before\\britainpos.mp3"},
        {"britain1.mp3", "C:\\before\\britain1.mp3"},
    };
    ASSERT_EQ(table.size(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(table[i].FileName, expected[i].first);
      EXPECT_EQ(table[i].Source.toStdString(), expected[i].second.toStdString()) << midi;
    }
    EXPECT_EQ(all.Given.size(), midi ? 2u : 1u);
  }
}
