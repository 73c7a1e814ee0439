#include "formmain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>

#include "core/atomicfile.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "core/instancelock.h"
#include "coredialogs.h"
#include "formabout.h"
#include "menuitems.h"
#include "shownnames.h"
#include "musicfiles.h"
#include "qt/application.h"
#include "qt/fonts.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

TFormMain::TFormMain(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
                     platform::InstanceLock *lock, QWidget *parent, const TMusicSet &set)
    : TFormMain(programPath, {}, -1, {TGameSet{set, folders}}, dialogs, lock, parent) {}

TFormMain::TFormMain(const QString &programPath, const std::vector<TGame> &games, int chosen,
                     platform::Dialogs &dialogs, platform::InstanceLock *lock, QWidget *parent)
    : TFormMain(programPath, games, chosen, GameSets(games.at(static_cast<size_t>(chosen))), dialogs, lock, parent) {}

TFormMain::TFormMain(const QString &programPath, const std::vector<TGame> &games, int chosen,
                     std::vector<TGameSet> sets, platform::Dialogs &dialogs, platform::InstanceLock *lock,
                     QWidget *parent)
    : QMainWindow(parent),
      session_(std::make_unique<TSession>(programPath, sets.empty() ? TGameSet() : sets.front(), dialogs)),
      folders_(session_->Folders),
      dialogs_(dialogs),
      lock_(lock),
      store_(&session_->Store) {
  setObjectName("FormMain");
  setWindowTitle(QStringLiteral("Melodeck"));
  platform::InstallFontSubstitutes();
  QFont font(QStringLiteral("MS UI Gothic"));
  font.setPixelSize(Scale(15));
  setFont(font);
  // The splash goes up first, before the settings file, the configurations and the folder tree
  // are read.
  splash_ = TFormAbout::CreateSplash(this);
  const QString packages = tr("Melodeck パッケージファイル(*.mdk)|*.mdk");
  openDialog_ = {tr("パッケージの読み込み"), packages, QString(), QString(), QString()};
  saveDialog_ = {tr("パッケージの書き出し"), packages, QStringLiteral("mdk"), QString(), QString()};
  players_ = new TPlayerController(this);
  BuildLayout();
  sceneList_ = std::make_unique<TSceneList>(*ListView, session_->SceneTable, folders_, this);
  archiveTree_ = std::make_unique<TArchiveTree>(*FolderTreeViewEx);
  BuildMenus();
  BuildPopupMenus();
  BuildToolBars();
  gameChoice_ =
      std::make_unique<TGameChoice>(*ComboBoxGame, *ComboBoxGameItem, *ComboBoxMusicSet, *ComboBoxMusicSetItem, this);
  gameChoice_->SetGames(games, chosen, std::move(sets));
  ConnectSceneList();
  ConnectFolderTree();
  connect(store_, &TConfigStore::CaptionChanged, this,
          [this](const QString &caption) { setWindowTitle(gameChoice_->CaptionOf(ShownCaption(caption))); });
  connect(ComboBoxGame, &QComboBox::activated, this, [this] { ComboBoxGameChange(); });
  connect(ComboBoxMusicSet, &QComboBox::activated, this, [this] { ComboBoxMusicSetChange(); });
  connect(store_, &TConfigStore::ConfigSelected, this, [this](int index) {
    const QSignalBlocker block(ComboBoxConfigList);  // the store's choice, not the user's
    ComboBoxConfigList->setCurrentIndex(index);
  });
  connect(ComboBoxConfigList, &QComboBox::activated, this, [this] { ComboBoxConfigListChange(); });
  connect(players_, &TPlayerController::StateChanged, this, &TFormMain::ShowPlayerState);
  FormCreate();
}

TFormMain::~TFormMain() {
  qApp->removeEventFilter(this);
  FormDestroy();
}

int TFormMain::Scale(int designed) const { return designed * logicalDpiX() / 120; }

void TFormMain::BuildLayout() {
  setAcceptDrops(true);
  resize(Scale(640), Scale(480));
  setMinimumSize(4 * logicalDpiX(), 3 * logicalDpiY());  // 4 × 3 inches

  Splitter = new QSplitter(Qt::Horizontal, this);
  Splitter->setObjectName("Splitter");
  Splitter->setHandleWidth(Scale(3));
  Splitter->setOpaqueResize(true);
  Splitter->setChildrenCollapsible(false);

  ListView = new QTreeWidget(Splitter);
  ListView->setObjectName("ListView");
  ListView->setRootIsDecorated(false);
  ListView->setUniformRowHeights(true);
  ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView->setSelectionMode(QAbstractItemView::SingleSelection);
  // F2 goes through ListViewKeyDown: the view's own F2 would edit the current row even when no
  // row is selected.
  ListView->setEditTriggers(QAbstractItemView::SelectedClicked);
  ListView->setHeaderLabels({tr("場面"), tr("ファイル")});
  ListView->header()->setSectionsClickable(true);
  ListView->header()->setSortIndicatorShown(false);
  ListView->header()->setMinimumSectionSize(Scale(20));
  ListView->setColumnWidth(0, Scale(130));
  ListView->setColumnWidth(1, Scale(10));
  ListView->setContextMenuPolicy(Qt::CustomContextMenu);
  ListView->setMinimumWidth(1);
  menuitems::SetHint(ListView, tr("|ダブルクリックで割り当てられているMIDIファイルを再生します"));

  FolderTreeViewEx = new TFolderTreeViewEx(Splitter);
  FolderTreeViewEx->setObjectName("FolderTreeViewEx");
  FolderTreeViewEx->SetContextMenu(false);
  FolderTreeViewEx->SetDragAndDrop(false);
  FolderTreeViewEx->FileMask() = MusicFileExtensions() + QStringList{".lzh", ".zip"};
  FolderTreeViewEx->SetHideSelection(false);
  FolderTreeViewEx->SetIndent(Scale(19));
  FolderTreeViewEx->SetShowFile(true);
  FolderTreeViewEx->setContextMenuPolicy(Qt::CustomContextMenu);
  menuitems::SetHint(FolderTreeViewEx, tr("|選択中の場面にMIDIファイルを割り当てるには右クリックします"));

  Splitter->addWidget(ListView);
  Splitter->addWidget(FolderTreeViewEx);
  Splitter->setStretchFactor(1, 1);
  Splitter->setSizes({Scale(277), Scale(640 - 277)});
  setCentralWidget(Splitter);

  StatusBar = statusBar();
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(true);
  StatusBar->setFixedHeight(Scale(19) + 4);
  StatusPanel = new QLabel(StatusBar);
  StatusPanel->setObjectName("StatusPanel");
  StatusBar->addWidget(StatusPanel, 1);
  qApp->installEventFilter(this);
}

void TFormMain::SetStatusText(const QString &text) { StatusPanel->setText(text); }
QString TFormMain::StatusText() const { return StatusPanel->text(); }

// The window shows the hint of whatever the mouse rests on, and the platform's own status
// tips never reach the status bar.
bool TFormMain::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) return true;
  return QMainWindow::event(event);
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
    case QEvent::Enter: {
      auto *widget = qobject_cast<QWidget *>(watched);
      if (widget && widget->window() == this) SetStatusText(menuitems::StatusHintOf(widget));
      break;
    }
    case QEvent::Leave: {
      // Going from a control back onto its parent brings no Enter for the parent: the hint is
      // that of whatever is under the mouse now. An open menu keeps its own item's hint.
      auto *widget = qobject_cast<QWidget *>(watched);
      if (!widget || widget->window() != this || QApplication::activePopupWidget()) break;
      const QWidget *under = QApplication::widgetAt(QCursor::pos());
      if (!under) SetStatusText(QString());
      else if (under->window() == this) SetStatusText(menuitems::StatusHintOf(under));
      break;
    }
    case QEvent::KeyPress:
      if (watched == ListView && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        ListViewKeyDown(Qt::Key_F2);
        return true;
      }
      if (watched == FolderTreeViewEx && FolderTreeViewExKeyDown(static_cast<QKeyEvent *>(event)->key())) return true;
      break;
    case QEvent::MouseButtonDblClick:
      // Anywhere in the list, on a row or below the last one.
      if (watched == ListView->viewport() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        ListViewDblClick();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

QMenu *TFormMain::createPopupMenu() { return nullptr; }

// --- Lifecycle.

// Runs last in the constructor; the splash is already up (created before anything else).
void TFormMain::FormCreate() {
  // Settings were opened by the store.
  MaskGameFiles();
  ReadSettings();
  loadingList_ = true;
  ShowBackupReport(dialogs_, store_->LoadConfigList());
  TellDigitalIndex();
  loadingList_ = false;
  if (FolderTreeViewEx->SelectPath(QS(platform::ExtractFilePath(SS(folders_.ClientPath))) + "music"))
    FolderTreeViewEx->ExpandNode(FolderTreeViewEx->currentItem());
  FillSceneList();
}

void TFormMain::ApplicationEvents1Idle() {
  if (idleSeen_) return;
  idleSeen_ = true;
  if (splash_) {
    splash_->close();
    splash_->deleteLater();
    splash_ = nullptr;
  }
}

void TFormMain::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
  // The first time the event loop runs out of work after the window is shown, the splash goes.
  if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(thread()))
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TFormMain::ApplicationEvents1Idle,
            Qt::SingleShotConnection);
}

void TFormMain::FormShow() {
  ToolBarMisc->setVisible(options_.ToolBars[0]);
  ToolBarConfig->setVisible(options_.ToolBars[1]);
  ToolBarPlayer->setVisible(options_.ToolBars[2]);
  const QString title = folders_.DefaultDir + "\\" + session_->SceneTable[session_->SceneTable.TitleScene()].FileName;
  FolderTreeViewEx->SelectPath(title);
  if (!FolderTreeViewEx->currentItem()) {
    dialogs_.Message(QCoreApplication::translate("EnglishMessages", "DefaultDir not found"));
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return;
  }
  // The pictures of archive entries: those of a MIDI file and of a folder, whichever node the
  // tree ended on (the backup of the title music may be missing).
  TArchiveImages images;
  images.Midi = TFolderTreeViewEx::FileIconIndex(title);
  images.Folder = TFolderTreeViewEx::FileIconIndex(folders_.DefaultDir);
  images.FolderSelected = TFolderTreeViewEx::FileIconIndex(folders_.DefaultDir, true);
  const QString work = session_->WorkFolder.Path();
  if (platform::ForceDirectories(SS(work))) {
    const QString text = work + "\\textfile.txt";
    if (platform::WriteFileAtomically(platform::ToLinux(SS(text)), "")) {
      images.Text = TFolderTreeViewEx::FileIconIndex(text);
      platform::DeleteFile(SS(text));
    }
  }
  archiveTree_->SetImages(images);
}

void TFormMain::closeEvent(QCloseEvent *event) {
  FormClose();
  event->accept();
}

void TFormMain::FormClose() {
  if (options_.WithClose) CloseExternalPlayers();
  if (players_->IsPlaying()) StopPlaying();
  if (lock_) lock_->Release();
  try {
    WriteSettings();
  } catch (const std::exception &e) {
    // Shown once; the window closes all the same rather than staying open for good.
    dialogs_.Message(platform::ExceptionBoxText(QString::fromUtf8(e.what())), platform::TMsgType::Error);
  }
}

void TFormMain::FormDestroy() {
  QCoreApplication::processEvents();
  if (exitWaitMs_ > 0) QThread::msleep(static_cast<unsigned long>(exitWaitMs_));
  session_->CleanUpAtExit();
}
