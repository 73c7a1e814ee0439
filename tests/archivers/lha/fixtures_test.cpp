// Archives made by many LHA tools: our reader must list and unpack them as lhasa does.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "lha_test_util.h"
#include "requirements.h"

namespace {

using namespace lhatest;

bool isArchive(const fs::path &p) {
  std::string ext = p.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
  return ext == ".lzh" || ext == ".lzs" || ext == ".lha" || ext == ".exe" || ext == ".com";
}

// How lhasa names what it makes: lower case, no leading '/'.
std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), ::tolower);
  return s.substr(s.find_first_not_of('/') == std::string::npos ? s.size() : s.find_first_not_of('/'));
}

// Archives our reader rejects on purpose: lhasa silently stops at the bad or cut header.
const std::vector<std::string> kMalformed = {"test_read_format_lha_oversize_header.lzh", "truncated.lzh",
                                             "test_read_format_lha_filename_utf16.lzh"};

bool malformed(const fs::path &p) {
  return std::find(kMalformed.begin(), kMalformed.end(), p.filename().string()) != kMalformed.end();
}

class FixtureFolder : public ::testing::TestWithParam<const char *> {};

// lhasa's listing: lower-case name -> method.
std::map<std::string, std::string> methodsListed(const std::string &listing) {
  std::map<std::string, std::string> m;
  std::istringstream ls(listing);
  for (std::string line; std::getline(ls, line);) {
    std::istringstream ts(line);
    std::vector<std::string> tok;
    for (std::string t; ts >> t;) tok.push_back(t);
    for (std::size_t i = 0; i + 5 < tok.size(); ++i) {
      const std::string &t = tok[i];
      if (t.size() != 5 || t[0] != '-' || t[4] != '-') continue;
      std::size_t at = line.find(tok[i + 5], line.find(t) + 5);  // the name follows CRC and date
      at = line.find(' ', at);
      if (at != std::string::npos) m[lower(line.substr(at + 1))] = t;
      break;
    }
  }
  return m;
}

TEST_P(FixtureFolder, ListsAndUnpacksAsLhasaDoes) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("lhasa");
  fs::path dir = fs::path(testsupport::FixturesDir()) / GetParam();
  int checked = 0;
  for (const auto &f : fs::directory_iterator(dir)) {
    if (!f.is_regular_file() || !isArchive(f.path()) || malformed(f.path())) continue;
    if (f.path().filename().string().find("symlink") != std::string::npos) continue;
    SCOPED_TRACE(f.path().string());
    std::vector<std::uint8_t> bytes = readFile(f.path());
    lha::MemoryInput in(bytes);
    std::vector<lha::Entry> entries;
    lha::Error listed = lha::listArchive(in, entries);
    // Multi-gigabyte entries are unpacked by LargeArchive, without lhasa's copy on disk.
    if (std::any_of(entries.begin(), entries.end(), [](const auto &e) { return e.originalSize > (64u << 20); }))
      continue;
    // Only archives that lhasa itself tests as sound are compared.
    if (run("lhasa t " + quote(f.path()) + " >/dev/null 2>&1") != 0) continue;
    ASSERT_EQ(listed, lha::Error::None);
    std::string listing;
    run("lhasa v " + quote(f.path()) + " 2>/dev/null", &listing);
    std::map<std::string, std::string> theirMethods = methodsListed(listing);
    const bool unsafeNames = std::any_of(entries.begin(), entries.end(),
                                         [](const auto &e) { return e.name.find("..") != std::string::npos; });

    TempDir out;
    run("cd " + quote(out.path()) + " && lhasa xf " + quote(f.path()) + " >/dev/null 2>&1");
    std::map<std::string, fs::path> theirFiles;
    for (const auto &x : fs::recursive_directory_iterator(out.path()))
      if (x.is_regular_file()) theirFiles[lower(fs::relative(x.path(), out.path()).string())] = x.path();

    std::set<std::string> ours;
    for (const auto &e : entries) {
      if (e.isFolder()) continue;
      SCOPED_TRACE(e.name);
      ours.insert(lower(e.name));
      auto m = theirMethods.find(lower(e.name));
      if (m != theirMethods.end()) {
        EXPECT_EQ(e.method, m->second);
      }
      lha::Error err;
      std::vector<std::uint8_t> data = extract(in, e, &err);
      auto it = theirFiles.find(lower(e.name));
      if (err == lha::Error::UnsupportedMethod) {
        EXPECT_EQ(it, theirFiles.end()) << "lhasa unpacks " << e.method;
        continue;
      }
      ASSERT_EQ(err, lha::Error::None) << lha::errorText(err);
      // A MacBinary file of MacLHA unpacks as its data fork.
      if (e.osId != 'm') {
        EXPECT_EQ(data.size(), e.originalSize);
      }
      if (it == theirFiles.end()) continue;
      EXPECT_TRUE(readFile(it->second) == data);
      ++checked;
    }
    // Every file lhasa made has an entry of the same name with us.
    if (!unsafeNames) {
      for (const auto &[name, path] : theirFiles) EXPECT_TRUE(ours.count(name)) << name;
    }
  }
  EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, FixtureFolder,
    ::testing::Values("lhasa/archives/explzh_723", "lhasa/archives/larc333", "lhasa/archives/lengths",
                      "lhasa/archives/lh2_222", "lhasa/archives/lha213", "lhasa/archives/lha255e",
                      "lhasa/archives/lha_amiga_122", "lhasa/archives/lha_amiga_212", "lhasa/archives/lha_os2_208",
                      "lhasa/archives/lha_os9_211c", "lhasa/archives/lha_osk_201", "lhasa/archives/lha_unix114i",
                      "lhasa/archives/lha_x68k_213", "lhasa/archives/lharc113", "lhasa/archives/lharc_atari_313a",
                      "lhasa/archives/lhark04d", "lhasa/archives/lhmelt_16536", "lhasa/archives/maclha_224",
                      "lhasa/archives/morphos_lha_2717", "lhasa/archives/regression", "lhasa/archives/tascal_lha_051h",
                      "lhasa/archives/unlha32", "lhasa/archives/generated/lzs", "libarchive"),
    [](const auto &info) {
      std::string n = fs::path(info.param).filename().string();
      std::replace_if(
          n.begin(), n.end(), [](char c) { return !isalnum(static_cast<unsigned char>(c)); }, '_');
      return n;
    });

struct LargeEntry {
  const char *file;
  std::uint64_t size;  // beyond 32 bits: only the 64-bit size header holds it
};

class LargeArchive : public ::testing::TestWithParam<LargeEntry> {};

// An entry of several gigabytes unpacks whole, through a sink that keeps nothing, with the
// size of the 64-bit header and a matching CRC (lhasa lists such sizes cut to 32 bits).
TEST_P(LargeArchive, UnpacksWhole) {
  REQUIRE_FIXTURES();
  std::vector<std::uint8_t> bytes = readFile(fs::path(testsupport::FixturesDir()) / GetParam().file);
  lha::MemoryInput in(bytes);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].originalSize, GetParam().size);
  std::uint64_t seen = 0;
  lha::ArchiveReader reader(in);
  lha::Error err = reader.extract(entries[0], [&](std::span<const std::uint8_t> d) {
    seen += d.size();
    return true;
  });
  EXPECT_EQ(err, lha::Error::None) << lha::errorText(err);
  EXPECT_EQ(seen, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Files, LargeArchive,
                         ::testing::Values(LargeEntry{"lhasa/archives/morphos_lha_2717/h2_huge.lzh", 4718592000u}),
                         [](const auto &info) { return fs::path(info.param.file).stem().string(); });

struct BadArchive {
  const char *file;
};

class MalformedArchive : public ::testing::TestWithParam<BadArchive> {};

// Broken archives end in a clean error when listed or unpacked, never in a crash.
TEST_P(MalformedArchive, FailsCleanly) {
  REQUIRE_FIXTURES();
  std::vector<std::uint8_t> bytes = readFile(fs::path(testsupport::FixturesDir()) / GetParam().file);
  ASSERT_FALSE(bytes.empty());
  lha::MemoryInput in(bytes);
  std::vector<lha::Entry> entries;
  lha::Error listed = lha::listArchive(in, entries);
  bool failed = listed != lha::Error::None;
  for (const auto &e : entries) {
    lha::Error err;
    extract(in, e, &err);
    failed = failed || err != lha::Error::None;
  }
  EXPECT_TRUE(failed);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedArchive,
                         ::testing::Values(BadArchive{"libarchive/test_read_format_lha_oversize_header.lzh"},
                                           BadArchive{"lhasa/archives/regression/truncated.lzh"},
                                           BadArchive{"libarchive/test_read_format_lha_filename_utf16.lzh"}));

}  // namespace
