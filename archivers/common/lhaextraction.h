// What an extract or test command of the LHA syntax asks for, as the LHA and ARJ libraries
// both carry it out: the destination, with or without stored folders, and which entries.
#pragma once

#include <string>
#include <vector>

#include "destination.h"
#include "lhacommand.h"
#include "output.h"
#include "wildcard.h"

namespace arc {

class LhaExtraction {
 public:
  explicit LhaExtraction(const LhaCommand &cmd);

  // Opens the destination folder (the current one when the command names none); nothing to
  // open for a test. kOk or kErrMakeDirectory.
  int OpenDestination(Destination &dest) const;
  // Whether the named entry is selected by the file list and not excluded by -jx.
  bool Wants(const std::string &name) const;
  // Splits an entry name into the parts it is written under. A name that would leave the
  // destination is reported, recorded in result and answers false.
  bool Place(const std::string &name, std::vector<std::string> &parts, Output &out, int &result) const;

  const bool testOnly;
  const bool keepFolders;

 private:
  std::string folder_;
  EntrySelector selector_;
  Exclusions exclusions_;
};

}  // namespace arc
