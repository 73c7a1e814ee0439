#include "zipdir.h"

#include <unistd.h>

#include <algorithm>

#include "names.h"

namespace arc {

namespace {

uint16_t U16(const std::string &s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}
uint32_t U32(const std::string &s, size_t at) { return U16(s, at) | static_cast<uint32_t>(U16(s, at + 2)) << 16; }
uint64_t U64(const std::string &s, size_t at) { return U32(s, at) | static_cast<uint64_t>(U32(s, at + 4)) << 32; }

constexpr size_t kEocdSize = 22;
constexpr size_t kMaxComment = 65535;
constexpr size_t kMaxEntries = 1u << 20;
constexpr uint64_t kMaxDirectory = 256u << 20;

// ZIP64 values replace the 32-bit ones that are all ones, in this order.
void ApplyZip64(const std::string &extra, ZipDirEntry &e, bool sizeFull, bool packedFull, bool offsetFull) {
  size_t at = 0;
  while (at + 4 <= extra.size()) {
    const uint16_t id = U16(extra, at), len = U16(extra, at + 2);
    if (at + 4 + len > extra.size()) return;
    if (id == 0x0001) {
      size_t p = at + 4;
      const size_t end = p + len;
      if (sizeFull && p + 8 <= end) e.size = U64(extra, p), p += 8;
      if (packedFull && p + 8 <= end) e.packedSize = U64(extra, p), p += 8;
      if (offsetFull && p + 8 <= end) e.localHeaderOffset = U64(extra, p);
      return;
    }
    at += 4 + len;
  }
}

}  // namespace

bool ReadZipDirectory(uint64_t fileSize, ReadAt read, void *ctx, std::vector<ZipDirEntry> &entries, ZipLayout *layout) {
  ZipLayout found;
  if (fileSize < kEocdSize) return false;
  const uint64_t tailSize = std::min<uint64_t>(fileSize, kEocdSize + kMaxComment);
  std::string tail;
  if (!read(ctx, fileSize - tailSize, tailSize, tail) || tail.size() != tailSize) return false;
  size_t eocd = std::string::npos;
  for (size_t i = tail.size() - kEocdSize + 1; i-- > 0;)
    if (U32(tail, i) == 0x06054b50) {
      eocd = i;
      break;
    }
  if (eocd == std::string::npos) return false;
  const uint64_t eocdPos = fileSize - tailSize + eocd;
  uint64_t count = U16(tail, eocd + 10);
  uint64_t dirSize = U32(tail, eocd + 12);
  uint64_t dirOffset = U32(tail, eocd + 16);
  if ((count == 0xFFFF || dirSize == 0xFFFFFFFF || dirOffset == 0xFFFFFFFF) && eocdPos >= 20) {
    std::string locator, z64;
    if (read(ctx, eocdPos - 20, 20, locator) && locator.size() == 20 && U32(locator, 0) == 0x07064b50) {
      const uint64_t at = U64(locator, 8);
      if (at < fileSize && read(ctx, at, 56, z64) && z64.size() == 56 && U32(z64, 0) == 0x06064b50) {
        found.zip64 = true;
        count = U64(z64, 32);
        dirSize = U64(z64, 40);
        dirOffset = U64(z64, 48);
      }
    }
  }
  if (count > kMaxEntries || dirSize > kMaxDirectory || dirSize > eocdPos) return false;
  // A self-extractor's code in front, not accounted for in the offsets, moves the directory
  // to just before the end record.
  std::string dir;
  auto readDir = [&](uint64_t at) {
    found.dirStart = at;
    return at + dirSize <= fileSize && read(ctx, at, dirSize, dir) && dir.size() == dirSize &&
           (dirSize == 0 || (dirSize >= 4 && U32(dir, 0) == 0x02014b50));
  };
  if (!readDir(dirOffset) && !(eocdPos >= dirSize && readDir(eocdPos - dirSize))) return false;
  found.dirSize = dirSize;
  found.statedOffset = dirOffset;
  found.eocdPos = eocdPos;
  if (layout) *layout = found;
  size_t at = 0;
  for (uint64_t i = 0; i < count; ++i) {
    if (at + 46 > dir.size() || U32(dir, at) != 0x02014b50) return false;
    ZipDirEntry e;
    e.madeBy = static_cast<uint8_t>(dir[at + 5]);
    const uint16_t flags = U16(dir, at + 8);
    e.utf8 = flags & 0x0800;
    e.method = U16(dir, at + 10);
    e.dosTime = static_cast<uint32_t>(U16(dir, at + 14)) << 16 | U16(dir, at + 12);
    e.crc = U32(dir, at + 16);
    e.packedSize = U32(dir, at + 20);
    e.size = U32(dir, at + 24);
    const size_t nameLen = U16(dir, at + 28), extraLen = U16(dir, at + 30), commentLen = U16(dir, at + 32);
    e.externalAttributes = U32(dir, at + 38);
    e.localHeaderOffset = U32(dir, at + 42);
    if (at + 46 + nameLen + extraLen + commentLen > dir.size()) return false;
    e.rawName = dir.substr(at + 46, nameLen);
    ApplyZip64(dir.substr(at + 46 + nameLen, extraLen), e, e.size == 0xFFFFFFFF, e.packedSize == 0xFFFFFFFF,
               e.localHeaderOffset == 0xFFFFFFFF);
    entries.push_back(std::move(e));
    at += 46 + nameLen + extraLen + commentLen;
  }
  return true;
}

bool ReadAtFd(void *ctx, uint64_t offset, size_t length, std::string &out) {
  const int fd = *static_cast<int *>(ctx);
  out.resize(length);
  size_t done = 0;
  while (done < length) {
    const ssize_t n = pread(fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  out.resize(done);
  return done == length;
}

const char *ZipMethodName(uint16_t method) {
  switch (method) {
    case 0:
      return "stored";
    case 8:
      return "deflate";
    case 9:
      return "deflat6";
    case 12:
      return "bzip2";
    case 14:
      return "lzma";
    case 93:
      return "zstd";
    case 95:
      return "xz";
    case 99:
      return "aes";
    default:
      return "unknown";
  }
}

std::string ZipEntryName(const ZipDirEntry &e) {
  if (e.utf8 && IsValidUtf8(e.rawName)) return e.rawName;
  return DecodeLegacyName(e.rawName);
}

}  // namespace arc
