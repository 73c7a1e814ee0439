// The main menu, the two pop-up menus and the three tool bars, with their captions,
// accelerators, shortcuts, images, hints and handlers.
#include <QActionGroup>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <algorithm>
#include <QUrl>

#include "formabout.h"
#include "formmain.h"
#include "menuitems.h"
#include "qtcore/language.h"
#include "shownnames.h"

using menuitems::SetHint;

namespace {
// Rows of one fixed height in a drop-down list.
class TRowHeightDelegate : public QStyledItemDelegate {
 public:
  TRowHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

// The width a drop-down list takes to show text whole.
int WidthShowing(const QComboBox &box, const QString &text) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  const QSize contents(box.fontMetrics().horizontalAdvance(text), box.fontMetrics().height());
  return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, &box).width();
}
}  // namespace

QAction *TFormMain::AddItem(QMenu *menu, const QString &name, const QString &caption, int image, const QString &hint) {
  QAction *item = menu->addAction(caption);
  item->setObjectName(name);
  menuitems::SetImage(item, imageList_, image);
  SetHint(item, hint);
  return item;
}

QMenu *TFormMain::AddSubMenu(QMenu *menu, QAction *&item, const QString &name, const QString &caption, int image,
                             const QString &hint) {
  QMenu *sub = menu->addMenu(caption);
  sub->setObjectName(name + "Menu");
  item = sub->menuAction();
  item->setObjectName(name);
  menuitems::SetImage(item, imageList_, image);
  SetHint(item, hint);
  return sub;
}

void TFormMain::BuildMenus() {
  auto *style = new menuitems::TMenuMeasureStyle();
  style->setParent(this);
  auto top = [&](const QString &name, const QString &caption) {
    QMenu *m = menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->setStyle(style);
    connect(m, &QMenu::hovered, this, [this](QAction *a) { SetStatusText(a->statusTip()); });
    return m;
  };
  auto sub = [&](QMenu *m) {
    m->setStyle(style);
    connect(m, &QMenu::hovered, this, [this](QAction *a) { SetStatusText(a->statusTip()); });
    return m;
  };

  MainMenuConfig = top("MainMenuConfig", tr("設定(&C)"));
  connect(MainMenuConfig, &QMenu::aboutToShow, this, &TFormMain::MainMenuConfigClick);
  MainMenuApplay = AddItem(MainMenuConfig, "MainMenuApplay", tr("現在の設定を適用(&A)"), imgApply,
                           tr("|ファイルをコピーしてUOに反映させます"));
  connect(MainMenuApplay, &QAction::triggered, this, &TFormMain::MainMenuApplayClick);
  MainMenuConfig->addSeparator()->setObjectName("N1");
  MainMenuNewMenu = sub(AddSubMenu(MainMenuConfig, MainMenuNew, "MainMenuNew", tr("新規作成(&N)"), imgNew,
                                   tr("|新しい設定を作成します")));
  connect(MainMenuNewMenu, &QMenu::aboutToShow, this, &TFormMain::MainMenuNewClick);
  MainMenuToBaseMenu = sub(AddSubMenu(MainMenuNewMenu, MainMenuToBase, "MainMenuToBase", tr("ベースにする設定"), -1,
                                      tr("|もとになる設定を選びます")));
  MainMenuDeleteMenu = sub(
      AddSubMenu(MainMenuConfig, MainMenuDelete, "MainMenuDelete", tr("削除(&D)"), imgDelete, tr("|設定を削除します")));
  MainMenuRenameMenu = sub(AddSubMenu(MainMenuConfig, MainMenuRename, "MainMenuRename", tr("名前の変更(&R)")));
  menuitems::SetMeasured(MainMenuRename, false);
  MainMenuAllMidiTunes = AddItem(MainMenuConfig, "MainMenuAllMidiTunes", tr("すべて MIDI の曲にする(&M)"), -1,
                                 tr("|デジタルの曲それぞれに, 同じ場面の MIDI の曲を割り当てます"));
  MainMenuAllMidiTunes->setVisible(false);  // shown on a digital set (MainMenuConfigClick)
  connect(MainMenuAllMidiTunes, &QAction::triggered, this, &TFormMain::MainMenuAllMidiTunesClick);
  MainMenuConfig->addSeparator()->setObjectName("N8");
  MainMenuPackageMenu = sub(AddSubMenu(MainMenuConfig, MainMenuPackage, "MainMenuPackage", tr("パッケージ(&P)")));
  connect(MainMenuPackageMenu, &QMenu::aboutToShow, this, &TFormMain::MainMenuPackageClick);
  MainMenuInportPackage = AddItem(MainMenuPackageMenu, "MainMenuInportPackage", tr("パッケージの読み込み(&I)..."), -1,
                                  tr("|パッケージを読み込み新しい設定として加えます"));
  connect(MainMenuInportPackage, &QAction::triggered, this, &TFormMain::MainMenuInportPackageClick);
  MainMenuExportPackage = AddItem(MainMenuPackageMenu, "MainMenuExportPackage", tr("パッケージの書き出し(&E)..."), -1,
                                  tr("|選択されている設定をパッケージとして書き出します"));
  connect(MainMenuExportPackage, &QAction::triggered, this, &TFormMain::MainMenuExportPackageClick);
  MainMenuConfig->addSeparator()->setObjectName("N2");
  MainMenuApplayClose = AddItem(MainMenuConfig, "MainMenuApplayClose", tr("適用して終了(&S)"));
  connect(MainMenuApplayClose, &QAction::triggered, this, &TFormMain::MainMenuApplayCloseClick);
  MainMenuClose = AddItem(MainMenuConfig, "MainMenuClose", tr("終了(&X)"), imgExit);
  connect(MainMenuClose, &QAction::triggered, this, &TFormMain::MainMenuCloseClick);

  MainMenuPlayer = top("MainMenuPlayer", tr("プレイヤー(&P)"));
  connect(MainMenuPlayer, &QMenu::aboutToShow, this, &TFormMain::MainMenuPlayerClick);
  MainMenuPlay = AddItem(MainMenuPlayer, "MainMenuPlay", tr("再生(&P)"), imgPlay,
                         tr("|エディットボックスに入力されているファイルを再生します"));
  connect(MainMenuPlay, &QAction::triggered, this, &TFormMain::ToolButtonPlayClick);
  MainMenuStop = AddItem(MainMenuPlayer, "MainMenuStop", tr("停止(&S)"), imgStop, tr("|演奏を停止します"));
  MainMenuStop->setEnabled(false);
  connect(MainMenuStop, &QAction::triggered, this, &TFormMain::ToolButtonStopClick);

  MainMenuView = top("MainMenuView", tr("表示(&V)"));
  MainMenuShowFile = AddItem(MainMenuView, "MainMenuShowFile", tr("ファイルにジャンプ(&J)"), -1,
                             tr("|割り当てられているファイルを表示します"));
  MainMenuShowFile->setShortcut(Qt::Key_F4);
  MainMenuShowFile->setShortcutContext(Qt::WindowShortcut);
  connect(MainMenuShowFile, &QAction::triggered, this, &TFormMain::MainMenuShowFileClick);
  MainMenuFileJump = AddItem(MainMenuView, "MainMenuFileJump", tr("自動でファイルにジャンプ(&A)"), -1,
                             tr("|常に設定されているファイルを直ちに表示するようにします"));
  connect(MainMenuFileJump, &QAction::triggered, this, [this] { MainMenuOptionClick(MainMenuFileJump); });
  MainMenuView->addSeparator()->setObjectName("N10");
  MainMenuToolBarMenu = sub(AddSubMenu(MainMenuView, MainMenuToolBar, "MainMenuToolBar", tr("ツールバー(&T)")));
  MainMenuToolBarMisc = AddItem(MainMenuToolBarMenu, "MainMenuToolBarMisc", tr("一般(&M)"));
  MainMenuToolBarConfig = AddItem(MainMenuToolBarMenu, "MainMenuToolBarConfig", tr("設定(&C)"));
  MainMenuToolBarPlayer = AddItem(MainMenuToolBarMenu, "MainMenuToolBarPlayer", tr("プレイヤー(&P)"));
  int tag = 0;
  for (QAction *a : {MainMenuToolBarMisc, MainMenuToolBarConfig, MainMenuToolBarPlayer}) {
    menuitems::SetTag(a, tag++);
    connect(a, &QAction::triggered, this, [this, a] { MainMenuToolBarMiscClick(a); });
  }
  MainMenuView->addSeparator()->setObjectName("N9");
  MainMenuTreeViewUpdate = AddItem(MainMenuView, "MainMenuTreeViewUpdate", tr("フォルダツリーを最新の情報に更新(&U)"),
                                   -1, tr("|フォルダツリーを最新の情報に更新します"));
  MainMenuTreeViewUpdate->setShortcut(Qt::Key_F5);
  MainMenuTreeViewUpdate->setShortcutContext(Qt::WindowShortcut);
  connect(MainMenuTreeViewUpdate, &QAction::triggered, this, &TFormMain::MainMenuTreeViewUpdateClick);

  MainMenuOptions = top("MainMenuOptions", tr("オプション(&O)"));
  MainMenuPlayersOptionMenu =
      sub(AddSubMenu(MainMenuOptions, MainMenuPlayersOption, "MainMenuPlayersOption", tr("プレイヤー(&P)")));
  MainMenuAssign = AddItem(MainMenuPlayersOptionMenu, "MainMenuAssign", tr("関連づけされているプレイヤーを使う(&A)"),
                           -1, tr("|Melodeck のMIDIプレイヤーを使わずに関連づけされているプレイヤーを利用します"));
  MainMenuWithClose = AddItem(MainMenuPlayersOptionMenu, "MainMenuWithClose", tr("終了時に外部プレイヤーも終了(&W)"),
                              -1, tr("|Melodeck 終了時に関連づけされたプレイヤーが起動していればそれも終了します"));
  for (QAction *a : {MainMenuAssign, MainMenuWithClose})
    connect(a, &QAction::triggered, this, [this, a] { MainMenuOptionClick(a); });
  MainMenuWhenDClickMenu = sub(AddSubMenu(MainMenuOptions, MainMenuWhenDClick, "MainMenuWhenDClick",
                                          tr("ツリーウインドウダブルクリックで(&D)")));
  MainMenuAtPlay = AddItem(MainMenuWhenDClickMenu, "MainMenuAtPlay", tr("MIDIファイルを再生(&P)"), -1,
                           tr("|ダブルクリックでファイルを再生します"));
  MainMenuAtAssign = AddItem(MainMenuWhenDClickMenu, "MainMenuAtAssign", tr("そのファイルを割り当てる(&A)"), -1,
                             tr("|ダブルクリックで選択されている場面にファイルを割り当てます"));
  for (QAction *a : {MainMenuAtPlay, MainMenuAtAssign}) {
    menuitems::SetGroup(a, 1);
    connect(a, &QAction::triggered, this, [this, a] { MainMenuWhenDClickClick(a); });
  }
  MainMenuSoundFont = AddItem(MainMenuOptions, "MainMenuSoundFont", tr("SoundFont の選択(&F)..."), -1,
                              tr("|内蔵プレイヤーが使う SoundFont ファイルを選びます"));
  connect(MainMenuSoundFont, &QAction::triggered, this, &TFormMain::MainMenuSoundFontClick);
  MainMenuClearCache = AddItem(MainMenuOptions, "MainMenuClearCache", tr("変換済みの曲のキャッシュを削除(&C)..."), -1,
                               tr("|デジタルの曲のために MP3 に変換して保存しておいた曲を削除します"));
  connect(MainMenuClearCache, &QAction::triggered, this, &TFormMain::MainMenuClearCacheClick);
  MainMenuAddGame = AddItem(MainMenuOptions, "MainMenuAddGame", tr("ゲームフォルダの追加(&G)..."), -1,
                            tr("|音楽を入れ替えるゲームのフォルダ (ClassicUO のフォルダなど) を加えます"));
  connect(MainMenuAddGame, &QAction::triggered, this, [this] { MainMenuAddGameClick(); });
  BuildLanguageMenu();
  sub(MainMenuLanguageMenu);

  MainMenuHelp = top("MainMenuHelp", tr("ヘルプ(&H)"));
  N4 = AddItem(MainMenuHelp, "N4", tr("サポートホームページ(&S)"), imgHelp,
               tr("|WEBブラウザを起動してサポートホームページを表示します"));
  connect(N4, &QAction::triggered, this, &TFormMain::N4Click);
  MainMenuHelp->addSeparator()->setObjectName("N3");
  MainMenuAbout = AddItem(MainMenuHelp, "MainMenuAbout", tr("バージョン情報(&A)"));
  connect(MainMenuAbout, &QAction::triggered, this, &TFormMain::MainMenuAboutClick);
  // The menu bar's own titles have no hints: highlighting one clears the status bar.
  // The bar is also told of items hovered inside its opened menus, after the menu itself: the
  // item's hint stays; the bar's own titles have none and clear the panel.
  connect(menuBar(), &QMenuBar::hovered, this, [this](QAction *a) { SetStatusText(a ? a->statusTip() : QString()); });
}

void TFormMain::BuildPopupMenus() {
  auto *style = new menuitems::TMenuMeasureStyle();
  style->setParent(this);
  PopupMenuList = new QMenu(this);
  PopupMenuList->setObjectName("PopupMenuList");
  PopupMenuList->setStyle(style);
  PopupMenuListJump = AddItem(PopupMenuList, "PopupMenuListJump", tr("割り当てられているファイルにジャンプ(&J)"));
  PopupMenuListJump->setShortcut(Qt::Key_F4);
  PopupMenuListJump->setShortcutContext(Qt::WidgetShortcut);  // F4 itself reaches MainMenuShowFile
  connect(PopupMenuListJump, &QAction::triggered, this, &TFormMain::PopupMenuListJumpClick);
  PopupMenuList->addSeparator()->setObjectName("N7");
  PopupMenuListPlay = AddItem(PopupMenuList, "PopupMenuListPlay", tr("再生(&P)"), imgPlay);
  connect(PopupMenuListPlay, &QAction::triggered, this, &TFormMain::ToolButtonPlayClick);
  PopupMenuListStop = AddItem(PopupMenuList, "PopupMenuListStop", tr("停止(&S)"), imgStop);
  connect(PopupMenuListStop, &QAction::triggered, this, &TFormMain::ToolButtonStopClick);
  PopupMenuList->addSeparator()->setObjectName("N5");
  PopupMenuListDefault = AddItem(PopupMenuList, "PopupMenuListDefault", tr("この設定のみ標準に戻す(&D)"));
  connect(PopupMenuListDefault, &QAction::triggered, this, &TFormMain::PopupMenuListDefaultClick);
  PopupMenuListEditDetail = AddItem(PopupMenuList, "PopupMenuListEditDetail", tr("詳細説明を編集(&E)"));
  menuitems::SetMeasured(PopupMenuListEditDetail, false);
  connect(PopupMenuListEditDetail, &QAction::triggered, this, &TFormMain::PopupMenuListEditDetailClick);
  PopupMenuListMidiTune = AddItem(PopupMenuList, "PopupMenuListMidiTune", tr("MIDI の曲を使う(&M)"));
  PopupMenuListMidiTune->setVisible(false);  // shown on a digital set (PopupMenuListPopup)
  connect(PopupMenuListMidiTune, &QAction::triggered, this, &TFormMain::PopupMenuListMidiTuneClick);
  menuitems::SetDefault(PopupMenuList, PopupMenuListPlay);
  connect(PopupMenuList, &QMenu::hovered, this, [this](QAction *a) { SetStatusText(a->statusTip()); });
  connect(ListView, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
    PopupMenuListPopup();
    PopupMenuList->popup(ListView->viewport()->mapToGlobal(pos));
  });

  PopupMenuTree = new QMenu(this);
  PopupMenuTree->setObjectName("PopupMenuTree");
  PopupMenuTree->setStyle(style);
  PopupMenuTreeAssign = AddItem(PopupMenuTree, "PopupMenuTreeAssign", tr("このファイルに設定(&A)"));
  connect(PopupMenuTreeAssign, &QAction::triggered, this, &TFormMain::PopupMenuTreeAssignClick);
  PopupMenuTree->addSeparator()->setObjectName("N6");
  PopupMenuTreeOpen = AddItem(PopupMenuTree, "PopupMenuTreeOpen", tr("開く(&O)"));
  menuitems::SetMeasured(PopupMenuTreeOpen, false);
  connect(PopupMenuTreeOpen, &QAction::triggered, this, &TFormMain::PopupMenuTreeOpenClick);
  PopupMenuTreePlay = AddItem(PopupMenuTree, "PopupMenuTreePlay", tr("再生(&P)"), imgPlay);
  connect(PopupMenuTreePlay, &QAction::triggered, this, &TFormMain::PopupMenuTreePlayClick);
  PopupMenuTreeStop = AddItem(PopupMenuTree, "PopupMenuTreeStop", tr("停止(&S)"), imgStop);
  connect(PopupMenuTreeStop, &QAction::triggered, this, &TFormMain::ToolButtonStopClick);
  menuitems::SetDefault(PopupMenuTree, PopupMenuTreePlay);
  connect(PopupMenuTree, &QMenu::hovered, this, [this](QAction *a) { SetStatusText(a->statusTip()); });
  connect(FolderTreeViewEx, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
    PopupMenuTreePopup();
    PopupMenuTree->popup(FolderTreeViewEx->viewport()->mapToGlobal(pos));
  });
}

QToolButton *TFormMain::AddToolButton(QToolBar *bar, const QString &name, int image, const QString &hint,
                                      void (TFormMain::*handler)()) {
  auto *button = new QToolButton(bar);
  button->setObjectName(name);
  button->setIcon(imageList_.Icon(image));
  button->setAutoRaise(bar != ToolBarConfig);
  button->setFixedHeight(Scale(23));
  SetHint(button, hint);
  bar->addWidget(button);
  // Straight to the handler: a menu item's trigger() does nothing while the item is disabled,
  // and the Stop item is disabled except while its menu is open.
  connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
  return button;
}

void TFormMain::BuildToolBars() {
  auto bar = [&](const QString &name) {
    QToolBar *b = addToolBar(name);
    b->setObjectName(name);
    b->setMovable(true);
    b->setFloatable(false);
    b->setAllowedAreas(Qt::TopToolBarArea);
    b->setIconSize(QSize(16, 16));
    b->installEventFilter(this);
    return b;
  };
  ToolBarMisc = bar("ToolBarMisc");
  ToolButtonExit =
      AddToolButton(ToolBarMisc, "ToolButtonExit", imgExit, tr("終了|終了します"), &TFormMain::MainMenuCloseClick);
  ToolButtonApplay = AddToolButton(ToolBarMisc, "ToolButtonApplay", imgApply,
                                   tr("適用|ファイルをコピーしてUOに反映させます"), &TFormMain::MainMenuApplayClick);
  ToolButtonFileJump = AddToolButton(ToolBarMisc, "ToolButtonFileJump", imgFileJump,
                                     tr("ファイルにジャンプ|設定されているファイルを直ちに表示するようにします"),
                                     &TFormMain::ToolButtonFileJumpClick);
  ToolButtonFileJump->setCheckable(true);

  ToolBarConfig = bar("ToolBarConfig");
  ComboBoxConfigList = new QComboBox(ToolBarConfig);
  ComboBoxConfigList->setObjectName("ComboBoxConfigList");
  ComboBoxConfigList->setEditable(false);
  ComboBoxConfigList->setModel(new TShownConfigList(ComboBoxConfigList));
  static_cast<TShownConfigList *>(ComboBoxConfigList->model())->setSourceModel(Store().ConfigList());
  // As wide as the bar, up to 200: no width of its own below that, whatever the names' lengths.
  // The game's own music, named longer in another language, still shows whole.
  ComboBoxConfigList->setMaximumWidth(
      std::max(Scale(200), WidthShowing(*ComboBoxConfigList, ShownConfigName(kStandardConfig))));
  ComboBoxConfigList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBoxConfigList->setMinimumContentsLength(1);
  ComboBoxConfigList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  ComboBoxConfigList->setItemDelegate(new TRowHeightDelegate(Scale(15), ComboBoxConfigList));
  SetHint(ComboBoxConfigList, tr("|変更したい設定項目を選びます"));
  ToolBarConfig->addWidget(ComboBoxConfigList);
  // The game and its music set, beside the configuration: shown only when there is a choice.
  auto selector = [this](const char *name, const QString &hint, QAction *&item) {
    auto *box = new QComboBox(ToolBarConfig);
    box->setObjectName(name);
    box->setEditable(false);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setItemDelegate(new TRowHeightDelegate(Scale(15), box));
    SetHint(box, hint);
    item = ToolBarConfig->addWidget(box);
    item->setVisible(false);
    return box;
  };
  ComboBoxGame = selector("ComboBoxGame", tr("|音楽を入れ替えるゲームを選びます"), ComboBoxGameItem);
  ComboBoxMusicSet =
      selector("ComboBoxMusicSet", tr("|表示する音楽 (MIDI またはデジタル) を選びます"), ComboBoxMusicSetItem);

  addToolBarBreak();
  ToolBarPlayer = bar("ToolBarPlayer");
  ToolButtonPlay =
      AddToolButton(ToolBarPlayer, "ToolButtonPlay", imgPlay,
                    tr("再生|エディットボックスに入力されているファイルを再生します"), &TFormMain::ToolButtonPlayClick);
  ToolButtonStop = AddToolButton(ToolBarPlayer, "ToolButtonStop", imgStop, tr("停止|演奏を停止します"),
                                 &TFormMain::ToolButtonStopClick);
  ToolButtonStop->setEnabled(false);
  ToolButtonSeparator = ToolBarPlayer->addSeparator();
  ToolButtonSeparator->setObjectName("ToolButtonSeparator");
  EditMidiFile = new QLineEdit(ToolBarPlayer);
  EditMidiFile->setObjectName("EditMidiFile");
  // The bar's one expanding widget: its layout gives it what the buttons and the separator leave
  // of the bar, on every resize.
  EditMidiFile->setMinimumWidth(Scale(40));
  EditMidiFile->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  SetHint(EditMidiFile, tr("|再生したいファイル名を入力します"));
  ToolBarPlayer->addWidget(EditMidiFile);

  // However a bar comes to be shown or hidden, its View item follows. Until the window is
  // first shown the options hold the stored settings, which FormShow gives to the bars.
  QToolBar *const bars[] = {ToolBarMisc, ToolBarConfig, ToolBarPlayer};
  for (int i = 0; i < 3; ++i) {
    connect(bars[i], &QToolBar::visibilityChanged, this, [this, i](bool visible) {
      if (!shown_ || options_.ToolBars[i] == visible) return;
      options_.ToolBars[i] = visible;
      ShowOptions();
    });
  }
}

// --- Commands of this window.

void TFormMain::MainMenuToolBarMiscClick(QAction *item) {
  const int tag = menuitems::Tag(item);
  if (tag < 0 || tag >= 3) return;
  options_.ToolBars[tag] = !options_.ToolBars[tag];
  ShowOptions();
  QToolBar *bars[] = {ToolBarMisc, ToolBarConfig, ToolBarPlayer};
  bars[tag]->setVisible(options_.ToolBars[tag]);
}

void TFormMain::MainMenuOptionClick(QAction *item) {
  bool *option = item == MainMenuFileJump    ? &options_.FileJump
                 : item == MainMenuAssign    ? &options_.Assign
                 : item == MainMenuWithClose ? &options_.WithClose
                                             : nullptr;
  if (!option) return;
  *option = !*option;
  ShowOptions();
  // Back to the built-in player: the desktop's players started so far are closed.
  if (item == MainMenuAssign && !options_.Assign) CloseExternalPlayers();
  if (item == MainMenuFileJump && options_.FileJump) JumpToSceneFile();
}

void TFormMain::MainMenuWhenDClickClick(QAction *item) {
  if (item == MainMenuAtPlay) options_.ChooseAtPlay();
  else if (item == MainMenuAtAssign) options_.ChooseAtAssign();
  ShowOptions();
}

void TFormMain::ToolButtonFileJumpClick() { MainMenuOptionClick(MainMenuFileJump); }

void TFormMain::MainMenuConfigClick() {
  RebuildConfigItems(MainMenuDeleteMenu, false, &TFormMain::DeleteConfig);
  RebuildConfigItems(MainMenuRenameMenu, false, &TFormMain::RenameConfig);
  MainMenuAllMidiTunes->setVisible(gameChoice_->Set().IsDigital());
  MainMenuAllMidiTunes->setEnabled(OffersMidiTunes());
}

void TFormMain::MainMenuNewClick() { RebuildConfigItems(MainMenuToBaseMenu, true, &TFormMain::CreateConfig); }

void TFormMain::RebuildConfigItems(QMenu *menu, bool withStandard, void (TFormMain::*handler)(QAction *)) {
  menu->clear();
  const QStringList names = Store().ConfigNames();
  for (const QString &name : names) {
    if (!withStandard && name == kStandardConfig) continue;
    // The name travels in the item's data; its caption shows an "&" as it is.
    QAction *item = menu->addAction(ShownConfigName(name).replace('&', QStringLiteral("&&")));
    item->setData(name);
    connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
  }
  menu->menuAction()->setEnabled(!menu->isEmpty());
}

void TFormMain::MainMenuCloseClick() { close(); }

void TFormMain::MainMenuAboutClick() {
  TFormAbout about(this);
  about.exec();
}

void TFormMain::N4Click() {
  const QString manual = ManualPath();
  if (manual.isEmpty()) dialogs_.Message(tr("使い方のページが見つかりません"));
  else QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

// The user manual shipped with the program, in the language shown (the Japanese one when there
// is no English one): beside the program, or where an installed program keeps its
// documentation. Empty when none is there.
QString TFormMain::ManualPath() {
  const QString dir = QCoreApplication::applicationDirPath();
  QStringList candidates;
  if (!platform::JapaneseShown())
    candidates << dir + "/melodeck-manual.en.html" << dir + "/../share/doc/melodeck/manual.en.html";
  candidates << dir + "/melodeck-manual.html" << dir + "/../share/doc/melodeck/manual.html";
  for (const QString &candidate : candidates)
    if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
  return {};
}
