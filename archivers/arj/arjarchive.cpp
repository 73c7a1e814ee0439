#include "arjarchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/fullpath.h"
#include "core/winpath.h"
#include "destination.h"
#include "lhaextraction.h"
#include "errors.h"
#include "names.h"
#include "regularfile.h"
#include "session.h"
#include "wildcard.h"

namespace arj {

int ResultOf(Error e) {
  switch (e) {
    case Error::None: return arc::kOk;
    case Error::NotAnArchive: return arc::kErrNotArcFile;
    case Error::BadHeader: return arc::kErrHeaderBroken;
    case Error::HeaderCrc: return arc::kErrHeaderCrc;
    case Error::Truncated: return arc::kErrEof;
    case Error::Unsupported: return arc::kErrNotSupport;
    case Error::BadData: return arc::kErrHuffmanCode;
    case Error::DataCrc: return arc::kErrFileCrc;
    case Error::Aborted: return arc::kErrUserCancel;
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

int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out) {
  ArjFile file;
  std::vector<ArjEntry> entries;
  int result = file.Open(cmd.archive, entries);
  if (result == arc::kErrNotArcFile || result == arc::kErrArcFileOpen) return result;
  const arc::LhaExtraction plan(cmd);
  const bool testOnly = plan.testOnly;
  const bool keepFolders = plan.keepFolders;
  arc::Destination dest;
  if (int r = plan.OpenDestination(dest); r != arc::kOk) return r;
  for (const ArjEntry &entry : entries) {
    if (entry.fileType == kTypeLabel) continue;
    const arc::EntryFacts facts = FactsOf(entry);
    if (!plan.Wants(facts.name)) continue;
    std::vector<std::string> parts;
    if (!plan.Place(facts.name, parts, out, result)) continue;
    if (facts.isFolder) {
      if (keepFolders && !testOnly) arc::Keep(result, dest.MakeFolders(parts));
      continue;
    }
    if (entry.flags & kFlagVolume) {
      // The rest of this file lies in the next volume, which we are not given.
      out.Line("continues in another volume: " + facts.name);
      arc::Keep(result, arc::kErrNotSupport);
      continue;
    }
    if (!keepFolders) parts = {parts.back()};
    const std::string shown = arc::JoinParts(parts);
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, shown, 0)) return arc::kErrUserCancel;
    std::unique_ptr<arc::PendingFile> pending;
    if (!testOnly) {
      int created = arc::kOk;
      pending = dest.Create(parts, &created);
      if (!pending) {
        arc::Keep(result, created);
        continue;
      }
    }
    bool writeFailed = false;
    const Error e = DecodeArjEntry(file.Input(), entry, [&](std::span<const uint8_t> d) {
      if (pending && !pending->Write(d)) writeFailed = true;
      return !writeFailed;
    });
    int entryResult = writeFailed ? arc::kErrCannotWrite : ResultOf(e);
    if (entryResult == arc::kOk && pending) {
      const mode_t mode = entry.hostOs == kHostUnix ? ((entry.mode & 0777) | S_IRUSR | S_IWUSR)
                                                    : ((entry.mode & arc::kAttrReadOnly) ? 0444 : 0644);
      entryResult = pending->Commit(arc::UnixFromDos(entry.dosTime), mode);
    }
    if (entryResult != arc::kOk) out.Line("failed: " + facts.name);
    arc::Keep(result, entryResult);
    if (arc::Report(progress, ARC_ARCEXTRACT_END, facts, shown, facts.originalSize)) return arc::kErrUserCancel;
  }
  return result;
}

}  // namespace arj
