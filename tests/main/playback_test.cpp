// The window's built-in player: what the controls show and what reaches the output. The
// player renders to a file here instead of a sound device.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QKeyEvent>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <sndfile.h>

#include "audiogen.h"
#include "convertcache.h"
#include "core/winpath.h"
#include "fakeprefix.h"
#include "formworld.h"
#include "menuitems.h"
#include "registeredgames.h"
#include "media/soundfont.h"
#include "midigen.h"
#include "requirements.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {

// The largest sample magnitude from byte `from` of a raw 16-bit output, once the output has
// grown by a second of sound (or after a bound that only keeps a broken output from hanging).
int PeakAfter(const std::string &path, size_t from) {
  constexpr size_t kSecond = 44100 * 4;
  for (int i = 0; i < 1000; ++i) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && static_cast<size_t>(st.st_size) >= from + kSecond) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const std::string data = TestWorld::ReadFile(path);
  int peak = 0;
  for (size_t i = from & ~size_t{1}; i + 1 < data.size(); i += 2)
    peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>(static_cast<uint8_t>(data[i]) |
                                                                         (static_cast<uint8_t>(data[i + 1]) << 8)))));
  return peak;
}

struct PlaybackWorld : FormWorld {
  TFormMain &Start() {
    TFormMain &f = Open();
    f.Players().Options().renderFile = Linux("out.raw");
    return f;
  }
  std::string Tune(const std::string &rel, int index) {
    TestWorld::MakeDirs(Linux(rel.substr(0, rel.rfind('/'))));
    TestWorld::WriteFile(Linux(rel), testsupport::MakeMidiTune(index));
    return world.Windows(rel);
  }
};

}  // namespace

TEST(Playback, TheBuiltInPlayerPlaysSwitchesAndStops) {
  PlaybackWorld w;
  TFormMain &f = w.Start();
  const std::string out = w.Linux("out.raw");
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.Tune("tunes/a.mid", 3)));
  f.ToolButtonPlayClick();
  EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << w.dialogs.Texts().join("|").toStdString();
  EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuAssign")->isEnabled());
  EXPECT_GT(PeakAfter(out, 0), 1000);

  // Another file while playing: no Stop needed.
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.Tune("tunes/b.mid", 4)));
  f.ToolButtonPlayClick();
  EXPECT_GT(PeakAfter(out, TestWorld::ReadFile(out).size()), 1000);
  f.MainMenuPlayerClick();
  EXPECT_TRUE(Control<QAction>(f, "MainMenuStop")->isEnabled());

  f.ToolButtonStopClick();
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  EXPECT_TRUE(Control<QAction>(f, "MainMenuAssign")->isEnabled());
  f.MainMenuPlayerClick();
  EXPECT_FALSE(Control<QAction>(f, "MainMenuStop")->isEnabled());
}

TEST(Playback, AnArchiveEntryIsExtractedOnceAndPlayed) {
  REQUIRE_TOOLS("zip");
  PlaybackWorld w;
  TFormMain &f = w.Start();
  w.Tune("zip/music/town.mid", 7);
  ASSERT_EQ(std::system(("cd '" + w.Linux("zip") + "' && zip -qr pack.zip music").c_str()), 0);
  Control<QLineEdit>(f, "EditMidiFile")
      ->setText(QString::fromStdString(w.world.Windows("zip/pack.zip")) + "|music/town.mid");
  f.ToolButtonPlayClick();
  EXPECT_GT(PeakAfter(w.Linux("out.raw"), 0), 1000);
  const std::string extracted =
      platform::ToLinux(f.Session().WorkFolder.Path().toStdString()) + "/pack.zip/music/town.mid";
  ASSERT_TRUE(TestWorld::Exists(extracted));
  TestWorld::WriteFile(extracted, testsupport::MakeMidiTune(8));  // a second extraction would undo this
  f.ToolButtonPlayClick();
  EXPECT_EQ(TestWorld::ReadFile(extracted), testsupport::MakeMidiTune(8));
}

// The work folder went (a refresh) and a new one can't be made: playing an entry says why.
TEST(Playback, AnEntryWithoutAWorkFolderIsReportedWithTheReason) {
  REQUIRE_TOOLS("zip");
  PlaybackWorld w;
  TFormMain &f = w.Start();
  w.Tune("zip/music/town.mid", 7);
  ASSERT_EQ(std::system(("cd '" + w.Linux("zip") + "' && zip -qr pack.zip music").c_str()), 0);
  TestWorld::WriteFile(w.Linux("notafolder"), "x");
  setenv("TMPDIR", w.Linux("notafolder").c_str(), 1);
  f.Session().WorkFolder.Remove();
  Control<QLineEdit>(f, "EditMidiFile")
      ->setText(QString::fromStdString(w.world.Windows("zip/pack.zip")) + "|music/town.mid");
  f.ToolButtonPlayClick();
  EXPECT_EQ(w.dialogs.Texts(),
            QStringList{QString::fromUtf8("作業フォルダを作成できません: ") +
                        QString::fromStdString(w.Linux("notafolder")) + "/melodeck-XXXXXX: Not a directory"});
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
}

TEST(Playback, WhatCannotBePlayedIsReportedOrIgnored) {
  PlaybackWorld w;
  TFormMain &f = w.Start();
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.world.Windows("missing.mid")));
  f.ToolButtonPlayClick();  // nothing there: nothing happens
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  TestWorld::WriteFile(w.Linux("not.mid"), "plain text");
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.world.Windows("not.mid")));
  f.ToolButtonPlayClick();
  ASSERT_EQ(w.dialogs.Texts().size(), 1);
  // The file is named by the path the window shows.
  EXPECT_EQ(w.dialogs.Texts()[0], QString::fromStdString(w.world.Windows("not.mid")) +
                                      QString::fromUtf8(" は再生できる標準 MIDI ファイルではありません"));
  EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());  // as the designed player leaves it
  EXPECT_TRUE(Control<QAction>(f, "MainMenuAssign")->isEnabled());
}

TEST(Playback, TheChosenSoundFontIsStoredAndUsedFromTheNextPlay) {
  PlaybackWorld w;
  TFormMain &f = w.Start();
  EXPECT_TRUE(Control<QMenu>(f, "MainMenuOptions")->actions().contains(Control<QAction>(f, "MainMenuSoundFont")));
  TestWorld::WriteFile(w.Linux("broken.sf2"), "not a soundfont");
  w.dialogs.AnswerFile(QString::fromStdString(w.world.Windows("broken.sf2")));
  f.MainMenuSoundFontClick();
  EXPECT_EQ(f.Store().Settings().ReadString("melodeck", "SoundFont", ""), w.world.Windows("broken.sf2"));
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.Tune("tunes/a.mid", 3)));
  f.ToolButtonPlayClick();
  ASSERT_EQ(w.dialogs.Texts().size(), 2);
  EXPECT_TRUE(w.dialogs.Texts()[1].contains("broken.sf2")) << w.dialogs.Texts()[1].toStdString();
}

// An apply releases the built-in player, its synthesiser and SoundFont, for the memory its
// conversions need, whether the player was playing or had stopped; the next play makes it anew
// and sounds.
TEST(Playback, AnApplyReleasesTheBuiltInPlayerWhichPlaysAgainAfterIt) {
  for (const bool stopped : {false, true}) {
    SCOPED_TRACE(stopped ? "stopped before the apply" : "playing when the apply starts");
    PlaybackWorld w;
    TFormMain &f = w.Start();
    const std::string out = w.Linux("out.raw");
    Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.Tune("tunes/a.mid", 3)));
    f.ToolButtonPlayClick();
    EXPECT_GT(PeakAfter(out, 0), 1000);
    if (stopped) f.ToolButtonStopClick();
    ASSERT_TRUE(f.Players().HoldsBuiltInPlayer());

    w.dialogs.Answer(TModalResult::OK);
    f.MainMenuApplayClick();
    EXPECT_FALSE(f.Players().HoldsBuiltInPlayer());
    EXPECT_FALSE(f.Players().IsPlaying());
    EXPECT_TRUE(Control<QAction>(f, "MainMenuAssign")->isEnabled());

    std::remove(out.c_str());  // what the released player wrote
    f.ToolButtonPlayClick();
    EXPECT_TRUE(f.Players().HoldsBuiltInPlayer());
    EXPECT_TRUE(f.Players().IsPlaying());
    EXPECT_GT(PeakAfter(out, 0), 1000);
    f.ToolButtonStopClick();
    EXPECT_EQ(w.dialogs.Texts().size(), 1) << w.dialogs.Texts().join("|").toStdString();  // the question only
  }
}

// The tree's Play item acts as a double click on the selected node: it plays a MIDI file.
TEST(Playback, TheTreesPlayItemPlaysTheSelectedFile) {
  PlaybackWorld w;
  TFormMain &f = w.Start();
  const std::string tune = w.Tune("tunes/a.mid", 5);
  ASSERT_TRUE(Control<TFolderTreeViewEx>(f, "FolderTreeViewEx")->SelectPath(QString::fromStdString(tune)));
  f.PopupMenuTreePlayClick();
  EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  EXPECT_GT(PeakAfter(w.Linux("out.raw"), 0), 1000);
}

// The SoundFont chooser opens where the SoundFont is: the chosen one's folder, else the
// system's SoundFonts.
TEST(Playback, TheSoundFontChooserStartsInTheSoundFontsFolder) {
  struct Case {
    const char *chosen;  // relative to the test world; "" for none
    const char *folder;  // relative to the test world; null for the system's folder
    const char *name;
  };
  const Case cases[] = {
      {"", nullptr, ""},
      {"fonts/mine.sf2", "fonts", "mine.sf2"},
      {"gone/mine.sf2", nullptr, ""},  // the folder was deleted since
  };
  for (const Case &c : cases) {
    PlaybackWorld w;
    TestWorld::MakeDirs(w.Linux("fonts"));
    const std::string chosen = *c.chosen ? w.world.Windows(c.chosen) : "";
    TFormMain &f = w.Start();
    f.Store().Settings().WriteString("melodeck", "SoundFont", chosen);
    f.MainMenuSoundFontClick();
    ASSERT_EQ(w.dialogs.Shown().size(), 1u) << c.chosen;
    const testsupport::ShownDialog &shown = w.dialogs.Shown()[0];
    const std::string folder =
        c.folder ? w.world.Windows(c.folder) : platform::ToWindows(platform::kSystemSoundFontFolder);
    EXPECT_EQ(shown.folder.toStdString(), folder) << c.chosen;
    EXPECT_EQ(shown.value.toStdString(), c.name) << c.chosen;
    EXPECT_EQ(f.Store().Settings().ReadString("melodeck", "SoundFont", ""), chosen) << "cancelled: kept";
  }
}

// Enter in the tree plays the selected MIDI file, in either double-click mode; on a folder it
// plays nothing.
TEST(Playback, EnterInTheTreePlaysTheSelectedFile) {
  struct Case {
    const char *node;  // relative to the test world
    bool assignOnDoubleClick;
    bool plays;
  };
  const Case cases[] = {
      {"tunes/a.mid", false, true},
      {"tunes/a.mid", true, true},
      {"tunes", false, false},
  };
  for (const Case &c : cases) {
    PlaybackWorld w;
    TFormMain &f = w.Start();
    w.Tune("tunes/a.mid", 5);
    if (c.assignOnDoubleClick) f.MainMenuWhenDClickClick(Control<QAction>(f, "MainMenuAtAssign"));
    ASSERT_TRUE(
        Control<TFolderTreeViewEx>(f, "FolderTreeViewEx")->SelectPath(QString::fromStdString(w.world.Windows(c.node))))
        << c.node;
    const QString before = Control<QLineEdit>(f, "EditMidiFile")->text();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(Control<TFolderTreeViewEx>(f, "FolderTreeViewEx"), &press);
    }
    EXPECT_EQ(Control<QToolButton>(f, "ToolButtonStop")->isEnabled(), c.plays) << c.node;
    if (c.plays) EXPECT_GT(PeakAfter(w.Linux("out.raw"), 0), 1000) << c.node;
    else EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), before);
    f.StopPlaying();
  }
}

// MP3s, files and archive entries, play in the same built-in player as MIDI files, each
// replacing the other; an MP3 that does not decode is reported.
TEST(Playback, AnMp3PlaysInTheBuiltInPlayerAndSwitchesWithMidi) {
  REQUIRE_TOOLS("lame", "zip");
  PlaybackWorld w;
  TFormMain &f = w.Start();
  const std::string out = w.Linux("out.raw");
  TestWorld::MakeDirs(w.Linux("tunes"));
  ASSERT_TRUE(testsupport::MakeMp3(w.Linux("tunes/Town.mp3")));
  ASSERT_EQ(std::system(("cd '" + w.Linux("tunes") + "' && zip -q pack.zip Town.mp3").c_str()), 0);
  const QString sources[] = {QString::fromStdString(w.world.Windows("tunes/Town.mp3")),
                             QString::fromStdString(w.Tune("tunes/a.mid", 3)),
                             QString::fromStdString(w.world.Windows("tunes/pack.zip")) + "|Town.mp3"};
  for (const QString &source : sources) {
    Control<QLineEdit>(f, "EditMidiFile")->setText(source);
    f.ToolButtonPlayClick();
    EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << w.dialogs.Texts().join("|").toStdString();
    EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
    EXPECT_GT(PeakAfter(out, TestWorld::ReadFile(out).size()), 1000) << source.toStdString();
  }
  f.ToolButtonStopClick();
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());

  TestWorld::WriteFile(w.Linux("tunes/broken.mp3"), TestWorld::ReadFile(w.Linux("tunes/Town.mp3")).substr(0, 300));
  Control<QLineEdit>(f, "EditMidiFile")->setText(QString::fromStdString(w.world.Windows("tunes/broken.mp3")));
  f.ToolButtonPlayClick();
  EXPECT_EQ(
      w.dialogs.Texts(),
      QStringList{QString::fromStdString(w.world.Windows("tunes/broken.mp3")) +
                  QString::fromUtf8(" は再生できる音声ファイル (MP3, WAV, FLAC, Ogg Vorbis, Opus) ではありません")});
}

// A digital row plays its source itself, whatever its kind (a MIDI tune in the MIDI player, other
// sound in the audio player): hearing it never waits for a conversion to MP3.
TEST(Playback, ADigitalRowPlaysItsSourceOfAnyKindAsItIs) {
  PlaybackWorld w;
  testsupport::MakeDigitalMusic(w.MusicLinux() + "/Digital");
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Mine]\r\n[melodeck]\r\nLastConfig=Mine\r\n");
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});
  Control<QComboBox>(f, "ComboBoxMusicSet")->setCurrentIndex(1);
  f.ComboBoxMusicSetChange();
  ASSERT_TRUE(f.GameChoice().Set().IsDigital());
  Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(0));
  TestWorld::MakeDirs(w.Linux("tunes"));
  const struct {
    const char *file;
    int format;  // 0: a MIDI tune
  } cases[] = {{"town.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
               {"town.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
               {"town.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
               {"town.mid", 0}};
  for (const auto &c : cases) {
    const std::string rel = std::string("tunes/") + c.file, out = w.Linux(rel + ".raw");
    if (c.format) ASSERT_TRUE(testsupport::MakeSoundFile(w.Linux(rel), c.format, 2.0)) << c.file;
    else w.Tune(rel, 5);
    w.dialogs.Clear();
    ASSERT_TRUE(f.AssignSource(0, QString::fromStdString(w.world.Windows(rel)))) << c.file;
    f.ToolButtonStopClick();
    f.Players().Options().renderFile = out;  // each file's sound apart
    f.Players().ForgetBuiltInPlayer();
    f.ListViewDblClick();
    EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << c.file << ": " << w.dialogs.Texts().join("|").toStdString();
    EXPECT_TRUE(f.Players().IsPlaying()) << c.file;
    EXPECT_GT(PeakAfter(out, 0), 1000) << c.file;
  }
  f.ToolButtonStopClick();
  EXPECT_FALSE(TestWorld::Exists(TConvertCache().Dir().toStdString()));  // nothing was converted
}
