// The MIDI tune a digital track can take: the scene of its lowest number 0-48, from the
// configuration or the game's own MIDI backups.
#include <gtest/gtest.h>

#include "gamesets.h"
#include "miditunes.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

// A game with digital music over an index naming several MIDI scenes with one file, and, with
// midi, MIDI clients whose backups hold oldult01 and britain1.
TGame MakeGame(TestWorld &world, bool midi) {
  TestWorld::MakeDirs(world.Linux("uo/Music/Digital"));
  TestWorld::MakeDirs(world.Linux("uo/music/default"));
  TestWorld::WriteFile(
      world.Linux("uo/Music/Digital/Config.txt"),
      "2 turfin\r\n0 Turfin\r\n1 turfin,loop\r\n9 britainpos\r\n10 britain1\r\n60 extra\r\n48 moon\r\n");
  for (const char *file : {"oldult01.mid", "britain1.mid"})
    TestWorld::WriteFile(world.Linux("uo/music/default/") + file, "MThd");
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

TEST(MidiTunes, ATrackStandsForTheSceneOfItsLowestNumber) {
  const struct {
    std::vector<int> numbers;
    QString key;
    int number;
    QStringList others;
  } cases[] = {
      {{}, "", -1, {}},
      {{60, 102}, "", -1, {}},
      {{9}, "britain1.mid", 9, {}},
      {{60, 12}, "jhelom.mid", 12, {}},
      {{7, 3, 0}, "oldult01.mid", 0, {"oldult02.mid", "oldult06.mid"}},
      {{48, 60, 47}, "cove.mid", 47, {"moonglow.mid"}},
  };
  for (const auto &c : cases) {
    const TTrackMidiScene scene = MidiSceneOfNumbers(c.numbers);
    EXPECT_EQ(scene.MidiKey, c.key) << c.numbers.size();
    EXPECT_EQ(scene.Number, c.number) << c.key.toStdString();
    EXPECT_EQ(scene.Others, c.others) << c.key.toStdString();
  }
}

TEST(MidiTunes, ATrackTakesTheConfigurationsTuneElseTheGamesOwn) {
  const QMap<QString, QString> assignments{
      {"oldult01.mid", "C:\\tunes\\dawn.mid"}, {"moonglow.mid", "C:\\tunes\\set.lzh\\moon.mid"}, {"britain2.mid", ""}};
  const struct {
    bool midi;
    QString track;
    TMidiTuneFrom from;
    QString source;  // "backup:" + file: the game's backup of that file
  } cases[] = {
      {true, "turfin.mp3", TMidiTuneFrom::Configuration, "C:\\tunes\\dawn.mid"},
      {true, "britainpos.mp3", TMidiTuneFrom::Game, "backup:britain1.mid"},
      {true, "britain1.mp3", TMidiTuneFrom::None, ""},  // britain2: nothing assigned, no backup
      {true, "extra.mp3", TMidiTuneFrom::None, ""},     // no MIDI scene
      {true, "moon.mp3", TMidiTuneFrom::Configuration, "C:\\tunes\\set.lzh\\moon.mid"},
      {false, "turfin.mp3", TMidiTuneFrom::Configuration, "C:\\tunes\\dawn.mid"},
      {false, "britainpos.mp3", TMidiTuneFrom::None, ""},  // no MIDI client: no game's own tune
  };
  for (const auto &c : cases) {
    TestWorld world;
    const TGame game = MakeGame(world, c.midi);
    const TGameSet set = DigitalGameSet(game);
    ASSERT_EQ(set.Numbers.size(), set.Set.Scenes.size());
    int scene = -1;
    for (int i = 0; i < static_cast<int>(set.Set.Scenes.size()); ++i)
      if (set.Set.Scenes[i].FileName == c.track) scene = i;
    ASSERT_GE(scene, 0) << c.track.toStdString();
    const TTrackMidiTune tune = MidiTuneOfTrack(set, scene, assignments, game);
    const QString source =
        c.source.startsWith("backup:") ? game.Folder + "\\music\\default\\" + c.source.mid(7) : c.source;
    EXPECT_EQ(tune.TrackKey, c.track);
    EXPECT_EQ(tune.Tune.From, c.from) << c.track.toStdString() << " midi " << c.midi;
    EXPECT_EQ(tune.Tune.Source, source) << c.track.toStdString() << " midi " << c.midi;
  }
}

TEST(MidiTunes, TheWholeConfigurationSaysWhatItChose) {
  TestWorld world;
  const TGame game = MakeGame(world, true);
  const TAllMidiTunes all = AllMidiTunes(DigitalGameSet(game), {{"moonglow.mid", "C:\\moon.mid"}}, game);
  QStringList given, left;
  for (const auto &t : all.Given) given << t.TrackKey;
  for (const auto &t : all.Left) left << t.TrackKey;
  EXPECT_EQ(given, QStringList({"turfin.mp3", "britainpos.mp3", "moon.mp3"}));
  EXPECT_EQ(left, QStringList({"britain1.mp3", "extra.mp3"}));

  // turfin's numbers 0-2 name three MIDI scenes: the note names the one used and the others.
  ASSERT_TRUE(all.Given[0].Scene.Several());
  EXPECT_TRUE(LowestNumberNote(all.Given[1]).isEmpty());
  const QString report = AllMidiTunesReport(all);
  for (const QString &part : {LowestNumberNote(all.Given[0]), NoMidiTuneText(all.Left[0]), NoMidiTuneText(all.Left[1])})
    EXPECT_TRUE(report.contains(part)) << part.toStdString();
  EXPECT_TRUE(LowestNumberNote(all.Given[0]).contains(QStringLiteral("(番号 0)")));
  EXPECT_NE(NoMidiTuneText(all.Left[0]), NoMidiTuneText(all.Left[1]));  // no tune / no scene
}
