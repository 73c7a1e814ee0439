#include <gtest/gtest.h>

#include "entryrecord.h"
#include "names.h"
#include "wildcard.h"

namespace {

struct PathCase {
  const char *name;
  arc::PathCheck verdict;
  const char *parts;  // joined by "/"
};

class EntryPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(EntryPathTest, KeepsEveryWriteBelowTheFolder) {
  const auto &c = GetParam();
  std::vector<std::string> parts;
  EXPECT_EQ(arc::SplitEntryPath(c.name, parts), c.verdict) << c.name;
  EXPECT_EQ(arc::JoinParts(parts), c.parts) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, EntryPathTest,
    testing::Values(
        PathCase{"a/b.mid", arc::PathCheck::Ok, "a/b.mid"}, PathCase{"a\\b.mid", arc::PathCheck::Ok, "a/b.mid"},
        PathCase{"./a//b.mid", arc::PathCheck::Ok, "a/b.mid"}, PathCase{"../x", arc::PathCheck::Refused, ""},
        PathCase{"a/../../x", arc::PathCheck::Refused, ""}, PathCase{"a\\..\\x", arc::PathCheck::Refused, ""},
        PathCase{"/x", arc::PathCheck::Defused, "x"}, PathCase{"/etc/passwd", arc::PathCheck::Defused, "etc/passwd"},
        PathCase{"C:\\x", arc::PathCheck::Defused, "x"}, PathCase{"c:x", arc::PathCheck::Defused, "x"},
        PathCase{"\\\\server\\share\\x", arc::PathCheck::Defused, "server/share/x"},
        PathCase{"", arc::PathCheck::Refused, ""}, PathCase{"/", arc::PathCheck::Refused, ""},
        PathCase{"..", arc::PathCheck::Refused, ""}, PathCase{"音楽/町.mid", arc::PathCheck::Ok, "音楽/町.mid"}));

struct DecodeCase {
  std::string bytes;
  std::string utf8;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, DecodesOrKeepsRecoverable) { EXPECT_EQ(arc::DecodeLegacyName(GetParam().bytes), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(Names, DecodeTest,
                         testing::Values(DecodeCase{"town.mid", "town.mid"},
                                         DecodeCase{"\x93\xfa\x96\x7b.mid", "日本.mid"},
                                         // Also code page 932 (half-width kana), but UTF-8 first.
                                         DecodeCase{"\xc3\xa9t\xc3\xa9", "été"}, DecodeCase{"\x83\x7d", "マ"},
                                         DecodeCase{"a\xff%b", "a%FF%25b"}));

TEST(EntrySelector, FolderNamesSelectTheirContents) {
  const arc::EntrySelector s({"music", "index.ini"});
  EXPECT_TRUE(s.Selects("music/a.mid"));
  EXPECT_TRUE(s.Selects("INDEX.INI"));
  EXPECT_FALSE(s.Selects("musical/a.mid"));
  EXPECT_FALSE(s.Selects("other/index.ini"));
  EXPECT_TRUE(arc::EntrySelector({"x", "*"}).All());
  EXPECT_TRUE(arc::EntrySelector({"x", "\\"}).All());
  // A folder entry's trailing "/" is no part of its name; FindFirst without a pattern lists all.
  EXPECT_TRUE(arc::EntryMatches("music", "music/"));
  EXPECT_TRUE(arc::EntryMatches("*.*\\", "music/"));
  EXPECT_TRUE(arc::EntryMatches("", "x"));
  EXPECT_FALSE(arc::EntryMatches("?", "music/"));
  // The ZIP drivers write "[" as "[[]".
  EXPECT_EQ(arc::UnescapeBrackets("song[[]1].mid"), "song[1].mid");
  EXPECT_EQ(arc::UnescapeBrackets("[[][[]"), "[[");
}

TEST(EntryRecord, FillsTheFieldsAListingShows) {
  arc::EntryFacts f;
  f.name = std::string(600, 'n');
  f.name.replace(510, 3, "日");  // a character across the field's end is cut whole
  f.originalSize = 5000000000ull;
  f.compressedSize = 1000;
  f.crc = 0xBEEF;
  f.dosTime = (20u << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 7u;
  f.method = "-lh7-";
  f.attributes = arc::kAttrReadOnly | arc::kAttrArchive;
  INDIVIDUALINFO r;
  arc::FillRecord(f, r);
  EXPECT_EQ(r.dwOriginalSize, 0xFFFFFFFFu);
  EXPECT_EQ(r.dwCRC, 0xBEEFu);
  EXPECT_EQ(r.wDate, f.dosTime >> 16);
  EXPECT_EQ(r.wTime, f.dosTime & 0xFFFF);
  EXPECT_EQ(std::string(r.szFileName).size(), 510u);
  EXPECT_STREQ(r.szMode, "-lh7-");
  EXPECT_STREQ(r.szAttribute, "R---A");
  EXPECT_EQ(arc::RatioPerMille(500, 1000), 500);
  EXPECT_EQ(arc::RatioPerMille(5, 0), 0);
}

}  // namespace
