#include "huffman_decode.h"

namespace lha {

bool HuffmanDecoder::build(std::span<const std::uint8_t> lengths) {
  single_ = -1;
  count_.fill(0);
  for (std::uint8_t len : lengths) {
    if (len > kMaxBits) return false;
    ++count_[len];
  }
  count_[0] = 0;
  long left = 1;
  for (int len = 1; len <= kMaxBits; ++len) {
    left = left * 2 - count_[len];
    if (left < 0) return false;
  }

  std::array<std::uint16_t, kMaxBits + 2> offs{};
  for (int len = 1; len <= kMaxBits; ++len) offs[len + 1] = offs[len] + count_[len];
  sorted_.assign(offs[kMaxBits + 1], 0);
  for (std::size_t s = 0; s < lengths.size(); ++s)
    if (lengths[s]) sorted_[offs[lengths[s]]++] = static_cast<std::uint16_t>(s);

  fast_.fill(kSlow);
  std::uint32_t code = 0;
  std::size_t idx = 0;
  for (int len = 1; len <= kFastBits; ++len) {
    for (unsigned i = 0; i < count_[len]; ++i, ++code, ++idx) {
      std::uint32_t first = code << (kFastBits - len);
      std::uint32_t n = 1u << (kFastBits - len);
      for (std::uint32_t j = 0; j < n; ++j) fast_[first + j] = static_cast<std::uint16_t>((sorted_[idx] << 5) | len);
    }
    code <<= 1;
  }
  return true;
}

void HuffmanDecoder::buildSingle(unsigned symbol) { single_ = static_cast<int>(symbol); }

int HuffmanDecoder::decodeSlow(BitReader &br) const {
  std::uint32_t bits = br.peek(kMaxBits);
  std::uint32_t code = 0, first = 0, index = 0;
  for (int len = 1; len <= kMaxBits; ++len) {
    code |= (bits >> (kMaxBits - len)) & 1;
    std::uint32_t count = count_[len];
    if (code - first < count) {
      br.skip(len);
      return sorted_[index + code - first];
    }
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

}  // namespace lha
