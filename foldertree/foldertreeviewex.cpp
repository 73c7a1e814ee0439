// Construction, properties, building and filling the tree, busy periods, mouse and drops.
// Paths, searches and refreshing are in foldertreenav.cpp.
#include "foldertreeviewex.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>

#include "busyperiod.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"
#include "shellimagelist.h"

using foldertree::ShellItem;
using foldertree::TShellImageList;

TFolderTreeViewEx::TFolderTreeViewEx(QWidget *parent) : QTreeWidget(parent) {
  setColumnCount(1);
  setHeaderHidden(true);
  // Long names widen the tree and bring a horizontal scroll bar instead of being cut off.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  setAnimated(false);
  // Nodes are never dragged out; drops are taken and refused (see dropEvent).
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  resize(153, 185);
  ApplyHideSelection();

  connect(this, &QTreeWidget::itemExpanded, this, &TFolderTreeViewEx::ItemExpanded);
  connect(this, &QTreeWidget::currentItemChanged, this, &TFolderTreeViewEx::CurrentChanged);
  connect(model(), &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex &parent) { ForgetChildIndex(parent); });
  // Removed nodes may leave their addresses to new ones: forget everything.
  const auto forgetAll = [this] { childIndex_.clear(); };
  connect(model(), &QAbstractItemModel::modelReset, this, forgetAll);
  connect(model(), &QAbstractItemModel::layoutChanged, this, forgetAll);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, forgetAll);
  connect(model(), &QAbstractItemModel::rowsMoved, this, forgetAll);

  Build();
}

TFolderTreeViewEx::~TFolderTreeViewEx() {
  // The base class deletes the nodes after this object's members are gone: nothing may react.
  blockSignals(true);
  disconnect(model(), nullptr, this, nullptr);
}

// --- Properties.

void TFolderTreeViewEx::SetFileMask(const QStringList &extensions) {
  if (extensions == fileMask_) return;
  fileMask_ = extensions;
  Build();
}

void TFolderTreeViewEx::SetUnFileMask(const QStringList &paths) {
  if (paths == unFileMask_) return;
  unFileMask_ = paths;
  Build();
}

void TFolderTreeViewEx::SetHideSelection(bool on) {
  if (on == hideSelection_) return;
  hideSelection_ = on;
  ApplyHideSelection();
}

void TFolderTreeViewEx::ApplyHideSelection() {
  QPalette p = palette();
  const QPalette app = QApplication::palette(this);
  const bool hide = hideSelection_;
  p.setColor(QPalette::Inactive, QPalette::Highlight,
             hide ? p.color(QPalette::Inactive, QPalette::Base) : app.color(QPalette::Inactive, QPalette::Highlight));
  p.setColor(
      QPalette::Inactive, QPalette::HighlightedText,
      hide ? p.color(QPalette::Inactive, QPalette::Text) : app.color(QPalette::Inactive, QPalette::HighlightedText));
  setPalette(p);
}

void TFolderTreeViewEx::SetInfoViewSort(bool on) {
  if (on == infoViewSort_) return;
  infoViewSort_ = on;
  if (!VirtualRootMode()) Build();
}

void TFolderTreeViewEx::SetSelectedDir(TSelectedDir dir) {
  if (dir == selectedDir_) return;
  selectedDir_ = dir;
  if (rootFolder_ == rfDrives) Build();
}

void TFolderTreeViewEx::SetShowFile(bool on) {
  if (on == showFile_) return;
  if (!on && VirtualRootMode()) return;  // a virtual folder's items are all shown
  showFile_ = on;
  Build();
}

void TFolderTreeViewEx::SetShowRootFolder(bool on) {
  if (on == showRootFolder_) return;
  // A manual root showing files, and a virtual root, are reached only through the root node.
  if (!on && (VirtualRootMode() || (rootFolder_ == rfManual && showFile_))) return;
  showRootFolder_ = on;
  Build();
}

void TFolderTreeViewEx::SetShowIncludeHidden(bool on) {
  if (on == showIncludeHidden_) return;
  showIncludeHidden_ = on;
  Build();
}

void TFolderTreeViewEx::SetRootFolder(TRootFolder root) {
  if (root == rootFolder_) return;
  rootFolder_ = root;
  if (VirtualRootMode()) showRootFolder_ = true;
  Build();
}

void TFolderTreeViewEx::SetRootFolderName(const QString &path) {
  if (path == rootFolderName_) return;
  rootFolderName_ = path;
  if (rootFolder_ == rfManual) Build();
}

// --- Busy periods.

void TFolderTreeViewEx::BeginBusy() {
  if (busy_++ > 0) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  updatesBefore_ = updatesEnabled();
  setUpdatesEnabled(false);
  currentAtStart_ = currentItem();
  folderNameAtStart_ = GetFolderName();
  changePending_ = false;
}

void TFolderTreeViewEx::EndBusy() {
  if (--busy_ > 0) return;
  setUpdatesEnabled(updatesBefore_);
  QApplication::restoreOverrideCursor();
  if (!changePending_) return;
  changePending_ = false;
  const QString name = GetFolderName();
  if (currentItem() != currentAtStart_ || name != folderNameAtStart_) emit OnChange(name);
}

void TFolderTreeViewEx::CurrentChanged() {
  // Inside a busy period the selection passes through nodes that are about to go (a refresh
  // deletes and re-finds them); the owner hears only where it ends.
  if (busy_ > 0) changePending_ = true;
  else emit OnChange(GetFolderName());
}

// --- Nodes.

TFolderNode *TFolderTreeViewEx::CreateNode() {
  TFolderNode *node = nullptr;
  if (OnCreateNode) OnCreateNode(this, node);
  return node ? node : new TFolderNode;
}

TFolderNode *TFolderTreeViewEx::AddChildNode(QTreeWidgetItem *parent, const QString &caption) {
  TFolderNode *node = CreateNode();
  node->setText(0, caption);
  (parent ? parent : invisibleRootItem())->addChild(node);
  return node;
}

int TFolderTreeViewEx::FileIconIndex(const QString &windowsPath, bool open) {
  return TShellImageList::Instance().FileIconIndex(windowsPath, open);
}

QIcon TFolderTreeViewEx::ImageListIcon(int index) { return TShellImageList::Instance().Icon(index); }

void TFolderTreeViewEx::ExpandNode(QTreeWidgetItem *node) {
  if (node && !node->isExpanded()) node->setExpanded(true);
}

bool TFolderTreeViewEx::ShowsChildren(const ShellItem &folder) {
  const bool hidden = showIncludeHidden_ || VirtualRootMode();
  if (!showFile_) return foldertree::HasShownChildren(folder, hidden, nullptr);
  return foldertree::HasShownChildren(folder, hidden, [this](const QString &path) { return FileShown(path); });
}

TFolderNode *TFolderTreeViewEx::MakeShellNode(const ShellItem &item) {
  auto &images = TShellImageList::Instance();
  TFolderNode *node = CreateNode();
  node->setText(0, item.name);
  const int image = images.IndexOf(item, false);
  const int selected = !showFile_ || item.IsFolder() ? images.IndexOf(item, true) : image;
  int overlay = -1;
  if (item.Is(foldertree::saShared)) overlay = foldertree::ovShared;
  else if (showFile_ && item.Is(foldertree::saLink)) overlay = foldertree::ovLink;
  node->SetImages(image, selected, overlay);
  // Only folders can hold anything; a file's button, if any, is its owner's business.
  node->SetHasChildren(item.Is(foldertree::saHasSubFolder) || (item.IsFolder() && ShowsChildren(item)));
  node->SetShellData(item);
  return node;
}

void TFolderTreeViewEx::FillNode(QTreeWidgetItem *parent) {
  const TFolderNode *parentNode = TFolderNode::From(parent);
  const ShellItem *folder = parent ? (parentNode ? parentNode->ShellData() : nullptr) : &root_;
  if (!folder) return;
  masks_.Prepare(fileMask_, unFileMask_);
  const bool virtualRoot = VirtualRootMode();
  std::vector<ShellItem> items =
      foldertree::Enumerate(*folder, showFile_ || virtualRoot, showIncludeHidden_ || virtualRoot);
  if (!virtualRoot) {
    std::erase_if(items, [this](const ShellItem &item) {
      if (item.IsFolder() || item.Is(foldertree::saHasSubFolder)) return false;
      return !showFile_ || !item.Is(foldertree::saFileSystem) || !FileShown(item.path);
    });
  }
  foldertree::SortItems(items, infoViewSort_ && showFile_);
  QList<QTreeWidgetItem *> nodes;
  nodes.reserve(static_cast<qsizetype>(items.size()));
  for (const ShellItem &item : items) nodes.append(MakeShellNode(item));
  // One insertion for the lot: the view lays out once, not once per file.
  if (parent) parent->addChildren(nodes);
  else addTopLevelItems(nodes);
}

void TFolderTreeViewEx::Build() {
  BusyPeriod busy(*this);
  std::optional<ShellItem> root;
  if (rootFolder_ == rfManual && !rootFolderName_.isEmpty()) {
    root = foldertree::Parse(rootFolderName_);
    masks_.Prepare(fileMask_, unFileMask_);
    if (root && !(root->IsFolder() && (showRootFolder_ || ShowsChildren(*root)))) root.reset();
  }
  if (!root) root = foldertree::SystemFolder(rootFolder_ == rfManual ? rfDrives : rootFolder_);
  if (!root || root->name.isEmpty()) return;  // nothing to show: keep what the tree shows

  clear();
  root_ = *root;
  QTreeWidgetItem *rootNode = nullptr;
  if (showRootFolder_) {
    auto &images = TShellImageList::Instance();
    TFolderNode *node = CreateNode();
    node->setText(0, root_.name);
    node->SetImages(images.IndexOf(root_, false), images.IndexOf(root_, true));
    node->SetShellData(root_);
    addTopLevelItem(node);
    rootNode = node;
  }
  FillNode(rootNode);
  collapseAll();
  if (rootNode) rootNode->setExpanded(true);

  if (rootFolder_ == rfDrives && selectedDir_ != sdNone) {
    // Wine's system directory is on C:.
    const QString dir = selectedDir_ == sdSystem ? QStringLiteral("C:\\windows\\system32")
                                                 : platform::QS(platform::ToWindows(platform::CurrentLinuxFolder()));
    QTreeWidgetItem *drive = nullptr;
    if (FindPathNode(dir.left(3), false, true, &drive)) ExpandNode(drive);
  }
}

void TFolderTreeViewEx::ItemExpanded(QTreeWidgetItem *item) {
  TFolderNode *node = TFolderNode::From(item);
  if (node && node->ShellData() && node->childCount() == 0 && node->HasChildren()) {
    BusyPeriod busy(*this);
    FillNode(node);
  }
  emit OnExpanding(item);
  // A folder whose files all failed the masks loses its button; an owner that wants one for
  // a node of its own sets it again.
  if (node && node->ShellData() && node->childCount() == 0) node->SetHasChildren(false);
  emit OnExpanded(item);
}

// --- Mouse.

void TFolderTreeViewEx::mousePressEvent(QMouseEvent *event) {
  emit OnMouseDown(event->button(), event->position().toPoint());
  if (event->button() == Qt::RightButton)
    if (QTreeWidgetItem *node = itemAt(event->position().toPoint())) SetSelected(node);
  QTreeWidget::mousePressEvent(event);
}

void TFolderTreeViewEx::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) emit OnClick(GetFolderName());
  QTreeWidget::mouseReleaseEvent(event);
}

void TFolderTreeViewEx::mouseDoubleClickEvent(QMouseEvent *event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  TFolderNode *node = Selected();
  if (!node) return;
  emit OnDblClick(GetFolderName());
  const ShellItem *item = node->ShellData();
  if (!shellRun_ || !showFile_ || !item || item->IsFolder() || item->Is(foldertree::saHasSubFolder)) return;
  if (!item->linuxPath.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(item->linuxPath));
}

void TFolderTreeViewEx::keyPressEvent(QKeyEvent *event) {
  // "*" opens every folder below the node: with folders read on demand that would read the
  // whole disk below a drive. It opens the one node instead.
  if (event->key() == Qt::Key_Asterisk) {
    ExpandNode(currentItem());
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

// --- Drops. The tree takes every drag over it so that the window behind it never sees one,
// and answers that nothing may be dropped.

void TFolderTreeViewEx::dragEnterEvent(QDragEnterEvent *event) {
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
}

void TFolderTreeViewEx::dragMoveEvent(QDragMoveEvent *event) {
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
}

void TFolderTreeViewEx::dropEvent(QDropEvent *event) {
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
}
