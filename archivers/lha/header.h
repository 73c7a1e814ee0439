// LHA entry headers, levels 0 to 3: what one entry says about itself, and reading and
// writing it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "error.h"
#include "io.h"

namespace lha {

// OS ids at the header's creator byte.
constexpr std::uint8_t kOsMsDos = 'M';
constexpr std::uint8_t kOsUnix = 'U';

struct Entry {
  std::string method;  // the five-byte id, e.g. "-lh5-"
  std::uint64_t packedSize = 0;
  std::uint64_t originalSize = 0;
  std::uint32_t dosTime = 0;             // MS-DOS date << 16 | time, local time; 0 when not stored
  std::optional<std::int64_t> unixTime;  // seconds since 1970 UTC, where the header has them
  std::uint8_t attributes = 0;           // MS-DOS attribute bits
  std::optional<std::uint16_t> unixMode;
  std::uint8_t osId = 0;  // 0 for level 0, which has no creator byte
  int level = 0;
  bool hasCrc = true;     // a few level-0 writers stored no data CRC
  std::uint16_t crc = 0;  // CRC-16 of the original data
  // The path as stored, code page 932 bytes, folder parts joined by '/'. Folder entries have
  // no trailing '/'. Amiga tools append a comment after a NUL; it is cut off.
  std::string name;
  // The UTF-16 names (ext 0x44 file name, 0x45 folder with '/' separators) where stored.
  std::u16string utf16Name;
  std::u16string utf16Folder;
  std::uint64_t headerOffset = 0;
  std::uint32_t headerSize = 0;
  std::uint64_t dataOffset = 0;  // packedSize bytes from here

  bool isFolder() const { return method == "-lhd-"; }
};

// Headers larger than this are refused (level 3 and level-1 extensions could claim more).
constexpr std::uint32_t kMaxHeaderSize = 65536;

enum class HeaderStatus { Entry, End };

// Reads the header at offset. End: the archive's zero byte or the end of the input.
Error readHeader(const ArchiveInput &in, std::uint64_t offset, Entry &out, HeaderStatus &status);

// Finds the first header: at offset 0, or after junk such as a self-extractor's code within
// the first kMaxJunk bytes.
constexpr std::uint32_t kMaxJunk = 128 * 1024;
Error findFirstHeader(const ArchiveInput &in, std::uint64_t &offset);

// What the writer needs to describe one entry.
struct HeaderFields {
  std::string method = "-lh5-";
  std::uint32_t packedSize = 0;
  std::uint32_t originalSize = 0;
  std::uint16_t crc = 0;
  std::uint32_t dosTime = 0;  // for levels 0 and 1
  std::int64_t unixTime = 0;  // for level 2
  std::uint8_t attributes = 0x20;
  std::uint8_t osId = kOsMsDos;
  int level = 2;
  // Code page 932 bytes, folders separated by '/'. A folder entry names the folder itself.
  std::string name;
  // Set when code page 932 cannot hold the name: written beside it as UTF-16 (ext 0x44 for
  // the file name, 0x45 for the folder part), so nothing is lost. Levels 1 and 2 only.
  std::u16string utf16Name;
};

// The header bytes for an entry; the packed data follows them.
Error writeHeader(const HeaderFields &f, std::vector<std::uint8_t> &out);

}  // namespace lha
