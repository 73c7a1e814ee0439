// "-A": an archive behind a self-extractor's code keeps offsets that count from the archive's
// start; this moves them to count from the file's start, as readers of the whole file expect.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/atomicfile.h"
#include "errors.h"
#include "reader.h"
#include "regularfile.h"
#include "zipdir.h"
#include "zipwrite.h"

namespace zip {

namespace {

void Put32(std::string &s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
uint32_t Get32(const std::string &s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
  return v;
}

bool Copy(int fd, uint64_t from, uint64_t length, platform::AtomicFile &out) {
  std::string buf;
  while (length > 0) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(length, 1 << 20));
    if (!arc::ReadAtFd(&fd, from, n, buf) || !out.Write(buf)) return false;
    from += n;
    length -= n;
  }
  return true;
}

}  // namespace

int FixOffsets(const std::string &windowsPath) {
  const std::string path = arc::LinuxPathOf(windowsPath);
  int fd = arc::OpenRegularFile(path);
  if (fd < 0) return arc::kErrArcFileOpen;
  struct stat st {};
  std::vector<arc::ZipDirEntry> entries;
  arc::ZipLayout layout;
  const uint64_t size = fstat(fd, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  if (!arc::ReadZipDirectory(size, arc::ReadAtFd, &fd, entries, &layout)) {
    close(fd);
    return arc::kErrNotArcFile;
  }
  const uint64_t shift = layout.dirStart - layout.statedOffset;
  int result = arc::kOk;
  if (layout.dirStart < layout.statedOffset || layout.zip64) {
    result = layout.zip64 ? arc::kErrNotSupport : arc::kErrHeaderBroken;
  } else if (shift > 0) {
    std::string dir, tail;
    arc::ReadAtFd(&fd, layout.dirStart, layout.dirSize, dir);
    arc::ReadAtFd(&fd, layout.eocdPos, size - layout.eocdPos, tail);
    // Every local header offset of the directory, then the directory's own offset.
    size_t at = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      const size_t nameLen = static_cast<uint8_t>(dir[at + 28]) | static_cast<uint8_t>(dir[at + 29]) << 8;
      const size_t extraLen = static_cast<uint8_t>(dir[at + 30]) | static_cast<uint8_t>(dir[at + 31]) << 8;
      const size_t commentLen = static_cast<uint8_t>(dir[at + 32]) | static_cast<uint8_t>(dir[at + 33]) << 8;
      Put32(dir, at + 42, static_cast<uint32_t>(Get32(dir, at + 42) + shift));
      at += 46 + nameLen + extraLen + commentLen;
    }
    Put32(tail, 16, static_cast<uint32_t>(layout.statedOffset + shift));
    platform::AtomicFile out(path);
    const bool ok =
        out.Open() && Copy(fd, 0, layout.dirStart, out) && out.Write(dir) &&
        Copy(fd, layout.dirStart + layout.dirSize, layout.eocdPos - layout.dirStart - layout.dirSize, out) &&
        out.Write(tail) && out.Commit();
    if (!ok) result = arc::kErrCannotWrite;
  }
  close(fd);
  return result;
}

}  // namespace zip
