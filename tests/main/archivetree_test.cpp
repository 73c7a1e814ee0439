// Archives in the folder tree, listed through the real archiver libraries.
#include <gtest/gtest.h>

#include "midigen.h"
#include "requirements.h"
#include "treeworld.h"

namespace {

const TArchiveNode *Entry(const QTreeWidgetItem *node) { return TArchiveNode::From(node); }
int Image(const QTreeWidgetItem *node) { return TFolderNode::From(node)->ImageIndex(); }
int SelectedImage(const QTreeWidgetItem *node) { return TFolderNode::From(node)->SelectedIndex(); }

class ArchiveFormats : public testing::TestWithParam<const char *> {};

}  // namespace

TEST_P(ArchiveFormats, ListsFoldersAndListedEntriesInOrderWithTheirImages) {
  TreeWorld w;
  TFormMain &f = w.Open();
  const std::string name = std::string("pack.") + GetParam();
  const QString archive = w.Pack(name, {{"a/b/x.mid", testsupport::MakeMidiTune(1)},
                                        {"a/readme.txt", "read me\r\n"},
                                        {"c.mid", testsupport::MakeMidiTune(2)},
                                        {"d.wav", "RIFF"}});
  QTreeWidgetItem *node = w.Select(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_TRUE(TFolderNode::From(node)->HasChildren()) << "an archive shows an expand button";
  EXPECT_EQ(node->childCount(), 0) << "listed only when it is opened";
  w.Tree().ExpandNode(node);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"a", "c.mid", "d.wav"}));
  QTreeWidgetItem *a = TreeWorld::At(node, "a");
  EXPECT_EQ(TreeWorld::Captions(a), QStringList({"b", "readme.txt"}));
  EXPECT_EQ(TreeWorld::Captions(TreeWorld::At(a, "b")), QStringList({"x.mid"}));

  // Folders inside the archive are plain nodes without a path; entries know their archive.
  for (QTreeWidgetItem *folder : {a, TreeWorld::At(a, "b")}) {
    EXPECT_EQ(Entry(folder), nullptr);
    EXPECT_EQ(Image(folder), f.ArchiveTree().Images().Folder);
    EXPECT_EQ(SelectedImage(folder), f.ArchiveTree().Images().FolderSelected);
    EXPECT_TRUE(w.Tree().NodePath(folder).isEmpty());
  }
  const struct {
    const char *at, *entry;
    int image;
  } entries[] = {{"a/b/x.mid", "a/b/x.mid", f.ArchiveTree().Images().Midi},
                 {"a/readme.txt", "a/readme.txt", f.ArchiveTree().Images().Text},
                 {"c.mid", "c.mid", f.ArchiveTree().Images().Midi},
                 {"d.wav", "d.wav", TFolderTreeViewEx::FileIconIndex("D:\\dl\\any.wav")}};
  for (const auto &e : entries) {
    const QTreeWidgetItem *item = TreeWorld::At(node, e.at);
    ASSERT_NE(Entry(item), nullptr) << e.at;
    EXPECT_EQ(Entry(item)->ArchiveNode, node);
    EXPECT_EQ(Entry(item)->EntryPath, e.entry);
    EXPECT_EQ(Image(item), e.image) << e.at;
    EXPECT_EQ(SelectedImage(item), e.image) << e.at;
    EXPECT_EQ(ArchiveNodePath(w.Tree(), item), archive + "|" + e.entry);
    EXPECT_TRUE(w.Tree().NodePath(item).isEmpty());
  }

  // Listed once: opening it again adds nothing.
  node->setExpanded(false);
  node->setExpanded(true);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"a", "c.mid", "d.wav"}));
  EXPECT_EQ(TreeWorld::Captions(a), QStringList({"b", "readme.txt"}));
}

TEST_P(ArchiveFormats, AnArchiveWithNothingListedLosesItsButtonWhenOpened) {
  TreeWorld w;
  w.Open();
  const QString archive = w.Pack(std::string("sounds.") + GetParam(), {{"d.mod", "M.K."}, {"e/pic.bmp", "BM"}});
  QTreeWidgetItem *node = w.Select(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_TRUE(TFolderNode::From(node)->HasChildren());
  w.Tree().ExpandNode(node);
  EXPECT_EQ(node->childCount(), 0);
  EXPECT_FALSE(TFolderNode::From(node)->HasChildren());
}

TEST_P(ArchiveFormats, FolderLevelsAreMatchedWithCase) {
  TreeWorld w;
  w.Open();
  const QString archive =
      w.Pack(std::string("case.") + GetParam(), {{"Music/a.mid", "a"}, {"music/b.mid", "b"}, {"Music/c.TXT", "c"}});
  QTreeWidgetItem *node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"Music", "music"}));
  EXPECT_EQ(TreeWorld::Captions(TreeWorld::At(node, "Music")), QStringList({"a.mid", "c.TXT"}));
  EXPECT_EQ(TreeWorld::Captions(TreeWorld::At(node, "music")), QStringList({"b.mid"}));
}

INSTANTIATE_TEST_SUITE_P(Tools, ArchiveFormats, testing::Values("lzh", "zip"));

// Japanese names from other tools: LHA and ZIP headers in code page 932, ZIP names flagged UTF-8.
TEST(ArchiveTree, JapaneseNamesShowAsTheirCharacters) {
  TreeWorld w;
  w.Open();
  const struct {
    const char *fixture;
    QStringList top;
    const char *folder;
    QStringList inFolder;
  } cases[] = {
      {"test_read_format_lha_filename_cp932.lzh", {"漢字.txt", "表.txt"}, nullptr, {}},
      {"test_read_format_zip_filename_cp932.zip", {"表だよ"}, "表だよ", {"一覧表.txt", "漢字.txt"}},
      {"test_read_format_zip_filename_utf8_jp.zip", {"表だよ"}, "表だよ", {"一覧表.txt", "漢字.txt"}},
  };
  // All on disk before the tree first reads the folder.
  REQUIRE_FIXTURES();
  for (const auto &c : cases)
    if (w.Fixture(c.fixture).isEmpty()) GTEST_SKIP() << "the shared fixtures are missing";
  for (const auto &c : cases) {
    QTreeWidgetItem *node = w.Expand(TreeWorld::DPath(std::string("dl/") + c.fixture));
    ASSERT_NE(node, nullptr) << c.fixture;
    EXPECT_EQ(TreeWorld::Captions(node), c.top) << c.fixture;
    if (c.folder) {
      QTreeWidgetItem *folder = TreeWorld::At(node, QString::fromUtf8(c.folder));
      ASSERT_NE(folder, nullptr);
      EXPECT_EQ(TreeWorld::Captions(folder), c.inFolder) << c.fixture;
      EXPECT_EQ(Entry(folder->child(0))->EntryPath, QString::fromUtf8(c.folder) + "/" + c.inFolder[0]);
    }
  }
}

TEST(ArchiveTree, NodeTests) {
  TreeWorld w;
  w.Open();
  const QString archive =
      w.Pack("tests.zip", {{"song.MID", "m"}, {"notes.Doc", "d"}, {"x.txt.mid", "m"}, {"TXT", "t"}, {"s.Mp3", "3"}});
  testsupport::TestWorld::WriteFile(w.Linux("d/dl/disk.mid"), "m");
  testsupport::TestWorld::WriteFile(w.Linux("d/dl/disk.mp3"), "3");
  testsupport::TestWorld::WriteFile(w.Linux("d/dl/upper.ZIP"), "not really");
  QTreeWidgetItem *node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"song.MID", "notes.Doc", "x.txt.mid", "TXT", "s.Mp3"}));
  const struct {
    QTreeWidgetItem *node;
    QString path;
    bool entry, archiveFile, music, text;
  } cases[] = {
      {TreeWorld::At(node, "song.MID"), "", true, false, true, false},
      {TreeWorld::At(node, "notes.Doc"), "", true, false, false, true},
      {TreeWorld::At(node, "x.txt.mid"), "", true, false, true, false},
      // No dot: the whole name is the extension of the entry rules, but not a file extension.
      {TreeWorld::At(node, "TXT"), "", true, false, false, true},
      {TreeWorld::At(node, "s.Mp3"), "", true, false, true, false},
      {node, archive, false, true, false, false},
      {w.Select(TreeWorld::DPath("dl/upper.ZIP")), TreeWorld::DPath("dl/upper.ZIP"), false, true, false, false},
      {w.Select(TreeWorld::DPath("dl/disk.mid")), TreeWorld::DPath("dl/disk.mid"), false, false, true, false},
      {w.Select(TreeWorld::DPath("dl/disk.mp3")), TreeWorld::DPath("dl/disk.mp3"), false, false, true, false},
      {w.Select(TreeWorld::DPath("dl")), TreeWorld::DPath("dl"), false, false, false, false},
  };
  for (const auto &c : cases) {
    ASSERT_NE(c.node, nullptr) << c.path.toStdString();
    const QString label = c.node->text(0);
    EXPECT_EQ(IsArchiveEntry(c.node), c.entry) << label.toStdString();
    QString path;
    EXPECT_EQ(IsArchiveFileNode(w.Tree(), c.node, &path), c.archiveFile) << label.toStdString();
    EXPECT_EQ(IsMusicNode(c.node, w.Tree().NodePath(c.node)), c.music) << label.toStdString();
    EXPECT_EQ(IsTextEntryNode(c.node), c.text) << label.toStdString();
  }
  // A file node whose file is gone is no music node any more.
  EXPECT_FALSE(IsMusicNode(w.Select(TreeWorld::DPath("dl/disk.mid")), TreeWorld::DPath("dl/gone.mid")));
  // An entry whose archive's node has no path has no archive-entry path.
  TArchiveNode orphan;
  orphan.EntryPath = "x.mid";
  EXPECT_FALSE(IsArchiveEntry(&orphan));
  EXPECT_TRUE(ArchiveNodePath(w.Tree(), &orphan).isEmpty());
}

TEST(ArchiveTree, ListedEntryNames) {
  const std::pair<const char *, bool> cases[] = {
      {"a.mid", true}, {"A.MID", true},       {"b/c.Txt", true},      {"x.doc", true}, {"mid", true},
      {"d.wav", true}, {"e.midi", false},     {"f.mid.bak", false},   {"", false},     {"dir.mid/", false},
      {"g.tx", false}, {"楽譜/曲.mid", true}, {"readme.txt ", false}, {"h.MP3", true}, {"i.opus", true},
      {"mp3", false},  {"dir.mp3/", false},   {"j.xm", false},
  };
  for (const auto &[name, listed] : cases) EXPECT_EQ(IsListedEntryName(QString::fromUtf8(name)), listed) << name;
}

// The tree's own refresh builds the archive's part anew: it is listed again when next opened.
TEST(ArchiveTree, AfterARefreshTheArchiveIsListedAgain) {
  TreeWorld w;
  w.Open();
  const QString archive = w.Pack("grow.zip", {{"one.mid", "1"}});
  QTreeWidgetItem *node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"one.mid"}));
  w.Pack("grow.zip", {{"one.mid", "1"}, {"two.mid", "2"}});
  w.Tree().SetRefreshWait(0);
  w.form->MainMenuTreeViewUpdateClick();
  node = w.Expand(archive);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(TreeWorld::Captions(node), QStringList({"one.mid", "two.mid"}));
}
