// -lh0- and -lz4- keep the data as it is; -lhd- entries have none.
#include <algorithm>
#include <array>

#include "crc16.h"
#include "decoder.h"

namespace lha {

DecodeResult decodeStored(ByteSource &packed, std::uint64_t size, const Sink &sink) {
  DecodeResult r;
  Crc16 crc;
  std::array<std::uint8_t, 16384> buf;
  while (r.written < size) {
    std::size_t want = std::min<std::uint64_t>(buf.size(), size - r.written);
    std::size_t n = packed.read(std::span(buf).first(want));
    if (n == 0) {
      r.error = packed.failed() ? Error::Io : Error::Truncated;
      break;
    }
    std::span<const std::uint8_t> chunk(buf.data(), n);
    crc.update(chunk);
    r.written += n;
    if (!sink(chunk)) {
      r.error = Error::Aborted;
      break;
    }
  }
  r.crc = crc.value();
  return r;
}

DecodeResult decodeFolder(ByteSource &, std::uint64_t, const Sink &) { return {}; }

}  // namespace lha
