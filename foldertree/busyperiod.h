// A busy period of the folder tree for the length of a scope (see foldertreeviewex.h).
#pragma once

#include "foldertreeviewex.h"

class TFolderTreeViewEx::BusyPeriod {
 public:
  explicit BusyPeriod(TFolderTreeViewEx &tree) : tree_(tree) { tree_.BeginBusy(); }
  ~BusyPeriod() { tree_.EndBusy(); }
  BusyPeriod(const BusyPeriod &) = delete;
  BusyPeriod &operator=(const BusyPeriod &) = delete;

 private:
  TFolderTreeViewEx &tree_;
};
