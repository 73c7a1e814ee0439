// Refreshing: the tree is read afresh and looks as it did.
#include <unistd.h>

#include <QCoreApplication>

#include "treefixture.h"

namespace {

class RefreshTest : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    ShowLikeMainWindow();
    for (const char *d : {"a/b", "a/old", "z/y"}) Mkdir(c + "/" + d);
    for (int i = 0; i < 30; ++i) Touch(c + "/a/b/tune" + std::to_string(100 + i) + ".mid");
    tree->show();
  }
};

TEST_F(RefreshTest, KeepsOpenFoldersSelectionAndTopNode) {
  ASSERT_TRUE(tree->SelectPath("C:\\z\\y"));
  tree->ExpandNode(Node("C:\\z\\y"));
  ASSERT_TRUE(tree->SelectPath("C:\\a\\b\\tune120.mid"));
  tree->SetTopItem(Node("C:\\a\\b\\tune110.mid"));
  ASSERT_EQ(tree->NodePath(tree->TopItem()), "C:\\a\\b\\tune110.mid");
  QTreeWidgetItem *before = tree->Selected();

  Touch(c + "/a/b/added.mid");
  rmdir((c + "/a/old").c_str());
  tree->RefreshTree();

  EXPECT_NE(tree->Selected(), before) << "the nodes were read afresh";
  EXPECT_EQ(SelectedPath(), "C:\\a\\b\\tune120.mid");
  EXPECT_EQ(tree->NodePath(tree->TopItem()), "C:\\a\\b\\tune110.mid");
  QTreeWidgetItem *a = Node("C:\\a");
  ASSERT_TRUE(a);
  EXPECT_TRUE(a->isExpanded());
  EXPECT_EQ(Children(a), (QStringList{"b"}));
  QTreeWidgetItem *b = Node("C:\\a\\b");
  EXPECT_TRUE(b->isExpanded());
  EXPECT_EQ(b->child(0)->text(0), "added.mid");
  EXPECT_TRUE(Node("C:\\z")->isExpanded());
  EXPECT_FALSE(Node("C:\\z\\y")->isExpanded()) << "an empty open folder has nothing visible to keep it open";
  EXPECT_FALSE(Node("C:\\Program Files")->isExpanded()) << "folders on the side stay closed";
}

// The selection may be out of sight, above or below the visible nodes: the view stays where
// the user scrolled it, up to its very top, where the root has no path to find it by.
TEST_F(RefreshTest, TheTopNodeStaysWhenTheSelectionIsOutOfSight) {
  for (int i = 0; i < 60; ++i) Touch(c + "/a/b/tune" + std::to_string(200 + i) + ".mid");
  const std::pair<const char *, const char *> cases[] = {
      {"C:\\a\\b\\tune101.mid", "C:\\a\\b\\tune210.mid"},  // the selection above the view
      {"C:\\a\\b\\tune250.mid", "C:\\a\\b\\tune110.mid"},  // and below it
      {"C:\\a\\b\\tune250.mid", ""},                       // the root on top
  };
  for (const auto &[selected, top] : cases) {
    ASSERT_TRUE(tree->SelectPath(selected));
    QTreeWidgetItem *topNode = *top ? Node(top) : tree->FirstNode();
    ASSERT_TRUE(topNode) << top;
    tree->SetTopItem(topNode);
    ASSERT_EQ(tree->TopItem(), topNode);
    ASSERT_FALSE(tree->visualItemRect(tree->Selected()).intersects(tree->viewport()->rect())) << selected;
    tree->RefreshTree();
    QCoreApplication::processEvents();
    EXPECT_EQ(SelectedPath().toStdString(), selected);
    if (*top) EXPECT_EQ(tree->NodePath(tree->TopItem()).toStdString(), top) << selected;
    else EXPECT_EQ(tree->TopItem(), tree->FirstNode()) << selected;
  }
}

TEST_F(RefreshTest, TreesOverTheLimitAreLeftAlone) {
  const std::string big = c + "/big";
  Mkdir(big);
  for (int i = 0; i < TFolderTreeViewEx::kMaxRefreshNodes; ++i) Touch(big + "/" + std::to_string(i) + ".mid");
  ASSERT_TRUE(tree->SelectPath("C:\\big\\5.mid"));
  Touch(big + "/new.mid");
  tree->RefreshTree();
  EXPECT_EQ(Node("C:\\big\\new.mid"), nullptr);
  // Below the limit again, it refreshes.
  tree->SetSelected(nullptr);
  Node("C:\\big")->setExpanded(false);
  qDeleteAll(Node("C:\\big")->takeChildren());
  tree->RefreshTree();
  EXPECT_NE(Node("C:\\big\\new.mid"), nullptr);
}

TEST_F(TreeTest, WithoutARootNodeEveryTopLevelFolderIsReadAgain) {
  Mkdir(c + "/Program Files/Second");
  tree->SetRootFolderName("C:\\Program Files");
  tree->SetRootFolder(rfManual);
  tree->SetShowRootFolder(false);
  ASSERT_EQ(Children(nullptr), (QStringList{"Second", "Ultima Online"}));
  Mkdir(c + "/Program Files/Second/Inner");
  Mkdir(c + "/Program Files/Third");
  tree->RefreshTree();
  EXPECT_EQ(Children(nullptr), (QStringList{"Second", "Third", "Ultima Online"}));
  EXPECT_TRUE(TFolderNode::From(tree->topLevelItem(0))->HasChildren());
}

}  // namespace
