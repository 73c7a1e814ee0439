#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "core/atomicfile.h"
#include "errors.h"
#include "filescan.h"
#include "libarchive_util.h"
#include "reader.h"
#include "regularfile.h"
#include "session.h"
#include "tarcommand.h"

namespace tar {

namespace {

la_ssize_t WriteToFile(archive *, void *ctx, const void *buf, size_t n) {
  auto *file = static_cast<platform::AtomicFile *>(ctx);
  return file->Write({static_cast<const char *>(buf), n}) ? static_cast<la_ssize_t>(n) : -1;
}

Compression FromName(const std::string &path) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
  for (const char *ext : {".tgz", ".gz"})
    if (lower.ends_with(ext)) return Compression::Gzip;
  for (const char *ext : {".tbz", ".tbz2", ".bz2"})
    if (lower.ends_with(ext)) return Compression::Bzip2;
  for (const char *ext : {".taz", ".z"})
    if (lower.ends_with(ext)) return Compression::Compress;
  return Compression::None;
}

int AddItem(archive *w, const arc::ScanItem &item) {
  arc::Entry e(archive_entry_new());
  archive_entry_set_pathname_utf8(e.get(), item.storedName.c_str());
  archive_entry_set_mtime(e.get(), item.mtime, 0);
  archive_entry_set_filetype(e.get(), item.isFolder ? AE_IFDIR : AE_IFREG);
  archive_entry_set_perm(e.get(), (item.attributes & arc::kAttrReadOnly) ? 0444 : item.isFolder ? 0755 : 0644);
  archive_entry_set_size(e.get(), item.isFolder ? 0 : static_cast<la_int64_t>(item.size));
  if (archive_write_header(w, e.get()) != ARCHIVE_OK) return arc::kErrCannotWrite;
  if (item.isFolder) return arc::kOk;
  const int fd = arc::OpenRegularFile(item.linuxPath);
  if (fd < 0) return arc::kErrFileOpen;
  char buf[65536];
  int result = arc::kOk;
  uint64_t total = 0;
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) != 0 && total < item.size;) {
    if (n < 0) {
      result = arc::kErrCannotRead;
      break;
    }
    // A tar entry's size is fixed by its header: a file that grew is cut, one that shrank fails.
    const size_t take = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(n), item.size - total));
    if (archive_write_data(w, buf, take) != static_cast<la_ssize_t>(take)) {
      result = arc::kErrCannotWrite;
      break;
    }
    total += take;
  }
  close(fd);
  if (result == arc::kOk && total != item.size) result = arc::kErrCannotRead;
  return result;
}

}  // namespace

int Create(const TarCommand &cmd, ARC_HWND progress, arc::Output &out) {
  arc::ScopedUtf8Locale locale;
  const std::string target = arc::LinuxPathOf(cmd.archive);
  if (target.empty()) return arc::kErrArcFileOpen;
  arc::ScanOptions scan;
  scan.recursion = 2;  // a folder named is packed with its contents, as tar does
  scan.includeHidden = cmd.hidden;
  scan.skipLinuxPath = target;
  std::vector<arc::ScanItem> items;
  if (int r = arc::ScanFiles(cmd.folder, cmd.files, scan, items); r != arc::kOk) return r;

  platform::AtomicFile file(target);
  if (!file.Open()) return arc::kErrTmpOpen;
  arc::WriteArchive w(archive_write_new());
  // Plain ustar headers where they suffice; pax records carry long and non-ASCII names.
  archive_write_set_format_pax_restricted(w.get());
  const Compression c = cmd.compression == Compression::ByName ? FromName(target) : cmd.compression;
  const std::string level = std::to_string(cmd.level);
  switch (c) {
    case Compression::Gzip:
      archive_write_add_filter_gzip(w.get());
      if (cmd.level > 0) archive_write_set_filter_option(w.get(), "gzip", "compression-level", level.c_str());
      break;
    case Compression::Bzip2:
      archive_write_add_filter_bzip2(w.get());
      if (cmd.level > 0) archive_write_set_filter_option(w.get(), "bzip2", "compression-level", level.c_str());
      break;
    case Compression::Compress:
      archive_write_add_filter_compress(w.get());
      break;
    default:
      break;
  }
  if (archive_write_open(w.get(), &file, nullptr, WriteToFile, nullptr) != ARCHIVE_OK) return arc::kErrCannotWrite;
  for (const auto &item : items) {
    arc::EntryFacts facts;
    facts.name = item.storedName;
    facts.originalSize = item.size;
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, facts.name, 0)) return arc::kErrUserCancel;
    if (int r = AddItem(w.get(), item); r != arc::kOk) {
      out.Line("cannot add: " + item.storedName);
      return r;  // nothing replaces the old archive
    }
    if (arc::Report(progress, ARC_ARCEXTRACT_END, facts, facts.name, item.size)) return arc::kErrUserCancel;
  }
  if (archive_write_close(w.get()) != ARCHIVE_OK) return arc::kErrCannotWrite;
  return file.Commit() ? arc::kOk : arc::kErrCannotWrite;
}

int Extract(const TarCommand &cmd, ARC_HWND progress, arc::Output &out) {
  arc::ExtractRequest request;
  request.archive = cmd.archive;
  request.folder = cmd.folder;
  request.files = cmd.files;
  request.keepFolders = cmd.keepFolders;
  request.testOnly = cmd.letter == 't';
  return arc::ExtractArchive(request, arc::Family::Tar, progress, out);
}

}  // namespace tar
