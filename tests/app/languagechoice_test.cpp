// The language the program starts in: the locale's, unless the settings hold a choice.
#include "languagechoice.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

#include "qtcore/language.h"
#include "testworld.h"

using testsupport::TestWorld;

TEST(LanguageAtStart, TheLocaleAndTheSettingsChooseTheLanguage) {
  const struct Case {
    const char *lcAll, *lang, *stored;  // stored: nullptr for no settings file
    bool japanese;
  } cases[] = {
      {"", "en_US.UTF-8", nullptr, false},      {"", "ja_JP.UTF-8", nullptr, true},   {"", "ja_JP.UTF-8", "", true},
      {"", "en_US.UTF-8", "ja", true},          {"", "ja_JP.UTF-8", "en", false},     {"", "C.UTF-8", "fr", false},
      {"ja_JP.UTF-8", "en_US.UTF-8", "", true}, {"C", "ja_JP.UTF-8", nullptr, false},
  };
  for (const Case &c : cases) {
    TestWorld world;
    if (c.stored)
      TestWorld::WriteFile(world.Linux("melodeck.ini"), std::string("[melodeck]\r\nLanguage=") + c.stored + "\r\n");
    // This test program's own environment; every case sets what it reads.
    setenv("LC_ALL", c.lcAll, 1);
    unsetenv("LC_MESSAGES");
    setenv("LANG", c.lang, 1);
    ChooseLanguage(QString::fromStdString(world.Windows("melodeck")));
    const std::string what = std::string(c.lcAll) + "/" + c.lang + "/" + (c.stored ? c.stored : "no settings");
    EXPECT_EQ(platform::JapaneseShown(), c.japanese) << what;
    // A window text, a text of the core, Qt's own button: all in the language chosen.
    EXPECT_EQ(QCoreApplication::translate("TFormMain", "設定(&C)"),
              c.japanese ? QString::fromUtf8("設定(&C)") : QStringLiteral("&Configuration"))
        << what;
    EXPECT_EQ(QCoreApplication::translate("Scenes", "ブリティン"),
              c.japanese ? QString::fromUtf8("ブリティン") : QStringLiteral("Britain"))
        << what;
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              c.japanese ? QString::fromUtf8("キャンセル") : QStringLiteral("Cancel"))
        << what;
  }
  unsetenv("LC_ALL");
  setenv("LANG", "C.UTF-8", 1);
  platform::UseLanguage(true);
}
