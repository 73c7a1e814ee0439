// Decoders, one per method family, found through a table keyed by the method id ("-lh5-").
#pragma once

#include <cstdint>
#include <string_view>

#include "error.h"
#include "io.h"

namespace lha {

struct DecodeResult {
  Error error = Error::None;
  std::uint16_t crc = 0;      // CRC-16 of the bytes handed to the sink
  std::uint64_t written = 0;  // how many bytes were handed to the sink
};

// Unpacks one entry's data. packed holds exactly the entry's packed bytes; at most
// originalSize bytes reach the sink, and fewer only on failure.
using DecodeFn = DecodeResult (*)(ByteSource &packed, std::uint64_t originalSize, const Sink &sink);

struct MethodInfo {
  std::string_view id;
  DecodeFn decode;
  bool folder;  // -lhd-: an entry without data
};

// Ends a decoder that wrote through a Window: flushes it and reports the first failure.
class Window;
DecodeResult finishWindow(Window &w, Error e, std::uint64_t size);

// Null for an unknown method.
const MethodInfo *findMethod(std::string_view id);

// The decoder of each family, registered in decoder_table.cpp.
DecodeResult decodeStored(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLh1(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLh4(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLh5(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLh6(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLh7(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLhx(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLzs(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeLz5(ByteSource &packed, std::uint64_t size, const Sink &sink);
DecodeResult decodeFolder(ByteSource &packed, std::uint64_t size, const Sink &sink);

}  // namespace lha
