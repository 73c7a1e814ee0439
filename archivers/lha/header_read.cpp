#include <algorithm>

#include "bytes.h"
#include "crc16.h"
#include "header.h"

namespace lha {
namespace {

// Reads n more bytes at the end of raw from offset + raw.size().
Error extend(const ArchiveInput &in, std::uint64_t offset, std::size_t n, std::vector<std::uint8_t> &raw) {
  if (raw.size() + n > kMaxHeaderSize) return Error::BadHeader;
  std::size_t at = raw.size();
  raw.resize(at + n);
  long got = in.readAt(offset + at, std::span(raw).subspan(at));
  if (got < 0) return Error::Io;
  return static_cast<std::size_t>(got) == n ? Error::None : Error::Truncated;
}

bool isShiftJisLead(std::uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// MS-DOS paths separate folders with '\', which is also the second byte of some code page
// 932 characters; only a '\' that starts a character is a separator.
void dosSeparatorsToSlash(std::string &s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<std::uint8_t>(s[i]);
    if (isShiftJisLead(c)) {
      ++i;
    } else if (c == '\\') {
      s[i] = '/';
    }
  }
}

std::u16string utf16(const std::uint8_t *p, std::size_t n) {
  std::u16string s;
  for (std::size_t i = 0; i + 1 < n; i += 2) s.push_back(static_cast<char16_t>(le16(p + i)));
  return s;
}

void stripTrailingSlash(std::string &s) {
  while (!s.empty() && s.back() == '/') s.pop_back();
}
void stripTrailingSlash(std::u16string &s) {
  while (!s.empty() && s.back() == u'/') s.pop_back();
}

struct ExtNames {
  std::optional<std::string> file;
  std::optional<std::string> folder;
  std::optional<std::uint16_t> headerCrc;
};

// Walks the extended headers that start with the size field at raw[off]. Each header is
// [type][data][size of the next], and its size counts all three.
Error walkExtended(std::vector<std::uint8_t> &raw, std::size_t off, int fieldSize, Entry &e, ExtNames &names) {
  for (;;) {
    if (off + fieldSize > raw.size()) return Error::BadHeader;
    std::uint64_t size = fieldSize == 2 ? le16(&raw[off]) : le32(&raw[off]);
    if (size == 0) return Error::None;
    if (size < static_cast<std::uint64_t>(fieldSize) + 1 || off + fieldSize + size > raw.size())
      return Error::BadHeader;
    std::uint8_t type = raw[off + fieldSize];
    std::uint8_t *d = &raw[off + fieldSize + 1];
    std::size_t n = size - fieldSize - 1;
    switch (type) {
      case 0x00:  // header CRC, computed with this field as zero
        if (n >= 2) {
          names.headerCrc = le16(d);
          d[0] = d[1] = 0;
        }
        break;
      case 0x01:
        names.file = std::string(reinterpret_cast<char *>(d), n);
        break;
      case 0x02: {
        std::string f(reinterpret_cast<char *>(d), n);
        std::replace(f.begin(), f.end(), '\xFF', '/');
        if (!f.empty() && f.back() != '/') f.push_back('/');
        names.folder = f;
        break;
      }
      case 0x40:
        if (n >= 1) e.attributes = d[0];
        break;
      case 0x41:  // Windows creation, modification and access times
        if (n >= 24) {
          std::uint64_t ft = le64(d + 8);
          constexpr std::uint64_t kEpoch = 116444736000000000ull;
          if (ft >= kEpoch) e.unixTime = static_cast<std::int64_t>((ft - kEpoch) / 10000000);
        }
        break;
      case 0x42:
        if (n >= 16) {
          e.packedSize = le64(d);
          e.originalSize = le64(d + 8);
        }
        break;
      case 0x44:
        e.utf16Name = utf16(d, n);
        break;
      case 0x45: {
        std::u16string f = utf16(d, n);
        std::replace(f.begin(), f.end(), u'\xFFFF', u'/');
        stripTrailingSlash(f);
        e.utf16Folder = f;
        break;
      }
      case 0x50:
        if (n >= 2) e.unixMode = le16(d);
        break;
      case 0x54:
        if (n >= 4) e.unixTime = le32(d);
        break;
      default:
        break;
    }
    off += size;
  }
}

Error readLevel01(const ArchiveInput &in, std::uint64_t offset, std::vector<std::uint8_t> &raw, Entry &e,
                  ExtNames &names) {
  const std::size_t total = std::size_t{raw[0]} + 2;
  const std::size_t nameLen = raw[21];
  const std::size_t fixed = e.level == 0 ? 24 : 27;  // all but the name
  bool noCrc = e.level == 0 && total == 22 + nameLen;
  if (total < fixed + nameLen && !noCrc) return Error::BadHeader;
  if (Error err = extend(in, offset, total - raw.size(), raw); err != Error::None) return err;

  unsigned sum = 0;
  for (std::size_t i = 2; i < total; ++i) sum += raw[i];
  if ((sum & 0xFF) != raw[1]) return Error::HeaderChecksum;

  e.dosTime = le32(&raw[15]);
  e.attributes = raw[19];
  e.name.assign(reinterpret_cast<const char *>(&raw[22]), nameLen);
  dosSeparatorsToSlash(e.name);
  e.hasCrc = !noCrc;
  if (!noCrc) e.crc = le16(&raw[22 + nameLen]);

  if (e.level == 0) {
    // LHa for UNIX keeps 'U', a version byte, the mtime, mode, uid and gid after the CRC.
    std::size_t ext = 24 + nameLen;
    if (total >= ext + 12 && raw[ext] == kOsUnix) {
      e.osId = kOsUnix;
      e.unixTime = le32(&raw[ext + 2]);
      e.unixMode = le16(&raw[ext + 6]);
    }
    return Error::None;
  }

  e.osId = raw[24 + nameLen];
  // The packed size of level 1 counts the extended headers that follow the base header.
  std::uint64_t extTotal = 0;
  for (;;) {
    std::uint16_t next = le16(&raw[raw.size() - 2]);
    if (next == 0) break;
    if (next < 3) return Error::BadHeader;
    if (Error err = extend(in, offset, next, raw); err != Error::None) return err;
    extTotal += next;
  }
  if (Error err = walkExtended(raw, total - 2, 2, e, names); err != Error::None) return err;
  if (e.packedSize < extTotal) return Error::BadHeader;
  e.packedSize -= extTotal;
  return Error::None;
}

Error readLevel23(const ArchiveInput &in, std::uint64_t offset, std::vector<std::uint8_t> &raw, Entry &e,
                  ExtNames &names) {
  std::size_t total, extStart;
  int fieldSize;
  if (Error err = extend(in, offset, 28 - raw.size(), raw); err != Error::None) return err;
  if (e.level == 2) {
    total = le16(&raw[0]);
    extStart = 24;
    fieldSize = 2;
    // OS-9/68k LHA counts the level-2 header without its size field.
    if (raw[23] == 'K') total += 2;
    if (total < 26) return Error::BadHeader;
  } else {
    if (le16(&raw[0]) != 4) return Error::BadHeader;
    std::uint32_t size = le32(&raw[24]);
    if (size > kMaxHeaderSize) return Error::BadHeader;
    total = size;
    extStart = 28;
    fieldSize = 4;
    if (total < 32) return Error::BadHeader;
  }
  if (total > raw.size()) {
    if (Error err = extend(in, offset, total - raw.size(), raw); err != Error::None) return err;
  } else {
    raw.resize(total);
  }
  e.unixTime = le32(&raw[15]);
  e.attributes = raw[19];
  e.crc = le16(&raw[21]);
  e.osId = raw[23];
  return walkExtended(raw, extStart, fieldSize, e, names);
}

}  // namespace

Error readHeader(const ArchiveInput &in, std::uint64_t offset, Entry &e, HeaderStatus &status) {
  status = HeaderStatus::End;
  std::vector<std::uint8_t> raw;
  raw.reserve(256);
  std::uint8_t first = 0;
  long got = in.readAt(offset, std::span(&first, 1));
  if (got < 0) return Error::Io;
  if (got == 0 || first == 0) return Error::None;

  if (Error err = extend(in, offset, 22, raw); err != Error::None) return err;
  e = Entry{};
  e.method.assign(reinterpret_cast<const char *>(&raw[2]), 5);
  if (e.method[0] != '-' || e.method[4] != '-') return Error::BadHeader;
  e.packedSize = le32(&raw[7]);
  e.originalSize = le32(&raw[11]);
  e.level = raw[20];
  e.headerOffset = offset;

  ExtNames names;
  Error err = Error::BadHeader;
  if (e.level <= 1) err = readLevel01(in, offset, raw, e, names);
  else if (e.level <= 3) err = readLevel23(in, offset, raw, e, names);
  if (err != Error::None) return err;

  if (names.headerCrc) {
    if (Crc16::of(raw) != *names.headerCrc) return Error::HeaderChecksum;
  }
  if (e.level >= 2) e.name = names.folder.value_or("") + names.file.value_or("");
  else {
    if (names.file) e.name = *names.file;
    if (names.folder) e.name = *names.folder + e.name;
  }
  e.name = e.name.substr(0, e.name.find('\0'));
  stripTrailingSlash(e.name);

  e.headerSize = static_cast<std::uint32_t>(raw.size());
  e.dataOffset = offset + raw.size();
  if (e.dataOffset + e.packedSize > in.size()) return Error::Truncated;
  status = HeaderStatus::Entry;
  return Error::None;
}

Error findFirstHeader(const ArchiveInput &in, std::uint64_t &offset) {
  offset = 0;
  Entry e;
  HeaderStatus st;
  Error atStart = readHeader(in, 0, e, st);
  if (atStart == Error::None) return in.size() == 0 ? Error::NotAnArchive : Error::None;

  std::vector<std::uint8_t> buf(std::min<std::uint64_t>(in.size(), kMaxJunk + 22));
  long got = in.readAt(0, buf);
  if (got < 0) return Error::Io;
  buf.resize(static_cast<std::size_t>(got));
  auto looksLikeHeader = [&](std::size_t i) {
    return buf[i + 2] == '-' && buf[i + 3] == 'l' && buf[i + 6] == '-' && buf[i + 20] <= 3;
  };
  // A header at the very start that fails its CRC or checksum is a damaged first entry, not a
  // self-extractor's code: skipping it would drop the entry without a word.
  if (atStart == Error::HeaderChecksum && buf.size() >= 22 && looksLikeHeader(0)) return atStart;
  for (std::size_t i = 1; i + 22 <= buf.size(); ++i) {
    if (!looksLikeHeader(i)) continue;
    if (readHeader(in, i, e, st) == Error::None && st == HeaderStatus::Entry) {
      offset = i;
      return Error::None;
    }
  }
  return buf.size() >= 22 && looksLikeHeader(0) ? atStart : Error::NotAnArchive;
}

}  // namespace lha
