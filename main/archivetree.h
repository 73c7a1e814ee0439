// Archive files in the folder tree: the tree's node factory, marking archives as expandable,
// listing an archive below its node, and the walk from a source down to its entry's node.
#pragma once

#include <QString>

#include "foldertreeviewex.h"
#include "sources.h"

class TArchiveNode;
class TFolderNode;
class QTreeWidgetItem;

// The pictures of archive entries and of the folder levels inside archives. Music entries other
// than MIDI take the picture of their file type.
struct TArchiveImages {
  int Midi = 0, Folder = 0, FolderSelected = 0, Text = 0;
};

class TArchiveTree {
 public:
  explicit TArchiveTree(TFolderTreeViewEx &tree) : tree_(tree) {}

  const TArchiveImages &Images() const { return images_; }
  void SetImages(const TArchiveImages &images) { images_ = images; }

  // The tree's node factory: TArchiveNodes while entries are being added.
  void CreateNode(TFolderNode *&node) const;
  // The tree never fills an archive's node: it is a file. Its button shows that it can be opened.
  void MarkArchivesBelow(QTreeWidgetItem *node) const;
  // An archive's node is about to open: it is listed when it has no children yet.
  void Expanding(QTreeWidgetItem *node);
  // Lists the archive at path below its node: folder levels as plain nodes, listed entries as
  // TArchiveNodes. The archive is closed again whatever happens.
  void List(TFolderNode *node, const QString &path);
  // Selects the node of a source (a file, or "archive|entry" down to the entry's node, opening
  // the archive) whose file is at path; false when the tree has no node for path.
  bool Reveal(const QString &path, const TSource &source);
  // Scrolls the tree so that its selected node keeps three rows above it near the top edge and
  // two full rows below it near the bottom edge.
  void ScrollSelectedNode();

 private:
  TFolderNode *AddFolderNode(QTreeWidgetItem *parent, const QString &text);
  TArchiveNode *AddEntryNode(QTreeWidgetItem *parent, const QString &text, const QString &fullName,
                             TFolderNode *archiveNode);

  // The picture of an entry of this caption.
  int EntryImage(const QString &text) const;

  TFolderTreeViewEx &tree_;
  TArchiveImages images_;
  bool creatingArchiveNode_ = false;
};
