// The tree as a widget: mouse, keyboard, drops, images.
#include <unistd.h>

#include <QApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include "shellimagelist.h"
#include "treefixture.h"

namespace {

// The main window accepts dropped packages; the tree in it must keep them for itself.
class DropCatcher : public QWidget {
 public:
  DropCatcher() { setAcceptDrops(true); }
  int events = 0;

 protected:
  void dragEnterEvent(QDragEnterEvent *e) override { ++events, e->acceptProposedAction(); }
  void dragMoveEvent(QDragMoveEvent *e) override { ++events, e->acceptProposedAction(); }
  void dropEvent(QDropEvent *e) override { ++events, e->acceptProposedAction(); }
};

TEST_F(TreeTest, NothingCanBeDroppedOnTheTree) {
  DropCatcher window;
  auto *layout = new QVBoxLayout(&window);
  auto *inWindow = new TFolderTreeViewEx;
  layout->addWidget(inWindow);
  window.show();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(music + "/stones2.mid"))});
  const QPoint at = inWindow->viewport()->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(inWindow->viewport(), &enter);
  QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(inWindow->viewport(), &move);
  EXPECT_EQ(move.dropAction(), Qt::IgnoreAction);
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(inWindow->viewport(), &drop);
  EXPECT_EQ(drop.dropAction(), Qt::IgnoreAction);
  EXPECT_EQ(window.events, 0) << "the drag went through the tree to the window";
  EXPECT_TRUE(testsupport::TestWorld::Exists(music + "/stones2.mid"));
}

TEST_F(TreeTest, RightClickSelectsTheNodeUnderTheMouse) {
  ShowLikeMainWindow();
  tree->show();
  ASSERT_TRUE(tree->SelectPath("C:\\"));
  QTreeWidgetItem *target = Node(prefix.musicDir);
  tree->scrollToItem(target);
  QSignalSpy change(tree.get(), &TFolderTreeViewEx::OnChange);
  QTest::mousePress(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(target).center());
  EXPECT_EQ(tree->Selected(), target);
  ASSERT_EQ(change.count(), 1);
  EXPECT_EQ(change.at(0).at(0).toString().toStdString(), prefix.musicDir);
  // Over empty space the selection stays.
  QTest::mousePress(tree->viewport(), Qt::RightButton, {}, QPoint(5, tree->viewport()->height() - 2));
  EXPECT_EQ(tree->Selected(), target);
}

TEST_F(TreeTest, ImageIndexesAreStableAndSharedByType) {
  ShowLikeMainWindow();
  Make({"Program Files/Ultima Online/music/default/stones2.mid"});
  ASSERT_TRUE(tree->SelectPath(QString::fromStdString(prefix.musicDir + "\\default\\stones2.mid")));
  TFolderNode *midi = tree->Selected();
  auto *folder = TFolderNode::From(midi->parent());
  EXPECT_NE(folder->ImageIndex(), folder->SelectedIndex()) << "a folder opens when selected";
  EXPECT_NE(midi->ImageIndex(), folder->ImageIndex());
  // What the main window keeps for archive entries: the tree's own MIDI image, a text image.
  EXPECT_EQ(TFolderTreeViewEx::FileIconIndex("C:\\anywhere\\other.MID"), midi->ImageIndex());
  EXPECT_EQ(TFolderTreeViewEx::FileIconIndex(QString::fromStdString(prefix.musicDir), true), folder->SelectedIndex());
  const int text = TFolderTreeViewEx::FileIconIndex("C:\\x\\textfile.txt");
  EXPECT_NE(text, midi->ImageIndex());
  EXPECT_FALSE(TFolderTreeViewEx::ImageListIcon(text).isNull());
}

TEST_F(TreeTest, LinksGetTheLinkOverlayWhenFilesShow) {
  ShowLikeMainWindow();
  Make({"links/real.mid"});
  ASSERT_EQ(symlink("real.mid", (c + "/links/alias.mid").c_str()), 0);
  ASSERT_EQ(symlink("/nowhere.mid", (c + "/links/dangling.mid").c_str()), 0);
  QTreeWidgetItem *folder = Node("C:\\links");
  tree->ExpandNode(folder);
  EXPECT_EQ(Children(folder), (QStringList{"alias.mid", "real.mid"}));
  EXPECT_EQ(TFolderNode::From(folder->child(0))->OverlayIndex(), foldertree::ovLink);
  EXPECT_EQ(TFolderNode::From(folder->child(1))->OverlayIndex(), -1);
}

TEST_F(TreeTest, BusyPeriodsNestAndEndWithTheOutermost) {
  ShowLikeMainWindow();
  tree->show();
  int inside = 0;
  QObject::connect(tree.get(), &TFolderTreeViewEx::OnExpanding, [&] {
    // Each expansion on the way is a busy period of its own inside the search's.
    ++inside;
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_FALSE(tree->updatesEnabled());
  });
  ASSERT_TRUE(tree->SelectPath(QString::fromStdString(prefix.musicDir)));
  EXPECT_GE(inside, 3);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(tree->updatesEnabled());
}

TEST_F(TreeTest, StarOpensOneFolderNotTheWholeDisk) {
  tree->show();
  tree->setFocus();
  tree->topLevelItem(0)->setExpanded(false);
  tree->SetSelected(tree->topLevelItem(0));
  QTest::keyClick(tree.get(), Qt::Key_Asterisk);
  EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
  EXPECT_FALSE(tree->topLevelItem(0)->child(0)->isExpanded());
}

}  // namespace
