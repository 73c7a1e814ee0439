#include "arjarchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/fullpath.h"
#include "core/winpath.h"
#include "lhaextraction.h"
#include "errors.h"
#include "names.h"
#include "regularfile.h"

namespace arj {

int ResultOf(Error e) {
  switch (e) {
    case Error::None:
      return arc::kOk;
    case Error::NotAnArchive:
      return arc::kErrNotArcFile;
    case Error::BadHeader:
      return arc::kErrHeaderBroken;
    case Error::HeaderCrc:
      return arc::kErrHeaderCrc;
    case Error::Truncated:
      return arc::kErrEof;
    case Error::Unsupported:
      return arc::kErrNotSupport;
    case Error::BadData:
      return arc::kErrHuffmanCode;
    case Error::DataCrc:
      return arc::kErrFileCrc;
    case Error::Aborted:
      return arc::kErrUserCancel;
  }
  return arc::kErrHeaderBroken;
}

ArjFile::~ArjFile() {
  if (fd_ >= 0) close(fd_);
}

int ArjFile::Open(const std::string &windowsPath, std::vector<ArjEntry> &entries) {
  const std::string path = platform::ToLinux(platform::ExpandFileName(windowsPath));
  if (path.empty()) return arc::kErrArcFileOpen;
  fd_ = arc::OpenRegularFile(path);
  if (fd_ < 0) return arc::kErrArcFileOpen;
  input_ = std::make_unique<lha::FdInput>(fd_);
  if (!input_->valid()) return arc::kErrArcFileOpen;
  const Error e = ReadArjEntries(*input_, entries);
  if (e == Error::NotAnArchive || (e != Error::None && entries.empty())) return arc::kErrNotArcFile;
  return ResultOf(e);
}

arc::EntryFacts FactsOf(const ArjEntry &e) {
  arc::EntryFacts f;
  f.name = arc::DecodeLegacyName(e.rawName);
  std::replace(f.name.begin(), f.name.end(), '\\', '/');
  while (!f.name.empty() && f.name.back() == '/') f.name.pop_back();
  f.isFolder = e.fileType == kTypeFolder;
  f.originalSize = e.originalSize;
  f.compressedSize = e.packedSize;
  f.crc = e.crc;
  f.dosTime = e.dosTime;
  f.osType = e.hostOs;
  if (e.hostOs == kHostUnix) {
    f.attributes = f.isFolder ? arc::kAttrFolder : arc::kAttrArchive;
    if (!(e.mode & 0200)) f.attributes |= arc::kAttrReadOnly;
  } else {
    f.attributes = e.mode & 0x3F;
    if (f.attributes == 0 && !f.isFolder) f.attributes = arc::kAttrArchive;
  }
  static const char *const kMethods[] = {"-arj0-", "-arj1-", "-arj2-", "-arj3-", "-arj4-"};
  f.method = e.method < 5 ? kMethods[e.method] : "-arj?-";
  return f;
}

namespace {

// The entries read from the headers, unpacked by our decoders.
class ArjEntries : public arc::EntryReader {
 public:
  ArjEntries(const lha::ArchiveInput &input, const std::vector<ArjEntry> &entries) : input_(input), entries_(entries) {}

  int Next(arc::EntryHeader &header, bool &atEnd) override {
    while (next_ < entries_.size() && entries_[next_].fileType == kTypeLabel) ++next_;
    if (next_ == entries_.size()) {
      atEnd = true;
      return arc::kOk;
    }
    const ArjEntry &entry = entries_[next_++];
    header.facts = FactsOf(entry);
    if (header.facts.isFolder) {
      header.kind = arc::EntryHeader::Kind::Folder;
    } else if (entry.flags & kFlagVolume) {
      // The rest of this file lies in the next volume, which we are not given.
      header.kind = arc::EntryHeader::Kind::Unsupported;
      header.refusal = arc::kErrNotSupport;
      header.why = "continues in another volume";
    }
    header.mode = entry.hostOs == kHostUnix ? ((entry.mode & 0777) | S_IRUSR | S_IWUSR)
                                            : ((entry.mode & arc::kAttrReadOnly) ? 0444 : 0644);
    header.mtime = arc::UnixFromDos(entry.dosTime);
    return arc::kOk;
  }

  int Unpack(arc::EntryData &data, std::string &why) override {
    const Error e =
        DecodeArjEntry(input_, entries_[next_ - 1], [&data](std::span<const uint8_t> d) { return data.Write(d); });
    if (e != Error::None) why = "failed";
    return ResultOf(e);
  }

 private:
  const lha::ArchiveInput &input_;
  const std::vector<ArjEntry> &entries_;
  size_t next_ = 0;
};

}  // namespace

int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out) {
  ArjFile file;
  std::vector<ArjEntry> entries;
  const int found = file.Open(cmd.archive, entries);
  if (found == arc::kErrNotArcFile || found == arc::kErrArcFileOpen) return found;
  ArjEntries reader(file.Input(), entries);
  return arc::ExtractEntries(reader, arc::LhaExtractRequest(cmd), progress, out, found);
}

}  // namespace arj
