// Block coding of the -lh5- family: a 16-bit symbol count, the tree that codes the
// literal/length tree's lengths, the literal/length tree, the position tree, then the symbols.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "bitio.h"
#include "encoder_symbols.h"

namespace lha {

constexpr std::size_t kMaxBlockSymbols = 65535;

struct BlockStats {
  std::array<std::uint32_t, kNumLitLen> litlen{};
  std::array<std::uint32_t, 18> pos{};
  std::uint64_t extraBits = 0;
  std::size_t count = 0;

  // Inline: the encoder counts every symbol it parses.
  void add(const Symbol &s) {
    ++litlen[s.litlen];
    ++count;
    if (s.litlen >= 256) {
      int pc = positionCode(s.dist);
      ++pos[pc];
      if (pc > 1) extraBits += static_cast<unsigned>(pc - 1);
    }
  }
  void add(const BlockStats &o);
};

class BlockCoder {
 public:
  explicit BlockCoder(int dictBits);

  // Exact size in bits of a block with these statistics.
  std::uint64_t cost(const BlockStats &stats) const;
  // Writes one block; stats must be those of the symbols.
  void write(BitWriter &out, std::span<const Symbol> symbols, const BlockStats &stats) const;
  // Bit prices that the code for these statistics would give, for the next parse.
  void prices(const BlockStats &stats, Prices &out) const;

 private:
  int posFieldBits_;
  int posCodes_;
};

}  // namespace lha
