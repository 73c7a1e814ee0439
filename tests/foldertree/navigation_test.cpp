// Paths to nodes and back, and what the selection events report.
#include <stdlib.h>
#include <unistd.h>

#include <QSignalSpy>

#include "testworld.h"
#include "treefixture.h"

namespace {

class NavigationTest : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    Mkdir(music + "/default");
    Touch(music + "/default/stones2.mid");
    ShowLikeMainWindow();
    // As the main window does: the game's live files never show.
    for (const auto &f : testsupport::GameMusicFiles())
      tree->UnFileMask() << QString::fromStdString(prefix.musicDir + "\\" + f);
  }
};

TEST_F(NavigationTest, SelectPath) {
  const std::string backup = "C:\\Program Files\\Ultima Online\\music\\default\\stones2.mid";
  const std::string viaZ = Win("/") + (music + "/default/stones2.mid").substr(1);
  Make({".secret/a.mid", "odd/a|b.mid"});
  const std::string odd = Win(c + "/odd/a|b.mid");
  ASSERT_EQ(odd.find('|'), std::string::npos);
  struct Case {
    std::string path;
    bool found;
    std::string selected;  // the path selected afterwards
  } cases[] = {
      {"C:\\", true, "C:\\"},
      {"c:", true, "C:\\"},
      {"c:\\PROGRAM FILES\\ultima online\\MUSIC\\DEFAULT\\STONES2.MID", true, backup},
      {"C:/Program Files/Ultima Online/music/", true, prefix.musicDir},
      {viaZ, true, backup},                                // the same file through Z: lands on its C: node
      {prefix.musicDir + "\\stones2.mid", false, "C:\\"},  // a live file: hidden
      {prefix.clientExe, false, "C:\\"},                   // fails the mask
      {"C:\\nowhere\\x.mid", false, "C:\\"},
      {"Program Files", false, "C:\\"},  // relative paths name nothing here
      {"", false, "C:\\"},
      {"Q:\\x", false, "C:\\"},
      {"C:\\.secret\\a.mid", true, "C:\\.secret\\a.mid"},
      {odd, true, odd},  // a Linux name Windows can't hold, as Wine shows it
  };
  for (const auto &cs : cases) {
    ASSERT_TRUE(tree->SelectPath("C:\\"));
    tree->collapseAll();
    EXPECT_EQ(tree->SelectPath(QString::fromStdString(cs.path)), cs.found) << cs.path;
    EXPECT_EQ(SelectedPath().toStdString(), cs.selected) << cs.path;
    if (!cs.found) continue;
    for (QTreeWidgetItem *p = tree->Selected()->parent(); p; p = p->parent())
      EXPECT_TRUE(p->isExpanded()) << "not opened on the way: " << p->text(0).toStdString();
  }
  tree->SetShowIncludeHidden(false);
  EXPECT_FALSE(tree->SelectPath("C:\\.secret\\a.mid"));
}

TEST_F(NavigationTest, SelectPathStaysInsideTheRoot) {
  tree->SetShowFile(false);
  tree->SetRootFolderName("C:\\Program Files");
  tree->SetRootFolder(rfManual);
  struct Case {
    const char *path;
    bool showRoot, found;
  } cases[] = {
      {"C:\\Program Files\\Ultima Online\\music", true, true},
      {"C:\\Program Files", true, true},  // the root node itself
      {"C:\\Program Files", false, false},
      {"C:\\Program Files\\Ultima Online", false, true},
      {"C:\\windows", true, false},
      {"C:\\", true, false},
  };
  for (const auto &cs : cases) {
    tree->SetShowRootFolder(cs.showRoot);
    EXPECT_EQ(tree->SelectPath(cs.path), cs.found) << cs.path << " root shown " << cs.showRoot;
    if (cs.found) EXPECT_EQ(SelectedPath(), cs.path);
  }
}

TEST_F(NavigationTest, NodePathsAreCanonical) {
  QString path = "stale";
  EXPECT_FALSE(tree->GetNodePath(tree->topLevelItem(0), path)) << "My Computer has no path";
  EXPECT_TRUE(path.isEmpty());
  EXPECT_FALSE(tree->GetNodePath(nullptr, path));

  // Walk down Z: to the prefix's drive_c: the node is C:\, and so is what lies below it.
  QTreeWidgetItem *worldNode = Node(Win(world.Root()));
  ASSERT_TRUE(worldNode);
  EXPECT_TRUE(tree->NodePath(worldNode).startsWith("Z:\\"));
  tree->ExpandNode(worldNode);
  QTreeWidgetItem *prefixNode = worldNode->child(Children(worldNode).indexOf("prefix"));
  ASSERT_TRUE(prefixNode);
  tree->ExpandNode(prefixNode);
  QTreeWidgetItem *driveC = prefixNode->child(Children(prefixNode).indexOf("drive_c"));
  ASSERT_TRUE(driveC);
  EXPECT_EQ(tree->NodePath(driveC), "C:\\");
  tree->ExpandNode(driveC);
  QTreeWidgetItem *programFiles = driveC->child(Children(driveC).indexOf("Program Files"));
  ASSERT_TRUE(programFiles);
  EXPECT_EQ(tree->NodePath(programFiles), "C:\\Program Files");
}

TEST_F(NavigationTest, ChangeReportsTheFolderNameOnce) {
  QSignalSpy change(tree.get(), &TFolderTreeViewEx::OnChange);
  ASSERT_TRUE(tree->SelectPath(QString::fromStdString(prefix.musicDir + "\\default\\stones2.mid")));
  ASSERT_EQ(change.count(), 1) << "one change for a search that opened four folders";
  EXPECT_EQ(change.takeFirst().at(0).toString().toStdString(), prefix.musicDir + "\\default\\stones2.mid");

  tree->SetSelected(tree->topLevelItem(0));
  ASSERT_EQ(change.count(), 1);
  EXPECT_EQ(change.takeFirst().at(0).toString(), "") << "My Computer has no folder name";

  EXPECT_FALSE(tree->SelectPath("C:\\nowhere"));
  EXPECT_EQ(change.count(), 0);
}

TEST_F(TreeTest, VirtualRootShowsEverythingAndFindsNothing) {
  setenv("XDG_DATA_HOME", world.Linux("data").c_str(), 1);
  Mkdir(world.Linux("data/Trash/files/old"));
  Touch(world.Linux("data/Trash/files/gone.wav"));
  tree->SetFileMask({".mid"});
  tree->SetShowFile(true);
  tree->SetShowRootFolder(false);
  tree->SetRootFolder(rf_Bitbucket);
  unsetenv("XDG_DATA_HOME");
  EXPECT_TRUE(tree->VirtualRootMode());
  EXPECT_TRUE(tree->ShowRootFolder());
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(Children(tree->topLevelItem(0)), (QStringList{"old", "gone.wav"}));
  tree->SetShowFile(false);
  EXPECT_TRUE(tree->ShowFile()) << "files of a virtual folder stay shown";
  EXPECT_FALSE(tree->SelectPath(QString::fromStdString(Win(world.Linux("data/Trash/files/gone.wav")))));
}

}  // namespace
