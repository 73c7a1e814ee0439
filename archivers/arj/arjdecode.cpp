#include <algorithm>
#include <vector>

#include "arjformat.h"
#include "lha/decoder.h"

namespace arj {

namespace {

// The window of ARJ's compressors; back references never reach further.
constexpr uint32_t kWindow = 26624;
constexpr int kThreshold = 3;

// Most significant bit first, as ARJ packs them. Past the end of the data it reads zeros, and
// counts how far it went, so that data claiming more than it holds is caught.
class BitReader {
 public:
  explicit BitReader(lha::ByteSource &src) : src_(src) {}
  unsigned Bit() { return Bits(1); }
  unsigned Bits(int n) {
    while (count_ < n) {
      uint8_t byte = 0;
      if (src_.read({&byte, 1}) == 1) ++consumed_;
      else ++overrun_;
      buffer_ = buffer_ << 8 | byte;
      count_ += 8;
    }
    count_ -= n;
    return static_cast<unsigned>(buffer_ >> count_) & ((1u << n) - 1);
  }
  // Bytes read past the end of the packed data.
  uint64_t Overrun() const { return overrun_; }

 private:
  lha::ByteSource &src_;
  uint64_t buffer_ = 0;
  int count_ = 0;
  uint64_t consumed_ = 0;
  uint64_t overrun_ = 0;
};

// A value coded as a run of 1 bits (each doubling the base) ended by a 0 bit, then as many
// bits as the run reached: widths from start to stop - 1.
unsigned DecodeRun(BitReader &bits, int start, int stop) {
  unsigned plus = 0, power = 1u << start;
  int width = start;
  for (; width < stop; ++width) {
    if (!bits.Bit()) break;
    plus += power;
    power <<= 1;
  }
  return plus + (width ? bits.Bits(width) : 0);
}

Error DecodeFastest(lha::ByteSource &packed, uint32_t size, const lha::Sink &sink, uint32_t &crc) {
  BitReader bits(packed);
  std::vector<uint8_t> window(kWindow);
  uint32_t r = 0, count = 0;
  auto flush = [&](uint32_t n) {
    crc = Crc32(crc, window.data(), n);
    return sink({window.data(), n});
  };
  while (count < size) {
    // Data ending before the size says it should is broken, not a run of zeros.
    if (bits.Overrun() > 8) return Error::BadData;
    const unsigned len = DecodeRun(bits, 0, 7);
    if (len == 0) {
      window[r++] = static_cast<uint8_t>(bits.Bits(8));
      ++count;
      if (r == kWindow) {
        if (!flush(r)) return Error::Aborted;
        r = 0;
      }
      continue;
    }
    uint32_t n = len - 1 + kThreshold;
    const unsigned distance = DecodeRun(bits, 9, 13);
    if (distance >= kWindow || n > size - count) return Error::BadData;
    uint32_t from = (r + kWindow - distance - 1) % kWindow;
    count += n;
    while (n-- > 0) {
      window[r++] = window[from++];
      if (from == kWindow) from = 0;
      if (r == kWindow) {
        if (!flush(r)) return Error::Aborted;
        r = 0;
      }
    }
  }
  return r && !flush(r) ? Error::Aborted : Error::None;
}

}  // namespace

Error DecodeArjEntry(const lha::ArchiveInput &in, const ArjEntry &e, const lha::Sink &sink) {
  if (e.flags & kFlagGarbled) return Error::Unsupported;
  lha::RangeSource packed(in, e.dataOffset, e.packedSize);
  uint32_t crc = 0;
  const lha::Sink counting = [&](std::span<const uint8_t> d) {
    crc = Crc32(crc, d.data(), d.size());
    return sink(d);
  };
  Error result = Error::None;
  switch (e.method) {
    case 0: {
      std::vector<uint8_t> buf(65536);
      uint64_t left = e.originalSize;
      while (left > 0) {
        const size_t n = packed.read({buf.data(), static_cast<size_t>(std::min<uint64_t>(left, buf.size()))});
        if (n == 0) return Error::Truncated;
        if (!counting({buf.data(), n})) return Error::Aborted;
        left -= n;
      }
      break;
    }
    case 1:
    case 2:
    case 3: {
      // The bit stream of LHA's -lh7- (16-bit positions, 5-bit position code lengths).
      const lha::DecodeResult d = lha::decodeLh7(packed, e.originalSize, counting);
      if (d.error == lha::Error::Aborted) return Error::Aborted;
      if (d.error != lha::Error::None || d.written != e.originalSize) return Error::BadData;
      break;
    }
    case 4:
      result = DecodeFastest(packed, e.originalSize, sink, crc);
      if (result != Error::None) return result;
      break;
    default:
      return Error::Unsupported;
  }
  return crc == e.crc ? Error::None : Error::DataCrc;
}

}  // namespace arj
