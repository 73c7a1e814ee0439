// CRC-16 as LHA and ARC use it: polynomial 0x8005 reflected (0xA001), initial value 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lha {

class Crc16 {
 public:
  void update(std::span<const std::uint8_t> data);
  std::uint16_t value() const { return crc_; }

  static std::uint16_t of(std::span<const std::uint8_t> data) {
    Crc16 c;
    c.update(data);
    return c.value();
  }

 private:
  std::uint16_t crc_ = 0;
};

}  // namespace lha
