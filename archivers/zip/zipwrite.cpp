#include "zipwrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>

#include "core/atomicfile.h"
#include "core/text.h"
#include "errors.h"
#include "filescan.h"
#include "libarchive_util.h"
#include "reader.h"
#include "regularfile.h"
#include "session.h"
#include "wildcard.h"
#include "ziplisting.h"

namespace zip {

namespace {

la_ssize_t WriteToFile(archive *, void *ctx, const void *buf, size_t n) {
  auto *file = static_cast<platform::AtomicFile *>(ctx);
  return file->Write({static_cast<const char *>(buf), n}) ? static_cast<la_ssize_t>(n) : -1;
}

// Windows tools read names without the UTF-8 flag as code page 932: names it can hold are
// written that way; the others with the flag, so that nothing is lost. libarchive sets the
// flag for a name that is not ASCII when the locale is UTF-8 and copies the bytes as they are
// otherwise, so the header is written under the locale that gives the form we want.
int WriteNamedHeader(archive *w, archive_entry *e, const std::string &utf8) {
  std::string cp932;
  const bool legacy = platform::Cp932Encode(utf8, cp932);
  archive_entry_copy_pathname(e, legacy ? cp932.c_str() : utf8.c_str());
  arc::ScopedLocale locale(legacy ? "C" : "C.UTF-8");
  return archive_write_header(w, e) == ARCHIVE_OK ? arc::kOk : arc::kErrCannotWrite;
}

int AddItem(archive *w, const arc::ScanItem &item) {
  arc::Entry e(archive_entry_new());
  archive_entry_set_mtime(e.get(), item.mtime, 0);
  archive_entry_set_filetype(e.get(), item.isFolder ? AE_IFDIR : AE_IFREG);
  archive_entry_set_perm(e.get(), (item.attributes & arc::kAttrReadOnly) ? 0444 : item.isFolder ? 0755 : 0644);
  archive_entry_set_size(e.get(), item.isFolder ? 0 : static_cast<la_int64_t>(item.size));
  if (int r = WriteNamedHeader(w, e.get(), item.isFolder ? item.storedName + "/" : item.storedName); r != arc::kOk)
    return r;
  if (item.isFolder) return arc::kOk;
  const int fd = arc::OpenRegularFile(item.linuxPath);
  if (fd < 0) return arc::kErrFileOpen;
  char buf[65536];
  int result = arc::kOk;
  uint64_t total = 0;
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) != 0;) {
    if (n < 0 || archive_write_data(w, buf, static_cast<size_t>(n)) != n) {
      result = n < 0 ? arc::kErrCannotRead : arc::kErrCannotWrite;
      break;
    }
    total += static_cast<uint64_t>(n);
  }
  close(fd);
  // A file that changed size while it was read would leave a wrong header behind.
  if (result == arc::kOk && total != item.size) result = arc::kErrCannotRead;
  return result;
}

// Copies one entry of the old archive as it reads (its data is packed anew).
int CopyEntry(archive *r, archive *w, archive_entry *old) {
  arc::Entry e(archive_entry_new());
  const bool folder = archive_entry_filetype(old) == AE_IFDIR;
  std::string name = arc::NameOf(old);
  if (folder && (name.empty() || name.back() != '/')) name += '/';
  archive_entry_set_mtime(e.get(), archive_entry_mtime(old), 0);
  archive_entry_set_filetype(e.get(), folder ? AE_IFDIR : AE_IFREG);
  archive_entry_set_perm(e.get(), archive_entry_perm(old));
  archive_entry_set_size(e.get(), folder ? 0 : archive_entry_size(old));
  if (int res = WriteNamedHeader(w, e.get(), name); res != arc::kOk) return res;
  char buf[65536];
  for (la_ssize_t n; (n = archive_read_data(r, buf, sizeof buf)) != 0;) {
    if (n < 0) return arc::kErrFileCrc;
    if (archive_write_data(w, buf, static_cast<size_t>(n)) != n) return arc::kErrCannotWrite;
  }
  return arc::kOk;
}

std::string Key(std::string name) {
  while (!name.empty() && name.back() == '/') name.pop_back();
  return platform::FoldCase(name);
}

}  // namespace

int RunZip(const ZipCommand &cmd, ARC_HWND progress, arc::Output &out) {
  if (cmd.op == 'A') return FixOffsets(cmd.archive);
  arc::ScopedUtf8Locale locale;
  const std::string target = arc::LinuxPathOf(cmd.archive);
  if (target.empty()) return arc::kErrArcFileOpen;
  const bool exists = access(target.c_str(), F_OK) == 0;
  if (!exists && cmd.op != 'a') return arc::kErrArcFileOpen;

  std::vector<arc::ScanItem> items;
  if (cmd.op != 'd') {
    arc::ScanOptions scan;
    scan.recursion = cmd.recurse ? 2 : 0;
    scan.storePaths = !cmd.junkPaths;
    scan.includeHidden = cmd.hidden;
    scan.folderEntries = cmd.folderEntries;
    scan.skipLinuxPath = target;
    if (int r = arc::ScanFiles(cmd.folder, cmd.files, scan, items); r != arc::kOk) return r;
  } else if (cmd.files.empty()) {
    return arc::kErrNotFilename;
  }
  std::map<std::string, size_t> byName;
  for (size_t i = 0; i < items.size(); ++i) byName.emplace(Key(items[i].storedName), i);

  platform::AtomicFile file(target);
  if (!file.Open()) return arc::kErrTmpOpen;
  arc::WriteArchive w(archive_write_new());
  archive_write_set_format_zip(w.get());
  if (cmd.level == 0) archive_write_zip_set_compression_store(w.get());
  else archive_write_zip_set_compression_deflate(w.get());
  if (cmd.level > 0)
    archive_write_set_format_option(w.get(), "zip", "compression-level", std::to_string(cmd.level).c_str());
  if (archive_write_open(w.get(), &file, nullptr, WriteToFile, nullptr) != ARCHIVE_OK) return arc::kErrCannotWrite;

  int result = arc::kOk;
  int64_t newest = 0;
  size_t written = 0;
  std::vector<bool> used(items.size());
  auto add = [&](size_t i) -> int {
    arc::EntryFacts facts;
    facts.name = items[i].storedName;
    facts.originalSize = items[i].size;
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, facts.name, 0)) return arc::kErrUserCancel;
    used[i] = true;
    newest = std::max(newest, items[i].mtime);
    ++written;
    const int r = AddItem(w.get(), items[i]);
    if (r != arc::kOk) out.Line("cannot add: " + items[i].storedName);
    return r;
  };

  if (exists) {
    std::vector<arc::EntryFacts> listed;
    if (int r = ListZip(cmd.archive, listed); r != arc::kOk) return r;
    const std::string linux = target;
    arc::ReadArchive r(archive_read_new());
    archive_read_support_format_zip(r.get());
    if (archive_read_open_filename(r.get(), linux.c_str(), 65536) != ARCHIVE_OK) return arc::kErrNotArcFile;
    const arc::EntrySelector doomed(cmd.files);  // consulted by "-d" only
    archive_entry *old = nullptr;
    for (int h; result == arc::kOk && (h = archive_read_next_header(r.get(), &old)) != ARCHIVE_EOF;) {
      if (h == ARCHIVE_FATAL || h == ARCHIVE_RETRY) {
        result = arc::kErrHeaderBroken;
        break;
      }
      const std::string name = arc::NameOf(old);
      if (cmd.op == 'd' && doomed.Selects(name)) continue;
      auto it = byName.find(Key(name));
      if (it != byName.end() && !used[it->second]) {
        // -u and -f take a file only when it is newer than the entry.
        const bool newer = items[it->second].mtime > archive_entry_mtime(old);
        if (!(cmd.update || cmd.op == 'f') || newer) {
          result = add(it->second);
          continue;
        }
        used[it->second] = true;
      }
      newest = std::max<int64_t>(newest, archive_entry_mtime(old));
      ++written;
      result = CopyEntry(r.get(), w.get(), old);
    }
  }
  for (size_t i = 0; i < items.size() && result == arc::kOk; ++i)
    if (!used[i] && cmd.op == 'a') result = add(i);
  if (result != arc::kOk) return result;  // the old archive stays as it was
  if (archive_write_close(w.get()) != ARCHIVE_OK) return arc::kErrCannotWrite;
  if (written == 0 && cmd.op == 'd') return unlink(target.c_str()) == 0 ? arc::kOk : arc::kErrCannotWrite;
  if (cmd.newestTime && written > 0) file.SetModified({newest, 0});
  return file.Commit() ? arc::kOk : arc::kErrCannotWrite;
}

}  // namespace zip
