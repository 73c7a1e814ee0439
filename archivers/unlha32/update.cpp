#include <fcntl.h>
#include <unistd.h>

#include <optional>

#include "commands.h"
#include "core/atomicfile.h"
#include "core/text.h"
#include "errors.h"
#include "filescan.h"
#include "lhafile.h"
#include "names.h"
#include "regularfile.h"
#include "session.h"
#include "wildcard.h"

namespace unlha {

namespace {

lha::Method MethodOf(int jm) {
  switch (jm) {
    case 0:
      return lha::Method::Stored;
    case 3:
      return lha::Method::Lh6;
    case 4:
      return lha::Method::Lh7;
    default:
      return lha::Method::Lh5;  // -jm1 has no method of its own here
  }
}

// Code page 932 where it can hold the name; otherwise a stand-in with "_" for what it
// cannot hold, and the exact name goes beside it in UTF-16.
void NameFor(const std::string &utf8, lha::NewEntry &e) {
  if (platform::Cp932Encode(utf8, e.name)) return;
  e.name.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t start = i;
    platform::NextCodePoint(utf8, i);
    std::string piece;
    e.name += platform::Cp932Encode(utf8.substr(start, i - start), piece) ? piece : "_";
  }
  e.utf16Name = arc::Utf8ToUtf16(utf8);
}

std::string Folded(const std::string &s) { return platform::FoldCase(s); }

struct Plan {
  // Per old entry: keep it (copy its bytes) or put a new file in its place.
  std::vector<std::optional<size_t>> replaceWith;
  std::vector<bool> drop;
  std::vector<size_t> append;  // new files after the old entries
};

int PackFile(lha::ArchiveWriter &writer, const arc::ScanItem &item) {
  lha::NewEntry ne;
  NameFor(item.storedName, ne);
  ne.unixTime = item.mtime;
  ne.dosTime = arc::DosDateTime(item.mtime);
  ne.attributes = static_cast<uint8_t>(item.isFolder ? arc::kAttrFolder : (item.attributes & 0x27) | arc::kAttrArchive);
  if (item.isFolder) return ResultOf(writer.addFolder(ne));
  const int fd = arc::OpenRegularFile(item.linuxPath);
  if (fd < 0) return arc::kErrFileOpen;
  // Data that does not shrink is read a second time, to be stored.
  lha::CallbackSource source([fd](std::span<uint8_t> buf) -> long { return read(fd, buf.data(), buf.size()); },
                             [fd] { return lseek(fd, 0, SEEK_SET) == 0; });
  const lha::Error e = writer.addFile(ne, source);
  close(fd);
  return e == lha::Error::Io ? arc::kErrCannotRead : ResultOf(e);
}

}  // namespace

int Update(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out) {
  const char letter = cmd.letter;
  if (cmd.headerLevel > 2) return arc::kErrNotSupport;

  LhaFile old;
  std::vector<lha::Entry> entries;
  const bool exists = old.Open(cmd.archive) == arc::kOk;
  if (exists) {
    // An archive that is broken is not rewritten: its damaged part would be lost.
    if (int r = old.ReadEntries(entries); r != arc::kOk) return r;
  } else if (letter == 'd' || letter == 'f') {
    return arc::kErrArcFileOpen;
  }
  const std::string target = old.LinuxPath();
  if (target.empty()) return arc::kErrArcFileOpen;

  std::vector<arc::ScanItem> items;
  if (letter != 'd') {
    arc::ScanOptions scan;
    scan.recursion = cmd.recursion;
    scan.storePaths = cmd.storePaths != 0;
    scan.includeHidden = cmd.attributes > 0;
    scan.skipLinuxPath = target;
    for (const auto &x : cmd.exclusions) scan.exclusions.Add(x);
    if (int r = arc::ScanFiles(cmd.folder, cmd.files, scan, items); r != arc::kOk) return r;
  } else if (cmd.files.empty()) {
    return arc::kErrNotFilename;
  }

  Plan plan;
  plan.replaceWith.resize(entries.size());
  plan.drop.resize(entries.size());
  std::vector<std::string> oldNames;
  for (const auto &e : entries) oldNames.push_back(Folded(EntryName(e)));
  if (letter == 'd') {
    const arc::EntrySelector selector(cmd.files);
    for (size_t i = 0; i < entries.size(); ++i) plan.drop[i] = selector.Selects(EntryName(entries[i]));
  } else {
    for (size_t k = 0; k < items.size(); ++k) {
      const std::string name = Folded(items[k].storedName);
      size_t found = entries.size();
      for (size_t i = 0; i < entries.size(); ++i)
        if (oldNames[i] == name && entries[i].isFolder() == items[k].isFolder) found = i;
      if (found == entries.size()) {
        if (letter != 'f') plan.append.push_back(k);
        continue;
      }
      // u and f take a file only when it is newer than the entry; a replaces it always.
      const bool newer = items[k].mtime > EntryTime(entries[found]);
      if (!items[k].isFolder && (letter == 'a' || newer)) plan.replaceWith[found] = k;
    }
  }

  platform::AtomicFile file(target);
  if (!file.Open()) return arc::kErrTmpOpen;
  lha::WriterOptions wo;
  wo.method = MethodOf(cmd.method);
  wo.level = cmd.headerLevel;
  bool writeFailed = false;
  lha::ArchiveWriter writer(
      [&](std::span<const uint8_t> d) {
        if (!file.Write({reinterpret_cast<const char *>(d.data()), d.size()})) writeFailed = true;
        return !writeFailed;
      },
      wo);

  int result = arc::kOk;
  auto pack = [&](const arc::ScanItem &item) -> int {
    arc::EntryFacts facts;
    facts.name = item.storedName;
    facts.originalSize = item.size;
    facts.isFolder = item.isFolder;
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, item.storedName, 0)) return arc::kErrUserCancel;
    const int r = PackFile(writer, item);
    if (r != arc::kOk) out.Line("cannot pack: " + item.storedName);
    if (arc::Report(progress, ARC_ARCEXTRACT_END, facts, item.storedName, item.size)) return arc::kErrUserCancel;
    return r;
  };
  size_t kept = 0;
  for (size_t i = 0; i < entries.size() && result == arc::kOk; ++i) {
    if (plan.drop[i]) continue;
    ++kept;
    if (plan.replaceWith[i]) {
      result = pack(items[*plan.replaceWith[i]]);
      continue;
    }
    // The entry's bytes as they are: header and packed data.
    const lha::Entry &e = entries[i];
    lha::RangeSource raw(old.Input(), e.headerOffset, e.dataOffset + e.packedSize - e.headerOffset);
    std::vector<uint8_t> buf(65536);
    uint64_t copied = 0;
    for (size_t n; (n = raw.read(buf)) > 0;) {
      copied += n;
      if (!file.Write({reinterpret_cast<const char *>(buf.data()), n})) writeFailed = true;
    }
    if (raw.failed() || copied != e.dataOffset + e.packedSize - e.headerOffset) result = arc::kErrCannotRead;
  }
  for (size_t k : plan.append) {
    if (result != arc::kOk) break;
    ++kept;
    result = pack(items[k]);
  }
  if (result != arc::kOk) return result;  // the old archive stays as it was
  if (writer.finish() != lha::Error::None || writeFailed) return arc::kErrCannotWrite;
  if (kept == 0 && letter == 'd') {
    // Nothing left: as LHA tools do, the archive goes.
    return unlink(target.c_str()) == 0 ? arc::kOk : arc::kErrCannotWrite;
  }
  return file.Commit() ? arc::kOk : arc::kErrCannotWrite;
}

}  // namespace unlha
