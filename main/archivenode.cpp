#include "archivenode.h"

#include "core/fileops.h"
#include "foldertreeviewex.h"
#include "musicfiles.h"
#include "qtcore/qstr.h"
#include "sources.h"

namespace {
bool SameAscii(const QString &a, const char *b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
}  // namespace

QString EntryExtension(const QString &name) {
  const qsizetype dot = name.lastIndexOf('.');
  return dot < 0 ? name : name.mid(dot + 1);
}

QString PathExtension(const QString &path) {
  const qsizetype dot = path.lastIndexOf('.');
  const qsizetype separator = std::max(path.lastIndexOf('\\'), path.lastIndexOf(':'));
  return dot > separator ? path.mid(dot) : QString();
}

bool IsArchiveEntry(const QTreeWidgetItem *node) {
  const TArchiveNode *entry = TArchiveNode::From(node);
  return entry && entry->ArchiveNode;
}

bool IsArchiveFileNode(const TFolderTreeViewEx &tree, const QTreeWidgetItem *node, QString *path) {
  const TFolderNode *folderNode = TFolderNode::From(node);
  if (!folderNode || !folderNode->ShellData()) return false;
  const QString nodePath = tree.NodePath(node);
  if (path) *path = nodePath;
  const QString ext = PathExtension(nodePath);
  return SameAscii(ext, ".lzh") || SameAscii(ext, ".zip");
}

bool IsMusicNode(const QTreeWidgetItem *node, const QString &path) {
  if (IsArchiveEntry(node)) return IsMusicFileName(node->text(0));
  return IsMusicFileName(path) && platform::FileExists(platform::SS(path));
}

bool IsTextEntryNode(const QTreeWidgetItem *node) {
  if (!IsArchiveEntry(node)) return false;
  const QString ext = EntryExtension(node->text(0));
  return SameAscii(ext, "TXT") || SameAscii(ext, "DOC");
}

bool IsListedEntryName(const QString &name) {
  const QString ext = EntryExtension(name);
  return SameAscii(ext, "MID") || SameAscii(ext, "DOC") || SameAscii(ext, "TXT") || IsMusicFileName(name);
}

QString ArchiveNodePath(const TFolderTreeViewEx &tree, const QTreeWidgetItem *node) {
  const TArchiveNode *entry = TArchiveNode::From(node);
  if (!entry) return {};
  const QString archive = tree.NodePath(entry->ArchiveNode);
  return archive.isEmpty() ? QString() : TSource::Entry(archive, entry->EntryPath).Text();
}
