// Hostile packed data: every decoder ends in an error or in exactly the original size,
// never in a crash, a hang or more output than the header promised.
#include "lha/bitio.h"
#include "lha/window.h"
#include "lha_test_util.h"

namespace {

struct Hostile {
  const char *method;
  std::vector<std::uint8_t> packed;
  std::uint64_t originalSize;
  bool mustFail;
};

lha::DecodeResult decode(const char *method, std::span<const std::uint8_t> packed, std::uint64_t size,
                         std::uint64_t &written) {
  const lha::MethodInfo *m = lha::findMethod(method);
  EXPECT_NE(m, nullptr);
  lha::SpanSource src(packed);
  written = 0;
  return m->decode(src, size, [&](std::span<const std::uint8_t> d) {
    written += d.size();
    return true;
  });
}

class HostileData : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileData, EndsCleanly) {
  const Hostile &h = GetParam();
  std::uint64_t written = 0;
  lha::DecodeResult r = decode(h.method, h.packed, h.originalSize, written);
  EXPECT_LE(written, h.originalSize);
  if (h.mustFail) {
    EXPECT_NE(r.error, lha::Error::None);
  }
  if (r.error == lha::Error::None) {
    EXPECT_EQ(written, h.originalSize);
  }
}

std::vector<std::uint8_t> bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }

INSTANTIATE_TEST_SUITE_P(
    Streams, HostileData,
    ::testing::Values(
        // Empty input for a non-empty entry.
        Hostile{"-lh5-", {}, 100, true}, Hostile{"-lh1-", {}, 100, true}, Hostile{"-lzs-", {}, 100, true},
        Hostile{"-lz5-", {}, 100, true}, Hostile{"-lh0-", bytes({1, 2}), 100, true},
        // Block of 0 symbols forever: must run out of input, not loop.
        Hostile{"-lh5-", std::vector<std::uint8_t>(64, 0), 100, true},
        // Length tree of 19 codes all of length 1: over-subscribed.
        Hostile{"-lh5-", bytes({0x00, 0x10, 0x99, 0x24, 0x24, 0x92, 0x49, 0x24, 0x92, 0x49}), 100, true},
        // Literal tree of one symbol 509 (length 256) then positions of one code 17: reaches
        // beyond any dictionary.
        Hostile{"-lh7-", bytes({0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0xFE, 0xE8, 0x80, 0x00, 0, 0, 0}), 1000, false},
        // All ones: long unary lengths that exceed 16 bits.
        Hostile{"-lh6-", std::vector<std::uint8_t>(64, 0xFF), 1000, true},
        // Random bytes of every family.
        Hostile{"-lh5-", lhatest::randomBytes(4000, 1), 20000, false},
        Hostile{"-lh7-", lhatest::randomBytes(4000, 2), 20000, false},
        Hostile{"-lh1-", lhatest::randomBytes(4000, 3), 20000, false},
        Hostile{"-lzs-", lhatest::randomBytes(4000, 4), 20000, false},
        Hostile{"-lz5-", lhatest::randomBytes(4000, 5), 20000, false},
        // Output stops at the original size even when data remains.
        Hostile{"-lz5-", std::vector<std::uint8_t>(4000, 0xFF), 10, false},
        Hostile{"-lh0-", std::vector<std::uint8_t>(4000, 0xFF), 10, false}));

struct Copy {
  std::uint32_t dist;  // distance - 1, as the decoders pass it
  std::uint32_t len;
};

struct CopyCase {
  const char *name;
  unsigned ringBits;
  std::uint32_t startPos;
  std::uint64_t limit;
  std::vector<Copy> copies;
};

class WindowCopy : public ::testing::TestWithParam<CopyCase> {};

// Copies from the history give exactly what copying one byte at a time gives: overlapping
// runs repeat, sources and outputs wrap around the ring, output stops at the original size.
TEST_P(WindowCopy, MatchesByteByByte) {
  const CopyCase &c = GetParam();
  std::vector<std::uint8_t> out;
  lha::Sink sink = lha::vectorSink(out);
  lha::Window w(c.ringBits, sink, c.limit);
  const std::uint32_t size = w.size(), mask = size - 1;
  std::vector<std::uint8_t> ring(size);
  for (std::uint32_t i = 0; i < size; ++i) ring[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  std::copy(ring.begin(), ring.end(), w.ring());
  w.setPos(c.startPos);

  std::vector<std::uint8_t> expected;
  std::uint32_t pos = c.startPos;
  for (const Copy &k : c.copies) {
    w.copyBack(k.dist, k.len);
    for (std::uint32_t i = 0; i < k.len && expected.size() < c.limit; ++i) {
      std::uint8_t b = ring[(pos - k.dist - 1) & mask];
      ring[pos] = b;
      pos = (pos + 1) & mask;
      expected.push_back(b);
    }
  }
  ASSERT_EQ(w.finish(), lha::Error::None);
  EXPECT_TRUE(out == expected);
  EXPECT_EQ(w.crc(), lha::Crc16::of(expected));
  EXPECT_TRUE(std::equal(ring.begin(), ring.end(), w.ring()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowCopy,
    ::testing::Values(CopyCase{"run_of_one_byte", 11, 100, 1u << 20, {{0, 256}, {0, 256}}},
                      CopyCase{"short_repeat", 11, 100, 1u << 20, {{2, 256}, {4, 200}}},
                      CopyCase{"whole_ring_back", 11, 500, 1u << 20, {{2047, 256}}},
                      CopyCase{"source_wraps", 11, 10, 1u << 20, {{20, 256}}},
                      CopyCase{"output_wraps", 11, 2040, 1u << 20, {{100, 256}, {1, 256}}},
                      CopyCase{"longer_than_ring", 11, 0, 1u << 20, std::vector<Copy>(40, Copy{0, 256})},
                      CopyCase{"mixed_beyond_a_chunk",
                               13,
                               8000,
                               1u << 20,
                               {{8191, 256},
                                {3, 256},
                                {700, 256},
                                {0, 256},
                                {1000, 100},
                                {5, 256},
                                {8000, 256},
                                {255, 256},
                                {256, 256},
                                {257, 256}}},
                      CopyCase{"cut_at_original_size", 11, 0, 300, {{0, 256}, {9, 256}, {0, 256}}}),
    [](const auto &info) { return std::string(info.param.name); });

// A stream of two blocks, each with one-symbol trees (no bits per symbol): three literals 'A',
// then one match of three bytes with position code p and p - 1 extra bits of value extra.
std::vector<std::uint8_t> literalsThenMatch(int posFieldBits, unsigned p, std::uint32_t extra) {
  lha::BitWriter bw;
  auto block = [&](unsigned symbols, unsigned literal, unsigned position) {
    bw.put(16, symbols);
    bw.put(5, 0);  // the length tree: one code
    bw.put(5, 0);
    bw.put(9, 0);  // the literal tree: one code
    bw.put(9, literal);
    bw.put(posFieldBits, 0);  // the position tree: one code
    bw.put(posFieldBits, position);
  };
  block(3, 'A', 0);
  block(1, 256, p);  // 256: a match of three bytes
  const int extraBits = static_cast<int>(p) - 1;
  if (extraBits > 16) bw.put(extraBits - 16, extra >> 16);
  if (extraBits > 0) bw.put(std::min(extraBits, 16), extra);
  bw.put(16, 0);
  bw.flush();
  return bw.bytes();
}

struct Reach {
  const char *name;
  const char *method;
  int posFieldBits;
  unsigned p;
  std::uint32_t extra;
  const char *output;  // nullptr: the stream is refused
};

class MatchReach : public ::testing::TestWithParam<Reach> {};

// A match copies from the history the decoder keeps: bytes not written yet read as spaces, as
// old decoders had them; a distance beyond the history is refused, and nothing of the match is
// made up.
TEST_P(MatchReach, StaysInsideTheHistory) {
  const Reach &r = GetParam();
  const std::vector<std::uint8_t> packed = literalsThenMatch(r.posFieldBits, r.p, r.extra);
  std::vector<std::uint8_t> out;
  lha::SpanSource src(packed);
  const lha::DecodeResult result = lha::findMethod(r.method)->decode(src, 6, lha::vectorSink(out));
  if (r.output) {
    EXPECT_EQ(result.error, lha::Error::None);
    EXPECT_EQ(std::string(out.begin(), out.end()), r.output);
  } else {
    EXPECT_EQ(result.error, lha::Error::BadData);
    EXPECT_EQ(std::string(out.begin(), out.end()), "AAA");
  }
}

INSTANTIATE_TEST_SUITE_P(Distances, MatchReach,
                         ::testing::Values(Reach{"lh5_repeat", "-lh5-", 4, 1, 0, "AAAAAA"},
                                           Reach{"lh5_before_the_start", "-lh5-", 4, 14, 0x1FFF, "AAA   "},
                                           Reach{"lh7_whole_history", "-lh7-", 5, 17, 0xFFFF, "AAA   "},
                                           Reach{"lh7_beyond_the_history", "-lh7-", 5, 18, 0, nullptr},
                                           Reach{"lh6_far_beyond", "-lh6-", 5, 30, 0x12345678, nullptr},
                                           Reach{"lhx_whole_history", "-lhx-", 5, 20, 0x7FFFF, "AAA   "},
                                           Reach{"lhx_beyond_the_history", "-lhx-", 5, 21, 0, nullptr},
                                           Reach{"lhx_largest_code", "-lhx-", 5, 31, 0x3FFFFFFF, nullptr}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(UnknownMethod, HasNoDecoder) {
  EXPECT_EQ(lha::findMethod("-lh9-"), nullptr);
  EXPECT_EQ(lha::findMethod("-pm2-"), nullptr);
  EXPECT_TRUE(lha::findMethod("-lhd-")->folder);
}

// Corrupting one byte of a packed stream is caught by the decoder or by the CRC.
TEST(CorruptStream, IsDetected) {
  std::vector<std::uint8_t> data = lhatest::midiLike(30000, 9);
  lha::EncoderParams p;
  std::vector<std::uint8_t> packed = lha::encodeLzh(data, p);
  std::uint16_t crc = lha::Crc16::of(data);
  // From byte 2: the first block's symbol count may grow without changing the output.
  for (std::size_t at = 2; at < packed.size(); at += packed.size() / 50 + 1) {
    std::vector<std::uint8_t> bad = packed;
    bad[at] ^= 0x5A;
    std::vector<std::uint8_t> out;
    lha::SpanSource src(bad);
    lha::DecodeResult r = lha::decodeLh5(src, data.size(), lha::vectorSink(out));
    EXPECT_TRUE(r.error != lha::Error::None || r.crc != crc) << at;
  }
}

}  // namespace
