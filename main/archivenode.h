// Archive entries in the folder tree. Expanding an .lzh or .zip file lists the archive's music
// and text entries below it, with a plain node for each folder level inside the archive; the
// entries themselves are TArchiveNodes, which remember the archive's node and their full name.
//
// An entry is named everywhere (configurations, packages, the edit box, the viewer's caption)
// by its archive-entry path: the archive's full path, "|", the entry's name as listed, with "/"
// between folder levels ("D:\dl\pack.lzh|music/town.mid"): the text of a TSource (sources.h).
#pragma once

#include <QString>

#include "foldernode.h"

class TFolderTreeViewEx;

class TArchiveNode : public TFolderNode {
 public:
  // The node of the archive file that holds this entry (not owned). Entry nodes are its
  // descendants, so it outlives them.
  TFolderNode *ArchiveNode = nullptr;
  // The entry's full name inside the archive exactly as listed: "/" between levels, case kept.
  QString EntryPath;

  static TArchiveNode *From(QTreeWidgetItem *item) { return dynamic_cast<TArchiveNode *>(item); }
  static const TArchiveNode *From(const QTreeWidgetItem *item) { return dynamic_cast<const TArchiveNode *>(item); }
};

// A TArchiveNode whose ArchiveNode is set.
bool IsArchiveEntry(const QTreeWidgetItem *node);
// A node with shell data whose path ends in ".lzh" or ".zip" (case ignored); path gets the path.
bool IsArchiveFileNode(const TFolderTreeViewEx &tree, const QTreeWidgetItem *node, QString *path = nullptr);
// A music node: an archive entry whose caption is a music file's name (musicfiles.h), or a
// file that exists at path and has such a name.
bool IsMusicNode(const QTreeWidgetItem *node, const QString &path);
// An archive entry whose caption's extension is "TXT" or "DOC".
bool IsTextEntryNode(const QTreeWidgetItem *node);
// Entries of these names are shown: extension "MID", "DOC" or "TXT", and music files.
bool IsListedEntryName(const QString &name);
// The archive-entry path of an entry node; empty when its archive's node has no path.
QString ArchiveNodePath(const TFolderTreeViewEx &tree, const QTreeWidgetItem *node);

// The extension as the entry rules use it: the text after the last ".", or the whole name
// when it has none.
QString EntryExtension(const QString &name);
// The file extension of a path, dot included: from the last "." after the last "\" or ":"
// (empty without one).
QString PathExtension(const QString &path);
