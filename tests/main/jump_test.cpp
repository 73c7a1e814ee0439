// Assigning files and archive entries to scenes, jumping from a scene to its file, the tree's
// pop-up menu, double click and right click.
#include <gtest/gtest.h>

#include <QTest>

#include "menuitems.h"
#include "midigen.h"
#include "treeworld.h"

using menuitems::Checked;
using testsupport::TestWorld;

namespace {

const char kSummer[] = "[Summer]\r\n[melodeck]\r\nLastConfig=Summer\r\n";
const int kTown = 1;  // britain1.mid

void SelectRow(TFormMain &f, int scene) {
  Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(scene));
}

const TArchiveNode *SelectedEntry(TreeWorld &w) { return TArchiveNode::From(w.Tree().currentItem()); }

}  // namespace

TEST(Assign, AnEntryOrAFileBecomesTheScenesSourceAndItsRowShowsItsName) {
  TreeWorld w(kSummer);
  const QString archive = w.Pack("pack.lzh", {{"music/town.mid", testsupport::MakeMidiTune(3)}});
  TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), testsupport::MakeMidiTune(4));
  TFormMain &f = w.Open();
  const std::string settings = w.Settings();
  SelectRow(f, kTown);
  ASSERT_EQ(f.SceneList().CurrentScene(), kTown);

  QTreeWidgetItem *entry = TreeWorld::At(w.Expand(archive), "music/town.mid");
  ASSERT_NE(entry, nullptr);
  w.Tree().SetSelected(entry);
  EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), "D:\\dl\\pack.lzh|music/town.mid");
  f.PopupMenuTreeAssignClick();
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "D:\\dl\\pack.lzh|music/town.mid");
  EXPECT_EQ(f.SceneList().RowOfScene(kTown)->text(1), "town.mid");

  ASSERT_NE(w.Select("D:\\dl\\disk.mid"), nullptr);
  EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), "D:\\dl\\disk.mid");
  f.PopupMenuTreeAssignClick();
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "D:\\dl\\disk.mid");
  EXPECT_EQ(f.SceneList().RowOfScene(kTown)->text(1), "disk.mid");

  // A folder leaves the edit box alone.
  ASSERT_NE(w.Select("D:\\dl"), nullptr);
  EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), "D:\\dl\\disk.mid");
  EXPECT_EQ(w.Settings(), settings) << "assigning writes nothing";
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
}

TEST(Assign, TheStandardConfigurationRefusesEvenItsOwnFileAndNoSceneDoesNothing) {
  FormWorld w;
  TFormMain &f = w.Open();
  ASSERT_EQ(f.Store().CurrentConfig, QString::fromUtf8("標準"));
  f.PopupMenuTreeAssignClick();
  EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << "no scene taken up yet";
  SelectRow(f, 0);
  ASSERT_TRUE(Control<TFolderTreeViewEx>(f, "FolderTreeViewEx")->SelectPath(w.folders.DefaultDir + "\\approach.mid"));
  f.PopupMenuTreeAssignClick();
  EXPECT_EQ(w.dialogs.Texts(),
            QStringList{QString::fromUtf8("\"標準\"の曲は変更できません。新しい設定を作成してください")});
  EXPECT_EQ(f.Session().SceneTable[0].Source, "approach.mid");
}

TEST(Jump, OnceByF4WalksIntoTheArchiveIgnoringCaseAndLeavesTheOptionOff) {
  TreeWorld w(std::string("[Summer]\r\nbritain1.mid=D:\\dl\\pack.lzh|MUSIC/Town.MID\r\n") + kSummer + "FileJump=0\r\n");
  w.Pack("pack.lzh", {{"readme.txt", "r"}, {"music/town.mid", testsupport::MakeMidiTune(3)}});
  TFormMain &f = w.Open();
  QTreeWidgetItem *before = w.Tree().currentItem();
  SelectRow(f, kTown);
  EXPECT_EQ(f.StatusText(), f.Session().SceneTable[kTown].Detail);
  EXPECT_EQ(w.Tree().currentItem(), before) << "automatic jump is off";

  for (void (TFormMain::*command)() : {&TFormMain::MainMenuShowFileClick, &TFormMain::PopupMenuListJumpClick}) {
    ASSERT_TRUE(w.Select(w.folders.DefaultDir));
    (f.*command)();
    ASSERT_NE(SelectedEntry(w), nullptr);
    EXPECT_EQ(SelectedEntry(w)->EntryPath, "music/town.mid");
    EXPECT_TRUE(w.Tree().currentItem()->parent()->isExpanded());
    EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuFileJump")));
    EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonFileJump")->isChecked());
  }
  // Without a selected row F4 does nothing.
  Control<QTreeWidget>(f, "ListView")->clearSelection();
  ASSERT_TRUE(w.Select(w.folders.DefaultDir));
  f.MainMenuShowFileClick();
  EXPECT_EQ(w.Tree().NodePath(w.Tree().currentItem()), w.folders.DefaultDir);
}

TEST(Jump, WhereTheWalkEnds) {
  TreeWorld w(kSummer);
  w.Pack("case.zip", {{"Music/a.mid", "a"}, {"music/b.mid", "b"}});
  TFormMain &f = w.Open();
  const struct {
    const char *source;
    const char *selected;  // the caption path below the archive's node; "": the archive's node
  } cases[] = {
      {"D:\\dl\\case.zip|music/a.mid", "Music/a.mid"},  // the first folder that matches
      {"D:\\dl\\case.zip|MUSIC/A.MID", "Music/a.mid"},
      {"D:\\dl\\case.zip|music/b.mid", ""},  // "Music" is taken, and it has no b.mid
      {"D:\\dl\\case.zip|music/gone.mid", ""},
      {"D:\\dl\\case.zip|music", "Music"},  // a folder inside is reached all the same
      {"D:\\dl\\case.zip|music//a.mid", ""},
      {"D:\\dl\\case.zip", ""},
  };
  for (const auto &c : cases) {
    f.Session().SceneTable[kTown].Source = QString::fromUtf8(c.source);
    ASSERT_TRUE(w.Select(w.folders.DefaultDir));
    SelectRow(f, 0);
    SelectRow(f, kTown);
    f.PopupMenuListJumpClick();
    QTreeWidgetItem *archive = w.Select("D:\\dl\\case.zip");
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->childCount(), 2) << "listed on the way";
    f.PopupMenuListJumpClick();
    const QString expected = QString::fromUtf8(c.selected);
    EXPECT_EQ(w.Tree().currentItem(), expected.isEmpty() ? archive : TreeWorld::At(archive, expected)) << c.source;
  }
  // A file that is gone: the description shows, the tree stays.
  f.Session().SceneTable[kTown].Source = "D:\\dl\\gone.zip|a.mid";
  ASSERT_TRUE(w.Select(w.folders.DefaultDir));
  f.PopupMenuListJumpClick();
  EXPECT_EQ(w.Tree().NodePath(w.Tree().currentItem()), w.folders.DefaultDir);
}

TEST(Jump, SwitchingAutomaticJumpOnJumpsAtOnceAndTheButtonFollows) {
  TreeWorld w(kSummer);
  TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), "m");
  TFormMain &f = w.Open();
  f.Session().SceneTable[kTown].Source = "D:\\dl\\disk.mid";
  SelectRow(f, kTown);
  EXPECT_NE(w.Tree().NodePath(w.Tree().currentItem()), "D:\\dl\\disk.mid");
  f.MainMenuOptionClick(Control<QAction>(f, "MainMenuFileJump"));
  EXPECT_TRUE(Checked(Control<QAction>(f, "MainMenuFileJump")));
  EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonFileJump")->isChecked());
  EXPECT_EQ(w.Tree().NodePath(w.Tree().currentItem()), "D:\\dl\\disk.mid");
  // Taking up a scene now jumps by itself.
  SelectRow(f, 0);
  EXPECT_EQ(w.Tree().NodePath(w.Tree().currentItem()), w.folders.DefaultDir + "\\approach.mid");
  Control<QToolButton>(f, "ToolButtonFileJump")->click();
  EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuFileJump")));
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonFileJump")->isChecked());
  // On again with no row selected: no scene is taken up any more.
  Control<QTreeWidget>(f, "ListView")->clearSelection();
  f.MainMenuOptionClick(Control<QAction>(f, "MainMenuFileJump"));
  EXPECT_EQ(f.SceneList().CurrentScene(), -1);
}

TEST(TreeEvents, DoubleClickPlaysOrAssignsEvenWithoutASelectedRow) {
  TreeWorld w(kSummer);
  TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), "m");
  TFormMain &f = w.Open();
  SelectRow(f, kTown);
  Control<QTreeWidget>(f, "ListView")->clearSelection();
  ASSERT_EQ(f.SceneList().CurrentScene(), kTown);
  ASSERT_TRUE(w.Select("D:\\dl\\disk.mid"));
  f.FolderTreeViewExDblClick("D:\\dl\\disk.mid");  // play mode: nothing assigned
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "britain1.mid");
  f.MainMenuWhenDClickClick(Control<QAction>(f, "MainMenuAtAssign"));
  EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuAtPlay")));
  f.FolderTreeViewExDblClick("D:\\dl\\disk.mid");
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "D:\\dl\\disk.mid");
  // A folder is left to the tree.
  f.Session().SceneTable[kTown].Source = "britain1.mid";
  ASSERT_TRUE(w.Select("D:\\dl"));
  f.FolderTreeViewExDblClick("D:\\dl");
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "britain1.mid");
}

TEST(TreeEvents, RightClickSelectsTheNodeUnderTheMouseOnly) {
  TreeWorld w;
  TFormMain &f = w.Open();
  QTreeWidgetItem *selected = w.Tree().currentItem();
  ASSERT_NE(selected, nullptr);
  QTreeWidgetItem *other = w.Tree().itemAbove(selected);
  ASSERT_NE(other, nullptr);
  const QRect r = w.Tree().visualItemRect(other);
  QTest::mousePress(w.Tree().viewport(), Qt::RightButton, {}, r.center());
  QTest::mouseRelease(w.Tree().viewport(), Qt::RightButton, {}, r.center());
  EXPECT_EQ(w.Tree().currentItem(), other);
  // Far below the last row: nothing there.
  w.Tree().scrollToBottom();
  const QPoint empty(5, w.Tree().viewport()->height() - 2);
  if (w.Tree().itemAt(empty)) GTEST_SKIP() << "no empty space below the rows";
  QTest::mousePress(w.Tree().viewport(), Qt::RightButton, {}, empty);
  QTest::mouseRelease(w.Tree().viewport(), Qt::RightButton, {}, empty);
  EXPECT_EQ(w.Tree().currentItem(), other);
  (void)f;
}

TEST(TreeEvents, PopupItemStatesFollowTheNodeAndTheSceneList) {
  TreeWorld w(kSummer);
  const QString archive = w.Pack("pack.zip", {{"notes.txt", "n"}, {"song.mid", "s"}});
  TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), "m");
  TFormMain &f = w.Open();
  QTreeWidgetItem *node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  QTreeWidgetItem *text = TreeWorld::At(node, "notes.txt"), *midi = TreeWorld::At(node, "song.mid");
  QTreeWidgetItem *disk = w.Select("D:\\dl\\disk.mid"), *folder = w.Select("D:\\dl");
  const struct {
    QTreeWidgetItem *node;
    bool scene, atAssign;
    bool assignEnabled, assignVisible, openVisible, playEnabled, playVisible;
    const char *byDefault;
  } cases[] = {
      {text, true, false, false, true, true, false, false, "PopupMenuTreeOpen"},
      {midi, true, false, true, true, false, true, true, "PopupMenuTreePlay"},
      {midi, false, false, false, false, false, true, true, "PopupMenuTreePlay"},
      {midi, true, true, true, true, false, true, true, "PopupMenuTreeAssign"},
      {disk, true, true, true, true, false, true, true, "PopupMenuTreeAssign"},
      {folder, true, false, false, true, false, false, true, "PopupMenuTreePlay"},
      {node, false, false, false, false, false, false, true, "PopupMenuTreePlay"},
  };
  for (const auto &c : cases) {
    const std::string label = c.node->text(0).toStdString() + (c.scene ? " scene" : "") + (c.atAssign ? " assign" : "");
    if (c.scene) {
      SelectRow(f, kTown);
    } else {
      Control<QTreeWidget>(f, "ListView")->clearSelection();
    }
    f.MainMenuWhenDClickClick(c.atAssign ? Control<QAction>(f, "MainMenuAtAssign")
                                         : Control<QAction>(f, "MainMenuAtPlay"));
    w.Tree().SetSelected(c.node);
    f.PopupMenuTreePopup();
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreeAssign")->isEnabled(), c.assignEnabled) << label;
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreeAssign")->isVisible(), c.assignVisible) << label;
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreeOpen")->isVisible(), c.openVisible) << label;
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreePlay")->isEnabled(), c.playEnabled) << label;
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreePlay")->isVisible(), c.playVisible) << label;
    EXPECT_EQ(Control<QAction>(f, "PopupMenuTreeStop")->isVisible(), c.playVisible) << label;
    EXPECT_EQ(Control<QMenu>(f, "PopupMenuTree")->defaultAction(), Control<QAction>(f, c.byDefault)) << label;
  }
  SelectRow(f, kTown);
  f.PopupMenuTreePopup();
  EXPECT_EQ(Control<QAction>(f, "PopupMenuTreeAssign")->text(),
            f.Session().SceneTable[kTown].Name + QString::fromUtf8(" にこのファイルを割り当てる(&A)"));
  EXPECT_FALSE(Control<QAction>(f, "PopupMenuTreeStop")->isEnabled());
  w.PlaySomething(f);
  f.PopupMenuTreePopup();
  EXPECT_TRUE(Control<QAction>(f, "PopupMenuTreeStop")->isEnabled());
}

// F5 takes every extracted file with the work folder; the next use extracts the entry again.
TEST(TreeEvents, RefreshEmptiesTheWorkFolderAndEntriesAreExtractedAgain) {
  TreeWorld w(kSummer);
  const QString archive = w.Pack("pack.lzh", {{"music/town.mid", testsupport::MakeMidiTune(3)}});
  TFormMain &f = w.Open();
  w.Tree().SetRefreshWait(0);
  const QString local = f.ExtractSource(archive + "|music/town.mid", false);
  const std::string onDisk = platform::ToLinux(local.toStdString());
  ASSERT_TRUE(TestWorld::Exists(onDisk)) << onDisk;
  f.MainMenuTreeViewUpdateClick();
  EXPECT_FALSE(TestWorld::Exists(onDisk));
  const QString again = f.ExtractSource(archive + "|music/town.mid", false);
  EXPECT_TRUE(again.startsWith(f.Session().WorkFolder.Path() + "\\")) << again.toStdString();
  EXPECT_EQ(TestWorld::ReadFile(platform::ToLinux(again.toStdString())), testsupport::MakeMidiTune(3));
}

// The real tree at a fixed height: a node near the top keeps three rows above it, one near the
// bottom two full rows below it, one in the middle stays where it is.
TEST(Jump, ScrollingKeepsRowsAroundTheSelectedNode) {
  TreeWorld w;
  TestWorld::MakeDirs(w.Linux("d/rows"));
  for (int i = 0; i < 60; ++i) TestWorld::WriteFile(w.Linux("d/rows/t" + std::to_string(100 + i) + ".mid"), "m");
  TFormMain &f = w.Open();
  w.Tree().setFixedHeight(300);
  QCoreApplication::processEvents();
  QTreeWidgetItem *folder = w.Select("D:\\rows");
  ASSERT_NE(folder, nullptr);
  w.Tree().ExpandNode(folder);
  ASSERT_EQ(folder->childCount(), 60);
  const int h = w.Tree().visualItemRect(folder).height();
  const int rows = w.Tree().viewport()->height() / h;  // whole rows shown
  ASSERT_GE(rows, 8);
  const int s = 30;
  const struct {
    int row;  // of the selected node, counted from the top row (0)
    int top;  // the top row afterwards, as a child index
  } cases[] = {
      {0, s - 3},
      {1, s - 3},
      {2, s - 3},  // near the top
      {3, s - 3},
      {rows / 2, s - rows / 2},
      {rows - 4, s - rows + 4},  // in the middle: unchanged
      {rows - 3, s - rows + 3},
      {rows - 2, s - rows + 3},
      {rows - 1, s - rows + 3},  // near the bottom
  };
  for (const auto &c : cases) {
    w.Tree().SetSelected(folder->child(s));
    w.Tree().SetTopItem(folder->child(s - c.row));
    ASSERT_EQ(w.Tree().TopItem(), folder->child(s - c.row)) << c.row;
    f.ArchiveTree().ScrollSelectedNode();
    EXPECT_EQ(w.Tree().TopItem(), folder->child(c.top)) << "row " << c.row << " of " << rows;
  }
  // Near the first node the walk back stops there.
  w.Tree().SetSelected(w.Tree().itemBelow(w.Tree().FirstNode()));
  w.Tree().SetTopItem(w.Tree().FirstNode());
  f.ArchiveTree().ScrollSelectedNode();
  EXPECT_EQ(w.Tree().TopItem(), w.Tree().FirstNode());
}

// F5 with the selected node scrolled out of sight: the tree shows what it showed before, also
// when the top node has no path of its own (the root, an archive's entry).
TEST(TreeEvents, RefreshKeepsTheTopNodeWhenTheSelectionIsOutOfSight) {
  TreeWorld w;
  TestWorld::MakeDirs(w.Linux("d/rows"));
  for (int i = 0; i < 60; ++i) TestWorld::WriteFile(w.Linux("d/rows/t" + std::to_string(100 + i) + ".mid"), "m");
  const QString archive = w.Pack("entries-on-top.zip", {{"e1.mid", "1"}, {"e2.mid", "2"}, {"e3.mid", "3"}});
  TFormMain &f = w.Open();
  w.Tree().setFixedHeight(300);
  w.Tree().SetRefreshWait(0);
  QCoreApplication::processEvents();
  ASSERT_NE(w.Expand(archive), nullptr);
  struct Case {
    const char *selected;
    const char *top;       // "" for the first node
    const char *topAfter;  // the node on top after the refresh ("" for the first node)
  };
  const Case cases[] = {
      {"D:\\rows\\t101.mid", "D:\\rows\\t130.mid", "D:\\rows\\t130.mid"},  // the selection above the view
      {"D:\\rows\\t155.mid", "D:\\rows\\t110.mid", "D:\\rows\\t110.mid"},  // and below it
      {"D:\\rows\\t155.mid", "", ""},                                      // scrolled to the very top
      // An entry on top: its archive, closed by the refresh, takes its place.
      {"D:\\rows\\t155.mid", "D:\\dl\\entries-on-top.zip|e2.mid", "D:\\dl\\entries-on-top.zip"},
  };
  for (const Case &c : cases) {
    ASSERT_NE(w.Select(c.selected), nullptr) << c.selected;
    QTreeWidgetItem *topNode = w.Tree().topLevelItem(0);
    if (const QString top = c.top; top.contains('|')) {
      QTreeWidgetItem *archiveNode = w.Expand(top.section('|', 0, 0));
      ASSERT_NE(archiveNode, nullptr);
      topNode = TreeWorld::At(archiveNode, top.section('|', 1));
      w.Select(c.selected);
    } else if (*c.top) {
      ASSERT_TRUE(w.Tree().FindPathNode(top, false, false, &topNode));
    }
    ASSERT_NE(topNode, nullptr) << c.top;
    w.Tree().SetTopItem(topNode);
    QCoreApplication::processEvents();
    ASSERT_EQ(w.Tree().TopItem(), topNode) << c.top;
    ASSERT_FALSE(w.Tree().visualItemRect(w.Tree().currentItem()).intersects(w.Tree().viewport()->rect()));
    Control<QAction>(f, "MainMenuTreeViewUpdate")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.Tree().NodePath(w.Tree().currentItem()).toStdString(), c.selected);
    if (*c.topAfter) EXPECT_EQ(w.Tree().NodePath(w.Tree().TopItem()).toStdString(), c.topAfter) << c.top;
    else EXPECT_EQ(w.Tree().TopItem(), w.Tree().topLevelItem(0)) << c.top;
  }
}
