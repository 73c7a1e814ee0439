#include "cabimage.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace cab {

namespace {

// Fixed parts of the cabinet header, a folder record and a data block header.
constexpr size_t kHeaderSize = 36;
constexpr size_t kFolderSize = 8;
constexpr size_t kBlockHeaderSize = 8;
constexpr size_t kFileSize = 16;  // before the name
constexpr uint16_t kHasPrevious = 0x0001, kHasNext = 0x0002, kHasReserve = 0x0004;
constexpr size_t kSearchSpan = 128 * 1024;

uint16_t Le16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t *p) { return static_cast<uint32_t>(Le16(p)) | static_cast<uint32_t>(Le16(p + 2)) << 16; }

void PutLe32(uint8_t *p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Where the text at pos ends, past its NUL; size when it runs to the end.
size_t SkipText(std::span<const uint8_t> s, size_t pos) {
  if (pos >= s.size()) return s.size();
  const void *nul = std::memchr(s.data() + pos, 0, s.size() - pos);
  return nul ? static_cast<size_t>(static_cast<const uint8_t *>(nul) - s.data()) + 1 : s.size();
}

}  // namespace

uint32_t CabChecksum(std::span<const uint8_t> data, uint32_t seed) {
  uint32_t sum = seed;
  size_t i = 0;
  for (; i + 4 <= data.size(); i += 4) sum ^= Le32(data.data() + i);
  uint32_t tail = 0;
  for (; i < data.size(); ++i) tail = tail << 8 | data[i];
  return sum ^ tail;
}

ptrdiff_t FindCabinet(std::span<const uint8_t> file) {
  static const uint8_t kSignature[8] = {'M', 'S', 'C', 'F', 0, 0, 0, 0};
  if (file.size() >= 4 && std::memcmp(file.data(), kSignature, 4) == 0) return 0;
  if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z') return -1;
  const auto window = file.first(std::min(file.size(), kSearchSpan));
  const auto at = std::search(window.begin(), window.end(), std::begin(kSignature), std::end(kSignature));
  return at == window.end() ? -1 : at - window.begin();
}

size_t FillMissingChecksums(std::span<uint8_t> cab) {
  if (cab.size() < kHeaderSize) return 0;
  const uint16_t folders = Le16(&cab[26]);
  const uint16_t flags = Le16(&cab[30]);
  size_t pos = kHeaderSize;
  size_t folderReserve = 0, blockReserve = 0;
  if (flags & kHasReserve) {
    if (pos + 4 > cab.size()) return 0;
    const size_t headerReserve = Le16(&cab[pos]);
    folderReserve = cab[pos + 2];
    blockReserve = cab[pos + 3];
    pos += 4 + headerReserve;
  }
  if (flags & kHasPrevious) pos = SkipText(cab, SkipText(cab, pos));
  if (flags & kHasNext) pos = SkipText(cab, SkipText(cab, pos));
  size_t filled = 0;
  for (uint16_t f = 0; f < folders; ++f, pos += kFolderSize + folderReserve) {
    if (pos + kFolderSize > cab.size()) break;
    size_t block = Le32(&cab[pos]);
    const uint16_t blocks = Le16(&cab[pos + 4]);
    for (uint16_t b = 0; b < blocks; ++b) {
      if (block > cab.size() || cab.size() - block < kBlockHeaderSize + blockReserve) break;
      uint8_t *header = &cab[block];
      const size_t packed = Le16(header + 4);
      const size_t data = block + kBlockHeaderSize + blockReserve;
      if (cab.size() - data < packed) break;
      if (Le32(header) == 0) {
        // What libgcab checks: the packed data, then the two sizes as one word.
        const uint32_t sum = CabChecksum(cab.subspan(data, packed), 0);
        PutLe32(header, CabChecksum({header + 4, 4}, sum));
        ++filled;
      }
      block = data + packed;
    }
  }
  return filled;
}

namespace {

// The k-th made-up name of length bytes: k in base 36, "_" before it; "" when it does not fit.
std::string MadeUpName(size_t k, size_t length) {
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[k % 36]);
    k /= 36;
  } while (k);
  return digits.size() > length ? std::string() : std::string(length - digits.size(), '_') + digits;
}

}  // namespace

std::map<std::string, std::string> MakeNamesUnique(std::span<uint8_t> cab) {
  std::map<std::string, std::string> madeUp;
  if (cab.size() < kHeaderSize) return madeUp;
  const size_t first = Le32(&cab[16]);
  const uint16_t count = Le16(&cab[28]);
  // Where each entry's name is, and every name there is.
  std::vector<std::pair<size_t, size_t>> names;  // offset, length
  std::set<std::string> taken;
  size_t pos = first;
  for (uint16_t i = 0; i < count && pos <= cab.size() && cab.size() - pos > kFileSize; ++i) {
    const size_t at = pos + kFileSize;
    pos = SkipText(cab, at);
    const size_t length = pos - at - (pos <= cab.size() && cab[pos - 1] == 0 ? 1 : 0);
    names.emplace_back(at, length);
    taken.emplace(reinterpret_cast<const char *>(&cab[at]), length);
  }
  std::set<std::string> seen;
  size_t next = 0;
  for (const auto &[at, length] : names) {
    std::string name(reinterpret_cast<const char *>(&cab[at]), length);
    if (seen.insert(name).second) continue;
    std::string fresh;
    while (fresh.empty() || taken.contains(fresh)) {
      fresh = MadeUpName(next++, length);
      if (fresh.empty()) break;
    }
    if (fresh.empty()) continue;
    std::memcpy(&cab[at], fresh.data(), length);
    taken.insert(fresh);
    madeUp.emplace(fresh, std::move(name));
  }
  return madeUp;
}

}  // namespace cab
