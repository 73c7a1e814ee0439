#include "core/shortname.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(WineShortName, AliasesAsWineMakesThem) {
  const std::pair<const char *, const char *> cases[] = {
      {"Program Files (x86)", "PROG~5P2"},  // as Wine shows it
      {"README.TXT", ""},                   // legal 8.3 names get none
      {"readme.txt", ""},
      {"..", ""},
  };
  for (const auto &[name, alias] : cases) EXPECT_EQ(WineShortName(name), alias) << name;
  // Case does not change the hash; Wine compares names without case.
  EXPECT_EQ(WineShortName("PROGRAM FILES (X86)"), "PROG~5P2");
}

TEST(WineShortName, ShapeOfTheAlias) {
  struct Case {
    const char *name;
    const char *head;  // before the three hash characters
    const char *tail;  // after them
  } cases[] = {
      {"my long name.text", "MY_L~", ".TEX"},  // a blank becomes "_", the extension is cut to three
      {"ab.cdefgh", "AB~~~", ".CDE"},          // short stems are filled with "~"
      {".hidden file", "HIDD~", ""},           // leading dots neither count nor start an extension
      {"a.b.c.d.e", "ABCD~", ".E"},            // only the last dot starts the extension
      {"name.", "NAME~", ""},                  // a trailing dot starts none
      {"\xE6\x9B\xB2.mid1", "_~~~~", ".MID"},  // characters beyond ASCII become "_"
      {"x+y=z[1];~", "X_Y_~", ""},
  };
  for (const auto &c : cases) {
    const std::string alias = WineShortName(c.name);
    ASSERT_EQ(alias.size(), 8 + std::string(c.tail).size()) << c.name;
    EXPECT_EQ(alias.substr(0, 5), c.head) << c.name;
    EXPECT_EQ(alias.substr(8), c.tail) << c.name;
    EXPECT_TRUE(LooksLikeWineShortName(alias)) << alias;
  }
}

TEST(WineShortName, OnlyWinesFormIsRecognised) {
  for (const char *name : {"PROG~5P2", "prog~5p2", "AB~~~XYZ.TX", "PROG~FBU.A"})
    EXPECT_TRUE(LooksLikeWineShortName(name)) << name;
  for (const char *name : {"PROGRA~1", "PROG~5P", "PROG~5P2X", "PROG~5P9", "PROG~5P2.", "PROG~5P2.ABCD", "PROG-5P2"})
    EXPECT_FALSE(LooksLikeWineShortName(name)) << name;
}
