// The tree's image list, the stand-in for the system's small-icon list: one icon per index,
// indexes handed out once and kept for the life of the program. The owner keeps indexes (the
// images of a MIDI file, of a folder, of a text file) and hands them to nodes of its own.
#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <functional>
#include <vector>

#include "shellnamespace.h"

namespace foldertree {

// Overlay indexes: drawn over a node's image.
enum { ovShared = 0, ovLink = 1 };

class TShellImageList {
 public:
  static TShellImageList &Instance();

  int Count() const { return static_cast<int>(icons_.size()); }
  QIcon Icon(int index) const;  // a null icon for an index out of range

  // The small icon of an item, or its open-state icon (open folders; other items keep theirs).
  int IndexOf(const ShellItem &item, bool open);
  // The small icon of whatever the path names: a drive, a folder, or a file of that type
  // (files need not exist: the type comes from the name).
  int FileIconIndex(const QString &windowsPath, bool open = false);

  // What a node shows: image when not selected, selectedImage while selected, the overlay
  // (-1 for none) over both. Made once per combination.
  QIcon NodeIcon(int image, int selectedImage, int overlay);

 private:
  TShellImageList() = default;
  int ForKey(const QString &key, const std::function<QIcon()> &make);
  int ForFileName(const QString &name);

  std::vector<QIcon> icons_;
  QHash<QString, int> byKey_;
  QHash<QString, int> byExtension_;
  QHash<quint64, QIcon> composed_;
};

}  // namespace foldertree
