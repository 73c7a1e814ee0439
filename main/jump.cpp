// Jumping from a scene to its file in the folder tree, down to the entry inside an archive.
#include "archivenode.h"
#include "core/fileops.h"
#include "formmain.h"
#include "menuitems.h"
#include "qtcore/qstr.h"
#include "sources.h"

namespace {

// The first child whose caption equals text as the scene list compares (case ignored).
QTreeWidgetItem *ChildNamed(QTreeWidgetItem *parent, const QString &text) {
  for (int i = 0; i < parent->childCount(); ++i)
    if (TFormMain::CompareListTexts(parent->child(i)->text(0), text) == 0) return parent->child(i);
  return nullptr;
}

// Selecting a node shows it: every collapsed node above it opens.
void SelectShown(TFolderTreeViewEx &tree, QTreeWidgetItem *node) {
  for (QTreeWidgetItem *up = node->parent(); up; up = up->parent()) up->setExpanded(true);
  tree.SetSelected(node);
}

// Up to rows visible rows back from node, stopping at the first row.
QTreeWidgetItem *RowsBack(TFolderTreeViewEx &tree, QTreeWidgetItem *node, int rows) {
  for (; rows > 0; --rows)
    if (QTreeWidgetItem *above = tree.itemAbove(node)) node = above;
    else break;
  return node;
}

}  // namespace

void TFormMain::JumpToSceneFile() {
  const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
  CurrentScene = selected.isEmpty() ? -1 : SceneOfRow(selected.first());
  if (CurrentScene < 0) return;
  const TScene &scene = SceneTable[CurrentScene];
  SetStatusText(scene.Detail);
  if (!menuitems::Checked(MainMenuFileJump)) return;
  const TSource source = TSource::Parse(scene.Source);
  const QString path = source.Resolve(TClient::First, Folders());
  if (!platform::FileExists(platform::SS(path))) return;
  FolderTreeViewEx->SelectPath(path);
  QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (IsArchiveFileNode(*FolderTreeViewEx, node)) {
    if (node->childCount() == 0) {
      // An archive listed empty before still counts as open: open it anew.
      node->setExpanded(false);
      node->setExpanded(true);
    }
    if (!source.IsEntry()) return;
    QString rest = source.EntryPath() + "/";
    QTreeWidgetItem *at = node;
    for (qsizetype slash = rest.indexOf('/'); at && slash >= 0; slash = rest.indexOf('/')) {
      at = ChildNamed(at, rest.left(slash));
      rest.remove(0, slash + 1);
    }
    if (at) SelectShown(*FolderTreeViewEx, at);
  }
  ScrollSelectedNode();
}

void TFormMain::ScrollSelectedNode() {
  QTreeWidgetItem *selected = FolderTreeViewEx->currentItem();
  if (!selected) return;
  const QRect rect = FolderTreeViewEx->visualItemRect(selected);
  const int top = rect.top(), bottom = rect.top() + rect.height(), h = rect.height();
  if (h == 0) return;
  QTreeWidgetItem *from = selected;
  if (top < 3 * h) {
    from = RowsBack(*FolderTreeViewEx, selected, 3);
    FolderTreeViewEx->SetTopItem(from);
  }
  const int clientHeight = FolderTreeViewEx->viewport()->height();
  if (clientHeight - 3 * h < bottom) {
    const int k = clientHeight / h - 3;
    FolderTreeViewEx->SetTopItem(k >= 1 ? RowsBack(*FolderTreeViewEx, from, k) : from);
  }
}

void TFormMain::PopupMenuListJumpClick() {
  if (ListView->selectedItems().isEmpty()) return;
  const bool wasOn = menuitems::Checked(MainMenuFileJump);
  menuitems::SetCheckedFlag(MainMenuFileJump, true);
  try {
    JumpToSceneFile();
  } catch (...) {
    menuitems::SetCheckedFlag(MainMenuFileJump, wasOn);
    throw;
  }
  menuitems::SetCheckedFlag(MainMenuFileJump, wasOn);
}

void TFormMain::MainMenuShowFileClick() { PopupMenuListJumpClick(); }
