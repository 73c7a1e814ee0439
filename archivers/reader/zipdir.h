// The central directory of a ZIP archive: what libarchive does not tell about an entry (its
// CRC, packed size and method), read with every size checked against the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arc {

struct ZipDirEntry {
  std::string rawName;
  bool utf8 = false;  // general purpose flag bit 11
  uint16_t method = 0;
  uint32_t crc = 0;
  uint64_t packedSize = 0;
  uint64_t size = 0;
  uint32_t dosTime = 0;  // date << 16 | time
  uint32_t externalAttributes = 0;
  uint8_t madeBy = 0;  // host system
  uint64_t localHeaderOffset = 0;
};

// Where the directory was found: a self-extractor's code in front shifts it from where the
// end record says (shift = dirStart - statedOffset).
struct ZipLayout {
  uint64_t dirStart = 0;
  uint64_t dirSize = 0;
  uint64_t statedOffset = 0;
  uint64_t eocdPos = 0;
  bool zip64 = false;
};

// Reads the directory from the file's bytes through a reader callback (offset, length, out);
// false when it is not a ZIP archive or the directory is broken.
using ReadAt = bool (*)(void *context, uint64_t offset, size_t length, std::string &out);
bool ReadZipDirectory(uint64_t fileSize, ReadAt read, void *context, std::vector<ZipDirEntry> &entries,
                      ZipLayout *layout = nullptr);

// A ReadAt over an open file descriptor (context: a pointer to the int).
bool ReadAtFd(void *fdPointer, uint64_t offset, size_t length, std::string &out);

// "stored", "deflate", ... for the record's method field (at most 7 characters).
const char *ZipMethodName(uint16_t method);

// The name as UTF-8: the flag's UTF-8, else the bytes decoded as other tools' names are.
std::string ZipEntryName(const ZipDirEntry &e);

}  // namespace arc
