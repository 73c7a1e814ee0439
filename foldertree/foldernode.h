// A node of the folder tree. Nodes the tree makes for shell items carry the item (their shell
// data); nodes the owner adds (archive entries and their folders) carry none, and every path
// operation treats them as having no path. The owner may derive its own node class from this
// one and hand it out through the tree's OnCreateNode.
#pragma once

#include <QTreeWidgetItem>
#include <memory>

#include "shellnamespace.h"

class TFolderNode : public QTreeWidgetItem {
 public:
  static constexpr int Type = QTreeWidgetItem::UserType + 1;
  TFolderNode() : QTreeWidgetItem(Type) { setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled); }

  // Null for nodes the owner made.
  const foldertree::ShellItem *ShellData() const { return data_.get(); }
  void SetShellData(foldertree::ShellItem item) { data_ = std::make_unique<foldertree::ShellItem>(std::move(item)); }

  // Indexes into the tree's image list; the icon follows them.
  int ImageIndex() const { return image_; }
  int SelectedIndex() const { return selected_; }
  int OverlayIndex() const { return overlay_; }
  void SetImageIndex(int index) { SetImages(index, selected_, overlay_); }
  void SetSelectedIndex(int index) { SetImages(image_, index, overlay_); }
  void SetOverlayIndex(int index) { SetImages(image_, selected_, index); }
  void SetImages(int image, int selected, int overlay = -1);

  // The expand-button mark: shown before the node's children are read. A node with children
  // always has one.
  bool HasChildren() const;
  void SetHasChildren(bool on);

  static TFolderNode *From(QTreeWidgetItem *item) { return dynamic_cast<TFolderNode *>(item); }
  static const TFolderNode *From(const QTreeWidgetItem *item) { return dynamic_cast<const TFolderNode *>(item); }

 private:
  std::unique_ptr<foldertree::ShellItem> data_;
  int image_ = -1;
  int selected_ = -1;
  int overlay_ = -1;
};
