#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "core/text.h"
#include "formworld.h"
#include "qt/application.h"

#include <sys/stat.h>

using testsupport::TestWorld;

namespace {
QStringList Column(const TFormMain &f, int column) {
  QStringList out;
  for (int i = 0; i < Control<QTreeWidget>(f, "ListView")->topLevelItemCount(); ++i)
    out << Control<QTreeWidget>(f, "ListView")->topLevelItem(i)->text(column);
  return out;
}
bool Sorted(QStringList list, int direction) {
  QStringList sorted = list;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const QString &a, const QString &b) { return TSceneList::CompareTexts(a, b) * direction < 0; });
  return sorted == list;
}
void Select(TFormMain &f, int scene) {
  Control<QTreeWidget>(f, "ListView")->setCurrentItem(f.SceneList().RowOfScene(scene));
}
// A Japanese user's locale for as long as it lives.
struct JapaneseLocale {
  JapaneseLocale() { QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan)); }
  ~JapaneseLocale() { QLocale::setDefault(saved); }
  QLocale saved;
};
}  // namespace

TEST(SceneList, SortsByEitherColumnAndRefillsByName) {
  FormWorld w;
  TFormMain &f = w.Open();
  ASSERT_EQ(Control<QTreeWidget>(f, "ListView")->topLevelItemCount(), 49);
  EXPECT_TRUE(Sorted(Column(f, 0), 1));
  f.ListViewColumnClick(1);
  EXPECT_TRUE(Sorted(Column(f, 1), -1));
  EXPECT_EQ(Column(f, 1).first(), "yew.mid");
  f.ListViewColumnClick(1);
  EXPECT_TRUE(Sorted(Column(f, 1), 1));
  f.ListViewColumnClick(0);
  EXPECT_TRUE(Sorted(Column(f, 0), -1));
  f.FillSceneList();
  EXPECT_TRUE(Sorted(Column(f, 0), -1));  // column 0's present direction
  EXPECT_EQ(f.SceneList().CurrentScene(), -1);
  for (int i = 0; i < 49; ++i)
    EXPECT_EQ(
        Control<QTreeWidget>(f, "ListView")->topLevelItem(i)->text(0),
        f.Session().SceneTable[f.SceneList().SceneOfRow(Control<QTreeWidget>(f, "ListView")->topLevelItem(i))].Name);
}

TEST(SceneList, SelectingARowSetsTheSceneTheEditBoxAndTheStatusBar) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.Session().SceneTable[1].Source = "D:\\dl\\pack.lzh|music/town.mid";
  Select(f, 1);
  EXPECT_EQ(f.SceneList().CurrentScene(), 1);
  EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), "D:\\dl\\pack.lzh|music/town.mid");
  EXPECT_EQ(f.StatusText(), f.Session().SceneTable[1].Detail);
  Select(f, 0);
  EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), w.folders.DefaultDir + "\\approach.mid");
  EXPECT_EQ(f.StatusText(), QString::fromUtf8("未使用"));
}

TEST(SceneList, BlueForEveryFileThatIsNotTheScenesOwn) {
  JapaneseLocale japanese;
  FormWorld w;
  TFormMain &f = w.Open();
  const std::pair<const char *, bool> cases[] = {
      {"britain1.mid", false},          {"BRITAIN1.MID", false}, {"cove.mid", true}, {"C:\\MIDI\\town.mid", true},
      {"C:\\a.lzh|britain1.mid", true}, {"ｂritain1.mid", true},  // a full-width letter: another file
  };
  for (const auto &[source, blue] : cases) {
    f.Session().SceneTable[1].Source = source;
    EXPECT_EQ(f.SceneList().IsBlue(1), blue) << source;
  }
}

TEST(SceneList, RenamingRefusesDuplicatesAndWritesTheScenesFile) {
  FormWorld w;
  TFormMain &f = w.Open();
  Select(f, 1);
  QTreeWidgetItem *row = f.SceneList().RowOfScene(1);
  for (const char *dup : {"ブリティン", "approach"}) {
    QString text = QString::fromUtf8(dup);
    EXPECT_FALSE(f.ListViewEdited(row, text));
    EXPECT_EQ(text, QString::fromUtf8("ブリティン"));
  }
  EXPECT_EQ(w.dialogs.Texts(), (QStringList{QString::fromUtf8("同じ場面名は付けられません"),
                                            QString::fromUtf8("同じ場面名は付けられません")}));
  QString text = QString::fromUtf8("王都ソ");
  EXPECT_TRUE(f.ListViewEdited(row, text));
  row->setText(0, text);
  EXPECT_EQ(f.Session().SceneTable[1].Name, QString::fromUtf8("王都ソ"));
  platform::IniFile dat(w.world.Windows("prog") + "\\melodeck.dat");
  EXPECT_EQ(dat.ReadString("melodeck", "britain1.mid", ""), "王都ソ|" + f.Session().SceneTable[1].Detail.toStdString());
}

TEST(SceneList, DescriptionEdits) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.PopupMenuListEditDetailClick();  // no row: nothing
  EXPECT_TRUE(w.dialogs.Shown().empty());
  Select(f, 48);
  w.dialogs.AnswerInput("");
  f.PopupMenuListEditDetailClick();
  EXPECT_EQ(w.dialogs.Shown().back().caption, QString::fromUtf8("場面の詳細説明を編集"));
  EXPECT_EQ(w.dialogs.Shown().back().text, QString::fromUtf8("新しい場面の説明を入力してください"));
  EXPECT_EQ(w.dialogs.Shown().back().value, "");
  EXPECT_EQ(f.Session().SceneTable[48].Detail, QString::fromUtf8("ユー"));
  w.dialogs.AnswerInput(QString::fromUtf8("森の町"));
  f.PopupMenuListEditDetailClick();
  EXPECT_EQ(f.Session().SceneTable[48].Detail, QString::fromUtf8("森の町"));
  platform::IniFile dat(w.world.Windows("prog") + "\\melodeck.dat");
  EXPECT_EQ(dat.ReadString("melodeck", "yew.mid", ""), "ユー|森の町");
}

TEST(SceneList, PopupItemsNeedASelectedRow) {
  FormWorld w;
  TFormMain &f = w.Open();
  Control<QTreeWidget>(f, "ListView")->clearSelection();
  f.PopupMenuListPopup();
  for (QAction *a : {Control<QAction>(f, "PopupMenuListJump"), Control<QAction>(f, "PopupMenuListPlay"),
                     Control<QAction>(f, "PopupMenuListStop"), Control<QAction>(f, "PopupMenuListDefault"),
                     Control<QAction>(f, "PopupMenuListEditDetail")})
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
  w.PlaySomething(f);
  Select(f, 3);
  f.PopupMenuListPopup();
  for (QAction *a : {Control<QAction>(f, "PopupMenuListJump"), Control<QAction>(f, "PopupMenuListPlay"),
                     Control<QAction>(f, "PopupMenuListStop"), Control<QAction>(f, "PopupMenuListDefault"),
                     Control<QAction>(f, "PopupMenuListEditDetail")})
    EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST(SceneList, NamesThatDifferOnlyInLetterCaseCompareEqual) {
  JapaneseLocale japanese;
  const struct {
    const char *a, *b;
    bool equal;
  } cases[] = {
      {"ABC.mid", "abc.MID", true}, {"ブリティン", "ブリティン", true},
      {"あ", "ア", false},          {"ａ", "a", false},
      {"ｱ", "ア", false},           {"abc", "abd", false},
  };
  for (const auto &c : cases) {
    const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
    const int ab = TSceneList::CompareTexts(a, b), ba = TSceneList::CompareTexts(b, a);
    EXPECT_EQ(ab == 0, c.equal) << c.a << " " << c.b;
    EXPECT_EQ(ab<0, ba> 0) << c.a << " " << c.b;
  }
}

TEST(SceneList, SortingKeepsExactlyTheSelectionAndTheCurrentRow) {
  const struct {
    int selected, current;  // scenes; -1: none
  } cases[] = {{-1, -1}, {-1, 7}, {5, 5}, {5, 7}};
  for (const auto &c : cases) {
    FormWorld w;
    TFormMain &f = w.Open();
    if (c.selected >= 0) Select(f, c.selected);
    else Control<QTreeWidget>(f, "ListView")->clearSelection();
    if (c.current >= 0)
      Control<QTreeWidget>(f, "ListView")
          ->setCurrentItem(f.SceneList().RowOfScene(c.current), 0, QItemSelectionModel::NoUpdate);
    const int scene = f.SceneList().CurrentScene();
    const QString edit = Control<QLineEdit>(f, "EditMidiFile")->text();
    f.ListViewColumnClick(1);
    const QList<QTreeWidgetItem *> selected = Control<QTreeWidget>(f, "ListView")->selectedItems();
    if (c.selected < 0) {
      EXPECT_TRUE(selected.isEmpty()) << c.current;
    } else {
      ASSERT_EQ(selected.size(), 1);
      EXPECT_EQ(f.SceneList().SceneOfRow(selected.first()), c.selected);
    }
    EXPECT_EQ(f.SceneList().SceneOfRow(Control<QTreeWidget>(f, "ListView")->currentItem()), c.current);
    EXPECT_EQ(f.SceneList().CurrentScene(), scene);
    EXPECT_EQ(Control<QLineEdit>(f, "EditMidiFile")->text(), edit);
  }
}

TEST(SceneList, F2RenamesOnlyASelectedRow) {
  const struct { int selected, current; } cases[] = {{-1, 4}, {4, 4}, {4, 9}};
  for (const auto &c : cases) {
    FormWorld w;
    TFormMain &f = w.Open();
    if (c.selected >= 0) Select(f, c.selected);
    Control<QTreeWidget>(f, "ListView")
        ->setCurrentItem(f.SceneList().RowOfScene(c.current), 0, QItemSelectionModel::NoUpdate);
    if (c.selected < 0) Control<QTreeWidget>(f, "ListView")->clearSelection();
    QTest::keyClick(Control<QTreeWidget>(f, "ListView"), Qt::Key_F2);
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : Control<QTreeWidget>(f, "ListView")->viewport()->findChildren<QLineEdit *>())
      if (e->isVisible()) editor = e;
    if (c.selected < 0) {
      EXPECT_EQ(editor, nullptr);
    } else {
      ASSERT_NE(editor, nullptr) << c.current;
      EXPECT_EQ(editor->text(), f.Session().SceneTable[c.selected].Name);
    }
  }
}

// A failed write of the scene names file is reported once the edit is committed, and later
// renames still reach the file once it can be written again.
TEST(SceneList, RenamingGoesOnAfterAFailedWrite) {
  FormWorld w;
  TFormMain &f = w.Open();
  platform::TApplication::SetDialogs(&w.dialogs);
  const std::string dat = w.Linux("prog/melodeck.dat");
  auto rename = [&](int scene, const char *name) {
    Select(f, scene);
    QTest::keyClick(Control<QTreeWidget>(f, "ListView"), Qt::Key_F2);
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : Control<QTreeWidget>(f, "ListView")->viewport()->findChildren<QLineEdit *>())
      if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromUtf8(name));
    QTest::keyClick(editor, Qt::Key_Return);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the commit, then what it queued
    EXPECT_EQ(f.Session().SceneTable[scene].Name, QString::fromUtf8(name));
  };
  TestWorld::WriteFile(dat, "");
  chmod(dat.c_str(), 0444);
  rename(4, "一回目");
  ASSERT_EQ(w.dialogs.Texts().size(), 1);
  EXPECT_TRUE(w.dialogs.Texts()[0].endsWith(QString::fromUtf8(" に書き込めません.")));
  chmod(dat.c_str(), 0644);
  rename(5, "二回目");
  platform::TApplication::SetDialogs(nullptr);
  EXPECT_EQ(f.Session().SceneTable[5].Name, QString::fromUtf8("二回目"));
  EXPECT_NE(TestWorld::ReadFile(dat).find("cave01.mid"), std::string::npos);
}

TEST(SceneList, ListsTheScenesOfWhateverSetItsTableHas) {
  const TMusicSet three{QStringLiteral("three"),
                        QStringLiteral("Three tracks"),
                        {{"Bb", "bb.mp3", "", ""}, {"Aa", "aa.mp3", "", ""}, {"Cc", "cc.mp3", "", ""}},
                        0};
  TSceneTable table(three);
  table[2].Source = "C:\\music\\mine.mp3";
  const TGameFolders folders;
  QTreeWidget view;
  TSceneList list(view, table, folders, nullptr);
  list.Fill();
  ASSERT_EQ(view.topLevelItemCount(), 3);
  const struct {
    int row;
    const char *name, *file;
    int scene;
  } rows[] = {{0, "Aa", "", 1}, {1, "Bb", "", 0}, {2, "Cc", "mine.mp3", 2}};
  for (const auto &r : rows) {
    EXPECT_EQ(view.topLevelItem(r.row)->text(0), r.name) << r.row;
    EXPECT_EQ(view.topLevelItem(r.row)->text(1), r.file) << r.row;
    EXPECT_EQ(list.SceneOfRow(view.topLevelItem(r.row)), r.scene) << r.row;
  }
  EXPECT_EQ(list.RowOfScene(3), nullptr);
}
