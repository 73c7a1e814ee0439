#include "encoder_block.h"

#include <algorithm>
#include <type_traits>

#include "huffman_build.h"

namespace lha {
namespace {

constexpr int kMaxCodeBits = 16;
constexpr int kLengthCodes = 19;

// Counts bits instead of writing them, so one routine both prices and writes a block.
struct BitCounter {
  std::uint64_t bits = 0;
  void put(int n, std::uint32_t) { bits += static_cast<unsigned>(n); }
};

template <class Out>
constexpr bool kWrites = !std::is_same_v<Out, BitCounter>;

int usedCount(std::span<const std::uint32_t> freq, int &last) {
  int used = 0;
  for (int i = 0; i < static_cast<int>(freq.size()); ++i)
    if (freq[i]) {
      ++used;
      last = i;
    }
  return used;
}

int trimmed(std::span<const std::uint8_t> len) {
  int n = static_cast<int>(len.size());
  while (n > 0 && len[n - 1] == 0) --n;
  return n;
}

// Runs of zero lengths in the literal tree become codes 0 (one), 1 (3..18) and 2 (20..531).
template <class Fn>
void forEachLengthCode(std::span<const std::uint8_t> lens, Fn &&fn) {
  int n = trimmed(lens);
  int i = 0;
  while (i < n) {
    int k = lens[i++];
    if (k != 0) {
      fn(k + 2, 0, 0);
      continue;
    }
    int count = 1;
    while (i < n && lens[i] == 0) {
      ++i;
      ++count;
    }
    if (count <= 2) {
      for (int j = 0; j < count; ++j) fn(0, 0, 0);
    } else if (count <= 18) {
      fn(1, 4, count - 3);
    } else if (count == 19) {
      fn(0, 0, 0);
      fn(1, 4, 15);
    } else {
      fn(2, 9, count - 20);
    }
  }
}

// A small tree's lengths: 3 bits, or 7 and more as 111 followed by ones and a closing zero.
template <class Out>
void writeSmallTree(Out &out, std::span<const std::uint8_t> lens, int fieldBits, int special) {
  int n = trimmed(lens);
  out.put(fieldBits, static_cast<std::uint32_t>(n));
  int i = 0;
  while (i < n) {
    int k = lens[i++];
    if (k <= 6) {
      out.put(3, static_cast<std::uint32_t>(k));
    } else {
      out.put(k - 3, (1u << (k - 3)) - 2);
    }
    if (i == special) {
      while (i < 6 && lens[i] == 0) ++i;
      out.put(2, static_cast<std::uint32_t>((i - 3) & 3));
    }
  }
}

struct Codes {
  std::array<std::uint8_t, kNumLitLen> litLen{};
  std::array<std::uint16_t, kNumLitLen> litCode{};
  std::array<std::uint8_t, 18> posLen{};
  std::array<std::uint16_t, 18> posCode{};
  int litSingle = -1;  // the only literal/length symbol, coded with no bits
  int posSingle = -1;
};

template <class Out>
void writeTrees(Out &out, const BlockStats &st, Codes &c, int posCodes, int posFieldBits) {
  int last = 0;
  if (usedCount(st.litlen, last) <= 1) {
    c.litSingle = last;
    out.put(5, 0);
    out.put(5, 0);
    out.put(9, 0);
    out.put(9, static_cast<std::uint32_t>(last));
  } else {
    buildLengths(st.litlen, c.litLen, kMaxCodeBits);
    // Pricing a block needs only the lengths.
    if constexpr (kWrites<Out>) buildCodes(c.litLen, c.litCode);
    std::array<std::uint32_t, kLengthCodes> tFreq{};
    forEachLengthCode(c.litLen, [&](int code, int, int) { ++tFreq[code]; });
    std::array<std::uint8_t, kLengthCodes> tLen{};
    std::array<std::uint16_t, kLengthCodes> tCode{};
    int tLast = 0;
    bool tSingle = usedCount(tFreq, tLast) <= 1;
    if (tSingle) {
      out.put(5, 0);
      out.put(5, static_cast<std::uint32_t>(tLast));
    } else {
      buildLengths(tFreq, tLen, kMaxCodeBits);
      if constexpr (kWrites<Out>) buildCodes(tLen, tCode);
      writeSmallTree(out, tLen, 5, 3);
    }
    out.put(9, static_cast<std::uint32_t>(trimmed(c.litLen)));
    forEachLengthCode(c.litLen, [&](int code, int extraBits, int extra) {
      if (!tSingle) out.put(tLen[code], tCode[code]);
      if (extraBits) out.put(extraBits, static_cast<std::uint32_t>(extra));
    });
  }
  int pLast = 0;
  if (usedCount(std::span(st.pos).first(posCodes), pLast) <= 1) {
    c.posSingle = pLast;
    out.put(posFieldBits, 0);
    out.put(posFieldBits, static_cast<std::uint32_t>(pLast));
  } else {
    buildLengths(std::span(st.pos).first(posCodes), std::span(c.posLen).first(posCodes), kMaxCodeBits);
    if constexpr (kWrites<Out>) buildCodes(std::span(c.posLen).first(posCodes), std::span(c.posCode).first(posCodes));
    writeSmallTree(out, std::span(c.posLen).first(posCodes), posFieldBits, -1);
  }
}

}  // namespace

void BlockStats::add(const BlockStats &o) {
  for (int i = 0; i < kNumLitLen; ++i) litlen[i] += o.litlen[i];
  for (int i = 0; i < 18; ++i) pos[i] += o.pos[i];
  extraBits += o.extraBits;
  count += o.count;
}

BlockCoder::BlockCoder(int dictBits) : posFieldBits_(dictBits <= 13 ? 4 : 5), posCodes_(dictBits + 1) {}

std::uint64_t BlockCoder::cost(const BlockStats &st) const {
  BitCounter counter;
  Codes c;
  counter.put(16, 0);
  writeTrees(counter, st, c, posCodes_, posFieldBits_);
  std::uint64_t bits = counter.bits + st.extraBits;
  if (c.litSingle < 0)
    for (int i = 0; i < kNumLitLen; ++i) bits += std::uint64_t{st.litlen[i]} * c.litLen[i];
  if (c.posSingle < 0)
    for (int i = 0; i < posCodes_; ++i) bits += std::uint64_t{st.pos[i]} * c.posLen[i];
  return bits;
}

void BlockCoder::write(BitWriter &out, std::span<const Symbol> symbols, const BlockStats &st) const {
  Codes c;
  out.put(16, static_cast<std::uint32_t>(symbols.size()));
  writeTrees(out, st, c, posCodes_, posFieldBits_);
  for (const Symbol &s : symbols) {
    if (c.litSingle < 0) out.put(c.litLen[s.litlen], c.litCode[s.litlen]);
    if (s.litlen < 256) continue;
    int pc = positionCode(s.dist);
    if (c.posSingle < 0) out.put(c.posLen[pc], c.posCode[pc]);
    if (pc > 1) out.put(pc - 1, s.dist);
  }
}

void BlockCoder::prices(const BlockStats &st, Prices &p) const {
  std::array<std::uint8_t, kNumLitLen> lit{};
  std::array<std::uint8_t, 18> pos{};
  buildLengths(st.litlen, lit, kMaxCodeBits);
  buildLengths(std::span(st.pos).first(posCodes_), std::span(pos).first(posCodes_), kMaxCodeBits);
  // Symbols unused so far get a price a little above the longest code in use.
  for (int i = 0; i < kNumLitLen; ++i) p.litlen[i] = lit[i] ? lit[i] : (i < 256 ? 11 : 12);
  for (int i = 0; i < 18; ++i) p.pos[i] = pos[i] ? pos[i] : 6;
}

}  // namespace lha
