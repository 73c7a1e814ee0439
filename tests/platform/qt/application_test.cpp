#include "qt/application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "core/inifile.h"
#include "scripteddialogs.h"

using platform::ExceptionBoxText;

TEST(ErrorBox, APeriodUnlessTheTextEndsInOneOrBelowIt) {
  const std::pair<const char *, const char *> cases[] = {
      {"C:\\a.ini に書き込めません", "C:\\a.ini に書き込めません."},
      {"Done.", "Done."},
      {"Really!", "Really!"},  // "!" sorts below "."
      {"(x)", "(x)"},          // so does ")"
      {"a-", "a-"},
      {"path/", "path/."},  // "/" sorts above "."
      {"見つかりません。", "見つかりません。."},
      {"", ""},
  };
  for (const auto &[in, out] : cases) EXPECT_EQ(ExceptionBoxText(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(ErrorBox, AnExceptionEndsOnlyTheCommandThatRaisedIt) {
  testsupport::ScriptedDialogs dialogs;
  platform::TApplication::SetDialogs(&dialogs);
  bool after = false;
  QTimer::singleShot(0, [] { throw platform::EIniFileException("C:\\prog\\melodeck.ini"); });
  QTimer::singleShot(0, [&] { after = true; });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  platform::TApplication::SetDialogs(nullptr);
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.Shown()[0].text, QString::fromUtf8("C:\\prog\\melodeck.ini に書き込めません."));
  EXPECT_EQ(dialogs.Shown()[0].caption, "Melodeck");
  EXPECT_EQ(dialogs.Shown()[0].type, platform::TMsgType::Error);
  EXPECT_TRUE(after);
}

// Qt's own dialog buttons speak Japanese like the rest of the program, whatever the locale.
TEST(Application, QtsOwnTextsAreJapanese) {
  for (const char *button : {"&Yes", "&No", "Cancel"}) {  // "OK" reads the same in Japanese
    const QString text = QCoreApplication::translate("QPlatformTheme", button);
    EXPECT_NE(text, QString::fromUtf8(button)) << button;
  }
  EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&No").startsWith(QString::fromUtf8("いいえ")));
}
