#include "entryrecord.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace arc {

uint32_t DosDateTime(int64_t unixTime) {
  const time_t t = static_cast<time_t>(unixTime);
  tm lt{};
  if (unixTime < 0 || !localtime_r(&t, &lt) || lt.tm_year < 80) return (1u << 21) | (1u << 16);
  // MS-DOS dates end with 2107.
  if (lt.tm_year > 207) return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
  return (static_cast<uint32_t>(lt.tm_year - 80) << 25) | (static_cast<uint32_t>(lt.tm_mon + 1) << 21) |
         (static_cast<uint32_t>(lt.tm_mday) << 16) | (static_cast<uint32_t>(lt.tm_hour) << 11) |
         (static_cast<uint32_t>(lt.tm_min) << 5) | (static_cast<uint32_t>(lt.tm_sec) / 2);
}

int64_t UnixFromDos(uint32_t d) {
  if (d == 0) return -1;
  tm lt{};
  lt.tm_year = static_cast<int>((d >> 25) & 0x7F) + 80;
  lt.tm_mon = static_cast<int>((d >> 21) & 0x0F) - 1;
  lt.tm_mday = static_cast<int>((d >> 16) & 0x1F);
  lt.tm_hour = static_cast<int>((d >> 11) & 0x1F);
  lt.tm_min = static_cast<int>((d >> 5) & 0x3F);
  lt.tm_sec = static_cast<int>(d & 0x1F) * 2;
  lt.tm_isdst = -1;
  const time_t t = mktime(&lt);
  return t == static_cast<time_t>(-1) ? -1 : static_cast<int64_t>(t);
}

std::string AttributeText(uint32_t a) {
  std::string s = "-----";
  if (a & kAttrReadOnly) s[0] = 'R';
  if (a & kAttrHidden) s[1] = 'H';
  if (a & kAttrSystem) s[2] = 'S';
  if (a & kAttrFolder) s[3] = 'D';
  if (a & kAttrArchive) s[4] = 'A';
  return s;
}

uint16_t RatioPerMille(uint64_t packed, uint64_t original) {
  if (original == 0) return 0;
  const long double r = static_cast<long double>(packed) * 1000.0L / static_cast<long double>(original);
  return static_cast<uint16_t>(std::min<long double>(r + 0.5L, 65535.0L));
}

void CopyField(char *field, size_t fieldSize, const std::string &s) {
  size_t n = std::min(s.size(), fieldSize - 1);
  // Back up over continuation bytes so that no character is cut in half.
  if (n < s.size())
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  std::memcpy(field, s.data(), n);
  std::memset(field + n, 0, fieldSize - n);
}

namespace {

uint32_t Cap(uint64_t v) { return v > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(v); }

uint32_t DosStamp(const EntryFacts &f) { return f.mtime >= 0 ? DosDateTime(f.mtime) : f.dosTime; }

std::string RecordName(const EntryFacts &f) { return f.isFolder ? f.name + "/" : f.name; }

}  // namespace

void FillRecord(const EntryFacts &f, INDIVIDUALINFO &r) {
  std::memset(&r, 0, sizeof r);
  r.dwOriginalSize = Cap(f.originalSize);
  r.dwCompressedSize = Cap(f.compressedSize);
  r.dwCRC = f.crc;
  r.uOSType = f.osType;
  r.wRatio = RatioPerMille(f.compressedSize, f.originalSize);
  const uint32_t stamp = DosStamp(f);
  r.wDate = static_cast<uint16_t>(stamp >> 16);
  r.wTime = static_cast<uint16_t>(stamp & 0xFFFF);
  CopyField(r.szFileName, sizeof r.szFileName, RecordName(f));
  CopyField(r.szAttribute, sizeof r.szAttribute,
            AttributeText(f.attributes | (f.isFolder ? uint32_t{kAttrFolder} : 0u)));
  CopyField(r.szMode, sizeof r.szMode, f.method);
}

void FillProgress(const EntryFacts &f, const std::string &destination, uint64_t written, EXTRACTINGINFOEX &info) {
  std::memset(&info, 0, sizeof info);
  info.exinfo.dwFileSize = Cap(f.originalSize);
  info.exinfo.dwWriteSize = Cap(written);
  CopyField(info.exinfo.szSourceFileName, sizeof info.exinfo.szSourceFileName, RecordName(f));
  CopyField(info.exinfo.szDestFileName, sizeof info.exinfo.szDestFileName, destination);
  info.dwCompressedSize = Cap(f.compressedSize);
  info.dwCRC = f.crc;
  info.uOSType = f.osType;
  info.wRatio = RatioPerMille(f.compressedSize, f.originalSize);
  const uint32_t stamp = DosStamp(f);
  info.wDate = static_cast<uint16_t>(stamp >> 16);
  info.wTime = static_cast<uint16_t>(stamp & 0xFFFF);
  CopyField(info.szAttribute, sizeof info.szAttribute, AttributeText(f.attributes));
  CopyField(info.szMode, sizeof info.szMode, f.method);
}

}  // namespace arc
