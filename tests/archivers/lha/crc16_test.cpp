#include "lha_test_util.h"

namespace {

struct CrcCase {
  const char *text;
  std::uint16_t crc;
};

class Crc16 : public ::testing::TestWithParam<CrcCase> {};

// Reference values of CRC-16/ARC, the check the LHA data CRC uses.
TEST_P(Crc16, MatchesReference) {
  std::string s = GetParam().text;
  lha::Crc16 whole, split;
  whole.update({reinterpret_cast<const std::uint8_t *>(s.data()), s.size()});
  split.update({reinterpret_cast<const std::uint8_t *>(s.data()), s.size() / 2});
  split.update({reinterpret_cast<const std::uint8_t *>(s.data()) + s.size() / 2, s.size() - s.size() / 2});
  EXPECT_EQ(whole.value(), GetParam().crc);
  EXPECT_EQ(split.value(), GetParam().crc);
}

INSTANTIATE_TEST_SUITE_P(Cases, Crc16,
                         ::testing::Values(CrcCase{"", 0x0000}, CrcCase{"123456789", 0xBB3D}, CrcCase{"A", 0x30C0},
                                           CrcCase{"The quick brown fox jumps over the lazy dog", 0xFCDF}));

}  // namespace
