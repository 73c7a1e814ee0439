#include "cmdopt.h"

#include <gtest/gtest.h>

#include <functional>

#include "earchiver.h"
#include "testworld.h"

using namespace archives;
using testsupport::TestWorld;

namespace {

struct BuilderCase {
  const char *what;
  std::function<void(TCmdOpt &)> build;
  std::string expected;
};

}  // namespace

TEST(CmdOpt, PiecesFollowTheirRules) {
  const BuilderCase cases[] = {
      {"number", [](TCmdOpt &c) { c.AddNumber("a", 2); }, " -a2"},
      {"number -1 is not given", [](TCmdOpt &c) { c.AddNumber("a", -1); }, ""},
      {"number 0 is given", [](TCmdOpt &c) { c.AddNumber("a", 0); }, " -a0"},
      {"string quoted whole", [](TCmdOpt &c) { c.AddString("w", "C:\\x"); }, " \"-wC:\\x\""},
      {"separate value",
       [](TCmdOpt &c) {
         c.SeparateValue = true;
         c.AddString("f", "a.tar");
       },
       " -f \"a.tar\""},
      {"letters after a blank stand as they are", [](TCmdOpt &c) { c.AddString(" -x", "v"); }, " \"-xv\""},
      {"empty string is given", [](TCmdOpt &c) { c.AddString("jo", ""); }, " \"-jo\""},
      {"unset string is not", [](TCmdOpt &c) { c.AddString("jo", kUnset); }, ""},
      {"no letters, empty value", [](TCmdOpt &c) { c.AddString("", ""); }, " \"\""},
      {"empty piece leaves a blank", [](TCmdOpt &c) { c.Add(""); }, " "},
      {"folder gets its backslash", [](TCmdOpt &c) { c.AddFolder("", "C:\\x"); }, " \"C:\\x\\\""},
      {"folder keeps its backslash", [](TCmdOpt &c) { c.AddFolder("", "C:\\x\\"); }, " \"C:\\x\\\""},
      // In code page 932 the second byte of ソ and 表 is the backslash's; the test is on the
      // last whole character, so these folders still get their backslash.
      {"folder ending in ソ", [](TCmdOpt &c) { c.AddFolder("", "C:\\ソ"); }, " \"C:\\ソ\\\""},
      {"folder ending in 表\\", [](TCmdOpt &c) { c.AddFolder("", "C:\\表\\"); }, " \"C:\\表\\\""},
      {"empty folder", [](TCmdOpt &c) { c.AddFolder("w", ""); }, ""},
      {"unset folder", [](TCmdOpt &c) { c.AddFolder("w", kUnset); }, ""},
      {"folder switch", [](TCmdOpt &c) { c.AddFolder("w", "C:\\t"); }, " \"-wC:\\t\\\""},
      {"list, converted",
       [](TCmdOpt &c) {
         c.ConvertName = ZipConvertName;
         c.AddList("", {"a\\[1].mid", "b.mid"});
       },
       " \"a/[[]1].mid\" \"b.mid\""},
  };
  for (const auto &c : cases) {
    TCmdOpt cmd;
    c.build(cmd);
    EXPECT_EQ(cmd.Text, c.expected) << c.what;
  }
}

TEST(CmdOpt, JoinPathAndZipNames) {
  const std::tuple<const char *, const char *, std::string> joins[] = {
      {"", "a.mid", "a.mid"},
      {"C:\\x", "a.mid", "C:\\x\\a.mid"},
      {"C:\\x\\", "a.mid", "C:\\x\\a.mid"},
      {"C:\\ソ", "a.mid", "C:\\ソ\\a.mid"},
  };
  for (const auto &[folder, name, expected] : joins) EXPECT_EQ(JoinPath(folder, name), expected) << folder;

  const std::pair<const char *, std::string> zips[] = {
      {"dir\\[a].mid", "dir/[[]a].mid"},
      {"a\\b\\c", "a/b/c"},
      {"[[", "[[][[]"},
      {"曲]ソ.mid", "曲]ソ.mid"},
  };
  for (const auto &[name, expected] : zips) EXPECT_EQ(ZipConvertName(name), expected) << name;
}

TEST(CmdOpt, ResponseFileHoldsTheQuotedLines) {
  TestWorld world;
  const std::string file = world.Windows("list.txt");
  TestWorld::WriteFile(world.Linux("list.txt"), "old contents that must go");
  TCmdOpt cmd;
  cmd.AddResponseFile({"a.mid", "b c.mid"}, file);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("list.txt")), "\"a.mid\"\r\n\"b c.mid\"\r\n");
  EXPECT_EQ(cmd.Text, " \"@" + file + "\"");

  TCmdOpt zip;
  zip.ConvertName = ZipConvertName;
  zip.AddResponseFile({"d\\[x].mid"}, file);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("list.txt")), "\"d/[[]x].mid\"\r\n");
}

TEST(CmdOpt, UnwritableResponseFileRaises) {
  TestWorld world;
  const std::string file = world.Windows("no such folder") + "\\list.txt";
  TCmdOpt cmd;
  try {
    cmd.AddResponseFile({"a.mid"}, file);
    FAIL() << "no error";
  } catch (const EArchiver &e) {
    EXPECT_EQ(std::string(e.what()), file + " に書き込めません");
  }
  EXPECT_EQ(cmd.Text, "");
}
