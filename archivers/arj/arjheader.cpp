#include "arjformat.h"

#include <algorithm>
#include <array>

#include "lha/archive.h"

namespace arj {

namespace {

uint16_t U16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t *p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

bool ReadExact(const lha::ArchiveInput &in, uint64_t at, uint8_t *buf, size_t n) {
  return in.readAt(at, {buf, n}) == static_cast<long>(n);
}

struct Header {
  std::vector<uint8_t> basic;
  uint64_t end = 0;  // where the data (or the next header) starts
  bool last = false;
};

// One header at offset: "60 EA", size, basic header, its CRC, then extended headers.
Error ReadHeader(const lha::ArchiveInput &in, uint64_t at, Header &h) {
  uint8_t head[4];
  if (!ReadExact(in, at, head, 4)) return Error::Truncated;
  if (head[0] != 0x60 || head[1] != 0xEA) return Error::BadHeader;
  const uint16_t size = U16(head + 2);
  if (size == 0) {
    h.last = true;
    return Error::None;
  }
  if (size > kMaxBasicHeader || size < 30) return Error::BadHeader;
  h.basic.resize(size);
  uint8_t crc[4];
  if (!ReadExact(in, at + 4, h.basic.data(), size) || !ReadExact(in, at + 4 + size, crc, 4)) return Error::Truncated;
  if (Crc32(0, h.basic.data(), size) != U32(crc)) return Error::HeaderCrc;
  uint64_t pos = at + 8 + size;
  // Extended headers are skipped; a hostile chain of them ends at the file's end.
  for (;;) {
    uint8_t ext[2];
    if (!ReadExact(in, pos, ext, 2)) return Error::Truncated;
    pos += 2;
    const uint16_t extSize = U16(ext);
    if (extSize == 0) break;
    pos += extSize + 4u;
    if (pos > in.size()) return Error::Truncated;
  }
  h.end = pos;
  return Error::None;
}

std::string CString(const std::vector<uint8_t> &b, size_t at) {
  std::string s;
  while (at < b.size() && b[at] != 0) s += static_cast<char>(b[at++]);
  return s;
}

// The main header: the first "60 EA" whose header CRC holds and whose type is 2.
Error FindMain(const lha::ArchiveInput &in, uint64_t &at, Header &main) {
  const uint64_t limit = std::min<uint64_t>(in.size(), kMaxSearch);
  std::array<uint8_t, 4096> buf;
  for (uint64_t base = 0; base < limit; base += buf.size() - 1) {
    const long n = in.readAt(base, buf);
    if (n <= 1) break;
    for (long i = 0; i + 1 < n; ++i) {
      if (buf[i] != 0x60 || buf[i + 1] != 0xEA) continue;
      Header h;
      if (ReadHeader(in, base + i, h) == Error::None && !h.last && h.basic.size() > 6 && h.basic[6] == 2) {
        at = base + static_cast<uint64_t>(i);
        main = std::move(h);
        return Error::None;
      }
    }
  }
  return Error::NotAnArchive;
}

}  // namespace

uint32_t Crc32(uint32_t crc, const uint8_t *data, size_t size) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

Error ReadArjEntries(const lha::ArchiveInput &in, std::vector<ArjEntry> &entries) {
  uint64_t at = 0;
  Header main;
  if (Error e = FindMain(in, at, main); e != Error::None) return e;
  at = main.end;
  for (;;) {
    Header h;
    if (Error e = ReadHeader(in, at, h); e != Error::None) return e;
    if (h.last) return Error::None;
    const auto &b = h.basic;
    const uint8_t first = b[0];
    if (first < 30 || first > b.size()) return Error::BadHeader;
    ArjEntry e;
    e.hostOs = b[3];
    e.flags = b[4];
    e.method = b[5];
    e.fileType = b[6];
    // arj on Unix keeps the Unix time there; entries carry the local MS-DOS time.
    e.dosTime = e.hostOs == kHostUnix ? lha::dosTimeFromUnix(U32(&b[8])) : U32(&b[8]);
    e.packedSize = U32(&b[12]);
    e.originalSize = U32(&b[16]);
    e.crc = U32(&b[20]);
    e.mode = U16(&b[26]);
    e.rawName = CString(b, first);
    e.dataOffset = h.end;
    if (e.dataOffset + e.packedSize > in.size()) return Error::Truncated;
    at = h.end + e.packedSize;
    if (entries.size() >= (1u << 20)) return Error::BadHeader;
    entries.push_back(std::move(e));
  }
}

}  // namespace arj
