// What a listing says about one entry, and the interface's entry record made from it.
#pragma once

#include <cstdint>
#include <string>

#include "arcapi.h"

namespace arc {

// MS-DOS attribute bits.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrFolder = 0x10,
  kAttrArchive = 0x20
};

struct EntryFacts {
  std::string name;  // UTF-8, "/" between folders; a folder without a trailing "/"
  uint64_t originalSize = 0;
  uint64_t compressedSize = 0;
  uint32_t crc = 0;
  int64_t mtime = -1;    // seconds since 1970 UTC, -1 when unknown
  uint32_t dosTime = 0;  // used when mtime is unknown: MS-DOS date << 16 | time, local time
  uint32_t attributes = kAttrArchive;
  bool isFolder = false;
  std::string method;  // "-lh5-", "deflate", ...
  uint32_t osType = 0;
};

// MS-DOS date << 16 | time in local time; 1980-01-01 00:00 for earlier times.
uint32_t DosDateTime(int64_t unixTime);
// The reverse, local time; -1 for a zero stamp.
int64_t UnixFromDos(uint32_t dosDateTime);

// Five letters "RHSDA", "-" where the bit is clear: "----A" for a plain file.
std::string AttributeText(uint32_t attributes);

// Ratio of packed to original size in per mille, as LHA listings show it; 0 for empty data.
uint16_t RatioPerMille(uint64_t packed, uint64_t original);

// Fills every field; sizes past 4 GiB are capped at 0xFFFFFFFF. A name that does not fit is
// cut at a whole UTF-8 character. Folders get a trailing "/".
void FillRecord(const EntryFacts &facts, INDIVIDUALINFO &record);

// The same for the progress record.
void FillProgress(const EntryFacts &facts, const std::string &destination, uint64_t written, EXTRACTINGINFOEX &info);

// Copies s into a fixed field with its NUL, cut at a whole UTF-8 character.
void CopyField(char *field, size_t fieldSize, const std::string &s);

}  // namespace arc
