// The window's ten 16 × 16 pictures, shared by the menus and the flat tool bars.
#pragma once

#include <QIcon>
#include <array>

enum TImageIndex {
  imgPlay = 0,      // black play triangle
  imgStop = 1,      // black stop square
  imgApply = 2,     // music document
  imgExit = 3,      // door
  imgFileJump = 4,  // music document with an arrow on its left
  imgDelete = 5,    // recycle bin
  imgNew = 6,       // blank new document with sparkles
  imgHelp = 7,      // help book
  imgCheck = 8,     // check mark of a checked item
  imgRadio = 9,     // small right-pointing triangle of the chosen radio item
  kImageCount = 10,
};

class TImageList {
 public:
  TImageList();
  const QIcon &Icon(int index) const { return icons_.at(static_cast<size_t>(index)); }

 private:
  std::array<QIcon, kImageCount> icons_;
};
