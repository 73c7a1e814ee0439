#include "archivetree.h"

#include <QHash>
#include <cstring>
#include <utility>

#include "archivefactory.h"
#include "archivenode.h"
#include "core/fileops.h"
#include "extraction.h"
#include "musicfiles.h"
#include "qtcore/qstr.h"
#include "scenelist.h"

using platform::SS;

namespace {
constexpr size_t kMaxEntryName = 512;

// The first child whose caption equals text as the scene list compares (case ignored).
QTreeWidgetItem *ChildNamed(QTreeWidgetItem *parent, const QString &text) {
  for (int i = 0; i < parent->childCount(); ++i)
    if (TSceneList::CompareTexts(parent->child(i)->text(0), text) == 0) return parent->child(i);
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

void TArchiveTree::CreateNode(TFolderNode *&node) const {
  node = creatingArchiveNode_ ? new TArchiveNode : new TFolderNode;
}

void TArchiveTree::MarkArchivesBelow(QTreeWidgetItem *node) const {
  if (!node) return;
  for (int i = 0; i < node->childCount(); ++i)
    if (IsArchiveFileNode(tree_, node->child(i))) TFolderNode::From(node->child(i))->SetHasChildren(true);
}

void TArchiveTree::Expanding(QTreeWidgetItem *node) {
  QString path;
  if (!IsArchiveFileNode(tree_, node, &path)) return;
  TFolderNode *archive = TFolderNode::From(node);
  if (archive->childCount() == 0) List(archive, path);
  if (archive->childCount() == 0) archive->SetHasChildren(false);
}

TFolderNode *TArchiveTree::AddFolderNode(QTreeWidgetItem *parent, const QString &text) {
  TFolderNode *node = tree_.CreateNode();
  node->setText(0, text);
  node->SetImages(images_.Folder, images_.FolderSelected);
  parent->addChild(node);
  return node;
}

TArchiveNode *TArchiveTree::AddEntryNode(QTreeWidgetItem *parent, const QString &text, const QString &fullName,
                                         TFolderNode *archiveNode) {
  struct Creating {
    bool &flag;
    explicit Creating(bool &f) : flag(f) { flag = true; }
    ~Creating() { flag = false; }
  };
  TFolderNode *made = nullptr;
  {
    const Creating creating(creatingArchiveNode_);
    made = tree_.CreateNode();
  }
  auto *node = static_cast<TArchiveNode *>(made);
  node->setText(0, text);
  const int image = EntryImage(text);
  node->SetImages(image, image);
  node->ArchiveNode = archiveNode;
  node->EntryPath = fullName;
  parent->addChild(node);
  return node;
}

// MIDI entries look like the game's MIDI files; other music files like such files on disk.
int TArchiveTree::EntryImage(const QString &text) const {
  if (EntryExtension(text).compare(QLatin1String("MID"), Qt::CaseInsensitive) == 0) return images_.Midi;
  if (IsMusicFileName(text)) return TFolderTreeViewEx::FileIconIndex("entry" + PathExtension(text));
  return images_.Text;
}

// The nodes are put together below a detached parent and handed to the tree in one insertion:
// the view lays out once, not once per entry. Folder levels are matched with case, in listing
// order; a name already seen below a parent is found through a table instead of a walk along
// the parent's children (the same node: the first child with that text).
void TArchiveTree::List(TFolderNode *node, const QString &path) {
  if (!platform::FileExists(SS(path))) return;
  const auto archive = OpenArchiveFile(path);
  TFolderNode staging;
  QHash<std::pair<const QTreeWidgetItem *, QString>, QTreeWidgetItem *> firstChild;
  const auto remember = [&firstChild](const QTreeWidgetItem *parent, QTreeWidgetItem *child) {
    const std::pair<const QTreeWidgetItem *, QString> key{parent, child->text(0)};
    if (!firstChild.contains(key)) firstChild.insert(key, child);
  };
  struct Finish {
    archives::TArchiveFile &archive;
    TFolderNode &staging;
    TFolderNode *node;
    ~Finish() {
      archive.CloseArchive();
      node->addChildren(staging.takeChildren());
    }
  } finish{*archive, staging, node};

  if (!archive->OpenArchive(nullptr, 0)) return;
  INDIVIDUALINFO entry{};
  for (int found = archive->FindFirst("*", entry); found == 0; found = archive->FindNext(entry)) {
    const QString fullName = QString::fromUtf8(entry.szFileName, strnlen(entry.szFileName, kMaxEntryName));
    if (!IsListedEntryName(fullName)) continue;
    QTreeWidgetItem *parent = &staging;
    QString rest = fullName;
    for (qsizetype slash = rest.indexOf('/'); slash > 0; slash = rest.indexOf('/')) {
      const QString component = rest.left(slash);
      QTreeWidgetItem *next = firstChild.value({parent, component}, nullptr);
      if (!next) {
        next = AddFolderNode(parent, component);
        remember(parent, next);
      }
      parent = next;
      rest.remove(0, slash + 1);
    }
    if (!rest.isEmpty()) remember(parent, AddEntryNode(parent, rest, fullName, node));
  }
}

bool TArchiveTree::Reveal(const QString &path, const TSource &source) {
  if (!platform::FileExists(SS(path))) return false;
  tree_.SelectPath(path);
  QTreeWidgetItem *node = tree_.currentItem();
  if (IsArchiveFileNode(tree_, node)) {
    if (node->childCount() == 0) {
      // An archive listed empty before still counts as open: open it anew.
      node->setExpanded(false);
      node->setExpanded(true);
    }
    if (!source.IsEntry()) return false;
    QString rest = source.EntryPath() + "/";
    QTreeWidgetItem *at = node;
    for (qsizetype slash = rest.indexOf('/'); at && slash >= 0; slash = rest.indexOf('/')) {
      at = ChildNamed(at, rest.left(slash));
      rest.remove(0, slash + 1);
    }
    if (at) SelectShown(tree_, at);
  }
  return true;
}

void TArchiveTree::ScrollSelectedNode() {
  QTreeWidgetItem *selected = tree_.currentItem();
  if (!selected) return;
  const QRect rect = tree_.visualItemRect(selected);
  const int top = rect.top(), bottom = rect.top() + rect.height(), h = rect.height();
  if (h == 0) return;
  QTreeWidgetItem *from = selected;
  if (top < 3 * h) {
    from = RowsBack(tree_, selected, 3);
    tree_.SetTopItem(from);
  }
  const int clientHeight = tree_.viewport()->height();
  if (clientHeight - 3 * h < bottom) {
    const int k = clientHeight / h - 3;
    tree_.SetTopItem(k >= 1 ? RowsBack(tree_, from, k) : from);
  }
}
