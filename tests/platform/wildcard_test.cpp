#include "core/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
  std::string pattern, name;
  bool match;
};

class WildcardTest : public testing::TestWithParam<MatchCase> {};

TEST_P(WildcardTest, MatchesLikeWindows) {
  EXPECT_EQ(platform::WildcardMatch(GetParam().pattern, GetParam().name), GetParam().match)
      << GetParam().pattern << " ~ " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Patterns, WildcardTest,
                         testing::Values(MatchCase{"*", "a/b.mid", true}, MatchCase{"*.*", "README", true},
                                         MatchCase{"*.*", "a.mid", true}, MatchCase{"", "x", false},
                                         MatchCase{"", "", true}, MatchCase{"*.MID", "a/b.mid", true},
                                         MatchCase{"*.mid", "A.MID", true}, MatchCase{"*.mid", "a.midi", false},
                                         MatchCase{"?.mid", "ab.mid", false}, MatchCase{"read*me", "readme", true},
                                         MatchCase{"a\\b.mid", "a/b.mid", true},
                                         MatchCase{"index.ini", "sub/index.ini", false},
                                         MatchCase{"*a*a*a*a*a", "aaaa", false},
                                         MatchCase{"*a*a*a*a*a*a*a*a*b", std::string(200, 'a'), false},
                                         MatchCase{"町*.mid", "町1.mid", true}, MatchCase{"曲?.MID", "曲1.mid", true},
                                         MatchCase{"ÉTÉ.MID", "été.mid", true}));

}  // namespace
