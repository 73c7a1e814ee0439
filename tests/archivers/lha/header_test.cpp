#include <cstring>

#include "lha_test_util.h"

namespace {

using lhatest::extract;

std::vector<std::uint8_t> archiveOf(const lha::HeaderFields &f, std::size_t dataSize = 0) {
  std::vector<std::uint8_t> a;
  EXPECT_EQ(lha::writeHeader(f, a), lha::Error::None);
  a.resize(a.size() + dataSize, 0x55);
  a.push_back(0);
  return a;
}

lha::HeaderFields fields(int level, const std::string &name) {
  lha::HeaderFields f;
  f.method = "-lh5-";
  f.level = level;
  f.name = name;
  f.packedSize = 7;
  f.originalSize = 1234;
  f.crc = 0xBEEF;
  f.dosTime = 0x5A6B1234;
  f.unixTime = 1700000000;
  return f;
}

struct NameCase {
  int level;
  std::string name;
};

class HeaderRoundTrip : public ::testing::TestWithParam<NameCase> {};

// What the writer puts in a header, the reader gives back, at every level.
TEST_P(HeaderRoundTrip, FieldsSurvive) {
  const auto &c = GetParam();
  std::vector<std::uint8_t> a = archiveOf(fields(c.level, c.name), 7);
  lha::MemoryInput in(a);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  ASSERT_EQ(entries.size(), 1u);
  const lha::Entry &e = entries[0];
  EXPECT_EQ(e.name, c.name);
  EXPECT_EQ(e.method, "-lh5-");
  EXPECT_EQ(e.level, c.level);
  EXPECT_EQ(e.packedSize, 7u);
  EXPECT_EQ(e.originalSize, 1234u);
  EXPECT_EQ(e.crc, 0xBEEF);
  if (c.level < 2) {
    EXPECT_EQ(e.dosTime, 0x5A6B1234u);
  }
  if (c.level == 2) {
    EXPECT_EQ(e.unixTime.value_or(0), 1700000000);
  }
  if (c.level > 0) {
    EXPECT_EQ(e.osId, lha::kOsMsDos);
  }
  EXPECT_EQ(e.dataOffset + 7 + 1, a.size());
}

// "\x83\x5C" is a code page 932 character whose second byte is '\'.
INSTANTIATE_TEST_SUITE_P(Names, HeaderRoundTrip,
                         ::testing::Values(NameCase{0, "town.mid"}, NameCase{1, "town.mid"}, NameCase{2, "town.mid"},
                                           NameCase{0, "music/battle/boss.mid"}, NameCase{1, "music/battle/boss.mid"},
                                           NameCase{2, "music/battle/boss.mid"},
                                           NameCase{0, "\x83\x5C\x83\x93\x83\x4F/\x8B\xC8.mid"},
                                           NameCase{1, "\x83\x5C\x83\x93\x83\x4F/\x8B\xC8.mid"},
                                           NameCase{2, "\x83\x5C\x83\x93\x83\x4F/\x8B\xC8.mid"},
                                           NameCase{2, std::string(600, 'n')}));

// A level-2 header whose size is a multiple of 256 would start with a zero byte, the end
// mark; the writer pads such headers, whatever the name length.
TEST(LevelTwoHeader, SizeIsNeverAMultipleOf256) {
  for (std::size_t len = 1; len < 700; ++len) {
    std::vector<std::uint8_t> h;
    ASSERT_EQ(lha::writeHeader(fields(2, std::string(len, 'a')), h), lha::Error::None);
    ASSERT_NE(h.size() % 256, 0u) << len;
    h.resize(h.size() + 7);
    h.push_back(0);
    lha::MemoryInput in(h);
    std::vector<lha::Entry> entries;
    ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None) << len;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name.size(), len);
  }
}

struct CorruptCase {
  int level;
  std::size_t offset;  // a byte covered by the checksum or CRC
  lha::Error expected;
};

class CorruptHeader : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptHeader, IsRejected) {
  std::vector<std::uint8_t> a = archiveOf(fields(GetParam().level, "a/b.mid"), 7);
  a[GetParam().offset] ^= 0x01;
  lha::MemoryInput in(a);
  std::vector<lha::Entry> entries;
  EXPECT_EQ(lha::listArchive(in, entries), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CorruptHeader,
    ::testing::Values(CorruptCase{0, 12, lha::Error::HeaderChecksum}, CorruptCase{0, 23, lha::Error::HeaderChecksum},
                      CorruptCase{1, 12, lha::Error::HeaderChecksum}, CorruptCase{2, 12, lha::Error::HeaderChecksum},
                      CorruptCase{2, 33, lha::Error::HeaderChecksum}, CorruptCase{2, 2, lha::Error::NotAnArchive}));

// A header cut anywhere is an error, never a read past the input.
TEST(TruncatedHeader, EveryCutFails) {
  for (int level = 0; level <= 2; ++level) {
    std::vector<std::uint8_t> a = archiveOf(fields(level, "music/town.mid"), 7);
    for (std::size_t cut = 1; cut < a.size() - 1; ++cut) {
      std::vector<std::uint8_t> part(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(cut));
      lha::MemoryInput in(part);
      std::vector<lha::Entry> entries;
      EXPECT_NE(lha::listArchive(in, entries), lha::Error::None) << level << " " << cut;
    }
  }
}

struct JunkCase {
  std::size_t junk;
  bool found;
};

class JunkBeforeArchive : public ::testing::TestWithParam<JunkCase> {};

// Self-extracting archives carry their code in front; the search is bounded.
TEST_P(JunkBeforeArchive, ScanIsBounded) {
  std::vector<std::uint8_t> a = lhatest::randomBytes(GetParam().junk, 7);
  for (auto &b : a) b = static_cast<std::uint8_t>(b == '-' ? 'x' : b);
  std::vector<std::uint8_t> body = archiveOf(fields(2, "town.mid"), 7);
  a.insert(a.end(), body.begin(), body.end());
  lha::MemoryInput in(a);
  std::vector<lha::Entry> entries;
  lha::Error err = lha::listArchive(in, entries);
  if (GetParam().found) {
    ASSERT_EQ(err, lha::Error::None);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].headerOffset, GetParam().junk);
  } else {
    EXPECT_EQ(err, lha::Error::NotAnArchive);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, JunkBeforeArchive,
                         ::testing::Values(JunkCase{0, true}, JunkCase{1, true}, JunkCase{100000, true},
                                           JunkCase{140000, false}));

TEST(Utf16Name, IsStoredBesideTheCodePageName) {
  lha::HeaderFields f = fields(2, "music/?.mid");
  f.utf16Name = u"music/\u266B.mid";
  std::vector<std::uint8_t> a = archiveOf(f, 7);
  lha::MemoryInput in(a);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  EXPECT_EQ(entries[0].name, "music/?.mid");
  EXPECT_EQ(entries[0].utf16Name, u"\u266B.mid");
  EXPECT_EQ(entries[0].utf16Folder, u"music");

  f.level = 0;  // level 0 has no room for it: refuse rather than lose the name
  std::vector<std::uint8_t> h;
  EXPECT_EQ(lha::writeHeader(f, h), lha::Error::InvalidArgument);
}

TEST(LevelThreeHeader, AbsurdSizeIsRefused) {
  std::vector<std::uint8_t> a(40, 0);
  a[0] = 4;
  std::memcpy(&a[2], "-lh0-", 5);
  a[20] = 3;
  a[24] = 0xFF;
  a[25] = 0xFF;
  a[26] = 0xFF;
  a[27] = 0x7F;  // claims a 2 GiB header
  lha::MemoryInput in(a);
  std::vector<lha::Entry> entries;
  EXPECT_EQ(lha::listArchive(in, entries), lha::Error::BadHeader);
}

}  // namespace
