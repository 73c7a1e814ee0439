#include "core/text.h"

#include <gtest/gtest.h>

using namespace platform;

struct Cp932Case {
  const char *utf8;
  const char *cp932;  // nullptr: code page 932 can't hold it
  size_t length;      // Cp932Length
};

TEST(Cp932, EncodesEveryCharacterBothWays) {
  const Cp932Case cases[] = {
      {"abc", "abc", 3},     {"標準", "\x95\x57\x8F\x80", 4},
      {"ソ", "\x83\x5C", 2},  // trail byte is the backslash
      {"ポ", "\x83\x7C", 2},  // trail byte is the vertical bar
      {"表", "\x95\x5C", 2}, {"\\~", "\\~", 2},
      {"ｱ", "\xB1", 1},  // half-width katakana is one byte
      {"～", "\x81\x60", 2}, {"é", nullptr, 2},
      {"aß", nullptr, 3},    {"\xE3\x80\x9C", nullptr, 2},  // U+301C WAVE DASH: not the character that comes back
      {"😀", nullptr, 2},
  };
  for (const auto &c : cases) {
    std::string out;
    const bool ok = Cp932Encode(c.utf8, out);
    EXPECT_EQ(ok, c.cp932 != nullptr) << c.utf8;
    if (c.cp932) {
      EXPECT_EQ(out, c.cp932) << c.utf8;
      std::string back;
      ASSERT_TRUE(Cp932Decode(out, back));
      EXPECT_EQ(back, c.utf8);
    }
    EXPECT_EQ(Cp932CanHold(c.utf8), c.cp932 != nullptr) << c.utf8;
    EXPECT_EQ(Cp932Length(c.utf8), c.length) << c.utf8;
  }
}

TEST(Cp932, RefusesBytesThatAreNoText) {
  for (const char *bad : {"\x81", "abc\x83", "\x85\x40", "\xFD"}) {
    std::string out;
    EXPECT_FALSE(Cp932Decode(bad, out)) << testing::PrintToString(std::string(bad));
  }
}

TEST(FoldCase, FoldsLettersOfEveryScript) {
  const std::pair<const char *, const char *> cases[] = {
      {"ABC.mid", "abc.mid"}, {"ÉTÉ", "été"}, {"ＡＢＣ", "ａｂｃ"}, {"標準", "標準"}, {"Straße", "straße"},
  };
  for (const auto &[in, out] : cases) EXPECT_EQ(FoldCase(in), out) << in;
  EXPECT_TRUE(EqualsNoCase("Summer", "sUMMER"));
  EXPECT_TRUE(EqualsNoCase("ÉTÉ", "été"));
  EXPECT_FALSE(EqualsNoCase("ソ", "ゾ"));
  EXPECT_EQ(FoldCase("a\xFF"
                     "B"),
            "a\xFF"
            "b");  // invalid bytes kept
}
