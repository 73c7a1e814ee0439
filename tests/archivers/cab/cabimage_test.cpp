// Filling in missing block checksums, with the checksums gcab writes as the oracle.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "arclib.h"
#include "cabimage.h"
#include "requirements.h"
#include "testworld.h"

namespace {

using arctest::Q;
using arctest::Sh;
using testsupport::TestWorld;

std::vector<uint8_t> ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t> &b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Offsets of the checksum fields of a gcab cabinet's data blocks (one folder, no reserve).
std::vector<size_t> BlockChecksums(const std::vector<uint8_t> &cab) {
  std::vector<size_t> at;
  size_t block = Le32(cab, 36);
  const size_t blocks = cab[40] | cab[41] << 8;
  for (size_t i = 0; i < blocks; ++i) {
    at.push_back(block);
    block += 8 + (cab[block + 4] | cab[block + 5] << 8);
  }
  return at;
}

TEST(CabImage, FillsTheChecksumsGcabWrites) {
  REQUIRE_TOOLS("gcab");
  TestWorld world;
  std::string random;
  for (int i = 0; i < 70000; ++i) random += static_cast<char>((i * 2654435761u) >> 13);
  TestWorld::MakeDirs(world.Linux("src"));
  TestWorld::WriteFile(world.Linux("src/r.bin"), random);
  TestWorld::WriteFile(world.Linux("src/odd.txt"), "seven b");  // a tail of 3 bytes
  const struct {
    const char *flags;
    size_t blocks;
  } cases[] = {{"-c", 3}, {"-c -z", 3}};
  for (const auto &c : cases) {
    const std::string cab = world.Linux("g.cab");
    std::string out;
    ASSERT_EQ(Sh(std::string("gcab ") + c.flags + " " + Q(cab) + " r.bin odd.txt", &out, world.Linux("src")), 0) << out;
    const std::vector<uint8_t> original = ReadBytes(cab);
    const std::vector<size_t> sums = BlockChecksums(original);
    ASSERT_EQ(sums.size(), c.blocks) << c.flags;
    std::vector<uint8_t> cleared = original;
    for (size_t at : sums) std::memset(&cleared[at], 0, 4);
    EXPECT_EQ(cab::FillMissingChecksums(cleared), c.blocks) << c.flags;
    EXPECT_EQ(cleared, original) << c.flags;
    // Stored checksums are left as they are, right or wrong.
    std::vector<uint8_t> wrong = original;
    wrong[sums[1]] ^= 1;
    const std::vector<uint8_t> before = wrong;
    EXPECT_EQ(cab::FillMissingChecksums(wrong), 0u) << c.flags;
    EXPECT_EQ(wrong, before) << c.flags;
    // A cabinet cut inside its second block: the first block is filled, the rest left alone.
    std::vector<uint8_t> cut(cleared.begin(), cleared.begin() + static_cast<ptrdiff_t>(sums[1] + 20));
    for (size_t at : sums)
      if (at + 4 <= cut.size()) std::memset(&cut[at], 0, 4);
    EXPECT_EQ(cab::FillMissingChecksums(cut), 1u) << c.flags;
    EXPECT_EQ(Le32(cut, sums[0]), Le32(original, sums[0])) << c.flags;
    EXPECT_EQ(Le32(cut, sums[1]), 0u) << c.flags;
  }
}

TEST(CabImage, FindsTheCabinetInAProgram) {
  const std::string sig("MSCF\0\0\0\0", 8);
  const struct {
    std::string file;
    ptrdiff_t at;
  } cases[] = {
      {sig + "rest", 0},
      {"MZ" + std::string(1000, 'p') + sig + "rest", 1002},
      {"MZ" + std::string(1000, 'p') + "MSCF\1\0\0\0", -1},  // the signature wants its zero field
      {"MZ" + std::string(200 * 1024, 'p') + sig, -1},       // too far into the program
      {"PK" + sig, -1},
      {"", -1},
  };
  for (const auto &c : cases) {
    const std::vector<uint8_t> bytes(c.file.begin(), c.file.end());
    EXPECT_EQ(cab::FindCabinet(bytes), c.at) << c.file.substr(0, 12);
  }
}

}  // namespace
