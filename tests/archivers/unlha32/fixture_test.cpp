// Archives made by many LHA tools: our library must restore what lhasa restores from them.
#include <filesystem>

#include "lhatest.h"

namespace lhatest {
namespace {

namespace fs = std::filesystem;

std::string FixtureDir() { return testsupport::FixturesDir(); }

// Methods the codec has no decoder for: lhasa restores these, we answer "unknown method".
bool UsesMethodWeLack(const std::string &listing) {
  for (const char *m : {"-lh2-", "-lh3-", "-pm"})
    if (listing.find(m) != std::string::npos) return true;
  return false;
}

// lhasa turns the all-capital names of MS-DOS tools into lower case; we keep names as stored.
std::vector<std::pair<std::string, std::string>> Lowered(std::vector<std::pair<std::string, std::string>> tree) {
  for (auto &[name, digest] : tree)
    for (char &c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::sort(tree.begin(), tree.end());
  return tree;
}

// Archives the codec does not find yet: an Amiga self-extractor whose archive starts past
// what the header search accepts.
bool KnownGap(const std::string &name) { return name == "sfx.run"; }

// Entries larger than this are left to the benchmarks: unpacking 400 MB under the
// sanitizers takes minutes and tests nothing more.
constexpr const char *kHuge = "h2_huge.lzh";

class FixtureTest : public LhaLibTest, public testing::WithParamInterface<const char *> {};

TEST_P(FixtureTest, RestoresWhatLhasaRestores) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("lhasa");
  const fs::path folder = fs::path(FixtureDir()) / GetParam();
  int checked = 0;
  for (const auto &item : fs::recursive_directory_iterator(folder)) {
    if (!item.is_regular_file() || item.path().filename() == "README" || item.path().extension() == ".md") continue;
    const std::string archive = item.path().string();
    const std::string name = fs::relative(item.path(), folder).string();
    SCOPED_TRACE(name);
    // Links, and ".." which lhasa strips and we refuse, are left to the safety tests.
    if (name.find("symlink") != std::string::npos || name.find("dotdot") != std::string::npos || name == kHuge)
      continue;
    const std::string theirs = L("lhasa/" + name), ours = L("ours/" + name);
    TestWorld::MakeDirs(theirs);
    TestWorld::MakeDirs(ours);
    std::string listing, out;
    Sh("lhasa v " + Q(archive), &listing);
    const bool lhasaOk = Sh("lhasa xqf " + Q(archive), &out, theirs) == 0;
    std::string ourOutput;
    const int result = lib.Run("x -+ -n1 -x1 \"" + Win(archive) + "\" \"" + Win(ours) + "\\\"", &ourOutput);
    if (!lhasaOk) {
      EXPECT_NE(result, 0) << "lhasa refused it: " << out;
      continue;
    }
    // lhasa finds no archive in some self-extracting files; we do.
    if (listing.find(" 0 files") != std::string::npos) continue;
    ++checked;
    if (KnownGap(name)) continue;
    if (UsesMethodWeLack(listing)) {
      EXPECT_EQ(result, 0x8009) << listing;
      continue;
    }
    EXPECT_EQ(result, 0) << ourOutput << listing;
    // Every file lhasa restores we restore alike. (Where lhasa drops entries of a tool's known
    // bugs, we may restore more.) lhasa unwraps MacBinary data; we give the data as stored.
    if (listing.find("[Mac OS]") == std::string::npos) {
      const auto mine = Lowered(arctest::Tree(ours));
      for (const auto &file : Lowered(arctest::Tree(theirs)))
        EXPECT_NE(std::find(mine.begin(), mine.end(), file), mine.end()) << file.first << "\n" << listing;
    }
    // The listing agrees with what was written.
    size_t files = 0;
    for (const auto &r : lib.Records(Win(archive))) files += std::string(r.szFileName).back() != '/';
    EXPECT_GE(files, arctest::Tree(theirs).size());
  }
  EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, FixtureTest,
    testing::Values("lhasa/archives/explzh_723", "lhasa/archives/generated", "lhasa/archives/larc333",
                    "lhasa/archives/lengths", "lhasa/archives/lh2_222", "lhasa/archives/lha213",
                    "lhasa/archives/lha255e", "lhasa/archives/lha_amiga_122", "lhasa/archives/lha_amiga_212",
                    "lhasa/archives/lha_os2_208", "lhasa/archives/lha_os9_211c", "lhasa/archives/lha_osk_201",
                    "lhasa/archives/lha_unix114i", "lhasa/archives/lha_x68k_213", "lhasa/archives/lharc113",
                    "lhasa/archives/lharc_atari_313a", "lhasa/archives/lhark04d", "lhasa/archives/lhmelt_16536",
                    "lhasa/archives/maclha_224", "lhasa/archives/morphos_lha_2717", "lhasa/archives/regression",
                    "lhasa/archives/tascal_lha_051h", "lhasa/archives/unlha32"),
    [](const auto &info) {
      std::string n = fs::path(info.param).filename().string();
      for (char &c : n)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return n;
    });

// libarchive's LHA samples, Japanese names among them: the names bsdtar reads in code page 932.
TEST_F(LhaLibTest, LibarchiveSamplesListAsBsdtarDoes) {
  REQUIRE_FIXTURES();
  REQUIRE_TOOLS("bsdtar");
  for (const char *file :
       {"test_read_format_lha_filename_cp932.lzh", "test_read_format_lha_header0.lzh",
        "test_read_format_lha_header1.lzh", "test_read_format_lha_header2.lzh", "test_read_format_lha_header3.lzh",
        "test_read_format_lha_lh0.lzh", "test_read_format_lha_lh6.lzh", "test_read_format_lha_lh7.lzh",
        "test_read_format_lha_withjunk.lzh"}) {
    SCOPED_TRACE(file);
    const std::string archive = FixtureDir() + "/libarchive/" + file;
    std::string theirs;
    ASSERT_EQ(Sh("bsdtar -tf " + Q(archive) + " --options hdrcharset=CP932", &theirs), 0) << theirs;
    std::string ours;
    for (const auto &n : lib.Names(Win(archive))) ours += n + "\n";
    EXPECT_EQ(ours, theirs);
    EXPECT_EQ(lib.Run("t \"" + Win(archive) + "\""), 0);
  }
}

TEST_F(LhaLibTest, MalformedSamplesFailCleanly) {
  REQUIRE_FIXTURES();
  for (const char *file : {"test_read_format_lha_oversize_header.lzh"}) {
    const std::string archive = FixtureDir() + "/libarchive/" + file;
    EXPECT_NE(lib.Run("x \"" + Win(archive) + "\" \"" + W("out") + "\\\""), 0) << file;
  }
}

}  // namespace
}  // namespace lhatest
