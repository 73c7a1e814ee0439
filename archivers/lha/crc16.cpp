#include "crc16.h"

#include <array>

namespace lha {
namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
  std::array<std::uint16_t, 256> t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
    t[i] = static_cast<std::uint16_t>(c);
  }
  return t;
}

constexpr auto kTable = makeTable();

}  // namespace

void Crc16::update(std::span<const std::uint8_t> data) {
  unsigned c = crc_;
  for (std::uint8_t b : data) c = kTable[(c ^ b) & 0xFF] ^ (c >> 8);
  crc_ = static_cast<std::uint16_t>(c);
}

}  // namespace lha
