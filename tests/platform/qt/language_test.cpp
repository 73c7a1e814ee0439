#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

#include "core/translate.h"
#include "qtcore/language.h"

namespace {

using platform::TLanguageChoice;

TEST(Args, PutsTheValuesInTheirPlaces) {
  struct Case {
    const char *text;
    std::initializer_list<std::string_view> values;
    const char *expected;
  };
  const Case cases[] = {
      {"MIDI ファイル %1 を開けません", {"a.mid"}, "MIDI ファイル a.mid を開けません"},
      {"%2 then %1", {"one", "two"}, "two then one"},
      {"%1 of %1", {"x"}, "x of x"},
      {"100% sure, %3 stays", {"a"}, "100% sure, %3 stays"},
      {"a value's own %1", {"%2", "no"}, "a value's own %2"},
      {"ends with %", {"a"}, "ends with %"},
  };
  for (const Case &c : cases) EXPECT_EQ(platform::Args(c.text, c.values), c.expected) << c.text;
}

TEST(Language, TheChoiceAndTheLocaleDecide) {
  struct Case {
    TLanguageChoice choice;
    const char *locale;
    bool japanese;
  };
  const Case cases[] = {
      {TLanguageChoice::Automatic, "ja_JP.UTF-8", true},
      {TLanguageChoice::Automatic, "ja", true},
      {TLanguageChoice::Automatic, "en_US.UTF-8", false},
      {TLanguageChoice::Automatic, "C.UTF-8", false},
      {TLanguageChoice::Automatic, "", false},
      {TLanguageChoice::Automatic, "de_DE", false},
      {TLanguageChoice::Japanese, "en_US.UTF-8", true},
      {TLanguageChoice::English, "ja_JP.UTF-8", false},
  };
  for (const Case &c : cases)
    EXPECT_EQ(platform::ShowsJapanese(c.choice, QString::fromUtf8(c.locale)), c.japanese) << c.locale;
}

TEST(Language, TheStoredChoiceReadsBackAndAnUnknownOneIsAutomatic) {
  for (const TLanguageChoice choice : {TLanguageChoice::Automatic, TLanguageChoice::Japanese, TLanguageChoice::English})
    EXPECT_EQ(platform::LanguageChoiceOf(platform::StoredLanguageChoice(choice)), choice);
  EXPECT_EQ(platform::LanguageChoiceOf("fr"), TLanguageChoice::Automatic);
  EXPECT_EQ(platform::LanguageChoiceOf("JA"), TLanguageChoice::Automatic);
}

TEST(Language, TheLocaleForMessagesIsReadAsTheCLibraryReadsIt) {
  // This test program's own environment, put back after.
  setenv("LANG", "en_US.UTF-8", 1);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  setenv("LC_ALL", "", 1);
  EXPECT_EQ(platform::MessagesLocaleName(), QStringLiteral("ja_JP.UTF-8"));
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(platform::MessagesLocaleName(), QStringLiteral("C"));
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  unsetenv("LANG");
  EXPECT_EQ(platform::MessagesLocaleName(), QString());
}

// Qt's own texts (the buttons of its dialogs) follow the language; English has no translation
// of them to load.
TEST(Language, QtsOwnTextsFollowTheLanguage) {
  platform::UseLanguage(false);
  EXPECT_FALSE(platform::JapaneseShown());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
  platform::UseLanguage(true);
  EXPECT_TRUE(platform::JapaneseShown());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

}  // namespace
