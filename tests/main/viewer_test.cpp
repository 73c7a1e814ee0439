// The text viewer: text entries of archives, extracted afresh on each Open.
#include <gtest/gtest.h>

#include <QTest>

#include "core/text.h"
#include "formdocument.h"
#include "requirements.h"
#include "treeworld.h"

using testsupport::TestWorld;

namespace {

std::string Cp932(const char *utf8) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(utf8, out));
  return out;
}

void Open(TreeWorld &w, QTreeWidgetItem *node) {
  ASSERT_NE(node, nullptr);
  w.Tree().SetSelected(node);
  w.form->PopupMenuTreeOpenClick();
}

}  // namespace

TEST(Viewer, ShowsCodePage932AndUtf8TextsInOneWindowAndExtractsAfreshEachTime) {
  TreeWorld w;
  const QString one = w.Pack("one.zip", {{"readme.txt", Cp932("日本語の説明\r\n二行目\r\n")}});
  const QString two = w.Pack("two.lzh", {{"doc/notes.txt", "ユニコード ✓\rend"}});
  TFormMain &f = w.Open();
  EXPECT_EQ(f.DocumentWindow(), nullptr);
  QTreeWidgetItem *readme = TreeWorld::At(w.Expand(one), "readme.txt");
  QTreeWidgetItem *notes = TreeWorld::At(w.Expand(two), "doc/notes.txt");

  Open(w, readme);
  TFormDocument *viewer = f.DocumentWindow();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), "D:\\dl\\one.zip|readme.txt");
  EXPECT_EQ(viewer->MemoDocument->toPlainText(), QString::fromUtf8("日本語の説明\n二行目\n"));

  Open(w, notes);
  EXPECT_EQ(f.DocumentWindow(), viewer);
  EXPECT_EQ(viewer->windowTitle(), "D:\\dl\\two.lzh|doc/notes.txt");
  EXPECT_EQ(viewer->MemoDocument->toPlainText(), QString::fromUtf8("ユニコード ✓\nend"));

  // The archive changes behind the tree's back: the next Open shows the new text.
  w.Pack("one.zip", {{"readme.txt", "second edition"}});
  Open(w, readme);
  EXPECT_EQ(viewer->MemoDocument->toPlainText(), "second edition");

  // Gone: the viewer keeps what it shows and still comes up.
  viewer->hide();
  std::filesystem::remove(w.Linux("d/dl/two.lzh"));
  Open(w, notes);
  EXPECT_FALSE(viewer->isVisible()) << "no archive, nothing to show";
  EXPECT_EQ(viewer->MemoDocument->toPlainText(), "second edition");
}

TEST(Viewer, EscHidesItAndOpenShowsItAgainWhereItWas) {
  TreeWorld w;
  const QString one = w.Pack("one.zip", {{"readme.txt", "hello"}});
  TFormMain &f = w.Open();
  QTreeWidgetItem *readme = TreeWorld::At(w.Expand(one), "readme.txt");
  Open(w, readme);
  TFormDocument *viewer = f.DocumentWindow();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->size(), QSize(f.Scale(640), f.Scale(336)));
  EXPECT_FALSE(viewer->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(viewer->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(viewer->MemoDocument->isReadOnly());
  EXPECT_EQ(viewer->MemoDocument->lineWrapMode(), QPlainTextEdit::NoWrap);
  viewer->move(viewer->pos() + QPoint(13, 7));
  const QPoint where = viewer->pos();
  QTest::keyClick(viewer->MemoDocument, Qt::Key_A);
  EXPECT_TRUE(viewer->isVisible());
  QTest::keyClick(viewer->MemoDocument, Qt::Key_Escape);
  EXPECT_FALSE(viewer->isVisible());
  Open(w, readme);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->pos(), where);
  EXPECT_EQ(viewer->MemoDocument->toPlainText(), "hello");
}

TEST(Viewer, DoubleClickOpensTextEntriesWhateverTheModeAndNeverMidiEntries) {
  TreeWorld w("[Summer]\r\n[melodeck]\r\nLastConfig=Summer\r\n");
  const QString one = w.Pack("one.zip", {{"notes.DOC", "word"}, {"song.mid", "m"}});
  TFormMain &f = w.Open();
  QTreeWidgetItem *archive = w.Expand(one);
  Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(0));
  for (QAction *mode : {Control<QAction>(f, "MainMenuAtAssign"), Control<QAction>(f, "MainMenuAtPlay")}) {
    f.MainMenuWhenDClickClick(mode);
    w.Tree().SetSelected(TreeWorld::At(archive, "song.mid"));
    f.FolderTreeViewExDblClick(QString());
    EXPECT_EQ(f.DocumentWindow(), nullptr);
  }
  EXPECT_EQ(f.Session().SceneTable[0].Source, "D:\\dl\\one.zip|song.mid") << "assigned in assign mode";
  f.MainMenuWhenDClickClick(Control<QAction>(f, "MainMenuAtAssign"));
  w.Tree().SetSelected(TreeWorld::At(archive, "notes.DOC"));
  f.FolderTreeViewExDblClick(QString());
  ASSERT_NE(f.DocumentWindow(), nullptr);
  EXPECT_EQ(f.DocumentWindow()->MemoDocument->toPlainText(), "word");
  EXPECT_EQ(f.Session().SceneTable[0].Source, "D:\\dl\\one.zip|song.mid");
}

TEST(Viewer, AJapaneseEntryOfAnotherToolsArchive) {
  REQUIRE_FIXTURES();
  TreeWorld w;
  const QString archive = w.Fixture("test_read_format_lha_filename_cp932.lzh");
  if (archive.isEmpty()) GTEST_SKIP() << "the shared fixtures are missing";
  TFormMain &f = w.Open();
  Open(w, TreeWorld::At(w.Expand(archive), QString::fromUtf8("漢字.txt")));
  ASSERT_NE(f.DocumentWindow(), nullptr);
  EXPECT_EQ(f.DocumentWindow()->windowTitle(), archive + QString::fromUtf8("|漢字.txt"));
  EXPECT_EQ(f.DocumentWindow()->MemoDocument->toPlainText(), QString::fromUtf8("漢字かな"));
}
