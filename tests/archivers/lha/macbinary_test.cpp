// MacLHA's MacBinary files unpack as their data fork, as lhasa unpacks them; anything that is
// not a plain MacBinary file of a Macintosh entry unpacks as stored.
#include <sstream>

#include "requirements.h"
#include "lha_test_util.h"

namespace {

using namespace lhatest;

// A MacBinary header for a data fork of dataLength bytes, then the fork and its padding.
std::vector<std::uint8_t> macBinary(const std::vector<std::uint8_t> &fork, std::uint32_t resourceLength = 0) {
  std::vector<std::uint8_t> out(128, 0);
  const std::string name = "Song";
  out[1] = static_cast<std::uint8_t>(name.size());
  std::copy(name.begin(), name.end(), out.begin() + 2);
  std::copy_n("MidiTVOD", 8, out.begin() + 65);
  const auto n = static_cast<std::uint32_t>(fork.size());
  for (int i = 0; i < 4; ++i) {
    out[83 + i] = static_cast<std::uint8_t>(n >> (24 - 8 * i));
    out[87 + i] = static_cast<std::uint8_t>(resourceLength >> (24 - 8 * i));
  }
  out.insert(out.end(), fork.begin(), fork.end());
  out.resize(128 + (fork.size() + 127) / 128 * 128, 0);
  return out;
}

struct MacCase {
  const char *what;
  std::uint8_t osId;
  int level;
  lha::Method method;
  std::size_t forkSize;
  int damage;  // offset in the MacBinary header set to 0x55, -1 for none, -2: cut to 60 bytes
  std::uint32_t resourceLength;
  bool stripped;
};

class MacBinaryEntry : public ::testing::TestWithParam<MacCase> {};

TEST_P(MacBinaryEntry, UnpacksTheDataForkOnlyWhenItIsOne) {
  const MacCase &c = GetParam();
  const std::vector<std::uint8_t> fork = midiLike(c.forkSize, 5);
  std::vector<std::uint8_t> stored = macBinary(fork, c.resourceLength);
  if (c.damage >= 0) stored[static_cast<std::size_t>(c.damage)] = 0x55;
  if (c.damage == -2) stored.resize(60);  // too short for any header
  std::vector<std::uint8_t> bytes;
  lha::WriterOptions opt;
  opt.osId = c.osId;
  opt.level = c.level;
  opt.method = c.method;
  lha::ArchiveWriter w(lha::vectorSink(bytes), opt);
  lha::SpanSource src(stored);
  ASSERT_EQ(w.addFile({.name = "song.mid"}, src), lha::Error::None);
  ASSERT_EQ(w.finish(), lha::Error::None);

  lha::MemoryInput in(bytes);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  ASSERT_EQ(entries.size(), 1u);
  // The listing keeps the header's size, as lhasa's does.
  EXPECT_EQ(entries[0].originalSize, stored.size());
  const std::vector<std::uint8_t> out = extract(in, entries[0]);
  EXPECT_TRUE(out == (c.stripped ? fork : stored)) << out.size();
}

INSTANTIATE_TEST_SUITE_P(Cases, MacBinaryEntry,
                         ::testing::Values(MacCase{"Lh5", 'm', 2, lha::Method::Lh5, 18092, -1, 0, true},
                                           MacCase{"Stored", 'm', 1, lha::Method::Stored, 300, -1, 0, true},
                                           MacCase{"WholeBlocks", 'm', 2, lha::Method::Lh5, 4096, -1, 0, true},
                                           MacCase{"EmptyFork", 'm', 2, lha::Method::Stored, 0, -1, 0, true},
                                           MacCase{"NotMacintosh", 'M', 2, lha::Method::Lh5, 18092, -1, 0, false},
                                           MacCase{"UnixEntry", 'U', 2, lha::Method::Lh5, 18092, -1, 0, false},
                                           MacCase{"Version", 'm', 2, lha::Method::Lh5, 5000, 0, 0, false},
                                           MacCase{"ZeroFill74", 'm', 2, lha::Method::Lh5, 5000, 74, 0, false},
                                           MacCase{"ZeroFill82", 'm', 2, lha::Method::Lh5, 5000, 82, 0, false},
                                           MacCase{"NameLength", 'm', 2, lha::Method::Lh5, 5000, 1, 0, false},
                                           MacCase{"ForkLongerThanFile", 'm', 2, lha::Method::Lh5, 5000, 84, 0, false},
                                           MacCase{"ResourceFork", 'm', 2, lha::Method::Stored, 300, -1, 7, false},
                                           MacCase{"ShortFile", 'm', 2, lha::Method::Stored, 300, -2, 0, false}),
                         [](const auto &info) { return std::string(info.param.what); });

// The MacLHA archives of the shared fixtures, unpacked by us and by lhasa.
TEST(MacLhaFixtures, UnpackAsLhasaDoes) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("lhasa");
  const fs::path dir = fs::path(testsupport::FixturesDir()) / "lhasa" / "archives" / "maclha_224";
  int stripped = 0;
  for (const auto &f : fs::directory_iterator(dir)) {
    if (f.path().extension() != ".lzh") continue;
    SCOPED_TRACE(f.path().string());
    std::vector<std::uint8_t> bytes = readFile(f.path());
    lha::MemoryInput in(bytes);
    std::vector<lha::Entry> entries;
    ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
    TempDir out;
    ASSERT_EQ(run("cd " + quote(out.path()) + " && lhasa xf " + quote(f.path()) + " >/dev/null 2>&1"), 0);
    std::string listing;
    run("lhasa v " + quote(f.path()) + " 2>/dev/null", &listing);
    for (const auto &e : entries) {
      if (e.isFolder()) continue;
      std::string name = e.name.substr(e.name.find_first_not_of('/'));
      const std::vector<std::uint8_t> ours = extract(in, e);
      EXPECT_TRUE(ours == readFile(out.path() / name)) << name << ": " << ours.size();
      stripped += ours.size() != e.originalSize;
      // lhasa lists the size of the MacBinary form.
      EXPECT_NE(listing.find(" " + std::to_string(e.originalSize) + " "), std::string::npos) << listing;
    }
  }
  EXPECT_GT(stripped, 0);
}

}  // namespace
