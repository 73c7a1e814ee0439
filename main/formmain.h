// TFormMain: the program's only working window. It owns the session (settings file, scene
// table with the loaded configuration, configuration list, work folder, archive component)
// and the controls: cool bar with three tool bars, scene list, splitter, folder tree, status bar.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>
#include <optional>
#include <vector>

#include "foldertreeviewex.h"
#include "imagelist.h"
#include "media/midiplayer.h"
#include "qtcore/dialogs.h"
#include "session.h"

namespace platform {
class InstanceLock;
}  // namespace platform
class TFormAbout;
class TFormDocument;
class TArchiveNode;
class QTimer;

class TFormMain : public QMainWindow {
  Q_OBJECT
  // First: the members below refer into it.
  std::unique_ptr<TSession> session_;

 public:
  // programPath: the program's own Windows path (the settings live beside it). lock: the
  // single-instance lock, released when the window closes (may be null).
  TFormMain(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
            platform::InstanceLock *lock = nullptr, QWidget *parent = nullptr);
  ~TFormMain() override;

  // The user manual the help menu opens.
  static QString ManualPath();

  // No context menu of tool bars: they are shown and hidden through the View menu only.
  QMenu *createPopupMenu() override;

  TSession &Session() { return *session_; }
  TSceneTable &SceneTable;
  TConfigStore &Store() { return session_->Store; }
  const TGameFolders &Folders() const { return session_->Folders; }
  platform::Dialogs &Dialogs() { return dialogs_; }
  TImageList ImageList;
  std::vector<qint64> PlayerProcessIds;
  // How often the players the user closed are looked for, while any of ours runs.
  static constexpr int kPlayerCollectMs = 1000;
  // How the built-in player is made at the first play (tests render to a file).
  platform::FluidPlayerOptions PlayerOptions;
  platform::MidiPlayer &Player();

  // Scene shown as selected to the tree-side commands; -1: none.
  int CurrentScene = -1;
  int MidiImage = 0, FolderImage = 0, FolderSelectedImage = 0, TextImage = 0;
  // A pause before the clean-up at exit. None: by then the built-in player has closed the sound
  // device, and the work folder can go while a player still has a file of it open.
  int ExitWaitMs = 0;

  // The package dialogs: titles, filter and default extension as designed; a command fills in
  // the start folder and file name and hands the dialog to Dialogs().
  platform::TFileDialogOptions OpenDialog, SaveDialog;

  // --- Controls (names as the window's design has them).
  QToolBar *ToolBarMisc = nullptr, *ToolBarConfig = nullptr, *ToolBarPlayer = nullptr;
  QToolButton *ToolButtonExit = nullptr, *ToolButtonApplay = nullptr, *ToolButtonFileJump = nullptr;
  QToolButton *ToolButtonPlay = nullptr, *ToolButtonStop = nullptr;
  QAction *ToolButtonSeparator = nullptr;
  QComboBox *ComboBoxConfigList = nullptr;
  QLineEdit *EditMidiFile = nullptr;
  QTreeWidget *ListView = nullptr;
  QSplitter *Splitter = nullptr;
  TFolderTreeViewEx *FolderTreeViewEx = nullptr;
  QStatusBar *StatusBar = nullptr;
  QLabel *StatusPanel = nullptr;  // the status bar's one panel
  int ColumnTag[2] = {1, 1};      // sort direction of the scene list's columns

  // --- Menus.
  QMenu *MainMenuConfig = nullptr, *MainMenuPlayer = nullptr, *MainMenuView = nullptr;
  QMenu *MainMenuOptions = nullptr, *MainMenuHelp = nullptr;
  QMenu *MainMenuNewMenu = nullptr, *MainMenuToBaseMenu = nullptr, *MainMenuDeleteMenu = nullptr;
  QMenu *MainMenuRenameMenu = nullptr, *MainMenuPackageMenu = nullptr, *MainMenuToolBarMenu = nullptr;
  QMenu *MainMenuPlayersOptionMenu = nullptr, *MainMenuWhenDClickMenu = nullptr;
  QAction *MainMenuApplay = nullptr, *MainMenuNew = nullptr, *MainMenuToBase = nullptr;
  QAction *MainMenuDelete = nullptr, *MainMenuRename = nullptr, *MainMenuPackage = nullptr;
  QAction *MainMenuInportPackage = nullptr, *MainMenuExportPackage = nullptr;
  QAction *MainMenuApplayClose = nullptr, *MainMenuClose = nullptr;
  QAction *MainMenuPlay = nullptr, *MainMenuStop = nullptr;
  QAction *MainMenuShowFile = nullptr, *MainMenuFileJump = nullptr, *MainMenuToolBar = nullptr;
  QAction *MainMenuToolBarMisc = nullptr, *MainMenuToolBarConfig = nullptr, *MainMenuToolBarPlayer = nullptr;
  QAction *MainMenuTreeViewUpdate = nullptr, *MainMenuPlayersOption = nullptr;
  QAction *MainMenuAssign = nullptr, *MainMenuWithClose = nullptr, *MainMenuWhenDClick = nullptr;
  QAction *MainMenuAtPlay = nullptr, *MainMenuAtAssign = nullptr, *N4 = nullptr, *MainMenuAbout = nullptr;
  QAction *MainMenuSoundFont = nullptr;  // the last item of the options menu
  QMenu *PopupMenuList = nullptr, *PopupMenuTree = nullptr;
  QAction *PopupMenuListJump = nullptr, *PopupMenuListPlay = nullptr, *PopupMenuListStop = nullptr;
  QAction *PopupMenuListDefault = nullptr, *PopupMenuListEditDetail = nullptr;
  QAction *PopupMenuTreeAssign = nullptr, *PopupMenuTreeOpen = nullptr, *PopupMenuTreePlay = nullptr;
  QAction *PopupMenuTreeStop = nullptr;

  // --- Shared operations.
  void FillSceneList();
  void JumpToSceneFile();
  void PlayFile();
  void StopPlaying();
  void CloseExternalPlayers();
  void RunAssociatedPlayer(const QString &path);
  void CollectEndedPlayersLater();
  void SetStatusText(const QString &text);
  QString StatusText() const;
  int SceneOfRow(const QTreeWidgetItem *row) const;
  QTreeWidgetItem *RowOfScene(int scene) const;
  int Scale(int designed) const;  // designed at 120 pixels per inch
  // The scene list's order: locale-aware and without regard to case; texts that differ in
  // anything but case (kana, width) never compare equal.
  static int CompareListTexts(const QString &a, const QString &b);

  // --- Handlers.
  void MainMenuConfigClick();
  void MainMenuNewClick();
  void MainMenuApplayClick();
  void MainMenuApplayCloseClick();
  void MainMenuCloseClick();
  void MainMenuAboutClick();
  void MainMenuPackageClick();
  void MainMenuInportPackageClick();
  void MainMenuExportPackageClick();
  void MainMenuPlayerClick();
  void MainMenuShowFileClick();
  void MainMenuOptionClick(QAction *item);
  void MainMenuSoundFontClick();
  void MainMenuWhenDClickClick(QAction *item);
  void MainMenuToolBarMiscClick(QAction *item);
  void MainMenuTreeViewUpdateClick();
  void N4Click();
  void ToolButtonPlayClick();
  void ToolButtonStopClick();
  void ToolButtonFileJumpClick();
  void ComboBoxConfigListChange();
  void CreateConfig(QAction *item);
  void DeleteConfig(QAction *item);
  void RenameConfig(QAction *item);
  void PopupMenuListPopup();
  void PopupMenuListJumpClick();
  void PopupMenuListDefaultClick();
  void PopupMenuListEditDetailClick();
  void PopupMenuTreePopup();
  void PopupMenuTreeAssignClick();
  void PopupMenuTreeOpenClick();
  void PopupMenuTreePlayClick();
  void ListViewColumnClick(int column, bool fromHeader = true);
  void ListViewChangeText(QTreeWidgetItem *row);
  void ListViewChangeState();
  bool ListViewEdited(QTreeWidgetItem *row, QString &text);  // false: the text was replaced
  void ListViewDblClick();
  void ListViewKeyDown(int key);
  bool ListViewCellIsBlue(int scene) const;
  void ApplicationEvents1Idle();

  // --- Archive entries in the folder tree (archivetree.cpp).
  // While set, the tree's node factory makes TArchiveNodes.
  bool CreatingArchiveNode = false;
  void FolderTreeViewExCreateNode(TFolderTreeViewEx *Sender, TFolderNode *&Node);
  void FolderTreeViewExExpanding(QTreeWidgetItem *node);
  void FolderTreeViewExExpanded(QTreeWidgetItem *node);
  // Lists the archive at path below its node: folder levels as plain nodes, listed entries as
  // TArchiveNodes. The archive is closed again whatever happens.
  void ListArchive(TFolderNode *node, const QString &path);
  TFolderNode *AddArchiveFolderNode(QTreeWidgetItem *parent, const QString &text);
  TArchiveNode *AddArchiveEntryNode(QTreeWidgetItem *parent, const QString &text, const QString &fullName,
                                    TFolderNode *archiveNode);
  // The local file of a path or an archive-entry path (see extraction.h).
  QString ExtractSource(const QString &text, bool fresh);

  // --- Assignment, file jump and the tree's own events (assign.cpp, jump.cpp, foldertree.cpp).
  void FolderTreeViewExChange(const QString &folderName);
  void FolderTreeViewExDblClick(const QString &folderName);
  bool FolderTreeViewExKeyDown(int key);  // true when the key was handled
  void FolderTreeViewExMouseDown(Qt::MouseButton button, const QPoint &pos);
  // Scrolls the tree so that its selected node keeps three rows above it near the top edge and
  // two full rows below it near the bottom edge.
  void ScrollSelectedNode();

  // --- Text viewer (foldertree.cpp). Created on the first Open, owned by this window.
  TFormDocument *DocumentWindow = nullptr;
  void ShowDocument(const QString &text);

  // Packages
  void ImportPackageFile(const QString &file);  // imports, then shows the new configuration
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  void FormDropFiles(const QStringList &files);  // Windows paths, in the order dropped

 protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void BuildLayout();
  void BuildMenus();
  void BuildPopupMenus();
  void BuildToolBars();
  void ConnectSceneList();
  void ConnectFolderTree();
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void ReadSettings();
  void WriteSettings();
  void SortSceneList(int column);
  void WriteSceneNameReported(int scene);
  QAction *AddItem(QMenu *menu, const QString &name, const QString &caption, int image = -1,
                   const QString &hint = QString());
  QMenu *AddSubMenu(QMenu *menu, QAction *&item, const QString &name, const QString &caption, int image = -1,
                    const QString &hint = QString());
  QToolButton *AddToolButton(QToolBar *bar, const QString &name, int image, const QString &hint,
                             void (TFormMain::*handler)());
  void RebuildConfigItems(QMenu *menu, bool withStandard, void (TFormMain::*handler)(QAction *));

  const TGameFolders &folders_;
  platform::Dialogs &dialogs_;
  platform::InstanceLock *lock_;
  TConfigStore *store_ = nullptr;
  TFormAbout *splash_ = nullptr;
  bool idleSeen_ = false;
  bool shown_ = false;
  bool loadingList_ = false;
  QTimer *playerCollector_ = nullptr;  // runs while a player of ours may have ended
  std::unique_ptr<platform::MidiPlayer> player_;
};
