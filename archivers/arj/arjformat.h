// ARJ archives: the headers (main header, then one local header per entry, each with its own
// CRC-32) and the entries' data, methods 0 (stored), 1 to 3 (LZ77 with block Huffman coding,
// the same bit stream as LHA's -lh7-) and 4 (LZ77 with fixed-width codes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lha/io.h"

namespace arj {

enum class Error { None, NotAnArchive, BadHeader, HeaderCrc, Truncated, Unsupported, BadData, DataCrc, Aborted };

struct ArjEntry {
  std::string rawName;  // as stored: the host's code page, "\" or "/" between folders
  uint8_t hostOs = 0;
  uint8_t flags = 0;
  uint8_t method = 0;
  uint8_t fileType = 0;  // 0 binary, 1 text, 3 folder, 4 volume label
  uint32_t dosTime = 0;  // local time, also for Unix hosts, which store seconds since 1970
  uint32_t packedSize = 0;
  uint32_t originalSize = 0;
  uint32_t crc = 0;
  uint16_t mode = 0;  // MS-DOS attributes, or the Unix mode from Unix hosts
  uint64_t dataOffset = 0;
};

constexpr uint8_t kFlagGarbled = 0x01;  // enciphered with a password
constexpr uint8_t kFlagVolume = 0x04;   // continues in the next volume
constexpr uint8_t kHostUnix = 2;
constexpr uint8_t kTypeFolder = 3;
constexpr uint8_t kTypeLabel = 4;

// The largest basic header the format allows.
constexpr uint16_t kMaxBasicHeader = 2600;
// How far into a file (a self-extractor's code) the main header is looked for.
constexpr uint64_t kMaxSearch = 512 * 1024;

// Every entry, stopping at the first bad header (the entries before it are kept).
Error ReadArjEntries(const lha::ArchiveInput &in, std::vector<ArjEntry> &entries);

uint32_t Crc32(uint32_t crc, const uint8_t *data, size_t size);

// Unpacks an entry's data into the sink and checks its CRC-32.
Error DecodeArjEntry(const lha::ArchiveInput &in, const ArjEntry &e, const lha::Sink &sink);

}  // namespace arj
