#include <gtest/gtest.h>

#include "cmdline.h"
#include "errors.h"
#include "lhacommand.h"
#include "testworld.h"

namespace {

struct SplitCase {
  const char *line;
  bool ok;
  std::vector<std::string> pieces;
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, Splits) {
  const auto &c = GetParam();
  std::vector<arc::Piece> pieces;
  ASSERT_EQ(arc::SplitCommandLine(c.line, pieces), c.ok);
  if (!c.ok) return;
  std::vector<std::string> texts;
  for (const auto &p : pieces) texts.push_back(p.text);
  EXPECT_EQ(texts, c.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitTest,
    testing::Values(
        // The package export line: a folder piece ends in a backslash before its closing quote.
        SplitCase{"u -+ -a2 -n1 -r2 -x1 -jm4  \"C:\\p.mdk\" \"C:\\tmp\\stage\\\" \"*\" ",
                  true,
                  {"u", "-+", "-a2", "-n1", "-r2", "-x1", "-jm4", "C:\\p.mdk", "C:\\tmp\\stage\\", "*"}},
        SplitCase{"x \"C:\\a b\\c.lzh\"", true, {"x", "C:\\a b\\c.lzh"}},
        SplitCase{"x -w\"C:\\a b\\\" a", true, {"x", "-wC:\\a b\\", "a"}}, SplitCase{"\t x\r\n a ", true, {"x", "a"}},
        SplitCase{"x \"\" a", true, {"x", "", "a"}}, SplitCase{"x \"open", false, {}}, SplitCase{"", true, {}},
        SplitCase{"x \"日本語 名前.mid\"", true, {"x", "日本語 名前.mid"}}));

struct LhaCase {
  const char *line;
  int result;
  char letter;
  std::string archive, folder;
  std::vector<std::string> files;
  int recursion, storePaths, method;
};

class LhaCommandTest : public testing::TestWithParam<LhaCase> {};

TEST_P(LhaCommandTest, Parses) {
  const auto &c = GetParam();
  arc::LhaCommand cmd;
  ASSERT_EQ(arc::ParseLhaCommand(c.line, cmd), c.result);
  if (c.result != arc::kOk) return;
  EXPECT_EQ(cmd.letter, c.letter);
  EXPECT_EQ(cmd.archive, c.archive);
  EXPECT_EQ(cmd.folder, c.folder);
  EXPECT_EQ(cmd.files, c.files);
  EXPECT_EQ(cmd.recursion, c.recursion);
  EXPECT_EQ(cmd.storePaths, c.storePaths);
  EXPECT_EQ(cmd.method, c.method);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LhaCommandTest,
    testing::Values(LhaCase{"u -+ -a2 -n1 -r2 -x1 -jm4  \"C:\\p.mdk\" \"C:\\s\\\" \"*\" ",
                            arc::kOk,
                            'u',
                            "C:\\p.mdk",
                            "C:\\s\\",
                            {"*"},
                            2,
                            1,
                            4},
                    LhaCase{"X -+ -n1 -x1  \"C:\\p.mdk\" \"C:\\d\\\" \"index.ini\" ",
                            arc::kOk,
                            'x',
                            "C:\\p.mdk",
                            "C:\\d\\",
                            {"index.ini"},
                            0,
                            1,
                            -1},
                    // Switches of the syntax that change nothing here are taken and ignored.
                    LhaCase{
                        "x -jyo -jp1 -gw1 -jss0 -jo\"x\" -jx\"*.txt\" a.lzh", arc::kOk, 'x', "a.lzh", "", {}, 0, 1, -1},
                    LhaCase{"d a.lzh b c", arc::kOk, 'd', "a.lzh", "", {"b", "c"}, 0, 1, -1},
                    LhaCase{"x", arc::kErrCommandName, 0, "", "", {}, 0, 0, 0},
                    LhaCase{"xx a.lzh", arc::kErrCommandName, 0, "", "", {}, 0, 0, 0},
                    LhaCase{"x -q9 a.lzh", arc::kErrCommandName, 0, "", "", {}, 0, 0, 0},
                    LhaCase{"x -rX a.lzh", arc::kErrCommandName, 0, "", "", {}, 0, 0, 0},
                    LhaCase{"x \"a.lzh", arc::kErrCommandName, 0, "", "", {}, 0, 0, 0},
                    LhaCase{"x a.lzh @Z:\\nonexistent\\list.txt", arc::kErrResponseRead, 0, "", "", {}, 0, 0, 0}));

TEST(ResponseFile, ReadsQuotedNamesPerLine) {
  testsupport::TestWorld world;
  testsupport::TestWorld::WriteFile(world.Linux("list.txt"),
                                    "\xEF\xBB\xBF\"a b.mid\"\r\n\"music\\日本.mid\"\r\n\r\nplain.txt\n\"open");
  arc::LhaCommand cmd;
  // A quote left open in a response file is as malformed as in the line.
  EXPECT_EQ(arc::ParseLhaCommand("x a.lzh @\"Z:" + world.Root() + "/list.txt\"", cmd), arc::kErrResponseRead);
  testsupport::TestWorld::WriteFile(world.Linux("list.txt"),
                                    "\xEF\xBB\xBF\"a b.mid\"\r\n\"music\\日本.mid\"\r\n\r\nplain.txt\n");
  std::string win = "Z:" + world.Root() + "/list.txt";
  ASSERT_EQ(arc::ParseLhaCommand("x a.lzh one @\"" + win + "\"", cmd), arc::kOk);
  EXPECT_EQ(cmd.files, (std::vector<std::string>{"one", "a b.mid", "music\\日本.mid", "plain.txt"}));
}

}  // namespace
