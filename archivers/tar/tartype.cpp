#include <sys/stat.h>

#include <cstring>

#include "libarchive_util.h"
#include "reader.h"
#include "tarcommand.h"

namespace tar {

// The values tar32 answers: the compression, and whether a tar lies inside it.
int ArchiveType(const std::string &windowsPath) {
  arc::ScopedUtf8Locale locale;
  const std::string path = arc::LinuxPathOf(windowsPath);
  struct stat st {};
  // A FIFO would block the reader: only regular files are looked at.
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  arc::ReadArchive a(archive_read_new());
  archive_read_support_format_tar(a.get());
  archive_read_support_format_gnutar(a.get());
  archive_read_support_format_raw(a.get());
  archive_read_support_filter_gzip(a.get());
  archive_read_support_filter_bzip2(a.get());
  archive_read_support_filter_compress(a.get());
  if (archive_read_open_filename(a.get(), path.c_str(), 65536) != ARCHIVE_OK) return 0;
  archive_entry *e = nullptr;
  if (archive_read_next_header(a.get(), &e) != ARCHIVE_OK) return 0;
  const bool isTar = archive_format(a.get()) != ARCHIVE_FORMAT_RAW;
  switch (archive_filter_code(a.get(), 0)) {
    case ARCHIVE_FILTER_NONE:
      return isTar ? 1 : 0;
    case ARCHIVE_FILTER_GZIP:
      return isTar ? 2 : 4;
    case ARCHIVE_FILTER_COMPRESS:
      return isTar ? 3 : 5;
    case ARCHIVE_FILTER_BZIP2:
      return isTar ? 6 : 7;
    default:
      return 0;
  }
}

}  // namespace tar
