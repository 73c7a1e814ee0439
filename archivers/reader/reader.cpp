#include "reader.h"

#include <sys/stat.h>

#include <algorithm>

#include "errors.h"
#include "libarchive_util.h"
#include "names.h"
#include "session.h"
#include "streamcheck.h"

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
    case Family::Zip:
      return "deflate";
    case Family::Cab:
      return "cab";
    case Family::Rar:
      return "rar";
    case Family::Tar:
      switch (archive_filter_code(a, 0)) {
        case ARCHIVE_FILTER_GZIP:
          return "tgz";
        case ARCHIVE_FILTER_BZIP2:
          return "tbz";
        case ARCHIVE_FILTER_COMPRESS:
          return "taz";
        default:
          return "tar";
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

namespace {

// The compression whose checksums come only at the end of the stream (see streamcheck.h).
Compression ChecksumsOf(archive *a) {
  switch (archive_filter_code(a, 0)) {
    case ARCHIVE_FILTER_GZIP:
      return Compression::Gzip;
    case ARCHIVE_FILTER_BZIP2:
      return Compression::Bzip2;
    default:
      return Compression::None;
  }
}

// libarchive's entries, for the extraction loop. A gzip or bzip2 stream is checked as a
// whole when its end is reached (or reading it failed): until then no entry is checked.
class LibarchiveEntries : public EntryReader {
 public:
  LibarchiveEntries(archive *a, Family family, const std::string &linuxPath, Output &out)
      : a_(a), family_(family), path_(linuxPath), out_(out) {}

  bool ChecksLater() const override { return later_; }
  bool Checked() const override { return checked_; }

  int Next(EntryHeader &header, bool &atEnd) override {
    // A failure in a CAB folder's data ends the archive (see Drain).
    if (dataFailed_ && family_ == Family::Cab) {
      atEnd = true;
      return kOk;
    }
    // Whatever of the last entry's data was not read (an entry not chosen).
    if (any_ && !Drain(a_, family_)) return kErrHeaderBroken;
    archive_entry *e = nullptr;
    const int r = archive_read_next_header(a_, &e);
    if (!any_) {
      later_ = ChecksumsOf(a_) != Compression::None;
      checked_ = !later_;
    }
    if (r == ARCHIVE_EOF) {
      atEnd = true;
      return CheckStream();
    }
    if (r == ARCHIVE_FATAL || r == ARCHIVE_RETRY) {
      // Damaged compressed data reads as a broken (or missing) header too.
      if (CheckStream() != kOk) return kErrFileCrc;
      return any_ ? kErrHeaderBroken : kErrNotArcFile;
    }
    if (IsBareRaw(a_)) return kErrNotArcFile;
    any_ = true;
    header.facts = FactsOf(e, family_, a_);
    if (IsRaw(a_)) header.facts.name = RawName(path_);
    const auto type = archive_entry_filetype(e);
    if (archive_entry_hardlink(e) || type == AE_IFLNK) header.kind = EntryHeader::Kind::Link;
    else if (type == AE_IFDIR) header.kind = EntryHeader::Kind::Folder;
    else if (type != AE_IFREG) header.kind = EntryHeader::Kind::Special;
    header.mode = (archive_entry_perm(e) & 0777) | S_IRUSR | S_IWUSR;
    header.mtime = header.facts.mtime;
    return kOk;
  }

  int Unpack(EntryData &data, std::string &why) override {
    for (;;) {
      const la_ssize_t n = archive_read_data(a_, buffer_.data(), buffer_.size());
      if (n == 0) return kOk;
      if (n < 0) {
        const char *error = archive_error_string(a_);
        why = error ? error : "bad data";
        dataFailed_ = true;
        return kErrFileCrc;
      }
      if (!data.Write({buffer_.data(), static_cast<size_t>(n)})) return kErrCannotWrite;
    }
  }

 private:
  archive *a_;
  Family family_;
  const std::string &path_;
  Output &out_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(1 << 16);
  bool any_ = false;
  bool dataFailed_ = false;
  bool later_ = false;
  bool checked_ = true;

  int CheckStream() {
    if (checked_) return kOk;
    std::string why;
    if (CheckCompressedStream(path_, ChecksumsOf(a_), why) != kOk) {
      out_.Line(why);
      return kErrFileCrc;
    }
    checked_ = true;
    return kOk;
  }
};

}  // namespace

int ExtractArchive(const ExtractRequest &req, Family family, ARC_HWND progress, Output &out) {
  ScopedUtf8Locale locale;
  const std::string path = LinuxPathOf(req.archive);
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kErrArcFileOpen;
  ReadArchive a = OpenReader(path, family);
  if (!a) {
    // Opening reads into the data already: a compressed stream damaged at its start fails it.
    std::string why;
    const bool damaged = family == Family::Tar && CheckCompressedStream(path, CompressionByMagic(path), why) != kOk;
    if (damaged) out.Line(why);
    return damaged ? kErrFileCrc : kErrNotArcFile;
  }
  LibarchiveEntries entries(a.get(), family, path, out);
  return ExtractEntries(entries, req, progress, out);
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
