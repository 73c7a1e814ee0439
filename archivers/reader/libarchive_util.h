// Small RAII helpers around libarchive. libarchive converts names with the calling thread's
// locale; the libraries never touch the program's locale, so every use runs under a UTF-8
// locale of its own thread (ScopedUtf8Locale).
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <memory>

namespace arc {

class ScopedLocale {
 public:
  explicit ScopedLocale(const char *name);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale &) = delete;
  ScopedLocale &operator=(const ScopedLocale &) = delete;

 private:
  locale_t locale_ = nullptr;
  locale_t previous_ = nullptr;
};

class ScopedUtf8Locale : public ScopedLocale {
 public:
  ScopedUtf8Locale() : ScopedLocale("C.UTF-8") {}
};

struct ArchiveReadFree {
  void operator()(archive *a) const { archive_read_free(a); }
};
struct ArchiveWriteFree {
  void operator()(archive *a) const { archive_write_free(a); }
};
struct EntryFree {
  void operator()(archive_entry *e) const { archive_entry_free(e); }
};
using ReadArchive = std::unique_ptr<archive, ArchiveReadFree>;
using WriteArchive = std::unique_ptr<archive, ArchiveWriteFree>;
using Entry = std::unique_ptr<archive_entry, EntryFree>;

}  // namespace arc
