// Peer tools as oracles: archives we write are read by lhasa, bsdtar and lsar, and archives
// jlha writes are read by us.
#include "lha_test_util.h"
#include "requirements.h"

namespace {

using namespace lhatest;

// Code page 932: 曲 (folder), 町.mid. (Names whose second bytes are '\' are tested with our
// own reader only: the peer tools split them at levels 0 and 1.)
const std::string kJapaneseFolder = "\x8B\xC8";
const std::string kJapaneseFile = "\x8B\xC8/\x92\xAC.mid";
const std::string kJapaneseUtf8 = "曲/町.mid";

struct PeerCase {
  lha::Method method;
  int level;
  const char *methodId;
};

class OursReadByPeers : public ::testing::TestWithParam<PeerCase> {};

TEST_P(OursReadByPeers, NamesAndDataAgree) {
  REQUIRE_TOOLS("lhasa", "bsdtar", "lsar");
  const PeerCase &c = GetParam();
  TempDir dir;
  fs::path archive = dir.path() / "ours.lzh";
  std::vector<std::uint8_t> midi = midiLike(40000, 21), other = midiLike(9000, 22);
  std::vector<std::uint8_t> bytes;
  lha::WriterOptions opt;
  opt.method = c.method;
  opt.level = c.level;
  lha::ArchiveWriter w(lha::vectorSink(bytes), opt);
  lha::SpanSource a(midi), b(other), u(other);
  ASSERT_EQ(w.addFile({.name = "town.mid", .unixTime = 1700000000}, a), lha::Error::None);
  ASSERT_EQ(w.addFolder({.name = kJapaneseFolder}), lha::Error::None);
  ASSERT_EQ(w.addFile({.name = kJapaneseFile}, b), lha::Error::None);
  if (c.level > 0) {
    ASSERT_EQ(w.addFile({.name = "_.mid", .utf16Name = u"\u266B.mid"}, u), lha::Error::None);
  }
  ASSERT_EQ(w.finish(), lha::Error::None);
  writeFile(archive, bytes);

  std::string out;
  ASSERT_EQ(run("lhasa v " + quote(archive), &out), 0);
  EXPECT_NE(out.find(c.methodId), std::string::npos) << out;
  EXPECT_EQ(run("lhasa t " + quote(archive) + " >/dev/null 2>&1"), 0);
  fs::path x = dir.path() / "x";
  fs::create_directories(x);
  ASSERT_EQ(run("cd " + quote(x) + " && lhasa xf " + quote(archive) + " >/dev/null 2>&1"), 0);
  EXPECT_TRUE(readFile(x / "town.mid") == midi);
  EXPECT_TRUE(readFile(x / kJapaneseFile) == other);

  const std::string env = "LANG=C.UTF-8 LC_ALL=C.UTF-8 ";
  ASSERT_EQ(run(env + "bsdtar -tvf " + quote(archive) + " --options hdrcharset=CP932 2>&1", &out), 0);
  EXPECT_NE(out.find(kJapaneseUtf8), std::string::npos) << out;
  if (c.level > 0) {
    EXPECT_NE(out.find("♫.mid"), std::string::npos) << out;
  }
  ASSERT_EQ(run(env + "bsdtar -xOf " + quote(archive) + " --options hdrcharset=CP932 town.mid", &out), 0);
  EXPECT_TRUE(std::vector<std::uint8_t>(out.begin(), out.end()) == midi);

  EXPECT_EQ(run(env + "lsar -t " + quote(archive) + " >/dev/null 2>&1"), 0);
  ASSERT_EQ(run(env + "lsar -e CP932 " + quote(archive), &out), 0);
  EXPECT_NE(out.find(kJapaneseUtf8), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Methods, OursReadByPeers,
    ::testing::Values(PeerCase{lha::Method::Stored, 2, "-lh0-"}, PeerCase{lha::Method::Lh5, 0, "-lh5-"},
                      PeerCase{lha::Method::Lh5, 1, "-lh5-"}, PeerCase{lha::Method::Lh5, 2, "-lh5-"},
                      PeerCase{lha::Method::Lh6, 2, "-lh6-"}, PeerCase{lha::Method::Lh7, 1, "-lh7-"},
                      PeerCase{lha::Method::Lh7, 2, "-lh7-"}));

struct JlhaCase {
  const char *switches;  // jlha's create command: header level, then method
  const char *methodId;
  int level;
};

class JlhaReadByUs : public ::testing::TestWithParam<JlhaCase> {};

TEST_P(JlhaReadByUs, DecodesByteExact) {
  REQUIRE_TOOLS("jlha");
  const JlhaCase &c = GetParam();
  TempDir dir;
  std::vector<std::uint8_t> midi = midiLike(70000, 31), repetitive(100000, 'z');
  writeFile(dir.path() / "song.mid", midi);
  writeFile(dir.path() / "sub" / "rep.bin", repetitive);
  ASSERT_EQ(run("cd " + quote(dir.path()) + " && jlha " + c.switches + " a.lzh song.mid sub/rep.bin >/dev/null 2>&1"),
            0);
  std::vector<std::uint8_t> bytes = readFile(dir.path() / "a.lzh");
  lha::MemoryInput in(bytes);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  ASSERT_EQ(entries.size(), 2u);
  for (const auto &e : entries) {
    EXPECT_EQ(e.method, c.methodId);
    EXPECT_EQ(e.level, c.level);
  }
  EXPECT_EQ(entries[0].name, "song.mid");
  EXPECT_EQ(entries[1].name, "sub/rep.bin");
  EXPECT_TRUE(extract(in, entries[0]) == midi);
  EXPECT_TRUE(extract(in, entries[1]) == repetitive);
}

INSTANTIATE_TEST_SUITE_P(Switches, JlhaReadByUs,
                         ::testing::Values(JlhaCase{"c0o5q", "-lh5-", 0}, JlhaCase{"c1o5q", "-lh5-", 1},
                                           JlhaCase{"c2o5q", "-lh5-", 2}, JlhaCase{"c2o6q", "-lh6-", 2},
                                           JlhaCase{"c1o7q", "-lh7-", 1}, JlhaCase{"c2o7q", "-lh7-", 2},
                                           JlhaCase{"c0zq", "-lh0-", 0}, JlhaCase{"c2zq", "-lh0-", 2}));

}  // namespace
