// Music files besides MIDI in the folder tree, and rows that take only what their music set
// takes through the tree's menu; a music file dropped on the window assigns nothing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "midigen.h"
#include "treeworld.h"

using testsupport::TestWorld;

namespace {

const char kSummer[] = "[Summer]\r\n[melodeck]\r\nLastConfig=Summer\r\n";
const int kTown = 1;  // britain1.mid

// The MIDI scenes, their rows taking MP3 files only: a digital set as the window sees one.
TMusicSet Mp3Set() {
  TMusicSet set = MidiMusicSet();
  set.Id = "mp3";
  set.Name = QString::fromUtf8("デジタル");
  set.SourceExtensions = {".mp3"};
  return set;
}

void SelectRow(TFormMain &f, int scene) {
  Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(scene));
}

// Drops the file at linuxPath on the window where the scene's row is (-1: on the window's
// status bar), as the desktop does.
void DropOn(TFormMain &f, int scene, const std::string &linuxPath) {
  QTreeWidget *list = Control<QTreeWidget>(f, "ListView");
  QPoint at = Control<QWidget>(f, "StatusBar")->geometry().center();
  if (scene >= 0) {
    list->scrollToItem(f.SceneList().RowOfScene(scene));
    at = list->viewport()->mapTo(&f, list->visualItemRect(f.SceneList().RowOfScene(scene)).center());
  }
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(linuxPath))});
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&f, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&f, &drop);
  QCoreApplication::processEvents();
}

// Assigns a file or an entry ("archive|entry") of drive D: to the town's row through the
// tree's menu: its Assign item is offered for every music node.
void AssignByMenu(TreeWorld &w, TFormMain &f, const QString &source) {
  const qsizetype bar = source.indexOf('|');
  QTreeWidgetItem *node = bar < 0 ? w.Select(source) : TreeWorld::At(w.Expand(source.left(bar)), source.mid(bar + 1));
  ASSERT_NE(node, nullptr) << source.toStdString();
  w.Tree().SetSelected(node);
  SelectRow(f, kTown);
  f.PopupMenuTreePopup();
  QAction *assign = Control<QAction>(f, "PopupMenuTreeAssign");
  ASSERT_TRUE(assign->isEnabled()) << source.toStdString();
  assign->trigger();
}

class MusicSources : public testing::Test {
 protected:
  MusicSources() : w(kSummer) {
    w.Pack("pack.zip", {{"music/town.mp3", "ID3 zip"}, {"music/town.mid", testsupport::MakeMidiTune(1)}});
    w.Pack("pack.lzh", {{"Town.MP3", "ID3 lzh"}, {"town.mid", testsupport::MakeMidiTune(2)}});
    TestWorld::WriteFile(w.Linux("d/dl/disk.mp3"), "ID3 disk");
    TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), testsupport::MakeMidiTune(3));
  }
  // Assigns source by the menu, or by a drop on the town's row for a file; returns the
  // messages shown.
  QStringList Assign(TFormMain &f, bool drop, const QString &source) {
    w.dialogs.Clear();
    if (drop) {
      DropOn(f, kTown, w.Linux("d/" + source.mid(3).replace('\\', '/').toStdString()));
    } else {
      AssignByMenu(w, f, source);
    }
    return w.dialogs.Texts();
  }
  TreeWorld w;
};

}  // namespace

TEST_F(MusicSources, TheTreeListsMusicFilesOnDiskAndInArchives) {
  const QString archive = w.Pack("sounds.zip", {{"a.mp3", "1"},
                                                {"b.WAV", "2"},
                                                {"c.flac", "3"},
                                                {"d.ogg", "4"},
                                                {"e.Opus", "5"},
                                                {"f.xm", "6"},
                                                {"g.mid", "7"},
                                                {"mp3", "8"}});
  TestWorld::WriteFile(w.Linux("d/dl/song.ogg"), "OggS");
  TestWorld::WriteFile(w.Linux("d/dl/notes.xm"), "xm");
  TFormMain &f = w.Open();
  QTreeWidgetItem *node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"a.mp3", "b.WAV", "c.flac", "d.ogg", "e.Opus", "g.mid"}));
  // An MP3 entry looks like an MP3 file on disk; MIDI entries keep the MIDI picture.
  QTreeWidgetItem *disk = w.Select("D:\\dl\\disk.mp3");
  ASSERT_NE(disk, nullptr);
  EXPECT_EQ(TFolderNode::From(TreeWorld::At(node, "a.mp3"))->ImageIndex(), TFolderNode::From(disk)->ImageIndex());
  EXPECT_EQ(TFolderNode::From(TreeWorld::At(node, "g.mid"))->ImageIndex(), f.ArchiveTree().Images().Midi);
  EXPECT_NE(w.Select("D:\\dl\\song.ogg"), nullptr);
  EXPECT_EQ(w.Select("D:\\dl\\notes.xm"), nullptr);

  // A music node names itself in the edit box and can be played.
  const struct {
    QTreeWidgetItem *node;
    const char *named;
  } played[] = {{TreeWorld::At(node, "a.mp3"), "D:\\dl\\sounds.zip|a.mp3"},
                {TreeWorld::At(node, "d.ogg"), "D:\\dl\\sounds.zip|d.ogg"},
                {disk, "D:\\dl\\disk.mp3"}};
  for (const auto &p : played) {
    ASSERT_NE(p.node, nullptr) << p.named;
    w.Tree().SetSelected(p.node);
    EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), p.named);
    f.PopupMenuTreePopup();
    EXPECT_TRUE(Control<QAction>(f, "PopupMenuTreePlay")->isEnabled()) << p.named;
  }
}

TEST_F(MusicSources, AMidiRowRefusesAnythingButMidiAndKeepsItsSource) {
  TFormMain &f = w.Open();
  const QString refusal =
      QString::fromUtf8("%1 は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます.");
  const struct {
    bool drop;
    const char *source, *refused;
  } cases[] = {
      {false, "D:\\dl\\pack.zip|music/town.mp3", "town.mp3"},
      {false, "D:\\dl\\pack.lzh|Town.MP3", "Town.MP3"},
      {false, "D:\\dl\\disk.mp3", "disk.mp3"},
      {true, "D:\\dl\\disk.mp3", "disk.mp3"},
      {false, "D:\\dl\\pack.lzh|town.mid", nullptr},
      {true, "D:\\dl\\disk.mid", nullptr},
  };
  for (const auto &c : cases) {
    f.Session().SceneTable[kTown].Source = "D:\\dl\\before.mid";
    const QStringList shown = Assign(f, c.drop, c.source);
    const std::string label = std::string(c.source) + (c.drop ? " dropped" : "");
    if (c.drop) {  // a music file dropped on the window is no command
      EXPECT_TRUE(shown.isEmpty()) << label;
      EXPECT_EQ(f.Session().SceneTable[kTown].Source, "D:\\dl\\before.mid") << label;
    } else if (c.refused) {
      EXPECT_EQ(shown, QStringList{refusal.arg(c.refused)}) << label;
      EXPECT_EQ(f.Session().SceneTable[kTown].Source, "D:\\dl\\before.mid") << label;
    } else {
      EXPECT_TRUE(shown.isEmpty()) << label;
      EXPECT_EQ(f.Session().SceneTable[kTown].Source, c.source) << label;
    }
  }
}

TEST_F(MusicSources, AnMp3RowTakesMp3sAndRefusesMidi) {
  TFormMain &f = w.Open(true, Mp3Set());
  const QString refusal =
      QString::fromUtf8("%1 は割り当てられません.\nデジタルの場面には MP3 ファイル (.mp3) だけを割り当てられます.");
  const struct {
    bool drop;
    const char *source, *refused;
  } cases[] = {
      {false, "D:\\dl\\pack.zip|music/town.mp3", nullptr},
      {false, "D:\\dl\\pack.lzh|Town.MP3", nullptr},
      {false, "D:\\dl\\disk.mp3", nullptr},
      {true, "D:\\dl\\disk.mp3", nullptr},
      {false, "D:\\dl\\pack.zip|music/town.mid", "town.mid"},
      {true, "D:\\dl\\disk.mid", "disk.mid"},
  };
  for (const auto &c : cases) {
    f.Session().SceneTable[kTown].Source = "D:\\dl\\before.mp3";
    const QStringList shown = Assign(f, c.drop, c.source);
    const std::string label = std::string(c.source) + (c.drop ? " dropped" : "");
    const bool assigned = !c.refused && !c.drop;  // a music file dropped on the window is no command
    EXPECT_EQ(shown, c.refused && !c.drop ? QStringList{refusal.arg(c.refused)} : QStringList()) << label;
    EXPECT_EQ(f.Session().SceneTable[kTown].Source, assigned ? c.source : "D:\\dl\\before.mp3") << label;
  }
  f.Session().SceneTable[kTown].Source = "D:\\dl\\disk.mp3";
  f.SceneList().ShowSource(kTown);
  EXPECT_EQ(f.SceneList().RowOfScene(kTown)->text(1), "disk.mp3");
  // The jump walks into the archive down to an MP3 entry.
  f.Session().SceneTable[kTown].Source = "D:\\dl\\pack.zip|MUSIC/TOWN.MP3";
  ASSERT_TRUE(w.Select(w.folders.DefaultDir));
  f.PopupMenuListJumpClick();
  const TArchiveNode *entry = TArchiveNode::From(w.Tree().currentItem());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->EntryPath, "music/town.mp3");
}

TEST_F(MusicSources, DroppedMusicFilesAssignNothing) {
  TFormMain &f = w.Open();
  TestWorld::WriteFile(w.Linux("d/dl/notes.txt"), "n");
  const struct {
    int scene;
    const char *file;
  } cases[] = {{-1, "d/dl/disk.mid"}, {kTown, "d/dl/notes.txt"}, {kTown, "d/dl/gone.mid"}, {kTown, "d/dl/pack.zip"}};
  for (const auto &c : cases) {
    DropOn(f, c.scene, w.Linux(c.file));
    EXPECT_EQ(f.Session().SceneTable[kTown].Source, "britain1.mid") << c.file;
  }
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
  // Not even on a row of the standard configuration: there is nothing to refuse.
  f.Store().CurrentConfig = kStandardConfig;
  DropOn(f, kTown, w.Linux("d/dl/disk.mid"));
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
  EXPECT_EQ(f.Session().SceneTable[kTown].Source, "britain1.mid");
}
