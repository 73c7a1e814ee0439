// The package commands of the window: the menu's state, the dialogs, and packages dropped on
// the window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "arclib.h"
#include "formworld.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {

class WindowPackages : public testing::Test {
 protected:
  WindowPackages() : w("[Summer]\r\nyew.mid=C:\\a.mid\r\n") {}

  // A package made by jlha at rel: config "Dropped", britain1.mid = town.mid. Its Linux path.
  std::string Package(const std::string &rel, const char *config = "Dropped") {
    const std::string dir = w.Linux("stage");
    TestWorld::MakeDirs(dir);
    TestWorld::WriteFile(dir + "/index.ini", std::string("[") + config + "]\r\nbritain1.mid=town.mid\r\n");
    TestWorld::WriteFile(dir + "/town.mid", "MThd tune");
    const std::string path = w.Linux(rel);
    std::string out;
    EXPECT_EQ(arctest::Sh("jlha a " + arctest::Q(path) + " index.ini town.mid", &out, dir), 0) << out;
    return path;
  }
  QString Windows(const std::string &rel) const { return QString::fromStdString(w.world.Windows(rel)); }
  void Drop(QWidget *target, const std::vector<std::string> &linuxPaths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string &p : linuxPaths) urls << QUrl::fromLocalFile(QString::fromStdString(p));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
  }
  bool Imported(int n) const {
    return TestWorld::Exists(w.Linux("prog/Package/" + QString::asprintf("%.3d", n).toStdString()));
  }

  FormWorld w;
};

}  // namespace

TEST_F(WindowPackages, ExportIsOfferedForAStoredConfigurationOnly) {
  TFormMain &f = w.Open();
  const struct {
    int index;
    bool enabled;
  } cases[] = {{0, false}, {1, true}, {-1, false}};
  for (const auto &c : cases) {
    f.Store().SetSelectedConfig(c.index);
    f.MainMenuPackageClick();
    EXPECT_EQ(Control<QAction>(f, "MainMenuExportPackage")->isEnabled(), c.enabled) << c.index;
    EXPECT_TRUE(Control<QAction>(f, "MainMenuInportPackage")->isEnabled()) << c.index;
  }
}

TEST_F(WindowPackages, TheDialogsAreAsDesignedAndCancelDoesNothing) {
  TFormMain &f = w.Open();
  EXPECT_EQ(f.SaveDialog().title, "パッケージの書き出し");
  EXPECT_EQ(f.SaveDialog().filter, "Melodeck パッケージファイル(*.mdk)|*.mdk");
  EXPECT_EQ(f.SaveDialog().defaultExt, "mdk");
  EXPECT_EQ(f.OpenDialog().title, "パッケージの読み込み");
  EXPECT_EQ(f.OpenDialog().filter, f.SaveDialog().filter);
  w.dialogs.AnswerFile(QString());
  f.MainMenuExportPackageClick();
  w.dialogs.AnswerFile(QString());
  f.MainMenuInportPackageClick();
  ASSERT_EQ(w.dialogs.Shown().size(), 2u);
  EXPECT_EQ(w.dialogs.Shown()[0].kind, testsupport::ShownDialog::Save);
  EXPECT_EQ(w.dialogs.Shown()[1].kind, testsupport::ShownDialog::Open);
  EXPECT_FALSE(Imported(0));
}

TEST_F(WindowPackages, ExportThenImportShowsTheNewConfiguration) {
  TestWorld::MakeDirs(w.Linux("tunes"));
  TestWorld::WriteFile(w.Linux("tunes/t.mid"), "MThd tune");
  TFormMain &f = w.Open();
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(1);
  f.ComboBoxConfigListChange();
  f.Session().SceneTable[1].Source = Windows("tunes/t.mid");
  w.dialogs.AnswerFile(Windows("out.mdk"));
  f.MainMenuExportPackageClick();
  EXPECT_EQ(w.dialogs.Texts().last(), "パッケージファイルを作成しました");

  w.dialogs.AnswerFile(Windows("out.mdk"));
  w.dialogs.Answer(TModalResult::No);  // "Summer" exists: another name
  w.dialogs.AnswerInput("Copy");
  f.MainMenuInportPackageClick();
  EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->currentText(), "Copy");
  EXPECT_EQ(f.SceneList().RowOfScene(1)->text(1), "t.mid");
  EXPECT_TRUE(w.dialogs.AllAnswersUsed());
}

TEST_F(WindowPackages, OnlyTheFirstDroppedFileCountsAndOnlyWhenItIsAPackage) {
  TFormMain &f = w.Open();
  const std::string upper = Package("UPPER.MDK");
  const std::string other = Package("other.mdk", "Other");
  TestWorld::WriteFile(w.Linux("notes.txt"), "text");

  Drop(&f, {w.Linux("notes.txt"), other});  // the first is no package: nothing
  Drop(&f, {w.Linux("gone.mdk")});
  Drop(Control<TFolderTreeViewEx>(f, "FolderTreeViewEx")->viewport(), {upper});  // the tree refuses drops
  EXPECT_TRUE(w.dialogs.Shown().empty());
  EXPECT_FALSE(Imported(0));

  w.dialogs.Answer(TModalResult::OK);
  Drop(&f, {upper, other});
  EXPECT_EQ(w.dialogs.Texts(), QStringList{"Droppedを読み込みますか？"});
  EXPECT_TRUE(Imported(0));
  EXPECT_FALSE(Imported(1));
  EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->currentText(), "Dropped");
  EXPECT_EQ(f.SceneList().RowOfScene(1)->text(1), "town.mid");
}
