#include "formabout.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QLabel>
#include <QWindow>

TEST(FormAbout, CentredOverTheMainWindowEvenWhenItIsSmaller) {
  const struct {
    QRect main;
  } cases[] = {{QRect(100, 80, 640, 480)}, {QRect(10, 10, 120, 60)}, {QRect(-300, 50, 200, 100)}};
  for (const auto &c : cases) {
    QMainWindow main;
    main.setGeometry(c.main);
    TFormAbout about(&main);
    const QRect o = main.frameGeometry();
    EXPECT_EQ(about.pos(),
              QPoint(o.left() + (o.width() - about.width()) / 2, o.top() + (o.height() - about.height()) / 2));
    EXPECT_EQ(about.LabelCopyright->text(), kMelodeckCopyright);
    EXPECT_TRUE(about.ButtonOk->isDefault());
    EXPECT_EQ(about.Image->x(), about.LabelMelodeck->x() - 32 - 10);
  }
}

TEST(FormAbout, TheSplashHasNoButtons) {
  QMainWindow main;
  TFormAbout *splash = TFormAbout::CreateSplash(&main);
  EXPECT_FALSE(splash->ButtonOk->isVisible());
  EXPECT_EQ(splash->LabelInfo->text(), QString::fromUtf8("起動中です..."));
  EXPECT_EQ(splash->windowTitle(), "Melodeck");
  EXPECT_FALSE(splash->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(splash->windowHandle()->isExposed());  // painted before the caller goes on
  delete splash;
}

// Every text shows whole, at any scale and with any font: the box grows around its texts.
TEST(FormAbout, NoTextIsClipped) {
  for (int pixels : {0, 24}) {  // 0: the designed fonts; 24: a much larger application font
    QMainWindow main;
    if (pixels) {
      QFont big = main.font();
      big.setPixelSize(pixels);
      main.setFont(big);
    }
    TFormAbout about(&main);
    if (pixels) {
      for (QLabel *label : {about.LabelVersion, about.LabelCopyright, about.LabelInfo}) {
        QFont f = label->font();
        f.setPixelSize(pixels);
        label->setFont(f);
      }
      about.LabelInfo->setText(QString::fromUtf8("起動中です..."));
      about.FitToFonts();
    }
    for (QLabel *label : {about.LabelMelodeck, about.LabelVersion, about.LabelCopyright, about.LabelInfo}) {
      const QString name = label->text();
      EXPECT_GE(label->width(), label->sizeHint().width()) << name.toStdString() << " " << pixels;
      EXPECT_GE(label->height(), label->sizeHint().height()) << name.toStdString() << " " << pixels;
      EXPECT_TRUE(about.rect().contains(label->geometry())) << name.toStdString() << " " << pixels;
    }
  }
}
