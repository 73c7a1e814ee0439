#include "lhafile.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/fullpath.h"
#include "core/winpath.h"
#include "errors.h"
#include "names.h"
#include "regularfile.h"
#include "session.h"

namespace unlha {

int ResultOf(lha::Error e) {
  switch (e) {
    case lha::Error::None:
      return arc::kOk;
    case lha::Error::Truncated:
      return arc::kErrEof;
    case lha::Error::BadHeader:
      return arc::kErrHeaderBroken;
    case lha::Error::HeaderChecksum:
      return arc::kErrHeaderCrc;
    case lha::Error::NotAnArchive:
      return arc::kErrNotArcFile;
    case lha::Error::UnsupportedMethod:
      return arc::kErrMethod;
    case lha::Error::BadData:
      return arc::kErrHuffmanCode;
    case lha::Error::DataCrc:
      return arc::kErrFileCrc;
    case lha::Error::TooLarge:
      return arc::kErrMoreHeapMemory;
    case lha::Error::Io:
      return arc::kErrCannotWrite;
    case lha::Error::Aborted:
      return arc::kErrUserCancel;
    case lha::Error::InvalidArgument:
      return arc::kErrNotFilename;
  }
  return arc::kErrHeaderBroken;
}

LhaFile::~LhaFile() {
  if (fd_ >= 0) close(fd_);
}

int LhaFile::Open(const std::string &windowsPath) {
  linuxPath_ = platform::ToLinux(platform::ExpandFileName(windowsPath));
  if (linuxPath_.empty()) return arc::kErrArcFileOpen;
  fd_ = arc::OpenRegularFile(linuxPath_);
  if (fd_ < 0) return arc::kErrArcFileOpen;
  input_ = std::make_unique<lha::FdInput>(fd_);
  return input_->valid() ? arc::kOk : arc::kErrArcFileOpen;
}

int LhaFile::ReadEntries(std::vector<lha::Entry> &entries) {
  lha::ArchiveReader reader(*input_);
  if (lha::Error e = reader.open(); e != lha::Error::None)
    return e == lha::Error::HeaderChecksum ? ResultOf(e) : arc::kErrNotArcFile;
  for (;;) {
    lha::Entry entry;
    bool atEnd = false;
    if (lha::Error e = reader.next(entry, atEnd); e != lha::Error::None)
      return entries.empty() ? arc::kErrNotArcFile : ResultOf(e);
    if (atEnd) return arc::kOk;
    if (entries.size() >= arc::kMaxListedEntries) return arc::kErrTooManyFiles;
    entries.push_back(std::move(entry));
  }
}

bool IsLink(const lha::Entry &e) { return e.unixMode && (*e.unixMode & 0xF000) == 0xA000; }

std::string EntryName(const lha::Entry &e) {
  if (IsLink(e)) {
    // The listing shows the link's own name; its target is nobody's business here.
    lha::Entry named = e;
    named.unixMode.reset();
    named.name = e.name.substr(0, e.name.find('|'));
    named.utf16Folder.clear();
    return EntryName(named);
  }
  const size_t cut = e.name.rfind('/');
  const std::string cpFolder = e.isFolder() ? e.name : cut == std::string::npos ? "" : e.name.substr(0, cut);
  const std::string cpFile = e.isFolder() ? "" : cut == std::string::npos ? e.name : e.name.substr(cut + 1);
  auto decode = [&e](const std::string &bytes) {
    // Unix tools write names in the system's encoding, these days UTF-8.
    if (e.osId == lha::kOsUnix && arc::IsValidUtf8(bytes)) return bytes;
    return arc::DecodeLegacyName(bytes);
  };
  const std::string folder = !e.utf16Folder.empty() ? arc::Utf16ToUtf8(e.utf16Folder) : decode(cpFolder);
  const std::string file = !e.utf16Name.empty() ? arc::Utf16ToUtf8(e.utf16Name) : decode(cpFile);
  if (e.isFolder()) return folder;
  return folder.empty() ? file : folder + "/" + file;
}

int64_t EntryTime(const lha::Entry &e) {
  if (e.unixTime) return *e.unixTime;
  return arc::UnixFromDos(e.dosTime);
}

arc::EntryFacts FactsOf(const lha::Entry &e) {
  arc::EntryFacts f;
  f.name = EntryName(e);
  f.originalSize = e.originalSize;
  f.compressedSize = e.packedSize;
  f.crc = e.crc;
  f.mtime = e.unixTime ? *e.unixTime : -1;
  f.dosTime = e.dosTime;
  f.isFolder = e.isFolder() && !IsLink(e);
  f.attributes = e.attributes;
  if (f.attributes == 0 && !f.isFolder) f.attributes = arc::kAttrArchive;
  f.method = e.method;
  f.osType = e.osId;
  return f;
}

}  // namespace unlha
