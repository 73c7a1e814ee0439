// TFormMain: the program's only working window. It owns the session (settings file, scene
// table with the loaded configuration, configuration list, work folder, archive component),
// the controls (cool bar with three tool bars, scene list, splitter, folder tree, status bar)
// and the owners its handlers work through: the scene list, the archive tree, the players and
// the options. The handlers are thin: they ask, call an owner or the core, and show the result.
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

#include "archivetree.h"
#include "foldertreeviewex.h"
#include "formoptions.h"
#include "gamechoice.h"
#include "imagelist.h"
#include "playercontroller.h"
#include "qtcore/dialogs.h"
#include "scenelist.h"
#include "session.h"

namespace platform {
class InstanceLock;
}  // namespace platform
class TFormAbout;
class TFormDocument;

class TConvertProgress;

class TFormMain : public QMainWindow {
  Q_OBJECT
  // First: the members below refer into it.
  std::unique_ptr<TSession> session_;

 public:
  // programPath: the program's own Windows path (the settings live beside it). lock: the
  // single-instance lock, released when the window closes (may be null).
  // set: the music the scene list shows.
  TFormMain(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
            platform::InstanceLock *lock = nullptr, QWidget *parent = nullptr, const TMusicSet &set = MidiMusicSet());
  // games: every game served (none empty); chosen: the one shown first, with its first music set.
  TFormMain(const QString &programPath, const std::vector<TGame> &games, int chosen, platform::Dialogs &dialogs,
            platform::InstanceLock *lock = nullptr, QWidget *parent = nullptr);
  ~TFormMain() override;

  // The user manual the help menu opens.
  static QString ManualPath();

  // No context menu of tool bars: they are shown and hidden through the View menu only.
  QMenu *createPopupMenu() override;

  TSession &Session() { return *session_; }
  TConfigStore &Store() { return session_->Store; }
  const TGameFolders &Folders() const { return session_->Folders; }
  platform::Dialogs &Dialogs() { return dialogs_; }

  // The owners the handlers work through.
  TSceneList &SceneList() { return *sceneList_; }
  TArchiveTree &ArchiveTree() { return *archiveTree_; }
  TPlayerController &Players() { return *players_; }
  const TFormOptions &Options() const { return options_; }
  TGameChoice &GameChoice() { return *gameChoice_; }

  // A pause before the clean-up at exit. None: by then the built-in player has closed the sound
  // device, and the work folder can go while a player still has a file of it open.
  void SetExitWait(int ms) { exitWaitMs_ = ms; }

  // The package dialogs: titles, filter and default extension as designed; a command fills in
  // the start folder and file name and hands the dialog to Dialogs().
  platform::TFileDialogOptions &OpenDialog() { return openDialog_; }
  platform::TFileDialogOptions &SaveDialog() { return saveDialog_; }

  // The text viewer; null until the first Open.
  TFormDocument *DocumentWindow() const { return documentWindow_; }

  // --- Shared operations.
  void FillSceneList();
  void JumpToSceneFile();
  // Plays a file or an archive entry with the player the options choose.
  void PlaySource(const QString &source);
  void PlayFile();  // what the edit box names
  void StopPlaying();
  void CloseExternalPlayers();
  void SetStatusText(const QString &text);
  QString StatusText() const;
  int Scale(int designed) const;  // designed at 120 pixels per inch

  // --- Handlers.
  void MainMenuConfigClick();
  void MainMenuNewClick();
  void MainMenuApplayClick();
  void MainMenuApplayCloseClick();
  // Applies the configuration to every music set of the game; false when the user cancelled
  // while tunes were converted (then nothing was applied).
  bool ApplyAll();
  bool ApplyShownSet(TConvertProgress &progress);
  bool ApplyOtherSet(const TGameSet &set, TConvertProgress &progress);
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
  // Keeps the language chosen for the next start and says so (languagemenu.cpp).
  void MainMenuLanguageClick(QAction *item);
  void MainMenuTreeViewUpdateClick();
  void N4Click();
  void ToolButtonPlayClick();
  void ToolButtonStopClick();
  void ToolButtonFileJumpClick();
  void ComboBoxConfigListChange();
  void ComboBoxGameChange();
  void ComboBoxMusicSetChange();
  void MainMenuAddGameClick();
  // Adds the game of a folder or of ClassicUO's settings.json and shows it; false (after a
  // message) when it is no game.
  bool AddGameFolder(const QString &path);
  void CreateConfig(QAction *item);
  void DeleteConfig(QAction *item);
  void RenameConfig(QAction *item);
  void PopupMenuListPopup();
  void PopupMenuListJumpClick();
  void PopupMenuListDefaultClick();
  void PopupMenuListEditDetailClick();
  // The MIDI tunes on digital tracks and the cache of converted tunes (midicommands.cpp).
  void PopupMenuListMidiTuneClick();
  void MainMenuAllMidiTunesClick();
  void MainMenuClearCacheClick();
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
  void ApplicationEvents1Idle();

  // --- The folder tree's events.
  void FolderTreeViewExExpanding(QTreeWidgetItem *node);
  void FolderTreeViewExExpanded(QTreeWidgetItem *node);
  // The local file of a path or an archive-entry path (see extraction.h).
  QString ExtractSource(const QString &text, bool fresh);

  // --- Assignment, file jump and the tree's own events (assign.cpp, jump.cpp, foldertree.cpp).
  void FolderTreeViewExChange(const QString &folderName);
  void FolderTreeViewExDblClick(const QString &folderName);
  bool FolderTreeViewExKeyDown(int key);  // true when the key was handled
  void FolderTreeViewExMouseDown(Qt::MouseButton button, const QPoint &pos);
  // Makes source (a path or an archive-entry path) the scene's, unless the configuration is
  // "標準" or the scene's set does not take it (said in a message); true when assigned.
  bool AssignSource(int scene, const QString &source);

  // --- Text viewer (foldertree.cpp). Created on the first Open, owned by this window.
  void ShowDocument(const QString &text);

  // Packages
  void ImportPackageFile(const QString &file);  // imports, then shows the new configuration
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  // Windows paths, in the order dropped.
  void FormDropFiles(const QStringList &files);

 protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  // sets: those of the chosen game, the first shown (a window without games: its one set).
  TFormMain(const QString &programPath, const std::vector<TGame> &games, int chosen, std::vector<TGameSet> sets,
            platform::Dialogs &dialogs, platform::InstanceLock *lock, QWidget *parent);
  // The scene list, the tree and the caption show the music set chosen now.
  void ShowChosenSet();
  // The tree hides the game's own music files of every set of the game shown.
  void MaskGameFiles();
  // What the index of the digital music shown leaves out, told the first time the set is shown.
  void TellDigitalIndex();
  // The game shown; null for a window made over given folders.
  const TGame *ShownGame() const;
  // Whether the set shown is digital and some track of it can take a MIDI tune.
  bool OffersMidiTunes();
  // Refuses an edit of "標準" with a message; true when refused.
  bool RefuseStandardEdit();
  void BuildLayout();
  void BuildMenus();
  void BuildPopupMenus();
  void BuildToolBars();
  void BuildLanguageMenu();
  void ConnectSceneList();
  void ConnectFolderTree();
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void ReadSettings();
  void WriteSettings();
  // The menu check marks, the file-jump button and the player controls show the options and
  // the players' state.
  void ShowOptions();
  void ShowPlayerState();
  void JumpToSceneFile(bool showFile);
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
  int exitWaitMs_ = 0;
  TFormOptions options_;
  TImageList imageList_;
  platform::TFileDialogOptions openDialog_, saveDialog_;
  TPlayerController *players_ = nullptr;
  std::unique_ptr<TSceneList> sceneList_;
  std::unique_ptr<TArchiveTree> archiveTree_;
  std::unique_ptr<TGameChoice> gameChoice_;
  TFormDocument *documentWindow_ = nullptr;  // created on the first Open, owned by this window

  // --- Controls (names as the window's design has them; tests find them by these names).
  QToolBar *ToolBarMisc = nullptr, *ToolBarConfig = nullptr, *ToolBarPlayer = nullptr;
  QToolButton *ToolButtonExit = nullptr, *ToolButtonApplay = nullptr, *ToolButtonFileJump = nullptr;
  QToolButton *ToolButtonPlay = nullptr, *ToolButtonStop = nullptr;
  QAction *ToolButtonSeparator = nullptr;
  QComboBox *ComboBoxConfigList = nullptr, *ComboBoxGame = nullptr, *ComboBoxMusicSet = nullptr;
  QAction *ComboBoxGameItem = nullptr, *ComboBoxMusicSetItem = nullptr;
  QLineEdit *EditMidiFile = nullptr;
  QTreeWidget *ListView = nullptr;
  QSplitter *Splitter = nullptr;
  TFolderTreeViewEx *FolderTreeViewEx = nullptr;
  QStatusBar *StatusBar = nullptr;
  QLabel *StatusPanel = nullptr;  // the status bar's one panel

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
  QAction *MainMenuSoundFont = nullptr, *MainMenuAddGame = nullptr;
  QMenu *MainMenuLanguageMenu = nullptr;  // the last item of the options menu
  QAction *MainMenuLanguage = nullptr, *MainMenuLanguageAuto = nullptr, *MainMenuLanguageJa = nullptr;
  QAction *MainMenuLanguageEn = nullptr;
  QAction *MainMenuAllMidiTunes = nullptr, *MainMenuClearCache = nullptr, *PopupMenuListMidiTune = nullptr;
  QMenu *PopupMenuList = nullptr, *PopupMenuTree = nullptr;
  QAction *PopupMenuListJump = nullptr, *PopupMenuListPlay = nullptr, *PopupMenuListStop = nullptr;
  QAction *PopupMenuListDefault = nullptr, *PopupMenuListEditDetail = nullptr;
  QAction *PopupMenuTreeAssign = nullptr, *PopupMenuTreeOpen = nullptr, *PopupMenuTreePlay = nullptr;
  QAction *PopupMenuTreeStop = nullptr;
};
