// One ARJ archive opened for the library's commands and listings.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "arcapi.h"
#include "arjformat.h"
#include "entryrecord.h"
#include "lhacommand.h"
#include "output.h"

namespace arj {

int ResultOf(Error e);

class ArjFile {
 public:
  ~ArjFile();
  // kErrArcFileOpen, kErrNotArcFile, or the result of the first bad header (entries before
  // it are kept).
  int Open(const std::string &windowsPath, std::vector<ArjEntry> &entries);
  const lha::ArchiveInput &Input() const { return *input_; }

 private:
  int fd_ = -1;
  std::unique_ptr<lha::FdInput> input_;
};

arc::EntryFacts FactsOf(const ArjEntry &e);

// x, e and t of the LHA-style command line the ARJ driver sends.
int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out);

}  // namespace arj
