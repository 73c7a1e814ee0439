#include "foldernode.h"

#include "shellimagelist.h"

void TFolderNode::SetImages(int image, int selected, int overlay) {
  image_ = image;
  selected_ = selected;
  overlay_ = overlay;
  setIcon(0, foldertree::TShellImageList::Instance().NodeIcon(image, selected, overlay));
}

bool TFolderNode::HasChildren() const {
  return childCount() > 0 || childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void TFolderNode::SetHasChildren(bool on) {
  setChildIndicatorPolicy(on ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}
