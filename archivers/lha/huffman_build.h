// Building length-limited Huffman codes for the encoder.
#pragma once

#include <cstdint>
#include <span>

namespace lha {

// Sets lengths[i] for every symbol with freq[i] > 0 (others get 0), no length above maxBits.
// With fewer than two used symbols the caller writes a single-symbol tree instead.
void buildLengths(std::span<const std::uint32_t> freq, std::span<std::uint8_t> lengths, int maxBits);

// Canonical codes in the order LHA decoders expect: by length, then by symbol.
void buildCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

}  // namespace lha
