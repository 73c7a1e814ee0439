// The window over several games and music sets: the selectors, the scene list of each set,
// applying to every set, and a game folder added by the user.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>

#include "convertdialog.h"
#include "digitalgen.h"
#include "formworld.h"
#include "gamesets.h"
#include "registeredgames.h"

using testsupport::TestWorld;

namespace {

const std::string kDigital = "prefix/drive_c/Program Files/Ultima Online/music/Digital";

struct GamesWorld : FormWorld {
  GamesWorld() {
    testsupport::MakeRealDigitalMusic(Linux(kDigital));
    TestWorld::MakeDirs(Linux("tunes"));
    town = testsupport::MakeSineMp3(Linux("tunes/town.mp3"), 880);
    TestWorld::WriteFile(Linux("tunes/town.mid"), testsupport::MakeMidiTune(3));
    TestWorld::WriteFile(Linux("prog/melodeck.ini"), "[Town]\nbritainpos.mp3=" + world.Windows("tunes/town.mp3") +
                                                         "\napproach.mid=" + world.Windows("tunes/town.mid") +
                                                         "\n[melodeck]\nLastConfig=Town\n");
  }
  QComboBox &Box(TFormMain &f, const char *name) {
    QCoreApplication::processEvents();  // the tool bar lays out its items
    return *Control<QComboBox>(f, name);
  }
  void Choose(TFormMain &f, const char *box, int index) {
    Box(f, box).setCurrentIndex(index);
    if (std::string(box) == "ComboBoxGame") f.ComboBoxGameChange();
    else f.ComboBoxMusicSetChange();
  }
  int Rows(TFormMain &f) { return Control<QTreeWidget>(f, "ListView")->topLevelItemCount(); }
  std::string town;
};

}  // namespace

TEST(Games, AMidiClientWithDigitalMusicShowsEitherSetAndAppliesBoth) {
  GamesWorld w;
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});
  EXPECT_FALSE(w.Box(f, "ComboBoxGame").isVisible());  // one game: nothing to choose
  ASSERT_TRUE(w.Box(f, "ComboBoxMusicSet").isVisible());
  EXPECT_EQ(w.Box(f, "ComboBoxMusicSet").count(), 2);
  EXPECT_EQ(w.Rows(f), 49);

  const size_t before = w.dialogs.Shown().size();
  w.Choose(f, "ComboBoxMusicSet", 1);
  // One row per file; the track two files answer to is none, and the window says so, once.
  ASSERT_EQ(w.Rows(f), 4);
  ASSERT_GT(w.dialogs.Shown().size(), before);
  EXPECT_TRUE(w.dialogs.Shown().back().text.contains("echo.mp3: ECHO.mp3, echo.mp3"))
      << w.dialogs.Shown().back().text.toStdString();
  EXPECT_TRUE(w.dialogs.Shown().back().text.contains("1 行は曲として読めない"));
  EXPECT_EQ(f.Session().SceneTable[0].FileName, "turfin.mp3");
  EXPECT_EQ(f.Session().SceneTable[0].Name, "ランダム1 / フィールド1 / フィールド2 / Approach");
  EXPECT_TRUE(
      TestWorld::Exists(w.Linux("prefix/drive_c/Program Files/Ultima Online/melodeck-backup/Digital/turfin.mp3")));
  // A file that is no music is no source of a digital row (any tune is: see midicommands_test).
  const size_t shown = w.dialogs.Shown().size();
  TestWorld::WriteFile(w.Linux("tunes/notes.txt"), "la");
  EXPECT_FALSE(f.AssignSource(0, QString::fromStdString(w.world.Windows("tunes/notes.txt"))));
  EXPECT_EQ(w.dialogs.Shown().size(), shown + 1);

  w.dialogs.Answer(platform::TModalResult::OK);
  f.MainMenuApplayClick();
  EXPECT_EQ(TestWorld::ReadFile(w.Linux(kDigital + "/Britainpos.mp3")), w.town);
  EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/approach.mid"), testsupport::MakeMidiTune(3));

  w.Choose(f, "ComboBoxMusicSet", 0);
  EXPECT_EQ(w.Rows(f), 49);
  const size_t told = w.dialogs.Shown().size();
  w.Choose(f, "ComboBoxMusicSet", 1);
  EXPECT_EQ(w.dialogs.Shown().size(), told);
}

TEST(Games, AGameFolderAddedFromTheMenuIsShownAndKept) {
  GamesWorld w;
  const std::string data = w.Linux("uo-data");
  testsupport::MakeRealDigitalMusic(data + "/Music/Digital");
  TestWorld::MakeDirs(w.Linux("empty"));
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});

  // A folder without music is refused with a word and adds nothing.
  w.dialogs.AnswerFile(QString::fromStdString(w.world.Windows("empty")));
  const size_t shown = w.dialogs.Shown().size();
  f.MainMenuAddGameClick();
  EXPECT_EQ(w.dialogs.Shown().size(), shown + 2);  // the folder dialog and the message
  EXPECT_EQ(w.Box(f, "ComboBoxGame").count(), 1);

  w.dialogs.AnswerFile(QString::fromStdString(w.world.Windows("uo-data")));
  f.MainMenuAddGameClick();
  ASSERT_EQ(w.Box(f, "ComboBoxGame").count(), 2);
  EXPECT_TRUE(w.Box(f, "ComboBoxGame").isVisible());
  EXPECT_EQ(w.Box(f, "ComboBoxGame").currentIndex(), 1);
  EXPECT_FALSE(w.Box(f, "ComboBoxMusicSet").isVisible());  // a digital game only
  EXPECT_EQ(w.Rows(f), 4);
  EXPECT_TRUE(f.windowTitle().endsWith(" - uo-data")) << f.windowTitle().toStdString();
  const std::string settings = w.Settings();
  EXPECT_NE(settings.find("Game1=" + w.world.Windows("uo-data")), std::string::npos) << settings;
  EXPECT_NE(settings.find("Game=" + w.world.Windows("uo-data")), std::string::npos) << settings;

  w.Choose(f, "ComboBoxGame", 0);
  EXPECT_EQ(w.Rows(f), 49);
  EXPECT_FALSE(f.windowTitle().endsWith(" - uo-data"));

  // A ClassicUO settings.json dropped on the window adds the game it names; the same game twice is one.
  TestWorld::MakeDirs(w.Linux("cuo"));
  TestWorld::WriteFile(w.Linux("cuo/settings.json"), "{\"ultimaonlinedirectory\": \"" + data + "\"}");
  f.FormDropFiles({QString::fromStdString(w.world.Windows("cuo/settings.json"))});
  EXPECT_EQ(w.Box(f, "ComboBoxGame").count(), 2);
  EXPECT_EQ(w.Box(f, "ComboBoxGame").currentIndex(), 1);
}

// A MIDI tune on a digital track is converted when applied, with a progress dialog whose Cancel
// leaves every game file of both sets as it was.
TEST(Games, ApplyConvertsATuneForADigitalTrackAndCancellingItTouchesNoSet) {
  GamesWorld w;
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Dawn]\nbritainpos.mp3=" + w.world.Windows("tunes/town.mid") +
                                                         "\napproach.mid=" + w.world.Windows("tunes/town.mid") +
                                                         "\n[melodeck]\nLastConfig=Dawn\n");
  TFormMain &f = w.OpenGames({MidiGame(w.folders)});
  const std::string britainpos = TestWorld::ReadFile(w.Linux(kDigital + "/Britainpos.mp3"));
  const std::string approach = TestWorld::ReadFile(w.MusicLinux() + "/approach.mid");

  QTimer cancel;
  bool seen = false;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (auto *progress = f.findChild<QProgressDialog *>("ConvertProgress")) {
      seen = seen || progress->isVisible();
      progress->cancel();
    }
  });
  cancel.start(5);
  w.dialogs.Answer(platform::TModalResult::OK);
  f.MainMenuApplayClick();
  cancel.stop();
  EXPECT_TRUE(seen);
  ASSERT_FALSE(w.dialogs.Shown().empty());
  EXPECT_EQ(w.dialogs.Shown().back().text, ApplyCancelledText());
  EXPECT_EQ(TestWorld::ReadFile(w.Linux(kDigital + "/Britainpos.mp3")), britainpos);
  EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/approach.mid"), approach);

  w.dialogs.Answer(platform::TModalResult::OK);
  f.MainMenuApplayClick();
  const std::string made = TestWorld::ReadFile(w.Linux(kDigital + "/Britainpos.mp3"));
  EXPECT_NE(made, britainpos);
  EXPECT_TRUE(made.rfind("ID3", 0) == 0 || (!made.empty() && uint8_t(made[0]) == 0xff));
  EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/approach.mid"), testsupport::MakeMidiTune(3));
}
