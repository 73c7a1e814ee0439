// -lh1-: LZSS with a 4 KiB dictionary and an adaptive Huffman code for literals and lengths;
// the upper 6 bits of a position come from a fixed code, the lower 6 bits as they are.
#include <array>
#include <cstring>

#include "bitio.h"
#include "decoder.h"
#include "window.h"

namespace lha {
namespace {

constexpr int kCodes = 314;  // 256 bytes + match lengths 3..60
constexpr int kNodes = 2 * kCodes - 1;
constexpr int kRoot = kNodes - 1;
constexpr unsigned kMaxFreq = 0x8000;  // the tree is rebuilt with halved counts at this total

// The adaptive tree: son[] of an inner node holds its left child (the right one follows it);
// leaves are the values kNodes..kNodes+kCodes-1.
class AdaptiveTree {
 public:
  AdaptiveTree() {
    for (int i = 0; i < kCodes; ++i) {
      freq_[i] = 1;
      son_[i] = i + kNodes;
      parent_[i + kNodes] = i;
    }
    for (int i = 0, j = kCodes; j <= kRoot; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      parent_[i] = parent_[i + 1] = j;
    }
    freq_[kNodes] = 0xFFFF;
    parent_[kRoot] = 0;
  }

  int decode(BitReader &br) {
    int c = son_[kRoot];
    while (c < kNodes) c = son_[c + (br.bit() ? 1 : 0)];
    c -= kNodes;
    update(c);
    return c;
  }

 private:
  void rebuild() {
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (son_[i] >= kNodes) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, j2 = kCodes; j2 < kNodes; i += 2, ++j2) {
      unsigned f = freq_[i] + freq_[i + 1];
      freq_[j2] = f;
      int k = j2 - 1;
      while (f < freq_[k]) --k;
      ++k;
      std::memmove(&freq_[k + 1], &freq_[k], (j2 - k) * sizeof(freq_[0]));
      freq_[k] = f;
      std::memmove(&son_[k + 1], &son_[k], (j2 - k) * sizeof(son_[0]));
      son_[k] = i;
    }
    for (int i = 0; i < kNodes; ++i) {
      int k = son_[i];
      if (k >= kNodes) {
        parent_[k] = i;
      } else {
        parent_[k] = parent_[k + 1] = i;
      }
    }
  }

  void update(int c) {
    if (freq_[kRoot] == kMaxFreq) rebuild();
    c = parent_[c + kNodes];
    do {
      unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        int i = son_[c];
        parent_[i] = l;
        if (i < kNodes) parent_[i + 1] = l;
        int j = son_[l];
        son_[l] = i;
        parent_[j] = c;
        if (j < kNodes) parent_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
    } while ((c = parent_[c]) != 0);
  }

  std::array<unsigned, kNodes + 1> freq_{};
  std::array<int, kNodes + kCodes> parent_{};
  std::array<int, kNodes> son_{};
};

// The fixed code of a position's upper 6 bits: 1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6,
// 24 of 7 and 16 of 8, looked up from the next 8 bits.
struct PositionCode {
  std::array<std::uint8_t, 256> upper{};
  std::array<std::uint8_t, 256> bits{};
  PositionCode() {
    const int perLength[] = {1, 3, 8, 12, 24, 16};
    unsigned code = 0, value = 0;
    for (int l = 0; l < 6; ++l) {
      int len = l + 3;
      unsigned span = 1u << (8 - len);
      for (int k = 0; k < perLength[l]; ++k, ++value, code += span) {
        for (unsigned j = 0; j < span; ++j) {
          upper[code + j] = static_cast<std::uint8_t>(value);
          bits[code + j] = static_cast<std::uint8_t>(len);
        }
      }
    }
  }
};

}  // namespace

DecodeResult decodeLh1(ByteSource &in, std::uint64_t size, const Sink &sink) {
  static const PositionCode kPos;
  Window w(12, sink, size);
  std::fill_n(w.ring(), w.size(), ' ');
  BitReader br(in);
  AdaptiveTree tree;
  Error e = Error::None;
  while (!w.done()) {
    if (br.exhausted()) {
      e = Error::Truncated;
      break;
    }
    int c = tree.decode(br);
    if (c < 256) {
      w.put(static_cast<std::uint8_t>(c));
      continue;
    }
    unsigned peek = br.peek(8);
    br.skip(kPos.bits[peek]);
    std::uint32_t dist = (static_cast<std::uint32_t>(kPos.upper[peek]) << 6) | br.get(6);
    w.copyBack(dist, static_cast<std::uint32_t>(c - 253));
  }
  return finishWindow(w, e, size);
}

}  // namespace lha
