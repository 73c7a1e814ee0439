#include "formmain.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFile>
#include <QLayout>
#include <QMenuBar>
#include <QTest>
#include <QStatusBar>
#include <QTimer>
#include <sys/stat.h>

#include "core/winpath.h"
#include "formworld.h"
#include "menuitems.h"

using menuitems::Checked;
using testsupport::TestWorld;

namespace {
// Lets the event loop run out of work once, as the program's does after start-up.
void RunUntilIdle() {
  QEventLoop loop;
  QTimer::singleShot(0, &loop, &QEventLoop::quit);
  loop.exec();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}  // namespace

TEST(FormMain, FirstRunDefaults) {
  FormWorld w;
  TFormMain &f = w.Open();
  EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuFileJump")));
  EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuAssign")));
  EXPECT_TRUE(Checked(Control<QAction>(f, "MainMenuWithClose")));
  EXPECT_TRUE(Checked(Control<QAction>(f, "MainMenuAtPlay")));
  EXPECT_FALSE(Checked(Control<QAction>(f, "MainMenuAtAssign")));
  for (QToolBar *bar : {Control<QToolBar>(f, "ToolBarMisc"), Control<QToolBar>(f, "ToolBarConfig"),
                        Control<QToolBar>(f, "ToolBarPlayer")})
    EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(f.width(), f.Scale(640));
  EXPECT_EQ(f.height(), f.Scale(480));
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Melodeck - 標準"));
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuStop")->isEnabled());
}

TEST(FormMain, SettingsAsStored) {
  struct Case {
    const char *settings;
    bool atPlay, atAssign, bar2;
    int width;      // 0: designed
    bool placed;    // positioned by the program rather than by the window manager
    int left, top;  // -1: the window's own
  } cases[] = {
      {"", true, false, true, 0, false, -1, -1},
      {"AtPlay=1\r\nAtAssign=1\r\n", false, true, true, 0, false, -1, -1},
      {"AtPlay=0\r\nAtAssign=0\r\n", false, false, true, 0, false, -1, -1},
      {"ToolBar2=0\r\nWidth=abc\r\n", true, false, false, 0, false, -1, -1},
      {"Width=700\r\nHeight=500\r\nLeft=30\r\nTop=40\r\n", true, false, true, 700, true, 30, 40},
      {"Width=700\r\nTop=40\r\n", true, false, true, 700, true, -1, 40},
      {"Left=30\r\nTop=x\r\n", true, false, true, 0, true, 30, -1},
  };
  for (const auto &c : cases) {
    FormWorld w(std::string("[melodeck]\r\n") + c.settings);
    TFormMain &f = w.Open();
    EXPECT_EQ(Checked(Control<QAction>(f, "MainMenuAtPlay")), c.atPlay) << c.settings;
    EXPECT_EQ(Checked(Control<QAction>(f, "MainMenuAtAssign")), c.atAssign) << c.settings;
    EXPECT_EQ(Control<QAction>(f, "MainMenuAtAssign")->icon().isNull(), !c.atAssign) << c.settings;
    EXPECT_EQ(Checked(Control<QAction>(f, "MainMenuToolBarConfig")), c.bar2) << c.settings;
    EXPECT_EQ(Control<QToolBar>(f, "ToolBarConfig")->isVisible(), c.bar2) << c.settings;
    EXPECT_EQ(f.width(), c.width ? c.width : f.Scale(640)) << c.settings;
    EXPECT_EQ(f.testAttribute(Qt::WA_Moved), c.placed) << c.settings;
    if (c.left >= 0) EXPECT_EQ(f.geometry().left(), c.left) << c.settings;
    if (c.top >= 0) EXPECT_EQ(f.geometry().top(), c.top) << c.settings;
  }
}

TEST(FormMain, CloseWritesTheSettingsInOrderAndTheNextStartRestoresThem) {
  FormWorld w;
  {
    TFormMain &f = w.Open();
    Control<QAction>(f, "MainMenuFileJump")->trigger();
    Control<QAction>(f, "MainMenuToolBarPlayer")->trigger();
    Control<QAction>(f, "MainMenuAtAssign")->trigger();
    f.setGeometry(50, 60, 600, 420);
    w.Close();
  }
  const std::string s = w.Settings();
  const char *keys[] = {"FileJump=1", "Assign=0",  "WithClose=1", "AtPlay=0",   "AtAssign=1", "Top=60",
                        "Left=50",    "Width=600", "Height=420",  "ToolBar1=1", "ToolBar2=1", "ToolBar3=0"};
  size_t at = 0;
  for (const char *k : keys) {
    const size_t found = s.find(std::string(k) + "\r\n", at);
    ASSERT_NE(found, std::string::npos) << k << " in order in\n" << s;
    at = found;
  }
  TFormMain &g = w.Open();
  EXPECT_TRUE(Checked(Control<QAction>(g, "MainMenuFileJump")));
  EXPECT_TRUE(Control<QToolButton>(g, "ToolButtonFileJump")->isChecked());
  EXPECT_FALSE(Control<QToolBar>(g, "ToolBarPlayer")->isVisible());
  EXPECT_TRUE(Checked(Control<QAction>(g, "MainMenuAtAssign")));
  EXPECT_EQ(g.geometry(), QRect(50, 60, 600, 420));
  const std::string work = platform::ToLinux(g.Session().WorkFolder.Path().toStdString());
  TestWorld::MakeDirs(work + "/x");
  TestWorld::MakeDirs(w.Linux("tmp/melodeck/x"));  // another program's
  w.Close();
  EXPECT_FALSE(TestWorld::Exists(work));
  EXPECT_TRUE(TestWorld::Exists(w.Linux("tmp/melodeck/x")));
}

TEST(FormMain, ASettingsFileThatCannotBeWrittenStillLetsTheWindowClose) {
  FormWorld w;
  TFormMain &f = w.Open();
  chmod(w.Linux("prog/melodeck.ini").c_str(), 0444);
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(w.dialogs.Texts(),
            QStringList{QString::fromStdString(w.world.Windows("prog")) + "\\melodeck.ini に書き込めません."});
}

TEST(FormMain, MenuCaptionsShortcutsAndDynamicItems) {
  FormWorld w("[Summer]\r\n[Winter]\r\n");
  TFormMain &f = w.Open();
  const std::pair<QAction *, const char *> captions[] = {
      {Control<QAction>(f, "MainMenuApplay"), "現在の設定を適用(&A)"},
      {Control<QAction>(f, "MainMenuNew"), "新規作成(&N)"},
      {Control<QAction>(f, "MainMenuDelete"), "削除(&D)"},
      {Control<QAction>(f, "MainMenuRename"), "名前の変更(&R)"},
      {Control<QAction>(f, "MainMenuInportPackage"), "パッケージの読み込み(&I)..."},
      {Control<QAction>(f, "MainMenuApplayClose"), "適用して終了(&S)"},
      {Control<QAction>(f, "MainMenuClose"), "終了(&X)"},
      {Control<QAction>(f, "MainMenuShowFile"), "ファイルにジャンプ(&J)"},
      {Control<QAction>(f, "MainMenuTreeViewUpdate"), "フォルダツリーを最新の情報に更新(&U)"},
      {Control<QAction>(f, "MainMenuAtAssign"), "そのファイルを割り当てる(&A)"},
      {Control<QAction>(f, "N4"), "サポートホームページ(&S)"},
      {Control<QAction>(f, "PopupMenuTreeAssign"), "このファイルに設定(&A)"},
  };
  for (const auto &[item, caption] : captions) EXPECT_EQ(item->text(), QString::fromUtf8(caption));
  EXPECT_EQ(Control<QAction>(f, "MainMenuShowFile")->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(Control<QAction>(f, "MainMenuTreeViewUpdate")->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(Control<QAction>(f, "MainMenuApplay")->statusTip(),
            QString::fromUtf8("ファイルをコピーしてUOに反映させます"));
  EXPECT_EQ(Control<QToolButton>(f, "ToolButtonExit")->toolTip(), QString::fromUtf8("終了"));
  EXPECT_EQ(f.OpenDialog().title, QString::fromUtf8("パッケージの読み込み"));
  EXPECT_EQ(f.SaveDialog().title, QString::fromUtf8("パッケージの書き出し"));
  EXPECT_EQ(f.SaveDialog().filter, QString::fromUtf8("Melodeck パッケージファイル(*.mdk)|*.mdk"));
  EXPECT_EQ(f.OpenDialog().filter, f.SaveDialog().filter);
  EXPECT_EQ(f.SaveDialog().defaultExt, "mdk");
  EXPECT_EQ(f.OpenDialog().defaultExt, "");

  f.MainMenuConfigClick();
  f.MainMenuNewClick();
  auto texts = [](QMenu *m) {
    QStringList t;
    for (QAction *a : m->actions()) t << a->text();
    return t;
  };
  EXPECT_EQ(texts(Control<QMenu>(f, "MainMenuDeleteMenu")), (QStringList{"Summer", "Winter"}));
  EXPECT_EQ(texts(Control<QMenu>(f, "MainMenuRenameMenu")), (QStringList{"Summer", "Winter"}));
  EXPECT_EQ(texts(Control<QMenu>(f, "MainMenuToBaseMenu")),
            (QStringList{QString::fromUtf8("標準"), "Summer", "Winter"}));
  EXPECT_TRUE(Control<QAction>(f, "MainMenuDelete")->isEnabled());
}

TEST(FormMain, OnlyTheStandardLeavesDeleteAndRenameEmptyAndDisabled) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.MainMenuConfigClick();
  EXPECT_TRUE(Control<QMenu>(f, "MainMenuDeleteMenu")->isEmpty());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuDelete")->isEnabled());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuRename")->isEnabled());
}

TEST(FormMain, ToolBarsHideAndComeBack) {
  FormWorld w;
  TFormMain &f = w.Open();
  for (QAction *item : {Control<QAction>(f, "MainMenuToolBarMisc"), Control<QAction>(f, "MainMenuToolBarConfig"),
                        Control<QAction>(f, "MainMenuToolBarPlayer")})
    item->trigger();
  for (QToolBar *bar : {Control<QToolBar>(f, "ToolBarMisc"), Control<QToolBar>(f, "ToolBarConfig"),
                        Control<QToolBar>(f, "ToolBarPlayer")})
    EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(Control<QAction>(f, "MainMenuToolBarConfig")->icon().isNull());
  Control<QAction>(f, "MainMenuToolBarConfig")->trigger();
  EXPECT_TRUE(Control<QToolBar>(f, "ToolBarConfig")->isVisible());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuToolBarConfig")->icon().isNull());
}

TEST(FormMain, ToolButtonsReachTheirHandlersWhateverTheMenuItemsState) {
  FormWorld w;
  TFormMain &f = w.Open();
  // Something plays: Stop is on, the player choice locked; the Player menu was never opened.
  w.PlaySomething(f);
  ASSERT_TRUE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  ASSERT_FALSE(Control<QAction>(f, "MainMenuAssign")->isEnabled());
  ASSERT_FALSE(Control<QAction>(f, "MainMenuStop")->isEnabled());
  QTest::mouseClick(Control<QToolButton>(f, "ToolButtonStop"), Qt::LeftButton);
  EXPECT_FALSE(Control<QToolButton>(f, "ToolButtonStop")->isEnabled());
  EXPECT_TRUE(Control<QAction>(f, "MainMenuAssign")->isEnabled());

  QTest::mouseClick(Control<QToolButton>(f, "ToolButtonFileJump"), Qt::LeftButton);
  EXPECT_TRUE(Checked(Control<QAction>(f, "MainMenuFileJump")));
  EXPECT_TRUE(Control<QToolButton>(f, "ToolButtonFileJump")->isChecked());

  Control<QAction>(f, "MainMenuClose")->setEnabled(false);
  QTest::mouseClick(Control<QToolButton>(f, "ToolButtonExit"), Qt::LeftButton);
  EXPECT_FALSE(f.isVisible());
}

TEST(FormMain, ToolBarsStayOnTopAndOnlyTheViewMenuHidesThem) {
  FormWorld w;
  TFormMain &f = w.Open();
  const std::pair<QToolBar *, QAction *> bars[] = {
      {Control<QToolBar>(f, "ToolBarMisc"), Control<QAction>(f, "MainMenuToolBarMisc")},
      {Control<QToolBar>(f, "ToolBarConfig"), Control<QAction>(f, "MainMenuToolBarConfig")},
      {Control<QToolBar>(f, "ToolBarPlayer"), Control<QAction>(f, "MainMenuToolBarPlayer")}};
  for (const auto &[bar, item] : bars) {
    EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea) << bar->objectName().toStdString();
    EXPECT_EQ(f.toolBarArea(bar), Qt::TopToolBarArea) << bar->objectName().toStdString();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2), bar->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(bar, &menu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << bar->objectName().toStdString();
    // Shown or hidden some other way, the bar still takes its item along.
    bar->hide();
    EXPECT_FALSE(Checked(item)) << bar->objectName().toStdString();
    EXPECT_TRUE(item->icon().isNull()) << bar->objectName().toStdString();
    bar->show();
    EXPECT_TRUE(Checked(item)) << bar->objectName().toStdString();
  }
  EXPECT_EQ(f.createPopupMenu(), nullptr);
}

TEST(FormMain, TheConfigurationBoxFollowsItsBarUpTo200) {
  FormWorld w("[" + std::string(60, 'L') + "]\r\n");
  TFormMain &f = w.Open();
  f.setMinimumSize(0, 0);
  for (int width : {f.Scale(640), f.Scale(260), f.Scale(200)}) {
    f.resize(width, f.height());
    QApplication::processEvents();
    const QRect bar = Control<QToolBar>(f, "ToolBarConfig")->contentsRect();
    const QRect box = Control<QComboBox>(f, "ComboBoxConfigList")->geometry();
    EXPECT_TRUE(bar.contains(box)) << width;
    // Room for the box: from where it starts to the bar's end, less the bar's own margin.
    const int room =
        bar.right() - Control<QToolBar>(f, "ToolBarConfig")->layout()->contentsMargins().right() - box.left() + 1;
    EXPECT_EQ(box.width(), std::min(room, f.Scale(200))) << width;
  }
  EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->view()->sizeHintForRow(0), f.Scale(15));
}

TEST(FormMain, HintsReachTheStatusBarAndControlsWithoutOneClearIt) {
  FormWorld w;
  TFormMain &f = w.Open();
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(Control<QComboBox>(f, "ComboBoxConfigList"), &enter);
  EXPECT_EQ(f.StatusText(), QString::fromUtf8("変更したい設定項目を選びます"));
  QApplication::sendEvent(Control<QStatusBar>(f, "StatusBar"), &enter);
  EXPECT_EQ(f.StatusText(), "");
  QApplication::sendEvent(Control<QToolButton>(f, "ToolButtonPlay"), &enter);
  EXPECT_EQ(f.StatusText(), QString::fromUtf8("エディットボックスに入力されているファイルを再生します"));
  QApplication::sendEvent(Control<QSplitter>(f, "Splitter")->handle(1), &enter);
  EXPECT_EQ(f.StatusText(), "");
}

TEST(FormMain, LeavingAControlShowsTheHintOfWhatIsUnderTheMouse) {
  FormWorld w;
  TFormMain &f = w.Open();
  RunUntilIdle();  // the splash out of the way
  const struct {
    QWidget *from;
    QWidget *onto;  // where the mouse ends, with no Enter of its own (as a parent gets none)
    QPoint at;
    const char *status;
  } cases[] = {
      {Control<QToolButton>(f, "ToolButtonExit"), Control<QToolBar>(f, "ToolBarMisc"), QPoint(2, 4),
       ""},  // the bar's grip
      {Control<QComboBox>(f, "ComboBoxConfigList"), Control<QTreeWidget>(f, "ListView")->viewport(), QPoint(5, 5),
       "ダブルクリックで割り当てられているMIDIファイルを再生します"},
  };
  for (const auto &c : cases) {
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(c.from, &enter);
    ASSERT_NE(f.StatusText(), QString::fromUtf8(c.status));
    QCursor::setPos(c.onto->mapToGlobal(c.at));
    ASSERT_EQ(QApplication::widgetAt(QCursor::pos()), c.onto);
    QApplication::sendEvent(c.from, &leave);
    EXPECT_EQ(f.StatusText(), QString::fromUtf8(c.status)) << c.from->objectName().toStdString();
  }
}

TEST(FormMain, PopupMenuItemsWithoutHintsClearTheStatusBar) {
  FormWorld w;
  TFormMain &f = w.Open();
  for (QMenu *menu : {Control<QMenu>(f, "PopupMenuList"), Control<QMenu>(f, "PopupMenuTree")}) {
    f.SetStatusText("stale");
    emit menu->hovered(menu->actions().first());
    EXPECT_EQ(f.StatusText(), "") << menu->objectName().toStdString();
  }
}

TEST(FormMain, MinimumSizeIsFourByThreeInches) {
  FormWorld w;
  TFormMain &f = w.Open();
  EXPECT_EQ(f.minimumSize(), QSize(4 * f.logicalDpiX(), 3 * f.logicalDpiY()));
}

TEST(FormMain, TheSplashGoesAtTheFirstIdleMomentAfterTheWindowIsShown) {
  FormWorld w;
  TFormMain &f = w.Open(false);
  auto splashes = [] {
    int n = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
      if (top->objectName() == "FormAbout" && top->isVisible()) ++n;
    return n;
  };
  EXPECT_EQ(splashes(), 1);
  RunUntilIdle();
  EXPECT_EQ(splashes(), 1);
  f.show();
  EXPECT_EQ(splashes(), 1);
  RunUntilIdle();
  EXPECT_EQ(splashes(), 0);
  f.ApplicationEvents1Idle();
  EXPECT_EQ(splashes(), 0);
}

TEST(FormMain, HintsOfMainMenuItemsReachTheStatusBarFromTheKeyboard) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.activateWindow();
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier);
  auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  int hints = 0;
  for (int step = 0; step < 4; ++step) {
    QTest::keyClick(menu, Qt::Key_Down);
    ASSERT_NE(menu->activeAction(), nullptr);
    hints += !menu->activeAction()->statusTip().isEmpty();
    EXPECT_EQ(f.StatusText(), menu->activeAction()->statusTip()) << step;
  }
  EXPECT_GT(hints, 0);
  menu->close();
}

TEST(FormMain, SceneNamesAreCollatedAsJapaneseWhateverTheLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale::c());
  EXPECT_LT(TSceneList::CompareTexts(QString::fromUtf8("亜"), QString::fromUtf8("一")), 0);  // JIS order
  EXPECT_LT(TSceneList::CompareTexts(QString::fromUtf8("あ"), QString::fromUtf8("い")), 0);
  QLocale::setDefault(saved);
}

TEST(FormMain, AltCThenXCloses) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.activateWindow();
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier);
  QWidget *popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup, Control<QMenu>(f, "MainMenuConfig"));
  QTest::keyClick(popup, Qt::Key_X);
  EXPECT_FALSE(f.isVisible());
}

// The help menu opens the manual shipped beside the program, not an address on the web.
TEST(FormMain, TheManualIsShippedBesideTheProgram) {
  const QString manual = TFormMain::ManualPath();
  ASSERT_FALSE(manual.isEmpty());
  QFile file(manual);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(file.readAll());
  for (const char *topic : {"WINEPREFIX", "パッケージ", "melodeck.ini", "SoundFont"})
    EXPECT_TRUE(html.contains(QString::fromUtf8(topic))) << topic;
}
