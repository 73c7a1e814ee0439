// The LArc methods. -lzs-: 2 KiB dictionary, a flag bit per item, an 11-bit ring position and a
// 4-bit length. -lz5-: 4 KiB dictionary, a flag byte per eight items, the dictionary preset
// with runs and byte sequences that early matches may refer to.
#include "bitio.h"
#include "decoder.h"
#include "window.h"

namespace lha {

DecodeResult decodeLzs(ByteSource &in, std::uint64_t size, const Sink &sink) {
  Window w(11, sink, size);
  std::fill_n(w.ring(), w.size(), ' ');
  w.setPos(w.size() - 17);
  BitReader br(in);
  Error e = Error::None;
  while (!w.done()) {
    if (br.exhausted()) {
      e = Error::Truncated;
      break;
    }
    if (br.bit()) {
      w.put(static_cast<std::uint8_t>(br.get(8)));
    } else {
      std::uint32_t pos = br.get(11);
      std::uint32_t len = br.get(4) + 2;
      w.copyFrom(pos, len);
    }
  }
  return finishWindow(w, e, size);
}

namespace {

void presetLz5(std::uint8_t *p) {
  for (int i = 0; i < 256; ++i)
    for (int j = 0; j < 13; ++j) *p++ = static_cast<std::uint8_t>(i);
  for (int i = 0; i < 256; ++i) *p++ = static_cast<std::uint8_t>(i);
  for (int i = 0; i < 256; ++i) *p++ = static_cast<std::uint8_t>(255 - i);
  for (int i = 0; i < 128; ++i) *p++ = 0;
  for (int i = 0; i < 110; ++i) *p++ = ' ';
  for (int i = 0; i < 18; ++i) *p++ = 0;
}

}  // namespace

DecodeResult decodeLz5(ByteSource &in, std::uint64_t size, const Sink &sink) {
  Window w(12, sink, size);
  presetLz5(w.ring());
  w.setPos(w.size() - 18);
  BitReader br(in);
  Error e = Error::None;
  while (!w.done() && e == Error::None) {
    unsigned flags = br.get(8);
    for (int bit = 0; bit < 8 && !w.done(); ++bit) {
      if (br.exhausted()) {
        e = Error::Truncated;
        break;
      }
      if (flags & (1u << bit)) {
        w.put(static_cast<std::uint8_t>(br.get(8)));
      } else {
        std::uint32_t lo = br.get(8), hi = br.get(8);
        w.copyFrom(((hi & 0xF0) << 4) | lo, (hi & 0x0F) + 3);
      }
    }
  }
  return finishWindow(w, e, size);
}

}  // namespace lha
