// The window's owners: the players' state, and what the window's commands act on (the owners'
// state, never what a control happens to show).
#include <gtest/gtest.h>

#include <QLineEdit>

#include "core/winpath.h"
#include "formoptions.h"
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

// The options value alone: what a settings file gives, and the same value read back after it
// was written.
TEST(FormOptions, ReadAsStoredAndReadBackAsWritten) {
  const struct Case {
    const char *settings;
    bool fileJump, assign, withClose, atPlay, atAssign, bar3;
    std::optional<int> top, width;
  } cases[] = {
      {"", false, false, true, true, false, true, std::nullopt, std::nullopt},
      {"FileJump=1\r\nAssign=1\r\nWithClose=0\r\n", true, true, false, true, false, true, std::nullopt, std::nullopt},
      {"AtPlay=1\r\nAtAssign=1\r\n", false, false, true, false, true, true, std::nullopt, std::nullopt},
      {"AtPlay=0\r\nAtAssign=0\r\n", false, false, true, false, false, true, std::nullopt, std::nullopt},
      {"ToolBar3=0\r\nTop=-20\r\nWidth=x\r\n", false, false, true, true, false, false, -20, std::nullopt},
  };
  for (const Case &c : cases) {
    OwnerWorld w;
    TestWorld::WriteFile(w.Linux("o.ini"), std::string("[melodeck]\r\n") + c.settings);
    platform::IniFile ini(w.world.Windows("o.ini"));
    TFormOptions o = TFormOptions::Load(ini);
    const auto check = [&](const TFormOptions &v, const char *when) {
      EXPECT_EQ(v.FileJump, c.fileJump) << c.settings << when;
      EXPECT_EQ(v.Assign, c.assign) << c.settings << when;
      EXPECT_EQ(v.WithClose, c.withClose) << c.settings << when;
      EXPECT_EQ(v.AtPlay, c.atPlay) << c.settings << when;
      EXPECT_EQ(v.AtAssign, c.atAssign) << c.settings << when;
      EXPECT_EQ(v.ToolBars[2], c.bar3) << c.settings << when;
      EXPECT_TRUE(v.ToolBars[0] && v.ToolBars[1]) << c.settings << when;
      EXPECT_EQ(v.Top, c.top) << c.settings << when;
      EXPECT_EQ(v.Width, c.width) << c.settings << when;
    };
    check(o, "");
    if (!o.Top) o.Top = c.top.value_or(0);
    o.Left = 5, o.Width = c.width.value_or(0), o.Height = 7;
    o.Save(ini);
    const TFormOptions back = TFormOptions::Load(platform::IniFile(w.world.Windows("o.ini")));
    EXPECT_EQ(back.Left, 5) << c.settings;
    EXPECT_EQ(back.Height, 7) << c.settings;
    check(TFormOptions{back.FileJump,
                       back.Assign,
                       back.WithClose,
                       back.AtPlay,
                       back.AtAssign,
                       {back.ToolBars[0], back.ToolBars[1], back.ToolBars[2]},
                       c.top,
                       c.width},
          " (read back)");
  }
}
