// Nodes to paths and paths to nodes, the folder name of the selection, and refreshing.
#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTreeWidgetItemIterator>

#include "busyperiod.h"
#include "foldertreeviewex.h"

using foldertree::ShellItem;

bool TFolderTreeViewEx::GetNodePath(const QTreeWidgetItem *node, QString &path) const {
  const TFolderNode *folderNode = TFolderNode::From(node);
  const ShellItem *item = folderNode ? folderNode->ShellData() : nullptr;
  path = item ? item->path : QString();
  return !path.isEmpty();
}

QString TFolderTreeViewEx::NodePath(const QTreeWidgetItem *node) const {
  QString path;
  GetNodePath(node, path);
  return path;
}

QString TFolderTreeViewEx::GetFolderName() const {
  const TFolderNode *node = Selected();
  const ShellItem *item = node ? node->ShellData() : nullptr;
  if (!item || item->path.isEmpty()) return {};
  // An item deleted behind the tree's back no longer parses: the caption is all there is.
  return QFileInfo::exists(item->linuxPath) ? item->path : node->text(0);
}

bool TFolderTreeViewEx::SelectPath(const QString &path) {
  BusyPeriod busy(*this);
  return FindPathNode(path, false, true);
}

void TFolderTreeViewEx::ForgetChildIndex(const QModelIndex &parent) {
  QTreeWidgetItem *item = parent.isValid() ? itemFromIndex(parent) : invisibleRootItem();
  childIndex_.erase(item);
}

QTreeWidgetItem *TFolderTreeViewEx::ChildWithId(QTreeWidgetItem *parent, const QString &id) {
  auto [it, fresh] = childIndex_.try_emplace(parent);
  ChildIndex &index = it->second;
  if (fresh) {
    for (int i = 0; i < parent->childCount(); ++i) {
      QTreeWidgetItem *child = parent->child(i);
      const TFolderNode *node = TFolderNode::From(child);
      if (!node || !node->ShellData()) continue;  // the owner's nodes are no shell items
      const QString &childId = node->ShellData()->id;
      if (!index.exact.contains(childId)) index.exact.insert(childId, child);
      const QString folded = childId.toCaseFolded();
      if (!index.folded.contains(folded)) index.folded.insert(folded, child);
    }
  }
  // The shell compares names without case; a name that matches exactly still wins, so of two
  // files that differ only in case each path finds its own.
  if (auto e = index.exact.constFind(id); e != index.exact.constEnd()) return *e;
  return index.folded.value(id.toCaseFolded(), nullptr);
}

bool TFolderTreeViewEx::FindPathNode(const QString &path, bool scrollToTop, bool select, QTreeWidgetItem **found) {
  if (found) *found = nullptr;
  if (VirtualRootMode()) return false;
  const auto target = foldertree::Parse(path);
  if (!target) return false;
  BusyPeriod busy(*this);
  const QStringList targetLevels = foldertree::PathLevels(target->path);
  const QStringList rootLevels =
      root_.virtualFolder == foldertree::VirtualFolder::MyComputer ? QStringList() : foldertree::PathLevels(root_.path);
  if (targetLevels.size() < rootLevels.size()) return false;
  for (qsizetype i = 0; i < rootLevels.size(); ++i)
    if (QString::compare(rootLevels[i], targetLevels[i], Qt::CaseInsensitive) != 0) return false;

  QTreeWidgetItem *node = nullptr;
  if (targetLevels.size() == rootLevels.size()) {
    if (!showRootFolder_) return false;  // the root itself has no node
    node = topLevelItem(0);
  } else {
    QTreeWidgetItem *parent = showRootFolder_ ? topLevelItem(0) : invisibleRootItem();
    // The root node is on the way too: a node found below a closed root would be selected
    // out of the user's sight.
    if (showRootFolder_) ExpandNode(parent);
    for (qsizetype level = rootLevels.size(); parent && level < targetLevels.size(); ++level) {
      node = ChildWithId(parent, targetLevels[level]);
      if (!node) return false;
      if (level + 1 < targetLevels.size()) {
        ExpandNode(node);  // reads the folder when it hasn't been read
        parent = node;
      }
    }
  }
  if (!node) return false;
  if (scrollToTop) SetTopItem(node);
  if (select) SetSelected(node);
  if (found) *found = node;
  return true;
}

QTreeWidgetItem *TFolderTreeViewEx::TopItem() {
  executeDelayedItemsLayout();
  return itemAt(QPoint(0, 0));
}

void TFolderTreeViewEx::SetTopItem(QTreeWidgetItem *node) {
  if (node) scrollToItem(node, QAbstractItemView::PositionAtTop);
}

int TFolderTreeViewEx::CountNodes(int limit) const {
  int count = 0;
  for (QTreeWidgetItemIterator it(const_cast<TFolderTreeViewEx *>(this)); *it && count <= limit; ++it) ++count;
  return count;
}

namespace {
bool AncestorsExpanded(const QTreeWidgetItem *node) {
  for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
    if (!p->isExpanded()) return false;
  return true;
}
}  // namespace

void TFolderTreeViewEx::RefreshTree() {
  if (topLevelItemCount() == 0) return;
  BusyPeriod busy(*this);
  if (VirtualRootMode()) {
    Build();
    return;
  }
  if (CountNodes(kMaxRefreshNodes) > kMaxRefreshNodes) return;

  // The top node's place: the first node from it upwards that has a path (an archive's entry
  // has none: its archive stands in); none up to the first node means the view's very top.
  QTreeWidgetItem *top = TopItem();
  while (top && NodePath(top).isEmpty()) top = itemAbove(top);
  const QString topPath = NodePath(top);
  const QString selectedPath = NodePath(Selected());
  QStringList visible;  // open folders show through the nodes visible in them
  QTreeWidgetItemIterator it(this);
  for (++it; *it && visible.size() < kMaxRefreshNodes; ++it)
    if (AncestorsExpanded(*it))
      if (QString path = NodePath(*it); !path.isEmpty()) visible.append(path);

  QCoreApplication::processEvents();
  if (refreshWait_ > 0) QThread::msleep(static_cast<unsigned long>(refreshWait_));
  // The events just handled may have rebuilt or emptied the tree: nothing from before the
  // pause but the recorded paths is used.
  if (topLevelItemCount() == 0) return;

  if (showRootFolder_) {
    QTreeWidgetItem *first = topLevelItem(0);
    qDeleteAll(first->takeChildren());
    FillNode(first);
    first->setExpanded(true);
  } else {
    // Without a root node every top-level node is read afresh, not only the first.
    clear();
    FillNode(nullptr);
  }
  for (const QString &path : visible) FindPathNode(path, false, false);
  if (!selectedPath.isEmpty()) FindPathNode(selectedPath, false, true);
  if (!topPath.isEmpty()) FindPathNode(topPath, true, false);
  else scrollToTop();  // the selection above may have moved the view
}
