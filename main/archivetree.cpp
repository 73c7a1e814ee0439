// Archive files in the folder tree: the node factory, marking archives as expandable, listing
// an archive below its node, and extracting entries into the work folder.
#include <QHash>
#include <cstring>
#include <utility>

#include "archivefactory.h"
#include "archivenode.h"
#include "core/fileops.h"
#include "extraction.h"
#include "formmain.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::QS;
using platform::SS;

namespace {
constexpr size_t kMaxEntryName = 512;
}  // namespace

void TFormMain::FolderTreeViewExCreateNode(TFolderTreeViewEx *, TFolderNode *&node) {
  node = CreatingArchiveNode ? new TArchiveNode : new TFolderNode;
}

// The tree never fills an archive's node: it is a file. The button shows that it can be opened.
void TFormMain::FolderTreeViewExExpanded(QTreeWidgetItem *node) {
  if (!node) return;
  for (int i = 0; i < node->childCount(); ++i)
    if (IsArchiveFileNode(*FolderTreeViewEx, node->child(i))) TFolderNode::From(node->child(i))->SetHasChildren(true);
}

void TFormMain::FolderTreeViewExExpanding(QTreeWidgetItem *node) {
  QString path;
  if (!IsArchiveFileNode(*FolderTreeViewEx, node, &path)) return;
  TFolderNode *archive = TFolderNode::From(node);
  if (archive->childCount() == 0) ListArchive(archive, path);
  if (archive->childCount() == 0) archive->SetHasChildren(false);
}

TFolderNode *TFormMain::AddArchiveFolderNode(QTreeWidgetItem *parent, const QString &text) {
  TFolderNode *node = FolderTreeViewEx->CreateNode();
  node->setText(0, text);
  node->SetImages(FolderImage, FolderSelectedImage);
  parent->addChild(node);
  return node;
}

TArchiveNode *TFormMain::AddArchiveEntryNode(QTreeWidgetItem *parent, const QString &text, const QString &fullName,
                                             TFolderNode *archiveNode) {
  struct Creating {
    bool &flag;
    explicit Creating(bool &f) : flag(f) { flag = true; }
    ~Creating() { flag = false; }
  };
  TFolderNode *made = nullptr;
  {
    const Creating creating(CreatingArchiveNode);
    made = FolderTreeViewEx->CreateNode();
  }
  auto *node = static_cast<TArchiveNode *>(made);
  node->setText(0, text);
  const int image =
      EntryExtension(text).compare(QLatin1String("MID"), Qt::CaseInsensitive) == 0 ? MidiImage : TextImage;
  node->SetImages(image, image);
  node->ArchiveNode = archiveNode;
  node->EntryPath = fullName;
  parent->addChild(node);
  return node;
}

// The nodes are put together below a detached parent and handed to the tree in one insertion:
// the view lays out once, not once per entry. Folder levels are matched with case, in listing
// order; a name already seen below a parent is found through a table instead of a walk along
// the parent's children (the same node: the first child with that text).
void TFormMain::ListArchive(TFolderNode *node, const QString &path) {
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
        next = AddArchiveFolderNode(parent, component);
        remember(parent, next);
      }
      parent = next;
      rest.remove(0, slash + 1);
    }
    if (!rest.isEmpty()) remember(parent, AddArchiveEntryNode(parent, rest, fullName, node));
  }
}

// A work folder that can't be made is said once per use that needed it.
QString TFormMain::ExtractSource(const QString &text, bool fresh) {
  const TSource source = TSource::Parse(text);
  const QString path = ::ExtractSource(source, fresh, Session().WorkFolder);
  if (path.isEmpty() && source.IsEntry() && Session().WorkFolder.Path().isEmpty())
    dialogs_.Message(WorkFolderFailureText(Session().WorkFolder));
  return path;
}
