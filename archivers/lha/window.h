// The history ring that LZ decoders copy from, and the checked output behind it: it stops at
// the header's original size, keeps the CRC and hands full chunks to the caller's sink.
#pragma once

#include <cstdint>
#include <vector>

#include "crc16.h"
#include "error.h"
#include "io.h"

namespace lha {

class Window {
 public:
  // sizeBits: log2 of the ring size; limit: the entry's original size.
  Window(unsigned sizeBits, const Sink &sink, std::uint64_t limit);

  std::uint8_t *ring() { return ring_.data(); }
  std::uint32_t size() const { return mask_ + 1; }
  std::uint32_t pos() const { return pos_; }
  void setPos(std::uint32_t p) { pos_ = p & mask_; }

  std::uint64_t remaining() const { return remaining_; }
  bool done() const { return remaining_ == 0 || error_ != Error::None; }
  Error error() const { return error_; }

  void put(std::uint8_t b) {
    if (remaining_ == 0) return;
    ring_[pos_] = b;
    pos_ = (pos_ + 1) & mask_;
    --remaining_;
    if (++pending_ == kChunk) flush();
  }
  // Copies len bytes that start dist + 1 bytes back; len is cut at the original size.
  void copyBack(std::uint32_t dist, std::uint32_t len) { copyFrom(pos_ - dist - 1, len); }
  // Copies len bytes starting at ring index start, with the result of copying byte by byte:
  // a source that overlaps the bytes being written repeats them. Long runs (a file of zeros
  // is one match after another) go by whole pieces instead of a byte at a time.
  void copyFrom(std::uint32_t start, std::uint32_t len);
  // Hands the remaining bytes to the sink. Returns the final status.
  Error finish();
  std::uint16_t crc() const { return crc_.value(); }

 private:
  static constexpr std::uint32_t kChunk = 2048;
  void flush();

  std::vector<std::uint8_t> ring_;
  std::uint32_t mask_;
  std::uint32_t pos_ = 0;
  std::uint32_t pending_ = 0;
  std::uint64_t remaining_;
  const Sink &sink_;
  Crc16 crc_;
  Error error_ = Error::None;
};

}  // namespace lha
