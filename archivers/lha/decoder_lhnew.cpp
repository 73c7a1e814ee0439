// -lh4- to -lh7-: LZSS with blocks of static Huffman codes. The methods differ only in the
// dictionary size and in the width of the position tree's size field.
#include <array>

#include "bitio.h"
#include "decoder.h"
#include "huffman_decode.h"
#include "window.h"

namespace lha {
namespace {

constexpr int kLiteralCodes = 510;  // 256 bytes + match lengths 3..256
constexpr int kLengthCodes = 19;    // the tree that codes the literal tree's lengths
constexpr int kMaxPosCodes = 32;
// One ring size serves -lh4- to -lh7-; distances beyond a method's dictionary cannot be coded.
constexpr unsigned kRingBits = 17;
// -lhx- (the 1 MiB dictionary that some Windows tools offer).
constexpr unsigned kLhxRingBits = 20;

class LhNewDecoder {
 public:
  LhNewDecoder(ByteSource &in, Window &w, int posFieldBits, unsigned ringBits)
      : br_(in), w_(w), posFieldBits_(posFieldBits), ringBits_(static_cast<int>(ringBits)) {}

  Error run() {
    std::uint32_t blockLeft = 0;
    while (!w_.done()) {
      if (br_.exhausted()) return Error::Truncated;
      if (blockLeft == 0) {
        blockLeft = br_.get(16);
        if (Error e = readTrees(); e != Error::None) return e;
        continue;
      }
      --blockLeft;
      int c = literals_.decode(br_);
      if (c < 0) return Error::BadData;
      if (c < 256) {
        w_.put(static_cast<std::uint8_t>(c));
        continue;
      }
      int p = positions_.decode(br_);
      if (p < 0) return Error::BadData;
      std::uint32_t dist = p <= 1 ? static_cast<std::uint32_t>(p) : (1u << (p - 1)) + br_.get(p - 1);
      if (p > ringBits_ || dist >= w_.size()) return Error::BadData;
      w_.copyBack(dist, static_cast<std::uint32_t>(c - 253));
    }
    return Error::None;
  }

 private:
  // Lengths of the small trees: 3 bits, and 7 extended by a unary count of 1 bits.
  bool readLength(std::uint8_t &len) {
    unsigned v = br_.get(3);
    if (v == 7) {
      while (br_.bit()) {
        if (++v > HuffmanDecoder::kMaxBits) return false;
      }
    }
    len = static_cast<std::uint8_t>(v);
    return true;
  }

  Error readSmallTree(HuffmanDecoder &tree, int fieldBits, int maxCodes, int special) {
    unsigned n = br_.get(fieldBits);
    if (n == 0) {
      tree.buildSingle(br_.get(fieldBits));
      return Error::None;
    }
    if (n > static_cast<unsigned>(maxCodes)) return Error::BadData;
    std::array<std::uint8_t, kMaxPosCodes> len{};
    unsigned i = 0;
    while (i < n) {
      if (!readLength(len[i++])) return Error::BadData;
      // After the third length of the length tree, 2 bits skip up to three unused codes.
      if (static_cast<int>(i) == special) {
        for (unsigned k = br_.get(2); k > 0 && i < static_cast<unsigned>(maxCodes); --k) len[i++] = 0;
      }
    }
    return tree.build(std::span(len).first(maxCodes)) ? Error::None : Error::BadData;
  }

  Error readLiteralTree() {
    unsigned n = br_.get(9);
    if (n == 0) {
      unsigned c = br_.get(9);
      if (c >= kLiteralCodes) return Error::BadData;
      literals_.buildSingle(c);
      return Error::None;
    }
    if (n > kLiteralCodes) return Error::BadData;
    std::array<std::uint8_t, kLiteralCodes> len{};
    unsigned i = 0;
    while (i < n) {
      if (br_.exhausted()) return Error::Truncated;
      int c = lengths_.decode(br_);
      if (c < 0) return Error::BadData;
      if (c > 2) {
        len[i++] = static_cast<std::uint8_t>(c - 2);
        continue;
      }
      unsigned zeros = c == 0 ? 1 : c == 1 ? br_.get(4) + 3 : br_.get(9) + 20;
      for (; zeros > 0 && i < n; --zeros) len[i++] = 0;
    }
    return literals_.build(len) ? Error::None : Error::BadData;
  }

  Error readTrees() {
    if (Error e = readSmallTree(lengths_, 5, kLengthCodes, 3); e != Error::None) return e;
    if (Error e = readLiteralTree(); e != Error::None) return e;
    return readSmallTree(positions_, posFieldBits_, (1 << posFieldBits_) - 1, -1);
  }

  BitReader br_;
  Window &w_;
  int posFieldBits_;
  int ringBits_;
  HuffmanDecoder lengths_, literals_, positions_;
};

DecodeResult decode(ByteSource &in, std::uint64_t size, const Sink &sink, int posFieldBits,
                    unsigned ringBits = kRingBits) {
  Window w(ringBits, sink, size);
  // Some encoders' first matches reach before the start; old decoders saw spaces there.
  std::fill_n(w.ring(), w.size(), ' ');
  LhNewDecoder d(in, w, posFieldBits, ringBits);
  Error e = d.run();
  return finishWindow(w, e, size);
}

}  // namespace

DecodeResult decodeLh4(ByteSource &in, std::uint64_t size, const Sink &sink) { return decode(in, size, sink, 4); }
DecodeResult decodeLh5(ByteSource &in, std::uint64_t size, const Sink &sink) { return decode(in, size, sink, 4); }
DecodeResult decodeLh6(ByteSource &in, std::uint64_t size, const Sink &sink) { return decode(in, size, sink, 5); }
DecodeResult decodeLh7(ByteSource &in, std::uint64_t size, const Sink &sink) { return decode(in, size, sink, 5); }
DecodeResult decodeLhx(ByteSource &in, std::uint64_t size, const Sink &sink) {
  return decode(in, size, sink, 5, kLhxRingBits);
}

}  // namespace lha
