// Canonical Huffman decoding for the -lh4- to -lh7- trees.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "bitio.h"

namespace lha {

class HuffmanDecoder {
 public:
  static constexpr int kMaxBits = 16;

  // Builds the code from per-symbol lengths (0 = unused). Returns false when the lengths
  // exceed kMaxBits or claim more codes than fit; an incomplete code is accepted, and reading
  // one of its unassigned codes is reported by decode().
  bool build(std::span<const std::uint8_t> lengths);
  // A tree of one symbol that takes no bits at all.
  void buildSingle(unsigned symbol);

  // The next symbol, or -1 for a code that no symbol has.
  int decode(BitReader &br) const {
    if (single_ >= 0) return single_;
    std::uint16_t e = fast_[br.peek(kFastBits)];
    if (e != kSlow) {
      br.skip(e & 0x1F);
      return e >> 5;
    }
    return decodeSlow(br);
  }

 private:
  static constexpr int kFastBits = 10;
  static constexpr std::uint16_t kSlow = 0xFFFF;
  int decodeSlow(BitReader &br) const;

  std::array<std::uint16_t, 1 << kFastBits> fast_{};
  std::array<std::uint16_t, kMaxBits + 1> count_{};
  std::vector<std::uint16_t> sorted_;  // symbols by (length, symbol)
  int single_ = -1;
};

}  // namespace lha
