#include "reader.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/fullpath.h"
#include "core/winpath.h"
#include "destination.h"
#include "errors.h"
#include "libarchive_util.h"
#include "names.h"
#include "session.h"

namespace arc {

namespace {

// Listing a hostile archive holds at most this many entries.
constexpr size_t kMaxEntries = kMaxListedEntries;

ReadArchive OpenReader(const std::string &linuxPath, Family family) {
  ReadArchive a(archive_read_new());
  switch (family) {
    case Family::Zip:
      // Names without the UTF-8 flag come as their bytes and are decoded by NameOf, the same
      // way the listing decodes them, so that a listed name always extracts.
      archive_read_support_format_zip(a.get());
      break;
    case Family::Tar:
      archive_read_support_format_tar(a.get());
      archive_read_support_format_gnutar(a.get());
      // A compressed file that holds no tar ("x.gz") reads as one entry.
      archive_read_support_format_raw(a.get());
      archive_read_support_filter_gzip(a.get());
      archive_read_support_filter_bzip2(a.get());
      archive_read_support_filter_compress(a.get());
      break;
    case Family::Cab:
      archive_read_support_format_cab(a.get());
      break;
    case Family::Rar:
      archive_read_support_format_rar(a.get());
      archive_read_support_format_rar5(a.get());
      break;
  }
  if (archive_read_open_filename(a.get(), linuxPath.c_str(), 65536) != ARCHIVE_OK) return nullptr;
  return a;
}

}  // namespace

std::string NameOf(archive_entry *e) {
  if (const char *utf8 = archive_entry_pathname_utf8(e)) return utf8;
  const char *raw = archive_entry_pathname(e);
  return raw ? DecodeLegacyName(raw) : std::string();
}

namespace {

const char *MethodOf(Family family, archive *a) {
  switch (family) {
    case Family::Zip: return "deflate";
    case Family::Cab: return "cab";
    case Family::Rar: return "rar";
    case Family::Tar:
      switch (archive_filter_code(a, 0)) {
        case ARCHIVE_FILTER_GZIP: return "tgz";
        case ARCHIVE_FILTER_BZIP2: return "tbz";
        case ARCHIVE_FILTER_COMPRESS: return "taz";
        default: return "tar";
      }
  }
  return "";
}

EntryFacts FactsOf(archive_entry *e, Family family, archive *a) {
  EntryFacts f;
  f.name = NameOf(e);
  // Windows tools separate folders with "" (CAB always does); the record uses "/". The name
  // is decoded already, so a double-byte character's second byte is never taken for one.
  std::replace(f.name.begin(), f.name.end(), '\\', '/');
  while (!f.name.empty() && f.name.back() == '/') f.name.pop_back();
  f.isFolder = archive_entry_filetype(e) == AE_IFDIR;
  f.originalSize = archive_entry_size_is_set(e) ? static_cast<uint64_t>(archive_entry_size(e)) : 0;
  f.compressedSize = f.originalSize;
  f.mtime = archive_entry_mtime_is_set(e) ? archive_entry_mtime(e) : -1;
  f.attributes = f.isFolder ? kAttrFolder : kAttrArchive;
  if (!(archive_entry_perm(e) & 0200)) f.attributes |= kAttrReadOnly;
  f.method = MethodOf(family, a);
  return f;
}

// A raw entry is a compressed single file; without a compression filter it would be any
// file at all, which is no archive.
bool IsRaw(archive *a) { return archive_format(a) == ARCHIVE_FORMAT_RAW; }
bool IsBareRaw(archive *a) { return IsRaw(a) && archive_filter_count(a) <= 1; }

// "x.gz" holds "x".
std::string RawName(const std::string &linuxPath) {
  std::string name = linuxPath.substr(linuxPath.find_last_of('/') + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// libarchive's CAB reader can crash skipping over the data of a damaged folder, and reading on
// after such data failed; reading it once fails cleanly. So for CAB every entry's data is
// read, never skipped, and the first failure ends the archive. False after a failure.
bool Drain(archive *a, Family family) {
  if (family != Family::Cab) return true;
  char scratch[16384];
  la_ssize_t n;
  while ((n = archive_read_data(a, scratch, sizeof scratch)) > 0) {
  }
  return n == 0;
}

}  // namespace

std::string LinuxPathOf(const std::string &windowsPath) {
  return platform::ToLinux(platform::ExpandFileName(windowsPath.empty() ? "." : windowsPath));
}

int ListArchive(const std::string &windowsPath, Family family, std::vector<EntryFacts> &entries) {
  ScopedUtf8Locale locale;
  const std::string path = LinuxPathOf(windowsPath);
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kErrArcFileOpen;
  ReadArchive a = OpenReader(path, family);
  if (!a) return kErrNotArcFile;
  for (;;) {
    archive_entry *e = nullptr;
    const int r = archive_read_next_header(a.get(), &e);
    if (r == ARCHIVE_EOF) return kOk;
    if (r == ARCHIVE_FATAL || r == ARCHIVE_RETRY) return entries.empty() ? kErrNotArcFile : kErrHeaderBroken;
    if (entries.size() >= kMaxEntries) return kErrTooManyFiles;
    if (IsBareRaw(a.get())) return kErrNotArcFile;
    entries.push_back(FactsOf(e, family, a.get()));
    if (IsRaw(a.get())) entries.back().name = RawName(path);
    if (!Drain(a.get(), family)) return kErrHeaderBroken;
  }
}

int ExtractArchive(const ExtractRequest &req, Family family, ARC_HWND progress, Output &out) {
  ScopedUtf8Locale locale;
  const std::string path = LinuxPathOf(req.archive);
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kErrArcFileOpen;
  ReadArchive a = OpenReader(path, family);
  if (!a) return kErrNotArcFile;
  Destination dest;
  if (!req.testOnly) {
    const std::string folder = LinuxPathOf(req.folder);
    if (folder.empty() || !dest.Open(folder)) return kErrMakeDirectory;
  }
  const EntrySelector selector(req.files);
  int result = kOk;
  bool any = false;
  std::vector<uint8_t> buffer(1 << 16);
  bool dataFailed = false;
  for (;;) {
    // Whatever of the last entry's data was not read (an entry not chosen).
    if (dataFailed && family == Family::Cab) break;
    if (any && !Drain(a.get(), family)) {
      Keep(result, kErrHeaderBroken);
      break;
    }
    archive_entry *e = nullptr;
    const int r = archive_read_next_header(a.get(), &e);
    if (r == ARCHIVE_EOF) break;
    if (r == ARCHIVE_FATAL || r == ARCHIVE_RETRY) {
      Keep(result, any ? kErrHeaderBroken : kErrNotArcFile);
      break;
    }
    if (IsBareRaw(a.get())) return kErrNotArcFile;
    any = true;
    EntryFacts facts = FactsOf(e, family, a.get());
    if (IsRaw(a.get())) facts.name = RawName(path);
    if (!selector.Selects(facts.name) || req.exclusions.Excludes(facts.name)) continue;
    const auto type = archive_entry_filetype(e);
    if (type != AE_IFREG && type != AE_IFDIR) {
      out.Line("not extracted (not a file): " + facts.name);
      continue;
    }
    if (archive_entry_hardlink(e)) {
      out.Line("not extracted (a link): " + facts.name);
      continue;
    }
    std::vector<std::string> parts;
    if (SplitEntryPath(facts.name, parts) == PathCheck::Refused) {
      out.Line("refused (leaves the folder): " + facts.name);
      Keep(result, kErrNotFilename);
      continue;
    }
    if (facts.isFolder) {
      if (req.keepFolders && !req.testOnly) Keep(result, dest.MakeFolders(parts));
      continue;
    }
    if (!req.keepFolders) parts = {parts.back()};
    if (!req.testOnly && req.overwrite != Overwrite::Always) {
      int64_t existing = 0;
      if (dest.Exists(parts, &existing) && (req.overwrite == Overwrite::Never || existing >= facts.mtime)) continue;
    }
    const std::string shown = JoinParts(parts);
    if (Report(progress, ARC_ARCEXTRACT_BEGIN, facts, shown, 0)) return kErrUserCancel;
    std::unique_ptr<PendingFile> pending;
    if (!req.testOnly) {
      int created = kOk;
      pending = dest.Create(parts, &created);
      if (!pending) {
        Keep(result, created);
        continue;
      }
    }
    int entryResult = kOk;
    uint64_t written = 0;
    for (;;) {
      const la_ssize_t n = archive_read_data(a.get(), buffer.data(), buffer.size());
      if (n == 0) break;
      if (n < 0) {
        out.Line(std::string(archive_error_string(a.get()) ? archive_error_string(a.get()) : "bad data") + ": " +
                 facts.name);
        entryResult = kErrFileCrc;
        dataFailed = true;
        break;
      }
      written += static_cast<uint64_t>(n);
      if (pending && !pending->Write({buffer.data(), static_cast<size_t>(n)})) {
        entryResult = kErrCannotWrite;
        break;
      }
      if (Report(progress, ARC_ARCEXTRACT_INPROCESS, facts, shown, written)) return kErrUserCancel;
    }
    if (entryResult == kOk && pending) {
      const mode_t mode = (archive_entry_perm(e) & 0777) | S_IRUSR | S_IWUSR;
      entryResult = pending->Commit(facts.mtime, mode);
    }
    Keep(result, entryResult);
    if (Report(progress, ARC_ARCEXTRACT_END, facts, shown, written)) return kErrUserCancel;
  }
  return result;
}

}  // namespace arc

namespace arc {

HARC OpenListing(Session &session, const char *windowsPath, Family family) {
  auto listing = std::make_unique<Listing>();
  if (!windowsPath) return nullptr;
  const int r = ListArchive(windowsPath, family, listing->entries);
  if (r == kErrNotArcFile || r == kErrArcFileOpen) return nullptr;
  return session.Add(std::move(listing));
}

int CheckWithReader(const char *windowsPath, int mode, Family family) {
  std::vector<EntryFacts> entries;
  if (!windowsPath || ListArchive(windowsPath, family, entries) != kOk) return 0;
  if (!WantsFullCrcCheck(mode)) return 1;
  ExtractRequest request;
  request.archive = windowsPath;
  request.testOnly = true;
  Output none(nullptr, 0);
  return ExtractArchive(request, family, nullptr, none) == kOk;
}

}  // namespace arc
