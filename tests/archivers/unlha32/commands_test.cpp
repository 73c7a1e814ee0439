// The commands and listing functions of the LHA library, with the peers as oracles.
#include <chrono>
#include <filesystem>

#include "lhatest.h"

namespace lhatest {
namespace {

namespace fs = std::filesystem;

TEST_F(LhaLibTest, ResultCodes) {
  Put("text.txt", "this is no archive");
  Put("a.lzh", MakeLha({{"a.txt", "a"}}));
  std::string header = TestWorld::ReadFile(L("a.lzh"));
  header[10] ^= 1;  // inside the level-2 header, covered by its CRC
  Put("badheader.lzh", header);
  const struct {
    std::string line;
    int result;
  } cases[] = {
      {"x \"" + W("text.txt") + "\" \"" + W("o") + "\\\"", 0x8019},
      {"x \"" + W("missing.lzh") + "\" \"" + W("o") + "\\\"", 0x8018},
      {"q \"" + W("a.lzh") + "\"", 0x801C},
      {"x -zz9 \"" + W("a.lzh") + "\"", 0x801C},
      {"x \"" + W("a.lzh"), 0x801C},
      {"", 0x801C},
      {"s -+ \"" + W("a.lzh") + "\" \"" + W("o") + "\\\"", 0x8023},
      {"t \"" + W("a.lzh") + "\"", 0},
      {"t \"" + W("badheader.lzh") + "\"", 0x8016},
      {"u -h3 \"" + W("new.lzh") + "\" \"" + W("") + "\\\" text.txt", 0x8023},
      {"d \"" + W("missing.lzh") + "\" x", 0x8018},
      {"a \"" + W("new.lzh") + "\" \"" + W("") + "\\\" nothing*.mid", 0x8031},
  };
  for (const auto &c : cases) EXPECT_EQ(lib.Run(c.line), c.result) << c.line;
  EXPECT_EQ(lib.Command(nullptr, nullptr, nullptr, 0), 0x801C);
}

TEST_F(LhaLibTest, OpenArchiveListsRecordsAndProbesQuietly) {
  REQUIRE_TOOLS("lhasa");
  Put("src/music/town.mid", Tune(4000, 5));
  Put("src/readme.txt", "hello");
  ASSERT_EQ(lib.Run("a -r2 -x1 \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *"), 0);
  Put("text.txt", "not an archive");
  EXPECT_EQ(lib.OpenArchive(nullptr, W("text.txt").c_str(), ARC_M_PROBE), nullptr);
  EXPECT_EQ(lib.OpenArchive(nullptr, W("missing.lzh").c_str(), ARC_M_PROBE), nullptr);

  HARC h = lib.OpenArchive(nullptr, W("a.lzh").c_str(), 0);
  ASSERT_NE(h, nullptr);
  INDIVIDUALINFO r;
  ASSERT_EQ(lib.FindFirst(h, "*.mid", &r), 0);
  EXPECT_STREQ(r.szFileName, "music/town.mid");
  EXPECT_EQ(r.dwOriginalSize, 4000u);
  EXPECT_LT(r.dwCompressedSize, 4000u);
  EXPECT_STREQ(r.szMode, "-lh5-");
  EXPECT_EQ(r.wRatio, r.dwCompressedSize * 1000 / 4000 + (r.dwCompressedSize * 1000 % 4000 >= 2000));
  std::string listing;
  Sh("lhasa v " + Q(L("a.lzh")), &listing);
  char crc[8];
  snprintf(crc, sizeof crc, "%04x", r.dwCRC);
  EXPECT_NE(listing.find(crc), std::string::npos) << listing;
  EXPECT_EQ(lib.FindNext(h, &r), -1);
  EXPECT_EQ(lib.CloseArchive(h), 0);
  EXPECT_NE(lib.CloseArchive(h), 0);
  EXPECT_TRUE(lib.CheckArchive(W("a.lzh").c_str(), 3));
  EXPECT_FALSE(lib.CheckArchive(W("text.txt").c_str(), 3));
}

TEST_F(LhaLibTest, ListWritesOneLinePerEntryWithinTheBuffer) {
  Put("src/音楽/town.mid", Tune(4000, 5));
  ASSERT_EQ(lib.Run("a -r2 -x1 \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *"), 0);
  std::string out;
  ASSERT_EQ(lib.Run("l \"" + W("a.lzh") + "\"", &out), 0);
  EXPECT_NE(out.find("-lh5-"), std::string::npos) << out;
  EXPECT_NE(out.find("音楽/town.mid"), std::string::npos) << out;
  // A short buffer is cut at a whole character and still ends in its NUL.
  std::vector<char> small(60, '\x7F');
  ASSERT_EQ(lib.Command(nullptr, ("l \"" + W("a.lzh") + "\"").c_str(), small.data(), 60), 0);
  EXPECT_LT(std::string(small.data()).size(), 60u);
}

TEST_F(LhaLibTest, UpdateFreshenAndDeleteKeepWhatTheyShould) {
  REQUIRE_TOOLS("lhasa");
  Put("src/a.mid", "first a");
  Put("src/b.mid", "first b");
  ASSERT_EQ(lib.Run("u \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" a.mid"), 0);
  Put("src/a.mid", "second a");
  fs::last_write_time(L("src/a.mid"), fs::file_time_type::clock::now() + std::chrono::hours(1));
  // f: only entries already there, and only when newer.
  ASSERT_EQ(lib.Run("f \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *.mid"), 0);
  EXPECT_EQ(lib.Names(W("a.lzh")), std::vector<std::string>{"a.mid"});
  // u: absent ones too.
  ASSERT_EQ(lib.Run("u \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *.mid"), 0);
  EXPECT_EQ(lib.Names(W("a.lzh")), (std::vector<std::string>{"a.mid", "b.mid"}));
  ASSERT_EQ(lib.Run("x \"" + W("a.lzh") + "\" \"" + W("out") + "\\\""), 0);
  EXPECT_EQ(TestWorld::ReadFile(L("out/a.mid")), "second a");
  ASSERT_EQ(lib.Run("d \"" + W("a.lzh") + "\" A.MID"), 0);
  EXPECT_EQ(lib.Names(W("a.lzh")), std::vector<std::string>{"b.mid"});
  std::string out;
  EXPECT_EQ(Sh("lhasa t " + Q(L("a.lzh")), &out), 0) << out;
}

// Entries of other tools' archives are copied as they are, whatever their header level.
TEST_F(LhaLibTest, UpdatingKeepsOtherToolsEntriesIntact) {
  REQUIRE_TOOLS("jlha", "lhasa");
  Put("src/old.mid", Tune(20000, 8));
  Put("src/new.mid", Tune(10000, 9));
  for (const char *level : {"0", "1", "2"}) {
    SCOPED_TRACE(level);
    std::remove(L("j.lzh").c_str());
    std::string out;
    ASSERT_EQ(Sh(std::string("jlha aq") + level + " " + Q(L("j.lzh")) + " old.mid", &out, L("src")), 0) << out;
    ASSERT_EQ(lib.Run("a \"" + W("j.lzh") + "\" \"" + W("src") + "\\\" new.mid"), 0);
    ASSERT_EQ(Sh("lhasa t " + Q(L("j.lzh")), &out), 0) << out;
    EXPECT_EQ(lib.Names(W("j.lzh")), (std::vector<std::string>{"old.mid", "new.mid"}));
  }
}

TEST_F(LhaLibTest, AnAbortedUpdateLeavesTheOldArchive) {
  Put("src/a.mid", Tune(3000, 1));
  Put("src/b.mid", Tune(3000, 2));
  ASSERT_EQ(lib.Run("a \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" a.mid"), 0);
  const std::string before = TestWorld::ReadFile(L("a.lzh"));
  ArcMessageSink sink{[](void *, unsigned, uintptr_t, void *) { return 1; }, nullptr, nullptr};
  ASSERT_TRUE(lib.SetOwnerWindowEx(&sink, nullptr));
  EXPECT_EQ(lib.Command(nullptr, ("a \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" b.mid").c_str(), nullptr, 0),
            0x8020);
  EXPECT_TRUE(lib.KillOwnerWindowEx(&sink));
  EXPECT_EQ(TestWorld::ReadFile(L("a.lzh")), before);
  for (const auto &e : fs::directory_iterator(world.Root()))
    EXPECT_FALSE(e.path().filename().string().starts_with(".")) << e.path();
}

TEST_F(LhaLibTest, ProgressGoesToTheOwnerWindow) {
  Put("src/a.mid", Tune(3000, 1));
  ASSERT_EQ(lib.Run("a \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" a.mid"), 0);
  struct Seen {
    std::vector<unsigned> states;
    std::string name;
  } seen;
  ArcMessageSink sink{[](void *ctx, unsigned msg, uintptr_t state, void *info) {
                        auto *s = static_cast<Seen *>(ctx);
                        if (msg != ARC_WM_ARCEXTRACT) return 1;
                        s->states.push_back(static_cast<unsigned>(state));
                        s->name = static_cast<EXTRACTINGINFOEX *>(info)->exinfo.szSourceFileName;
                        return 0;
                      },
                      nullptr, &seen};
  ASSERT_TRUE(lib.SetOwnerWindowEx(&sink, nullptr));
  EXPECT_EQ(lib.Run("x \"" + W("a.lzh") + "\" \"" + W("out") + "\\\""), 0);
  EXPECT_TRUE(lib.KillOwnerWindowEx(&sink));
  EXPECT_FALSE(lib.KillOwnerWindowEx(&sink));
  ASSERT_GE(seen.states.size(), 2u);
  EXPECT_EQ(seen.states.front(), ARC_ARCEXTRACT_BEGIN);
  EXPECT_EQ(seen.states.back(), ARC_ARCEXTRACT_END);
  EXPECT_EQ(seen.name, "a.mid");
}

struct JlhaCase {
  const char *options;  // jlha's: method and header level
  const char *method;
};

class JlhaTest : public LhaLibTest, public testing::WithParamInterface<JlhaCase> {};

TEST_P(JlhaTest, ArchivesOfJlhaListAndExtract) {
  REQUIRE_TOOLS("jlha");
  Put("src/town.mid", Tune(40000, 7));
  // jlha stores every name it cannot hold in its own Java character set as "?": ASCII here.
  Put("src/sub/notes.txt", "notes\n");
  std::string out;
  ASSERT_EQ(
      Sh(std::string("jlha a") + GetParam().options + " " + Q(L("j.lzh")) + " town.mid sub/notes.txt", &out, L("src")),
      0)
      << out;
  std::vector<std::string> methods;
  for (const auto &r : lib.Records(Win(L("j.lzh")))) methods.emplace_back(r.szMode);
  EXPECT_NE(std::find(methods.begin(), methods.end(), GetParam().method), methods.end());
  ASSERT_EQ(lib.Run("x \"" + W("j.lzh") + "\" \"" + W("out") + "\\\""), 0);
  EXPECT_EQ(arctest::Tree(L("out")), arctest::Tree(L("src")));
}

INSTANTIATE_TEST_SUITE_P(Methods, JlhaTest,
                         testing::Values(JlhaCase{"q0", "-lh5-"}, JlhaCase{"qo5", "-lh5-"}, JlhaCase{"qo6", "-lh6-"},
                                         JlhaCase{"qo7", "-lh7-"}, JlhaCase{"qz", "-lh0-"}, JlhaCase{"q1o6", "-lh6-"},
                                         JlhaCase{"q2o7", "-lh7-"}, JlhaCase{"q0o7", "-lh7-"}));

struct MethodCase {
  const char *switches;
  const char *method;
};

class WriteMethodTest : public LhaLibTest, public testing::WithParamInterface<MethodCase> {};

TEST_P(WriteMethodTest, PeersRestoreWhatWeWrite) {
  REQUIRE_TOOLS("lhasa", "lsar");
  Put("src/town.mid", Tune(70000, 3));
  Put("src/sub/音楽.mid", Tune(9000, 4));
  Put("src/sub/\xf0\x9f\x8e\xb5.mid", "a name code page 932 cannot hold");
  ASSERT_EQ(
      lib.Run(std::string("a -r2 -x1 ") + GetParam().switches + " \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" *"), 0);
  std::string listing, out;
  ASSERT_EQ(Sh("lhasa v " + Q(L("a.lzh")), &listing), 0);
  EXPECT_NE(listing.find(GetParam().method), std::string::npos) << listing;
  TestWorld::MakeDirs(L("lhasa"));
  ASSERT_EQ(Sh("lhasa xqf " + Q(L("a.lzh")) + " town.mid", &out, L("lhasa")), 0) << out;
  EXPECT_EQ(TestWorld::ReadFile(L("lhasa/town.mid")), TestWorld::ReadFile(L("src/town.mid")));
  ASSERT_EQ(lib.Run("x \"" + W("a.lzh") + "\" \"" + W("ours") + "\\\""), 0);
  EXPECT_EQ(arctest::Tree(L("ours")), arctest::Tree(L("src")));
  ASSERT_EQ(Sh("lsar -t " + Q(L("a.lzh")), &out), 0) << out;
}

INSTANTIATE_TEST_SUITE_P(Switches, WriteMethodTest,
                         testing::Values(MethodCase{"-jm0", "-lh0-"}, MethodCase{"", "-lh5-"},
                                         MethodCase{"-jm1", "-lh5-"}, MethodCase{"-jm3", "-lh6-"},
                                         MethodCase{"-jm4", "-lh7-"}, MethodCase{"-jm4 -h1", "-lh7-"}));

TEST_F(LhaLibTest, RecursionAndPathSwitches) {
  Put("src/a.mid", "a");
  Put("src/x/b.mid", "b");
  Put("src/x/c.txt", "c");
  Put("src/.hidden.mid", "h");
  const struct {
    const char *switches;
    const char *files;
    std::vector<std::string> names;
  } cases[] = {
      {"-r0 -x1", "*.mid", {"a.mid"}},
      {"-r1 -x1", "*.mid", {"a.mid", "x/", "x/b.mid"}},
      {"-r1 -x0", "*.mid", {"a.mid", "b.mid"}},
      {"-r2 -x1", "x", {"x/", "x/b.mid", "x/c.txt"}},
      {"-r2 -x1 -a1", "*.mid", {".hidden.mid", "a.mid", "x/", "x/b.mid"}},
      {"-r2 -x1 -jx\"*.txt\"", "*", {"a.mid", "x/", "x/b.mid"}},
  };
  for (const auto &c : cases) {
    std::remove(L("a.lzh").c_str());
    ASSERT_EQ(lib.Run(std::string("a ") + c.switches + " \"" + W("a.lzh") + "\" \"" + W("src") + "\\\" " + c.files), 0)
        << c.switches;
    EXPECT_EQ(lib.Names(W("a.lzh")), c.names) << c.switches;
  }
  // e and -x0 drop the stored folders on extraction.
  ASSERT_EQ(lib.Run("e \"" + W("a.lzh") + "\" \"" + W("flat") + "\\\""), 0);
  EXPECT_TRUE(TestWorld::Exists(L("flat/b.mid")));
}

}  // namespace
}  // namespace lhatest
