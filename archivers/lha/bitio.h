// Bit streams, most significant bit first as every LHA method packs them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "io.h"

namespace lha {

class BitReader {
 public:
  explicit BitReader(ByteSource &src) : src_(src) {}

  // n in 1..32.
  std::uint32_t peek(int n) {
    if (count_ < n) refill();
    return static_cast<std::uint32_t>(bits_ >> (64 - n));
  }
  void skip(int n) {
    if (count_ < n) refill();
    bits_ <<= n;
    count_ -= n;
    if (count_ < paddingBits_) overrun_ = true;
  }
  // n in 0..32.
  std::uint32_t get(int n) {
    if (n == 0) return 0;
    std::uint32_t v = peek(n);
    skip(n);
    return v;
  }
  bool bit() { return get(1) != 0; }

  // Decoders peek a little past the last byte, so zero bits are supplied there; consuming
  // any of them means the packed data is truncated or lies about its end.
  bool exhausted() const { return overrun_; }
  bool failed() const { return src_.failed(); }

 private:
  void refill();

  ByteSource &src_;
  std::array<std::uint8_t, 4096> buf_{};
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::uint64_t bits_ = 0;
  int count_ = 0;
  int paddingBits_ = 0;  // zero bits supplied after the end, counted while still buffered
  bool ended_ = false;
  bool overrun_ = false;
};

class BitWriter {
 public:
  // n in 0..24.
  void put(int n, std::uint32_t value) {
    acc_ = (acc_ << n) | (value & ((1u << n) - 1));
    count_ += n;
    // Whole 32-bit words go out at once: one store instead of a push per byte.
    if (count_ >= 32) {
      count_ -= 32;
      auto w = static_cast<std::uint32_t>(acc_ >> count_);
      std::size_t at = out_.size();
      out_.resize(at + 4);
      out_[at] = static_cast<std::uint8_t>(w >> 24);
      out_[at + 1] = static_cast<std::uint8_t>(w >> 16);
      out_[at + 2] = static_cast<std::uint8_t>(w >> 8);
      out_[at + 3] = static_cast<std::uint8_t>(w);
    }
  }
  // Pads the last byte with zero bits.
  void flush() {
    if (count_ % 8) put(8 - count_ % 8, 0);
    while (count_ >= 8) {
      count_ -= 8;
      out_.push_back(static_cast<std::uint8_t>(acc_ >> count_));
    }
  }
  void reserve(std::size_t bytes) { out_.reserve(bytes); }
  std::size_t bitCount() const { return out_.size() * 8 + static_cast<std::size_t>(count_); }
  // The bytes written so far; call flush() first.
  std::vector<std::uint8_t> &bytes() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
  std::uint64_t acc_ = 0;
  int count_ = 0;
};

}  // namespace lha
