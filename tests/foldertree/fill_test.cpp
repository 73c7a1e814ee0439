// What the tree shows: drives, order, masks, hidden items, expand buttons, lazy reading, the
// root, and the owner's node class.
#include <unistd.h>

#include "treefixture.h"

namespace {

using Lines = QStringList;

TEST_F(TreeTest, MyComputerListsTheLiveDrivesInLetterOrder) {
  Mkdir(world.Linux("data"));
  ASSERT_EQ(symlink(world.Linux("data").c_str(), (prefix.root + "/dosdevices/d:").c_str()), 0);
  ASSERT_EQ(symlink(world.Linux("gone").c_str(), (prefix.root + "/dosdevices/e:").c_str()), 0);
  platform::SetPaths(platform::PathNamespace::FromPrefix(prefix.root));
  tree = std::make_unique<TFolderTreeViewEx>();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem *root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), "マイ コンピュータ");
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(Children(root), (Lines{"ローカル ディスク (C:)", "ローカル ディスク (D:)", "ローカル ディスク (Z:)"}));
  EXPECT_EQ(tree->NodePath(root->child(1)), "D:\\");
}

TEST_F(TreeTest, OrderMasksAndHiddenItems) {
  const std::string dir = c + "/songs";
  Make({"songs/c/", "songs/B_dir/", "songs/a_dir/", "songs/.cache/", "songs/b.mid", "songs/A.mid", "songs/zz.MID",
        "songs/.hid.mid", "songs/x.txt", "songs/song.midi", "songs/pack.LZH", "songs/noext"});
  struct Case {
    bool showFile, infoViewSort, hidden;
    Lines expected;
  } cases[] = {
      {true, false, true, {".cache", "a_dir", "B_dir", "c", ".hid.mid", "A.mid", "b.mid", "pack.LZH", "zz.MID"}},
      {true, false, false, {"a_dir", "B_dir", "c", "A.mid", "b.mid", "pack.LZH", "zz.MID"}},
      {true, true, false, {"A.mid", "b.mid", "pack.LZH", "zz.MID", "a_dir", "B_dir", "c"}},
      {false, true, true, {".cache", "a_dir", "B_dir", "c"}},
  };
  ShowLikeMainWindow();
  for (const auto &cs : cases) {
    tree->SetShowFile(cs.showFile);
    tree->SetInfoViewSort(cs.infoViewSort);
    tree->SetShowIncludeHidden(cs.hidden);
    QTreeWidgetItem *node = Node(Win(dir));
    ASSERT_TRUE(node);
    tree->ExpandNode(node);
    EXPECT_EQ(Children(node), cs.expected) << cs.showFile << cs.infoViewSort << cs.hidden;
  }
}

TEST_F(TreeTest, ExpandButtonsOnlyWhereSomethingWouldShow) {
  const std::string dir = c + "/buttons";
  Make({"buttons/empty/", "buttons/onlytext/readme.txt", "buttons/onlytext/tune.midi", "buttons/onemid/x.MID",
        "buttons/sub/inner/", "buttons/onlylive/live.mid", "buttons/hiddenmid/.x.mid", "buttons/hiddensub/.git/"});
  struct Case {
    const char *folder;
    bool showFile, hidden, button;
  } cases[] = {
      {"empty", true, true, false},      {"onlytext", true, true, false},   {"onemid", true, true, true},
      {"sub", true, true, true},         {"onlylive", true, true, false},   {"hiddenmid", true, true, true},
      {"hiddenmid", true, false, false}, {"hiddensub", true, false, false}, {"onemid", false, true, false},
      {"sub", false, true, true},
  };
  ShowLikeMainWindow();
  tree->UnFileMask() << QString::fromStdString(Win(dir + "/onlylive/live.mid"));
  for (const auto &cs : cases) {
    tree->SetShowFile(cs.showFile);
    tree->SetShowIncludeHidden(cs.hidden);
    auto *node = TFolderNode::From(Node(Win(dir + "/" + cs.folder)));
    ASSERT_TRUE(node) << cs.folder;
    EXPECT_EQ(node->HasChildren(), cs.button) << cs.folder << " showFile " << cs.showFile << " hidden " << cs.hidden;
    EXPECT_EQ(node->childCount(), 0) << "read before it was expanded: " << cs.folder;
  }
}

TEST_F(TreeTest, FoldersAreReadWhenFirstExpandedAndOnlyThen) {
  ShowLikeMainWindow();
  const std::string dir = c + "/lazy";
  Make({"lazy/first.mid"});
  auto *node = TFolderNode::From(Node(Win(dir)));
  ASSERT_TRUE(node);
  Touch(dir + "/second.mid");  // appears: the folder has not been read yet
  int expanding = 0, expanded = 0, childrenSeen = -1;
  QObject::connect(tree.get(), &TFolderTreeViewEx::OnExpanding, [&](QTreeWidgetItem *n) {
    ++expanding;
    if (n == node) childrenSeen = n->childCount();
  });
  QObject::connect(tree.get(), &TFolderTreeViewEx::OnExpanded, [&] { ++expanded; });
  tree->ExpandNode(node);
  EXPECT_EQ(childrenSeen, 2) << "the owner hears of the expansion after the folder was read";
  EXPECT_EQ(expanding, 1);
  EXPECT_EQ(expanded, 1);
  Touch(dir + "/third.mid");  // read once: a refresh brings it
  node->setExpanded(false);
  tree->ExpandNode(node);
  EXPECT_EQ(Children(node), (Lines{"first.mid", "second.mid"}));

  // A folder whose files went away before it was opened loses its button.
  Make({"lazy/sub/gone.mid"});
  tree->RefreshTree();
  auto *sub = TFolderNode::From(Node(Win(dir + "/sub")));
  ASSERT_TRUE(sub && sub->HasChildren());
  unlink((dir + "/sub/gone.mid").c_str());
  tree->ExpandNode(sub);
  EXPECT_FALSE(sub->HasChildren());
}

TEST_F(TreeTest, RootFolderValues) {
  Make({"lonely.mid", "flat/a.mid"});
  struct Case {
    TRootFolder root;
    QString name;
    bool showRootFolder, showFile;
    Lines topLevel;
  } cases[] = {
      {rfDrives, "", false, false, {"ローカル ディスク (C:)", "ローカル ディスク (Z:)"}},
      {rfManual, "", true, false, {"マイ コンピュータ"}},
      {rfManual, "C:\\Program Files", false, false, {"Ultima Online"}},
      {rfManual, "C:\\no such folder", true, false, {"マイ コンピュータ"}},
      {rfManual, "C:\\lonely.mid", true, true, {"マイ コンピュータ"}},  // a file is no root
      {rfManual, "C:\\flat", true, false, {"flat"}},
      {rfManual, "C:\\flat", true, true, {"flat"}},
  };
  for (const auto &cs : cases) {
    tree = std::make_unique<TFolderTreeViewEx>();
    tree->SetFileMask({".mid"});
    tree->SetShowFile(cs.showFile);
    tree->SetShowRootFolder(cs.showRootFolder);
    tree->SetRootFolderName(cs.name);
    tree->SetRootFolder(cs.root);
    EXPECT_EQ(Children(nullptr), cs.topLevel) << cs.root << " " << cs.name.toStdString();
  }
  // A manual root that shows files can't hide its root node.
  tree->SetShowRootFolder(false);
  EXPECT_TRUE(tree->ShowRootFolder());
}

class TArchiveNode : public TFolderNode {
 public:
  QString EntryPath;
};

TEST_F(TreeTest, EveryNodeComesFromTheOwnersFactory) {
  bool creatingArchiveNode = false;
  int made = 0;
  tree->OnCreateNode = [&](TFolderTreeViewEx *sender, TFolderNode *&node) {
    EXPECT_EQ(sender, tree.get());
    ++made;
    node = creatingArchiveNode ? new TArchiveNode : new TFolderNode;
  };
  ShowLikeMainWindow();
  made = 0;
  tree->SetShowFile(false);
  QTreeWidgetItem *music = Node(prefix.musicDir);
  ASSERT_TRUE(music);
  int nodes = 0;
  for (QTreeWidgetItemIterator it(tree.get()); *it; ++it) ++nodes;
  EXPECT_EQ(made, nodes);

  creatingArchiveNode = true;
  TFolderNode *entry = tree->AddChildNode(music, "town.mid");
  creatingArchiveNode = false;
  ASSERT_TRUE(dynamic_cast<TArchiveNode *>(entry));
  EXPECT_EQ(entry->parent(), music);
  EXPECT_EQ(made, nodes + 1);
  QString path = "stale";
  EXPECT_FALSE(tree->GetNodePath(entry, path));
  EXPECT_TRUE(path.isEmpty());
  tree->SetSelected(entry);
  EXPECT_EQ(tree->GetFolderName(), "") << "an archive entry has no folder name";
  // The owner's nodes are never taken for files: a path search passes them by.
  Touch(this->music + "/town.mid");
  EXPECT_EQ(Node(prefix.musicDir + "\\town.mid"), nullptr);
}

}  // namespace
