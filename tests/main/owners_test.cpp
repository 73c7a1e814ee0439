// The window's owners: the players' state, and what the window's commands act on (the owners'
// state, never what a control happens to show).
#include <gtest/gtest.h>

#include <QLineEdit>

#include "core/winpath.h"
#include "formworld.h"
#include "menuitems.h"
#include "midigen.h"
#include "playercontroller.h"

using testsupport::TestWorld;

namespace {

struct OwnerWorld : FormWorld {
  // A playable tune and a file no player takes; their Windows paths.
  QString Tune() {
    TestWorld::WriteFile(Linux("tune.mid"), testsupport::MakeMidiTune(2));
    return QString::fromStdString(world.Windows("tune.mid"));
  }
  QString NotMidi() {
    TestWorld::WriteFile(Linux("not.mid"), "plain text");
    return QString::fromStdString(world.Windows("not.mid"));
  }
  std::string LinuxOf(const QString &windows) { return platform::ToLinux(windows.toStdString()); }
};

}  // namespace

// Stop is on from the moment a play is started, even one that fails; the choice of player is
// locked only while the built-in player really plays.
TEST(PlayerController, PlayingIsAStateOfItsOwn) {
  enum Step { PlayTune, PlayBroken, Stop, StopExternal };
  const struct Case {
    const char *name;
    std::vector<Step> steps;
    bool playing, locked, error, signalled;
  } cases[] = {
      {"nothing", {}, false, false, false, false},
      {"a tune", {PlayTune}, true, true, false, true},
      {"a broken file", {PlayBroken}, true, false, true, true},
      {"a tune, stopped", {PlayTune, Stop}, false, false, false, true},
      {"a broken file, stopped", {PlayBroken, Stop}, false, false, true, true},
      {"stopped as the desktop's player", {PlayBroken, StopExternal}, true, false, true, true},
      {"stopped without a play", {Stop}, false, false, false, false},
  };
  for (const Case &c : cases) {
    OwnerWorld w;
    TPlayerController players;
    players.Options().renderFile = w.Linux("out.raw");
    int changes = 0;
    QObject::connect(&players, &TPlayerController::StateChanged, [&] { ++changes; });
    bool error = false;
    for (Step step : c.steps) {
      switch (step) {
        case PlayTune:
          error |= !players.PlayBuiltIn(QString::fromStdString(w.LinuxOf(w.Tune())), {}).isEmpty();
          break;
        case PlayBroken:
          error |= !players.PlayBuiltIn(QString::fromStdString(w.LinuxOf(w.NotMidi())), {}).isEmpty();
          break;
        case Stop:
          players.Stop(false);
          break;
        case StopExternal:
          players.Stop(true);
          break;
      }
    }
    EXPECT_EQ(players.IsPlaying(), c.playing) << c.name;
    EXPECT_EQ(players.LocksPlayerChoice(), c.locked) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(changes > 0, c.signalled) << c.name;
    players.Stop(false);
  }
}

// A double click plays what was double-clicked (the selected scene's file, the selected node),
// whatever the edit box was given since.
TEST(FormOwners, DoubleClicksPlayWhatWasClickedNotTheEditBox) {
  for (const bool inTree : {false, true}) {
    OwnerWorld w;
    TFormMain &f = w.Open();
    f.Players().Options().renderFile = w.Linux("out.raw");
    const QString tune = w.Tune();
    if (inTree) {
      auto *tree = Control<TFolderTreeViewEx>(f, "FolderTreeViewEx");
      ASSERT_TRUE(tree->SelectPath(tune));
      Control<QLineEdit>(f, "EditMidiFile")->setText(w.NotMidi());
      f.FolderTreeViewExDblClick(tune);
    } else {
      f.Session().SceneTable[3].Source = tune;
      f.FillSceneList();
      Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(3));
      Control<QLineEdit>(f, "EditMidiFile")->setText(w.NotMidi());
      f.ListViewDblClick();
    }
    EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << inTree << w.dialogs.Texts().join("|").toStdString();
    EXPECT_TRUE(f.Players().LocksPlayerChoice()) << inTree;
    f.StopPlaying();
  }
}

// The menu's check marks show the options; a mark changed behind the window's back changes
// nothing the window does.
TEST(FormOwners, CheckMarksShowTheOptionsAndNeverHoldThem) {
  const char *marks[] = {"MainMenuAtAssign", "MainMenuAssign"};
  for (const char *mark : marks) {
    OwnerWorld w;
    TFormMain &f = w.Open();
    f.Players().Options().renderFile = w.Linux("out.raw");
    ASSERT_FALSE(menuitems::Checked(Control<QAction>(f, mark))) << mark;
    menuitems::SetCheckedFlag(Control<QAction>(f, mark), true);
    if (QString(mark) == "MainMenuAtAssign") menuitems::SetCheckedFlag(Control<QAction>(f, "MainMenuAtPlay"), false);
    const QString tune = w.Tune();
    ASSERT_TRUE(Control<TFolderTreeViewEx>(f, "FolderTreeViewEx")->SelectPath(tune)) << mark;
    f.FolderTreeViewExDblClick(tune);
    EXPECT_TRUE(f.Players().LocksPlayerChoice()) << mark << ": the built-in player plays";
    EXPECT_TRUE(f.Players().ProcessIds().empty()) << mark;
    f.StopPlaying();
    w.Close();
    EXPECT_NE(w.Settings().find("AtPlay=1\r\nAtAssign=0\r\n"), std::string::npos) << mark;
    EXPECT_NE(w.Settings().find("Assign=0\r\n"), std::string::npos) << mark;
  }
}
