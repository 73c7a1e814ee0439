#include "bitio.h"

#include <algorithm>

namespace lha {

void BitReader::refill() {
  while (count_ <= 56) {
    std::uint8_t b = 0;
    if (pos_ == len_ && !ended_) {
      len_ = src_.read(buf_);
      pos_ = 0;
      ended_ = len_ == 0;
    }
    if (pos_ < len_) {
      b = buf_[pos_++];
    } else {
      paddingBits_ = std::min(paddingBits_ + 8, 64 + 8);
    }
    bits_ |= static_cast<std::uint64_t>(b) << (56 - count_);
    count_ += 8;
  }
}

}  // namespace lha
