#include "cabread.h"

#include <dirent.h>
#include <fcntl.h>
#include <libgcab.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "cabimage.h"
#include "errors.h"
#include "extraction.h"
#include "gptr.h"
#include "names.h"
#include "regularfile.h"

namespace cab {

namespace {

// libgcab writes what it unpacks to files. It gets a folder of its own that nobody else can
// write to, and a plain number as each entry's name, so the stored names never reach it: they
// go to the Destination, which keeps every write inside the folder chosen.
class TempFolder {
 public:
  TempFolder() = default;
  ~TempFolder() {
    if (fd_ >= 0) {
      // libgcab may leave a half-written file behind when unpacking fails.
      if (DIR *dir = fdopendir(dup(fd_))) {
        while (const dirent *e = readdir(dir)) {
          const std::string name = e->d_name;
          if (name != "." && name != "..") unlinkat(fd_, name.c_str(), 0);
        }
        closedir(dir);
      }
      close(fd_);
    }
    if (!path_.empty()) rmdir(path_.c_str());
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  bool Open() {
    const char *base = std::getenv("TMPDIR");
    std::string path = std::string(base && *base ? base : "/tmp") + "/melodeck-cab-XXXXXX";
    if (!mkdtemp(path.data())) return false;
    path_ = path;
    fd_ = open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd_ >= 0;
  }
  const std::string &Path() const { return path_; }
  int Fd() const { return fd_; }

 private:
  std::string path_;
  int fd_ = -1;
};

// The file mapped privately: the checksums filled in stay in this process's copy, and only the
// pages they are on are copied. (Archives are not changed while a command reads them; one
// cut short meanwhile would end the reading with SIGBUS.)
class PrivateMapping {
 public:
  explicit PrivateMapping(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || st.st_size <= 0) return;
    void *p = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
    if (p == MAP_FAILED) return;
    data_ = static_cast<uint8_t *>(p);
    size_ = static_cast<size_t>(st.st_size);
  }
  ~PrivateMapping() {
    if (data_) munmap(data_, size_);
  }
  PrivateMapping(const PrivateMapping &) = delete;
  PrivateMapping &operator=(const PrivateMapping &) = delete;
  std::span<uint8_t> Bytes() const { return {data_, size_}; }

 private:
  uint8_t *data_ = nullptr;
  size_t size_ = 0;
};

// An entry as the listing (libarchive) describes it: the name decoded as reader.h decodes
// names without the UTF-8 attribute (valid UTF-8 stays, else code page 932), "\" made "/"
// only after decoding, since a code page 932 character's second byte may be 0x5C. A made-up
// name (see MakeNamesUnique) gives the name it stands for.
using MadeUpNames = std::map<std::string, std::string>;
arc::EntryFacts FactsOf(GCabFile *file, const MadeUpNames &madeUp) {
  arc::EntryFacts f;
  const char *raw = gcab_file_get_name(file);
  const auto stored = madeUp.find(raw ? raw : "");
  f.name = arc::DecodeLegacyName(stored != madeUp.end() ? stored->second : (raw ? raw : ""));
  std::replace(f.name.begin(), f.name.end(), '\\', '/');
  while (!f.name.empty() && f.name.back() == '/') f.name.pop_back();
  f.originalSize = f.compressedSize = gcab_file_get_size(file);
  if (GDateTime *t = gcab_file_get_date_time(file)) {
    const uint32_t date = static_cast<uint32_t>((g_date_time_get_year(t) - 1980) << 9 | g_date_time_get_month(t) << 5 |
                                                g_date_time_get_day_of_month(t));
    const uint32_t time = static_cast<uint32_t>(g_date_time_get_hour(t) << 11 | g_date_time_get_minute(t) << 5 |
                                                g_date_time_get_second(t) / 2);
    f.mtime = arc::UnixFromDos(date << 16 | time);
    g_date_time_unref(t);
  }
  f.attributes = arc::kAttrArchive;
  if (gcab_file_get_attributes(file) & GCAB_FILE_ATTRIBUTE_RDONLY) f.attributes |= arc::kAttrReadOnly;
  f.method = "cab";
  return f;
}

bool Unpackable(GCabFolder *folder) {
  switch (gcab_folder_get_comptype(folder) & GCAB_COMPRESSION_MASK) {
    case GCAB_COMPRESSION_NONE:
    case GCAB_COMPRESSION_MSZIP:
    case GCAB_COMPRESSION_LZX:
      return true;
    default:
      return false;  // Quantum, and numbers the format does not define
  }
}

// libgcab's view of a cabinet held in memory (which must outlive it).
struct Loaded {
  GPtr<GInputStream> stream;
  GPtr<GCabCabinet> cabinet;
  MadeUpNames madeUp;
};

// The bytes are changed: repeated names are made unique first.
bool Load(std::span<uint8_t> cabinetBytes, Loaded &loaded, std::string &why) {
  loaded.madeUp = MakeNamesUnique(cabinetBytes);
  GBytes *bytes = g_bytes_new_static(cabinetBytes.data(), cabinetBytes.size());
  loaded.stream.reset(g_memory_input_stream_new_from_bytes(bytes));
  g_bytes_unref(bytes);
  loaded.cabinet.reset(gcab_cabinet_new());
  GError *error = nullptr;
  if (gcab_cabinet_load(loaded.cabinet.get(), loaded.stream.get(), nullptr, &error)) return true;
  why = error ? error->message : "";
  g_clear_error(&error);
  return false;
}

// Every entry of every folder, in the order of the folders.
template <typename Fn>
void ForEachFile(GCabCabinet *cabinet, Fn fn) {
  GPtrArray *folders = gcab_cabinet_get_folders(cabinet);
  for (guint i = 0; folders && i < folders->len; ++i) {
    auto *folder = static_cast<GCabFolder *>(g_ptr_array_index(folders, i));
    GSList *files = gcab_folder_get_files(folder);
    for (GSList *f = files; f; f = f->next) fn(folder, static_cast<GCabFile *>(f->data));
    g_slist_free(files);
  }
}

// Drives libgcab's extraction. libgcab offers the entries one by one through a callback, in
// the order of their data, and unpacks each taken entry before it offers the next; so when
// an entry is offered (or extraction returns), the entry taken before it is complete.
class Unpacker {
 public:
  Unpacker(EntrySink &sink, arc::Output &out, const TempFolder &temp, GCancellable *cancel, const MadeUpNames &madeUp)
      : sink_(sink), out_(out), temp_(temp), cancel_(cancel), madeUp_(madeUp) {}

  // An entry of a folder libgcab cannot unpack: it is reported, not offered.
  void PassOver(GCabFile *file) { passedOver_.insert(file); }

  static gboolean OnFile(GCabFile *file, gpointer self) { return static_cast<Unpacker *>(self)->Offer(file); }

  // Extraction returned: the entry taken last is complete, or it is the one that broke.
  void Finished(bool ok, const GError *error) {
    if (ok) {
      FinishPending();
      return;
    }
    if (stopped_) return;
    const std::string why = error ? error->message : "data that cannot be unpacked";
    if (pending_) {
      sink_.Broken(*pending_, why);
      pending_.reset();
      arc::Keep(result_, arc::kErrFileCrc);
    } else {
      out_.Line(why);
      arc::Keep(result_, arc::kErrHeaderBroken);
    }
  }

  int Result() const { return result_; }

 private:
  gboolean Offer(GCabFile *file) {
    FinishPending();
    if (stopped_) return FALSE;
    arc::EntryFacts facts = FactsOf(file, madeUp_);
    const bool unpackable = !passedOver_.contains(file);
    switch (sink_.Offer(facts, unpackable)) {
      case Want::Skip:
        return FALSE;
      case Want::Stop:
        Stop();
        return FALSE;
      case Want::Take:
        if (!unpackable) return FALSE;
        break;
    }
    pendingName_ = std::to_string(serial_++);
    gcab_file_set_extract_name(file, pendingName_.c_str());
    pending_ = std::move(facts);
    return TRUE;
  }

  void FinishPending() {
    if (!pending_) return;
    const arc::EntryFacts facts = std::move(*pending_);
    pending_.reset();
    const int fd = openat(temp_.Fd(), pendingName_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    int r;
    const bool whole = fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                       static_cast<uint64_t>(st.st_size) == facts.originalSize;
    if (!whole) {
      sink_.Broken(facts, "unpacked size differs");
      r = arc::kErrFileCrc;
    } else {
      r = sink_.Take(facts, fd);
    }
    if (fd >= 0) close(fd);
    unlinkat(temp_.Fd(), pendingName_.c_str(), 0);
    if (r == arc::kErrUserCancel) Stop();
    else arc::Keep(result_, r);
  }

  void Stop() {
    stopped_ = true;
    result_ = arc::kErrUserCancel;
    g_cancellable_cancel(cancel_);
  }

  EntrySink &sink_;
  arc::Output &out_;
  const TempFolder &temp_;
  GCancellable *cancel_;
  const MadeUpNames &madeUp_;
  std::set<GCabFile *> passedOver_;
  std::optional<arc::EntryFacts> pending_;
  std::string pendingName_;
  uint64_t serial_ = 0;
  bool stopped_ = false;
  int result_ = arc::kOk;
};

}  // namespace

int UnpackCabinet(std::span<uint8_t> file, EntrySink &sink, arc::Output &out) {
  const ptrdiff_t at = FindCabinet(file);
  if (at < 0) return arc::kErrNotArcFile;
  const std::span<uint8_t> cabinetBytes = file.subspan(static_cast<size_t>(at));
  FillMissingChecksums(cabinetBytes);
  TempFolder temp;
  if (!temp.Open()) return arc::kErrTmpOpen;

  Loaded loaded;
  std::string why;
  if (!Load(cabinetBytes, loaded, why)) {
    out.Line("broken cabinet: " + why);
    return arc::kErrHeaderBroken;
  }
  GPtr<GCancellable> cancel(g_cancellable_new());
  Unpacker unpacker(sink, out, temp, cancel.get(), loaded.madeUp);
  ForEachFile(loaded.cabinet.get(), [&](GCabFolder *folder, GCabFile *entry) {
    if (!Unpackable(folder)) unpacker.PassOver(entry);
  });
  GPtr<GFile> where(g_file_new_for_path(temp.Path().c_str()));
  GError *error = nullptr;
  const bool ok = gcab_cabinet_extract_simple(loaded.cabinet.get(), where.get(), &Unpacker::OnFile, &unpacker,
                                              cancel.get(), &error);
  unpacker.Finished(ok, error);
  g_clear_error(&error);
  return unpacker.Result();
}

namespace {

// Extraction and testing through the extraction every library shares, in the order libgcab
// unpacks the entries.
class ExtractSink : public EntrySink {
 public:
  explicit ExtractSink(arc::Extraction &extraction) : x_(extraction) {}

  Want Offer(const arc::EntryFacts &facts, bool unpackable) override {
    header_ = {};
    header_.facts = facts;
    if (!unpackable) {
      header_.kind = arc::EntryHeader::Kind::Unsupported;
      header_.refusal = arc::kErrMethod;
      header_.why = "unknown method";
    }
    // As a new file is made, under the umask; read-only ones without write permission.
    header_.mode = arc::Umasked((facts.attributes & arc::kAttrReadOnly) ? 0444 : 0666);
    header_.mtime = facts.mtime;
    switch (x_.Begin(header_)) {
      case arc::Extraction::Step::Skip:
        return Want::Skip;
      case arc::Extraction::Step::Stop:
        return Want::Stop;
      case arc::Extraction::Step::Take:
        break;
    }
    return Want::Take;
  }

  int Take(const arc::EntryFacts &, int fd) override {
    return x_.Finish(header_, [fd](arc::EntryData &data, std::string &why) {
      std::vector<uint8_t> buffer(1 << 16);
      for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n == 0) return arc::kOk;
        if (n < 0) {
          why = "cannot read the unpacked data";
          return arc::kErrCannotRead;
        }
        if (!data.Write({buffer.data(), static_cast<size_t>(n)})) return arc::kErrCannotWrite;
      }
    });
  }

  void Broken(const arc::EntryFacts &, const std::string &why) override {
    x_.Finish(header_, [&why](arc::EntryData &, std::string &what) {
      what = why;
      return arc::kErrFileCrc;
    });
  }

 private:
  arc::Extraction &x_;
  arc::EntryHeader header_;
};

}  // namespace

int ListCabinet(const std::string &windowsPath, std::vector<arc::EntryFacts> &entries) {
  const int listed = arc::ListArchive(windowsPath, arc::Family::Cab, entries);
  if (listed != arc::kErrHeaderBroken) return listed;
  const int fd = arc::OpenRegularFile(arc::LinuxPathOf(windowsPath));
  if (fd < 0) return listed;
  PrivateMapping file(fd);
  close(fd);
  const ptrdiff_t at = FindCabinet(file.Bytes());
  Loaded loaded;
  std::string why;
  if (at < 0 || !Load(file.Bytes().subspan(static_cast<size_t>(at)), loaded, why)) return listed;
  std::vector<arc::EntryFacts> fromHeaders;
  ForEachFile(loaded.cabinet.get(),
              [&](GCabFolder *, GCabFile *f) { fromHeaders.push_back(FactsOf(f, loaded.madeUp)); });
  entries = std::move(fromHeaders);
  return arc::kOk;
}

int ExtractCabinet(const arc::ExtractRequest &request, ARC_HWND progress, arc::Output &out) {
  const int fd = arc::OpenRegularFile(arc::LinuxPathOf(request.archive));
  if (fd < 0) return arc::kErrArcFileOpen;
  PrivateMapping file(fd);
  close(fd);
  if (FindCabinet(file.Bytes()) < 0) return arc::kErrNotArcFile;
  arc::Extraction extraction(request, progress, out);
  if (int r = extraction.OpenDestination(); r != arc::kOk) return r;
  ExtractSink sink(extraction);
  const int unpacked = UnpackCabinet(file.Bytes(), sink, out);
  if (unpacked == arc::kErrUserCancel) return unpacked;
  extraction.Keep(unpacked);
  return extraction.Result();
}

}  // namespace cab
