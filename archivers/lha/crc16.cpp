#include "crc16.h"

#include <cstring>

namespace lha {
namespace {

// Eight tables: table k gives the CRC of a byte followed by k zero bytes, so eight input
// bytes are folded in with eight look-ups and no dependency between them but the last.
// Plain arrays: unoptimised builds (the sanitizer tests) would call a function per look-up
// of a std::array, and a multi-gigabyte entry is checked byte by byte.
struct Tables {
  std::uint16_t t[8][256];
};

constexpr Tables makeTables() {
  Tables tables{};
  auto &t = tables.t;
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
    t[0][i] = static_cast<std::uint16_t>(c);
  }
  for (unsigned i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k) t[k][i] = static_cast<std::uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
  return tables;
}

constexpr Tables kCrcTables = makeTables();

}  // namespace

void Crc16::update(std::span<const std::uint8_t> data) {
  const auto &kTables = kCrcTables.t;
  unsigned c = crc_;
  const std::uint8_t *p = data.data();
  std::size_t n = data.size();
  for (; n >= 8; n -= 8, p += 8) {
    std::uint8_t b[8];
    std::memcpy(b, p, 8);
    c = kTables[7][(c ^ b[0]) & 0xFF] ^ kTables[6][((c >> 8) ^ b[1]) & 0xFF] ^ kTables[5][b[2]] ^ kTables[4][b[3]] ^
        kTables[3][b[4]] ^ kTables[2][b[5]] ^ kTables[1][b[6]] ^ kTables[0][b[7]];
  }
  for (; n > 0; --n, ++p) c = kTables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  crc_ = static_cast<std::uint16_t>(c);
}

}  // namespace lha
