// What the parser hands to the block writer: literals and (length, distance) pairs in the
// alphabet of the -lh5- family.
#pragma once

#include <cstdint>
#include <vector>

namespace lha {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kNumLitLen = 256 + kMaxMatch - kMinMatch + 1;  // 510

struct Symbol {
  std::uint16_t litlen;  // < 256: a literal byte; else 256 + length - 3
  std::uint16_t dist;    // distance - 1, for matches only
};

// Position code of a coded distance d: 0 for 0, else the bit length of d; the code is
// followed by its value's bits below the leading one.
inline int positionCode(std::uint32_t d) { return d == 0 ? 0 : 32 - __builtin_clz(d); }

// Prices in bits of every symbol, as the current Huffman code lengths say.
struct Prices {
  std::uint32_t litlen[kNumLitLen];
  std::uint32_t pos[18];
  std::uint32_t distance(std::uint32_t d) const {
    int pc = positionCode(d);
    return pos[pc] + (pc > 1 ? pc - 1 : 0);
  }
  std::uint32_t match(int len, std::uint32_t d) const { return litlen[256 + len - kMinMatch] + distance(d); }
};

}  // namespace lha
