// One LHA archive on disk, opened for reading through the codec, and what its entries say
// in the terms of the archiver interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "entryrecord.h"
#include "lha/lha.h"

namespace unlha {

// The interface's result code for a codec error.
int ResultOf(lha::Error e);

class LhaFile {
 public:
  LhaFile() = default;
  ~LhaFile();
  LhaFile(const LhaFile &) = delete;
  LhaFile &operator=(const LhaFile &) = delete;

  // Opens a Windows path: kErrArcFileOpen when it cannot be read.
  int Open(const std::string &windowsPath);
  // Every entry up to the end or the first broken header: kErrNotArcFile when there is no
  // LHA header at all, else the header's error (the entries before it are kept). A first
  // header that fails its CRC or checksum is such an error too, with no entries.
  int ReadEntries(std::vector<lha::Entry> &entries);
  const lha::ArchiveInput &Input() const { return *input_; }
  const std::string &LinuxPath() const { return linuxPath_; }

 private:
  int fd_ = -1;
  std::string linuxPath_;
  std::unique_ptr<lha::FdInput> input_;
};

// The entry's name in UTF-8 with "/" between folders: the UTF-16 names where the header has
// them, else the stored bytes (code page 932, or UTF-8 from Unix tools).
std::string EntryName(const lha::Entry &e);
arc::EntryFacts FactsOf(const lha::Entry &e);
// A Unix symbolic link: a folder entry whose name holds "link|target". Never made on disk.
bool IsLink(const lha::Entry &e);
// Seconds since 1970 for the file written from an entry; -1 when the header has no time.
int64_t EntryTime(const lha::Entry &e);

}  // namespace unlha
