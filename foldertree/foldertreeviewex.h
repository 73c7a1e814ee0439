// TFolderTreeViewEx: the folder tree of the main window's right-hand side. It shows the shell
// namespace below a root ("My Computer" with the Wine prefix's drives by default), optionally
// with the files that pass the file masks, reads each folder when it is first expanded, and
// turns nodes into canonical Windows paths and paths back into selected nodes.
//
// The tree knows folders, files and masks only. Its owner may add nodes of its own (archive
// entries): they come from OnCreateNode, carry no shell data and have no path.
//
// Contracts:
// - Rebuilds, path searches, refreshes and lazy fills run as busy periods: wait cursor, no
//   redrawing, nested periods leave both alone. OnChange is held back until the outermost period
//   ends and fires once if the selection moved.
// - Captions can't be edited; a right click selects the node under the mouse.
// - Nothing can be dropped onto the tree: it takes every drag over it and answers "no drop", so
//   the drag never reaches the window behind it either.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <unordered_map>

#include "filemask.h"
#include "folderenums.h"
#include "foldernode.h"
#include "shellnamespace.h"

class TFolderTreeViewEx : public QTreeWidget {
  Q_OBJECT

 public:
  // The handler sets Node to a new node object (of the owner's class); a null Node makes the
  // tree use a plain TFolderNode. The node must not be in any tree yet; the tree takes it.
  using TCreateNodeEvent = std::function<void(TFolderTreeViewEx *Sender, TFolderNode *&Node)>;

  // Trees with more nodes than this are not refreshed: restoring them would take too long.
  static constexpr int kMaxRefreshNodes = 10240;

  explicit TFolderTreeViewEx(QWidget *parent = nullptr);
  ~TFolderTreeViewEx() override;

  // --- Properties. Setting one to its current value does nothing; those that change what the
  // tree shows rebuild it.
  bool AutoUpDate() const { return autoUpdate_; }
  void SetAutoUpDate(bool on) { autoUpdate_ = on; }
  bool ContextMenu() const { return contextMenu_; }
  void SetContextMenu(bool on) { contextMenu_ = on; }
  bool DragAndDrop() const { return dragAndDrop_; }
  void SetDragAndDrop(bool on) { dragAndDrop_ = on; }

  // Extensions with the dot (".mid"); empty shows every file. Filled in place by the owner,
  // entries added that way count for folders read afterwards; assigning a list rebuilds.
  QStringList &FileMask() { return fileMask_; }
  virtual void SetFileMask(const QStringList &extensions);
  // Full paths of files never shown (compared without case); ignored while FileMask is empty.
  QStringList &UnFileMask() { return unFileMask_; }
  virtual void SetUnFileMask(const QStringList &paths);

  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  int Indent() const { return indentation(); }
  void SetIndent(int pixels) { setIndentation(pixels); }
  // On (with ShowFile): files before folders.
  bool InfoViewSort() const { return infoViewSort_; }
  void SetInfoViewSort(bool on);
  TSelectedDir SelectedDir() const { return selectedDir_; }
  void SetSelectedDir(TSelectedDir dir);
  // Double click on a file opens it with the desktop's application for it.
  bool ShellRun() const { return shellRun_; }
  void SetShellRun(bool on) { shellRun_ = on; }
  bool ShowFile() const { return showFile_; }
  void SetShowFile(bool on);
  bool ShowRootFolder() const { return showRootFolder_; }
  void SetShowRootFolder(bool on);
  bool ShowIncludeHidden() const { return showIncludeHidden_; }
  void SetShowIncludeHidden(bool on);
  TRootFolder RootFolder() const { return rootFolder_; }
  virtual void SetRootFolder(TRootFolder root);
  QString RootFolderName() const { return rootFolderName_; }
  void SetRootFolderName(const QString &path);
  bool VirtualRootMode() const { return IsVirtualRoot(rootFolder_); }

  TCreateNodeEvent OnCreateNode;

  // --- Nodes.
  TFolderNode *CreateNode();  // through OnCreateNode
  // Adds a node made by CreateNode as the last child of parent (null: the top level).
  TFolderNode *AddChildNode(QTreeWidgetItem *parent, const QString &caption);
  TFolderNode *Selected() const { return TFolderNode::From(currentItem()); }
  void SetSelected(QTreeWidgetItem *node) { setCurrentItem(node); }
  QTreeWidgetItem *FirstNode() const { return topLevelItem(0); }
  QTreeWidgetItem *TopItem();  // the topmost visible node
  void SetTopItem(QTreeWidgetItem *node);
  // Expands node, reading its folder first when it has not been read.
  void ExpandNode(QTreeWidgetItem *node);

  // The shared image list (see shellimagelist.h): an icon index for any path, the icon of one.
  static int FileIconIndex(const QString &windowsPath, bool open = false);
  static QIcon ImageListIcon(int index);

  // --- Navigation.
  // The canonical Windows path of a node; false (and an empty path) for no node, a node
  // without shell data, or a virtual item such as My Computer.
  bool GetNodePath(const QTreeWidgetItem *node, QString &path) const;
  QString NodePath(const QTreeWidgetItem *node) const;
  // Selects the node of a full path, expanding the folders on the way. False (selection kept)
  // outside the root, for items the tree doesn't show, in virtual-root mode.
  bool SelectPath(const QString &path);
  virtual bool FindPathNode(const QString &path, bool scrollToTop, bool select, QTreeWidgetItem **found = nullptr);
  // The path of the selected node, its caption when its item is gone, empty for a virtual item
  // or a node without shell data.
  virtual QString GetFolderName() const;
  // Reads the tree afresh, keeping open folders, selection and the topmost visible node.
  void RefreshTree();
  // The pause before a refresh reads the disk (1000 ms), letting file operations settle.
  int RefreshWait() const { return refreshWait_; }
  void SetRefreshWait(int milliseconds) { refreshWait_ = milliseconds; }

 signals:
  void OnChange(const QString &FolderName);
  void OnClick(const QString &FolderName);
  void OnDblClick(const QString &FolderName);
  void OnExpanding(QTreeWidgetItem *Node);  // after the tree read the node's folder
  void OnExpanded(QTreeWidgetItem *Node);
  void OnMouseDown(Qt::MouseButton Button, const QPoint &Pos);

 protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  class BusyPeriod;

  void BeginBusy();
  void EndBusy();
  void Build();
  void FillNode(QTreeWidgetItem *parent);  // null: the top level (root not shown)
  TFolderNode *MakeShellNode(const foldertree::ShellItem &item);
  bool ShowsChildren(const foldertree::ShellItem &folder);
  bool FileShown(const QString &windowsPath) const { return masks_.Passes(windowsPath); }
  void ItemExpanded(QTreeWidgetItem *item);
  void CurrentChanged();
  QTreeWidgetItem *ChildWithId(QTreeWidgetItem *parent, const QString &id);
  void ForgetChildIndex(const QModelIndex &parent);
  int CountNodes(int limit) const;
  void ApplyHideSelection();

  bool autoUpdate_ = true;
  bool contextMenu_ = true;
  bool dragAndDrop_ = true;
  QStringList fileMask_;
  QStringList unFileMask_;
  bool hideSelection_ = true;
  bool infoViewSort_ = false;
  TSelectedDir selectedDir_ = sdNone;
  bool shellRun_ = false;
  bool showFile_ = false;
  bool showRootFolder_ = true;
  bool showIncludeHidden_ = true;
  TRootFolder rootFolder_ = rfDrives;
  QString rootFolderName_;
  int refreshWait_ = 1000;

  foldertree::ShellItem root_;
  foldertree::TFileMaskTest masks_;

  int busy_ = 0;
  bool updatesBefore_ = true;
  bool changePending_ = false;
  const QTreeWidgetItem *currentAtStart_ = nullptr;  // compared, never followed
  QString folderNameAtStart_;

  // Children by item id, for path searches in folders of thousands of files; an entry is
  // dropped whenever its children change.
  struct ChildIndex {
    QHash<QString, QTreeWidgetItem *> exact, folded;
  };
  std::unordered_map<const QTreeWidgetItem *, ChildIndex> childIndex_;
};
