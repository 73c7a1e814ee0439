// Packing a segment at a time: the output does not depend on how the source hands out its
// bytes, entries larger than a segment come back whole, and the data that waits for its header
// (in memory, then in a temporary file) is written back unchanged.
#include "lha/spill.h"
#include "lha_test_util.h"

namespace {

using namespace lhatest;

// Hands out its data in pieces of the given sizes in turn, as a pipe or a slow file would;
// it cannot rewind unless told to, and can fail after a number of bytes.
class PieceSource final : public lha::ByteSource {
 public:
  PieceSource(std::span<const std::uint8_t> data, std::vector<std::size_t> pieces, bool canRewind = false)
      : data_(data), pieces_(std::move(pieces)), canRewind_(canRewind) {}
  std::size_t read(std::span<std::uint8_t> buf) override {
    if (at_ >= failAt_) {
      failed_ = true;
      return 0;
    }
    std::size_t n = std::min({buf.size(), pieces_[turn_++ % pieces_.size()], data_.size() - at_, failAt_ - at_});
    std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(at_), n, buf.begin());
    at_ += n;
    return n;
  }
  bool failed() const override { return failed_; }
  bool rewind() override {
    if (!canRewind_) return false;
    at_ = 0;
    ++rewinds;
    if (changeOnRewind) data_ = *changeOnRewind;
    return true;
  }
  std::size_t failAt_ = SIZE_MAX;
  int rewinds = 0;
  const std::vector<std::uint8_t> *changeOnRewind = nullptr;

 private:
  std::span<const std::uint8_t> data_;
  std::vector<std::size_t> pieces_;
  bool canRewind_;
  std::size_t at_ = 0;
  std::size_t turn_ = 0;
  bool failed_ = false;
};

// MIDI-like data with random stretches, across several 256 KiB segments.
std::vector<std::uint8_t> mixed(std::size_t size) {
  std::vector<std::uint8_t> d = midiLike(size, 41);
  const std::vector<std::uint8_t> noise = randomBytes(size / 5, 42);
  std::copy(noise.begin(), noise.end(), d.begin() + static_cast<std::ptrdiff_t>(size / 3));
  return d;
}

struct StreamCase {
  const char *name;
  int dictBits;
  int passes;
  std::size_t size;
  std::vector<std::size_t> pieces;
};

class Streaming : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Streaming, SameOutputWhateverThePieces) {
  const StreamCase &c = GetParam();
  const std::vector<std::uint8_t> data = mixed(c.size);
  lha::EncoderParams p;
  p.dictBits = c.dictBits;
  p.passes = c.passes;
  const std::vector<std::uint8_t> whole = lha::LzhEncoder(p).encode(data);
  lha::LzhEncoder encoder(p);
  std::vector<std::uint8_t> streamed;
  std::size_t handed = 0;
  PieceSource src(data, c.pieces);
  ASSERT_EQ(encoder.encode(src,
                           [&](std::span<const std::uint8_t> d) {
                             streamed.insert(streamed.end(), d.begin(), d.end());
                             ++handed;
                             return true;
                           }),
            lha::Error::None);
  EXPECT_TRUE(streamed == whole);
  // A segment at a time, not all at the end.
  if (c.size > (1u << 19)) {
    EXPECT_GT(handed, 2u);
  }

  // And it unpacks: the decoder of the method behind these dictionary bits.
  std::vector<std::uint8_t> out;
  lha::SpanSource packed(streamed);
  auto decode = c.dictBits == 13 ? lha::decodeLh5 : c.dictBits == 15 ? lha::decodeLh6 : lha::decodeLh7;
  const lha::DecodeResult r = decode(packed, data.size(), lha::vectorSink(out));
  EXPECT_EQ(r.error, lha::Error::None);
  EXPECT_TRUE(out == data);
}

INSTANTIATE_TEST_SUITE_P(Cases, Streaming,
                         ::testing::Values(StreamCase{"lh5_three_segments", 13, 1, 700000, {65536}},
                                           StreamCase{"lh6_odd_pieces", 15, 1, 600000, {1, 4093, 3, 70000}},
                                           StreamCase{"lh7_segment_edge", 16, 1, (1u << 18) + 3, {4096}},
                                           StreamCase{"lh7_two_segments_exactly", 16, 1, 1u << 19, {1u << 18}},
                                           StreamCase{"lh5_lazy_parse", 13, 0, 600000, {777}},
                                           StreamCase{"lh7_two_passes", 16, 2, 600000, {100000}},
                                           StreamCase{"small", 13, 1, 5000, {7}}),
                         [](const auto &info) { return std::string(info.param.name); });

// Unpacks the one entry of an archive and returns its method.
std::string roundTrip(const std::vector<std::uint8_t> &archive, const std::vector<std::uint8_t> &data) {
  lha::MemoryInput in(archive);
  std::vector<lha::Entry> entries;
  EXPECT_EQ(lha::listArchive(in, entries), lha::Error::None);
  if (entries.size() != 1) return "";
  EXPECT_EQ(entries[0].originalSize, data.size());
  EXPECT_TRUE(extract(in, entries[0]) == data);
  return entries[0].method;
}

TEST(StreamingWriter, LargeEntriesComeBackWhole) {
  const std::vector<std::uint8_t> data = mixed(900000);
  for (lha::Method m : {lha::Method::Lh5, lha::Method::Lh7, lha::Method::Stored}) {
    std::vector<std::uint8_t> archive;
    lha::WriterOptions opt;
    opt.method = m;
    lha::ArchiveWriter w(lha::vectorSink(archive), opt);
    PieceSource src(data, {3000, 70001});
    ASSERT_EQ(w.addFile({.name = "big.mid"}, src), lha::Error::None);
    ASSERT_EQ(w.finish(), lha::Error::None);
    EXPECT_EQ(roundTrip(archive, data), m == lha::Method::Stored ? "-lh0-" : m == lha::Method::Lh5 ? "-lh5-" : "-lh7-");
  }
}

// Data that does not shrink is read again and stored; a source that cannot rewind keeps the
// packed form, and one that gives other bytes the second time fails the entry.
TEST(StreamingWriter, DataThatDoesNotShrink) {
  const std::vector<std::uint8_t> noise = randomBytes(300000, 5);
  struct {
    bool canRewind;
    bool changes;
    lha::Error result;
    const char *method;
  } cases[] = {{true, false, lha::Error::None, "-lh0-"},
               {false, false, lha::Error::None, "-lh5-"},
               {true, true, lha::Error::Io, ""}};
  std::vector<std::uint8_t> other = noise;
  other[1234] ^= 1;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.method);
    std::vector<std::uint8_t> archive;
    lha::ArchiveWriter w(lha::vectorSink(archive));
    PieceSource src(noise, {65536}, c.canRewind);
    if (c.changes) src.changeOnRewind = &other;
    ASSERT_EQ(w.addFile({.name = "noise.bin"}, src), c.result);
    if (c.result != lha::Error::None) continue;
    ASSERT_EQ(w.finish(), lha::Error::None);
    EXPECT_EQ(roundTrip(archive, noise), c.method);
  }
}

// An empty file is stored, even from a source that cannot rewind.
TEST(StreamingWriter, EmptyEntryIsStored) {
  std::vector<std::uint8_t> archive;
  lha::ArchiveWriter w(lha::vectorSink(archive));
  PieceSource src({}, {1});
  ASSERT_EQ(w.addFile({.name = "empty.mid"}, src), lha::Error::None);
  ASSERT_EQ(w.finish(), lha::Error::None);
  EXPECT_EQ(roundTrip(archive, {}), "-lh0-");
}

TEST(StreamingWriter, FailingSourceFailsTheEntry) {
  const std::vector<std::uint8_t> data = mixed(600000);
  for (std::size_t failAt : {std::size_t{0}, std::size_t{1000}, std::size_t{300000}}) {
    for (lha::Method m : {lha::Method::Lh5, lha::Method::Stored}) {
      std::vector<std::uint8_t> archive;
      lha::WriterOptions opt;
      opt.method = m;
      lha::ArchiveWriter w(lha::vectorSink(archive), opt);
      PieceSource src(data, {4096});
      src.failAt_ = failAt;
      EXPECT_EQ(w.addFile({.name = "f"}, src), lha::Error::Io) << failAt;
      // Nothing of the failed entry was written.
      EXPECT_TRUE(archive.empty());
    }
  }
}

TEST(SpillBuffer, KeepsItsBytesInMemoryAndBeyond) {
  TempDir dir;
  const char *old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", dir.path().c_str(), 1);
  for (std::size_t size :
       {std::size_t{0}, std::size_t{999}, std::size_t{1000}, std::size_t{1001}, std::size_t{250000}}) {
    const std::vector<std::uint8_t> data = randomBytes(size, static_cast<unsigned>(size));
    lha::SpillBuffer buf(1000);
    for (std::size_t at = 0; at < data.size(); at += 333)
      ASSERT_TRUE(buf.write(std::span(data).subspan(at, std::min<std::size_t>(333, data.size() - at))));
    EXPECT_EQ(buf.size(), data.size());
    for (int twice = 0; twice < 2; ++twice) {
      std::vector<std::uint8_t> back;
      ASSERT_EQ(buf.replay(lha::vectorSink(back)), lha::Error::None);
      EXPECT_TRUE(back == data) << size;
    }
    EXPECT_EQ(buf.replay([](std::span<const std::uint8_t> d) { return d.empty(); }),
              size ? lha::Error::Aborted : lha::Error::None);
    buf.clear();
    EXPECT_EQ(buf.size(), 0u);
    // The temporary file has no name: nothing is left in the folder.
    EXPECT_TRUE(fs::is_empty(dir.path()));
  }
  if (old) setenv("TMPDIR", saved.c_str(), 1);
  else unsetenv("TMPDIR");
}

}  // namespace
