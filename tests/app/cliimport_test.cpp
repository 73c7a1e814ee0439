// --import on the command line: every way a file can fail to be a whole package, and the names
// it can't be stored under, end with a reason and leave nothing behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli.h"
#include "core/text.h"
#include "fakeprefix.h"
#include "programrun.h"
#include "rawarchives.h"

using testsupport::TestWorld;

namespace {

const std::string kIndex = "[Pack]\r\nbritain1.mid=town.mid\r\ncombat1.mid=sub\\fight.mid\r\n";
const arctest::Files kFiles = {{"index.ini", kIndex}, {"town.mid", "MThd town"}, {"sub/fight.mid", "MThd fight"}};

// The third entry's method field overwritten.
std::string LaterMethodGarbled() {
  std::string bytes = arctest::MakeLha(kFiles);
  const size_t third = arctest::MakeLha({kFiles[0], kFiles[1]}).size() - 1;
  EXPECT_EQ(bytes.substr(third + 2, 5), "-lh0-");
  bytes.replace(third + 2, 5, "\x93\x11\xfe\x02\x7f");
  return bytes;
}

// Cut where the second entry ends: the archive's end byte and the third entry are gone.
std::string CutAfterTwoEntries() {
  const std::string whole = arctest::MakeLha(kFiles);
  const std::string two = arctest::MakeLha({kFiles[0], kFiles[1]});
  const std::string cut = whole.substr(0, two.size() - 1);
  EXPECT_EQ(cut, two.substr(0, two.size() - 1));
  return cut;
}

// A package whose configuration is named "標準" (the index is in code page 932).
std::string StandardNamed() {
  std::string index;
  EXPECT_TRUE(platform::Cp932Encode("[標準]\r\nbritain1.mid=town.mid\r\n", index));
  return arctest::MakeLha({{"index.ini", index}, kFiles[1]});
}

size_t LineCount(const std::string &text) { return std::count(text.begin(), text.end(), '\n'); }

}  // namespace

TEST(CommandLineImport, NothingIsStoredOrLeftBehindUnlessThePackageArrivedWhole) {
  const struct Case {
    const char *what;
    std::string package;
    std::vector<std::string> options;
    int status;
    const char *out;     // standard output, whole
    const char *errHas;  // in standard error
    bool oneErrLine;     // the reason is the only line on standard error
    const char *stored;  // the configuration in the settings afterwards, or nullptr
  } cases[] = {
      {"whole", arctest::MakeLha(kFiles), {}, ecOK, "imported as \"Pack\"\n", "", false, "Pack"},
      {"junk", "this is no archive at all\n", {}, ecError, "", "not a package", true, nullptr},
      {"empty", "", {}, ecError, "", "not a package", true, nullptr},
      {"LHA without an index", arctest::MakeLha({kFiles[1]}), {}, ecError, "", "no index.ini", true, nullptr},
      {"index with no section",
       arctest::MakeLha({{"index.ini", "x=1\r\n"}}),
       {},
       ecError,
       "",
       "names no configuration",
       true,
       nullptr},
      {"first header's method garbled, the index first",
       arctest::MakeLhaWithGarbledFirstMethod(kFiles),
       {},
       ecError,
       "",
       "damaged",
       false,
       nullptr},
      {"first header's method garbled, a tune first",
       arctest::MakeLhaWithGarbledFirstMethod({kFiles[1], kFiles[0], kFiles[2]}),
       {},
       ecError,
       "",
       "damaged",
       false,
       nullptr},
      {"a later header's method garbled", LaterMethodGarbled(), {}, ecError, "", "damaged", false, nullptr},
      {"bytes before the first header",
       std::string(300, 'M') + arctest::MakeLha(kFiles),
       {},
       ecError,
       "",
       "damaged",
       false,
       nullptr},
      {"cut at an entry's end",
       CutAfterTwoEntries(),
       {},
       ecCopiesFailed,
       "imported as \"Pack\"\n",
       "damaged",
       false,
       "Pack"},
      {"named like the standard configuration", StandardNamed(), {"--overwrite"}, ecError, "", "標準", true, nullptr},
      {"standard, stored under another name",
       StandardNamed(),
       {"--as", "Winter2"},
       ecOK,
       "imported as \"Winter2\"\n",
       "",
       false,
       "Winter2"},
      {"--as a taken name", arctest::MakeLha(kFiles), {"--as", "winter"}, ecError, "", "--overwrite", true, nullptr},
      {"--as a taken name, --overwrite",
       arctest::MakeLha(kFiles),
       {"--as", "Winter", "--overwrite"},
       ecOK,
       "imported as \"Winter\"\n",
       "",
       false,
       "Winter"},
      {"--as a name the settings can't hold",
       arctest::MakeLha(kFiles),
       {"--as", "a|b"},
       ecError,
       "",
       "a|b",
       true,
       nullptr},
  };
  for (const Case &c : cases) {
    TestWorld world;
    world.MakePrefix();
    const std::string program = PlaceProgram(world.Linux("prog"));
    const std::string settings = "[Winter]\napproach.mid=C:\\keep.mid\n";
    TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), settings);
    TestWorld::WriteFile(world.Linux("p.mdk"), c.package);
    std::vector<std::string> args{"--import", world.Linux("p.mdk")};
    args.insert(args.end(), c.options.begin(), c.options.end());

    const ProgramRun run = RunProgram(world, program, args);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.what;
    EXPECT_NE(run.err.find(c.errHas), std::string::npos) << c.what << "\n" << run.err;
    if (c.oneErrLine) EXPECT_EQ(LineCount(run.err), 1u) << c.what << "\n" << run.err;
    const std::string after = TestWorld::ReadFile(world.Linux("prog/melodeck.ini"));
    if (!c.stored) {
      EXPECT_EQ(after, settings) << c.what;
      EXPECT_FALSE(TestWorld::Exists(world.Linux("prog/Package"))) << c.what;
    } else {
      EXPECT_NE(after.find(std::string("[") + c.stored + "]"), std::string::npos) << c.what << "\n" << after;
      EXPECT_TRUE(TestWorld::Exists(world.Linux("prog/Package/000/town.mid"))) << c.what;
    }
  }
}

// A package that lacks a file it lists: that scene stays standard and is named.
TEST(CommandLineImport, AScenesFileThatNeverArrivedLeavesItStandard) {
  TestWorld world;
  world.MakePrefix();
  const std::string program = PlaceProgram(world.Linux("prog"));
  TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "");
  TestWorld::WriteFile(world.Linux("p.mdk"), CutAfterTwoEntries());
  const ProgramRun run = RunProgram(world, program, {"--import", world.Linux("p.mdk")});
  ASSERT_EQ(run.status, ecCopiesFailed) << run.err;
  const std::string settings = TestWorld::ReadFile(world.Linux("prog/melodeck.ini"));
  EXPECT_NE(settings.find("combat1.mid=combat1.mid"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Package\\000\\town.mid"), std::string::npos) << settings;
  EXPECT_NE(run.err.find("sub\\fight.mid"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("1 scene"), std::string::npos) << run.err;
}
