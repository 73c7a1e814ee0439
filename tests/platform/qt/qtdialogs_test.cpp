// The Qt dialogs: file filters as the dialogs read them, input boxes that show their texts whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QTimer>

#include "qt/filefilter.h"
#include "qt/inputbox.h"
#include "qt/qtdialogs.h"

TEST(FileFilter, EveryPatternListIsShownOnce) {
  const std::pair<const char *, const char *> cases[] = {
      {"Melodeck パッケージファイル(*.mdk)|*.mdk", "Melodeck パッケージファイル (*.mdk)"},
      {"SoundFont (*.sf2;*.sf3)|*.sf2;*.sf3", "SoundFont (*.sf2 *.sf3)"},
      {"Text|*.a;*.b|Other|*.c", "Text (*.a *.b);;Other (*.c)"},
      {"Tunes (old)|*.mid", "Tunes (old) (*.mid)"},  // no patterns in it: part of the name
      {"(*.lzh)|*.lzh", "*.lzh (*.lzh)"},
      {"All|*", "All (*)"},
      {"", ""},
      {"Lonely", ""},  // a name without patterns is no filter
  };
  for (const auto &[in, out] : cases) EXPECT_EQ(platform::QtFileFilter(QString::fromUtf8(in)).toStdString(), out) << in;
}

// The box is measured while it is up, then cancelled.
TEST(InputBox, IsWideEnoughForItsTitleAndPrompt) {
  const std::pair<const char *, const char *> cases[] = {
      {"Melodeck - 設定名の変更", "新しい名前を入力してください"},
      {"Melodeck - 設定の新規作成", "作成する設定の名前を入力してください"},
      {"Melodeck", "新しい設定名を入力してください"},
      {"場面の詳細説明を編集", "新しい場面の説明を入力してください。説明はとても長くなることもあります。"},
  };
  platform::QtDialogs dialogs;
  for (const auto &[titleText, promptText] : cases) {
    const char *title = titleText, *prompt = promptText;
    int width = 0, titleWidth = 0, promptWidth = 0;
    QTimer::singleShot(0, [&] {
      QWidget *box = QApplication::activeModalWidget();
      if (!box) return;
      QFont bold = box->font();
      bold.setBold(true);
      titleWidth = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(title));
      promptWidth = box->fontMetrics().horizontalAdvance(QString::fromUtf8(prompt));
      width = box->width();
      static_cast<QDialog *>(box)->reject();
    });
    QString value = "old";
    EXPECT_FALSE(dialogs.InputQuery(QString::fromUtf8(title), QString::fromUtf8(prompt), value));
    EXPECT_EQ(value, "old");
    ASSERT_GT(width, 0) << "no box came up";
    // The title bar keeps room for the icon and its buttons beside the title.
    EXPECT_GE(width, titleWidth + 4 * QFontMetrics(QApplication::font()).height()) << title;
    EXPECT_GT(width, promptWidth) << prompt;
  }
}

TEST(InputBox, AnswersTheEditedText) {
  platform::QtDialogs dialogs;
  QTimer::singleShot(0, [] {
    auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
    if (!box) return;
    box->setTextValue("new name");
    box->accept();
  });
  QString value = "old";
  EXPECT_TRUE(dialogs.InputQuery("Melodeck", "name", value));
  EXPECT_EQ(value, "new name");
}
