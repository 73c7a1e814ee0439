#include "ziplisting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "errors.h"
#include "reader.h"
#include "regularfile.h"
#include "wildcard.h"
#include "zipdir.h"

namespace zip {

namespace {

arc::EntryFacts FactsOf(const arc::ZipDirEntry &z) {
  arc::EntryFacts f;
  f.name = arc::ZipEntryName(z);
  std::replace(f.name.begin(), f.name.end(), '\\', '/');
  f.isFolder = !f.name.empty() && (f.name.back() == '/' || f.name.back() == '\\');
  while (!f.name.empty() && (f.name.back() == '/' || f.name.back() == '\\')) f.name.pop_back();
  f.originalSize = z.size;
  f.compressedSize = z.packedSize;
  f.crc = z.crc;
  f.dosTime = z.dosTime;
  f.method = arc::ZipMethodName(z.method);
  f.osType = z.madeBy;
  // MS-DOS attributes in the low byte; Unix tools put the mode in the high half.
  if (z.madeBy == 3) {
    const uint32_t mode = z.externalAttributes >> 16;
    f.attributes = (mode & 0040000) ? arc::kAttrFolder : arc::kAttrArchive;
    if (mode && !(mode & 0200)) f.attributes |= arc::kAttrReadOnly;
  } else {
    f.attributes = z.externalAttributes & 0x3F;
  }
  if (f.isFolder) f.attributes |= arc::kAttrFolder;
  else if (f.attributes == 0) f.attributes = arc::kAttrArchive;
  return f;
}

}  // namespace

arc::Session &State() {
  static arc::Session session;
  return session;
}

int ListZip(const std::string &windowsPath, std::vector<arc::EntryFacts> &entries) {
  const std::string path = arc::LinuxPathOf(windowsPath);
  if (path.empty()) return arc::kErrArcFileOpen;
  int fd = arc::OpenRegularFile(path);
  if (fd < 0) return arc::kErrArcFileOpen;
  struct stat st {};
  std::vector<arc::ZipDirEntry> dir;
  const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                  arc::ReadZipDirectory(static_cast<uint64_t>(st.st_size), arc::ReadAtFd, &fd, dir);
  close(fd);
  if (!ok) return arc::kErrNotArcFile;
  for (const auto &z : dir) entries.push_back(FactsOf(z));
  return arc::kOk;
}

std::vector<std::string> Unescape(const std::vector<std::string> &patterns) {
  std::vector<std::string> out;
  for (const auto &p : patterns) out.push_back(arc::UnescapeBrackets(p));
  return out;
}

}  // namespace zip
