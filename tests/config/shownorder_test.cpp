#include <QLocale>

#include "corelanguage.h"
#include "qtcore/shownorder.h"

namespace {

int Sign(int order) { return (order > 0) - (order < 0); }

// Pairs whose order differs between Japanese and English collation, and pairs that keep it.
struct Pair {
  const char *a, *b;
  int japanese, english;  // the sign of compare(a, b)
};
const Pair kPairs[] = {
    {"亜", "一", -1, 1},          // Japanese order of kanji, against the radical order
    {"一", "丁", -1, -1},         // the same either way
    {"apple", "Banana", -1, -1},  // without regard to case
    {"Abc", "abc", 0, 0},         // equal but for case
    {"あ", "ア", -1, -1},         // hiragana and katakana the collation takes as equal: still told apart
    {"あ", "い", -1, -1},
};

TEST_F(CoreLanguage, NamesSortInTheShownLanguagesOrder) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan), english(QLocale::English, QLocale::UnitedStates);
  for (const Pair &p : kPairs) {
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    EXPECT_EQ(Sign(platform::CompareNamesIn(japanese, a, b)), p.japanese) << p.a << " " << p.b;
    EXPECT_EQ(Sign(platform::CompareNamesIn(english, a, b)), p.english) << p.a << " " << p.b;
    EXPECT_EQ(Sign(platform::CompareNamesIn(english, b, a)), -p.english) << p.b << " " << p.a;
  }
}

TEST_F(CoreLanguage, TheShownOrderFollowsTheLanguageShown) {
  platform::UseLanguage(true);  // no translation file is needed for Japanese
  ASSERT_TRUE(platform::JapaneseShown());
  EXPECT_EQ(platform::ShownCollationLocale(), QLocale(QLocale::Japanese, QLocale::Japan));
  for (const Pair &p : kPairs)
    EXPECT_EQ(Sign(platform::CompareShownNames(QString::fromUtf8(p.a), QString::fromUtf8(p.b))), p.japanese) << p.a;
  ASSERT_TRUE(platform::UseLanguage(false));
  EXPECT_EQ(platform::ShownCollationLocale(), QLocale::system());
  for (const Pair &p : kPairs) {
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    EXPECT_EQ(Sign(platform::CompareShownNames(a, b)), Sign(platform::CompareNamesIn(QLocale::system(), a, b))) << p.a;
  }
}

}  // namespace
