// The MIDI tunes on digital tracks through the window: the scene list's "MIDI の曲を使う", the
// configuration menu's "すべて MIDI の曲にする", when they are offered, and the options menu's
// item clearing the cache of converted tunes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>

#include "convertcache.h"
#include "digitalgen.h"
#include "formworld.h"
#include "miditunes.h"
#include "registeredgames.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {

const std::string kGame = "prefix/drive_c/Program Files/Ultima Online";

// The MIDI client with digital music beside it (tracks turfin: 0-2 and 41, stones: 8,
// britainpos: 9, britain1: 10). Configuration "Town" gives oldult01 (turfin's lowest number) a
// tune of its own and leaves stones2 to the game's file; britain2 (britain1's scene) has neither
// a file nor a backup.
struct MidiTunesWorld : FormWorld {
  MidiTunesWorld() {
    testsupport::MakeRealDigitalMusic(Linux(kGame + "/music/Digital"));
    TestWorld::MakeDirs(Linux("tunes"));
    TestWorld::WriteFile(Linux("tunes/dawn.mid"), testsupport::MakeMidiTune(2));
    dawn = QString::fromStdString(world.Windows("tunes/dawn.mid"));
    TestWorld::WriteFile(Linux("prog/melodeck.ini"),
                         "[Town]\r\noldult01.mid=" + dawn.toStdString() +
                             "\r\nstones2.mid=stones2.mid\r\n[melodeck]\r\nLastConfig=Town\r\n");
  }
  // The window on the digital set, britain2's tune gone from the game.
  TFormMain &OpenDigital() {
    TFormMain &f = OpenGames({MidiGame(folders)});
    std::filesystem::remove(MusicLinux() + "/britain2.mid");
    std::filesystem::remove(MusicLinux() + "/default/britain2.mid");
    Control<QComboBox>(f, "ComboBoxMusicSet")->setCurrentIndex(1);
    f.ComboBoxMusicSetChange();
    EXPECT_EQ(f.Session().SceneTable.size(), 4);
    dialogs.Clear();
    return f;
  }
  int Scene(TFormMain &f, const QString &key) {
    for (int i = 0; i < f.Session().SceneTable.size(); ++i)
      if (f.Session().SceneTable[i].FileName == key) return i;
    ADD_FAILURE() << key.toStdString();
    return 0;
  }
  void Select(TFormMain &f, int scene) {
    Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(scene));
  }
  QString Backup(const char *file) const {
    return QString::fromStdString(world.Windows(kGame + "/music/default")) + "\\" + file;
  }
  QString dawn;
};

}  // namespace

TEST(MidiCommands, ARowTakesTheTuneOfItsMidiScene) {
  MidiTunesWorld w;
  TFormMain &f = w.OpenDigital();
  const QString stones = w.Backup("stones2.mid"), britain = w.Backup("britain1.mid");
  const struct {
    const char *track;
    QString source;  // empty: left as it was
    bool note;       // told the lowest number was used
  } cases[] = {
      {"turfin.mp3", w.dawn, true},        // the configuration's tune of oldult01 (number 0)
      {"stones.mp3", stones, false},       // the game's own stones2, as the configuration leaves it
      {"britainpos.mp3", britain, false},  // britain1: not in the configuration, the game's own
      {"britain1.mp3", QString(), false},  // britain2: no tune anywhere
  };
  for (const auto &c : cases) {
    const int scene = w.Scene(f, c.track);
    const QString before = f.Session().SceneTable[scene].Source;
    w.Select(f, scene);
    f.PopupMenuListPopup();
    EXPECT_TRUE(Control<QAction>(f, "PopupMenuListMidiTune")->isVisible());
    EXPECT_TRUE(Control<QAction>(f, "PopupMenuListMidiTune")->isEnabled());
    w.dialogs.Clear();
    f.PopupMenuListMidiTuneClick();
    const TTrackMidiTune tune =
        MidiTuneOfTrack(f.GameChoice().Set(), scene, {{"oldult01.mid", w.dawn}}, MidiGame(w.folders));
    if (c.source.isEmpty()) {
      EXPECT_EQ(f.Session().SceneTable[scene].Source, before) << c.track;
      EXPECT_EQ(w.dialogs.Texts(), QStringList{NoMidiTuneText(tune)}) << c.track;
      continue;
    }
    EXPECT_EQ(f.Session().SceneTable[scene].Source, c.source) << c.track;
    EXPECT_EQ(f.SceneList().RowOfScene(scene)->text(1), c.source.mid(c.source.lastIndexOf('\\') + 1)) << c.track;
    EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), c.source) << c.track;
    EXPECT_EQ(w.dialogs.Texts(), c.note ? QStringList{LowestNumberNote(tune)} : QStringList()) << c.track;
  }
  // Kept like any edit: stored with the configuration when another set is shown.
  Control<QComboBox>(f, "ComboBoxMusicSet")->setCurrentIndex(0);
  f.ComboBoxMusicSetChange();
  EXPECT_EQ(QString::fromStdString(f.Store().Settings().ReadString("Town", "turfin.mp3", "")), w.dawn);
  EXPECT_EQ(QString::fromStdString(f.Store().Settings().ReadString("Town", "stones.mp3", "")), stones);
}

TEST(MidiCommands, TheWholeConfigurationTakesTheMidiTunesAndSaysWhatItChose) {
  MidiTunesWorld w;
  TFormMain &f = w.OpenDigital();
  f.MainMenuConfigClick();
  EXPECT_TRUE(Control<QAction>(f, "MainMenuAllMidiTunes")->isVisible());
  ASSERT_TRUE(Control<QAction>(f, "MainMenuAllMidiTunes")->isEnabled());
  f.MainMenuAllMidiTunesClick();
  const std::pair<const char *, QString> expected[] = {{"turfin.mp3", w.dawn},
                                                       {"stones.mp3", w.Backup("stones2.mid")},
                                                       {"britainpos.mp3", w.Backup("britain1.mid")},
                                                       {"britain1.mp3", "britain1.mp3"}};
  for (const auto &[track, source] : expected) {
    EXPECT_EQ(f.Session().SceneTable[w.Scene(f, track)].Source, source) << track;
    EXPECT_EQ(f.SceneList().RowOfScene(w.Scene(f, track))->text(1), source.mid(source.lastIndexOf('\\') + 1));
  }
  const TAllMidiTunes all = AllMidiTunes(f.GameChoice().Set(), {{"oldult01.mid", w.dawn}}, MidiGame(w.folders));
  ASSERT_EQ(w.dialogs.Texts(), QStringList{AllMidiTunesReport(all)});
  EXPECT_TRUE(w.dialogs.Texts()[0].contains(QString::fromUtf8("(番号 0)")));
  EXPECT_TRUE(w.dialogs.Texts()[0].contains(QString::fromUtf8("そのままにしました")));

  // "標準" is never changed.
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(0);
  f.ComboBoxConfigListChange();
  w.dialogs.Clear();
  f.MainMenuAllMidiTunesClick();
  EXPECT_EQ(w.dialogs.Texts(),
            QStringList{QString::fromUtf8("\"標準\"の曲は変更できません。新しい設定を作成してください")});
  EXPECT_EQ(f.Session().SceneTable[w.Scene(f, "turfin.mp3")].Source, "turfin.mp3");
}

TEST(MidiCommands, OfferedOnDigitalRowsOfAGameWithSomeMidiTune) {
  MidiTunesWorld w;
  TestWorld::MakeDirs(w.Linux("uo-data"));
  testsupport::MakeRealDigitalMusic(w.Linux("uo-data/Music/Digital"));
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Plain]\r\n[melodeck]\r\nLastConfig=Plain\r\n");
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});
  auto offered = [&](const char *name) {
    f.MainMenuConfigClick();
    f.PopupMenuListPopup();
    const QAction *item = Control<QAction>(f, name);
    return std::pair{item->isVisible(), item->isEnabled()};
  };
  w.Select(f, 0);
  // The MIDI set: neither command.
  EXPECT_FALSE(offered("PopupMenuListMidiTune").first);
  EXPECT_FALSE(offered("MainMenuAllMidiTunes").first);
  // A game with digital music alone and nothing of MIDI in the configuration: shown, not enabled.
  ASSERT_TRUE(f.AddGameFolder(QString::fromStdString(w.world.Windows("uo-data"))));
  ASSERT_FALSE(f.GameChoice().Set().Set.Scenes.empty());
  w.Select(f, 0);
  EXPECT_EQ(offered("PopupMenuListMidiTune"), std::pair(true, false));
  EXPECT_EQ(offered("MainMenuAllMidiTunes"), std::pair(true, false));
  // Its configuration gives a MIDI scene a tune: offered.
  f.Store().Settings().WriteString("Plain", "britain1.mid", w.dawn.toStdString());
  EXPECT_EQ(offered("PopupMenuListMidiTune"), std::pair(true, true));
  EXPECT_EQ(offered("MainMenuAllMidiTunes"), std::pair(true, true));
}

TEST(MidiCommands, TheCacheOfConvertedTunesIsClearedAfterAsking) {
  MidiTunesWorld w;
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});
  // Empty: nothing to ask.
  f.MainMenuClearCacheClick();
  EXPECT_EQ(w.dialogs.Texts().size(), 1);
  EXPECT_TRUE(w.dialogs.Texts()[0].contains(QString::fromUtf8("空です"))) << w.dialogs.Texts()[0].toStdString();

  const TConvertCache cache;
  EXPECT_EQ(cache.Dir(), QString::fromStdString(w.world.Linux("cache/melodeck")));
  TestWorld::WriteFile(w.Linux("made.mp3"), std::string(3 * 1024 * 1024 / 2, 'x'));
  const auto key = ConvertKey(QString::fromStdString(w.Linux("made.mp3")), {}, "test");
  ASSERT_TRUE(key);
  ASSERT_TRUE(cache.Store(*key, QString::fromStdString(w.Linux("made.mp3"))));
  ASSERT_EQ(cache.Size(), 3 * 1024 * 1024 / 2);

  const struct {
    TModalResult answer;
    qint64 left;
  } cases[] = {{TModalResult::Cancel, 3 * 1024 * 1024 / 2}, {TModalResult::OK, 0}};
  for (const auto &c : cases) {
    w.dialogs.Clear();
    w.dialogs.Answer(c.answer);
    f.MainMenuClearCacheClick();
    ASSERT_EQ(w.dialogs.Shown().size(), 1u);
    EXPECT_EQ(w.dialogs.Shown()[0].type, platform::TMsgType::Confirmation);
    EXPECT_TRUE(w.dialogs.Texts()[0].contains("(1.5 MiB)")) << w.dialogs.Texts()[0].toStdString();
    EXPECT_EQ(cache.Size(), c.left);
  }
  EXPECT_FALSE(cache.Find(*key));
  EXPECT_TRUE(Control<QMenu>(f, "MainMenuOptions")->actions().contains(Control<QAction>(f, "MainMenuClearCache")));
}
