#include "formabout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace {

// The program's emblem: a note on a disc, 32 × 32.
QPixmap Emblem() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 128), 1));
  p.setBrush(QColor(64, 96, 192));
  p.drawEllipse(QRectF(1, 1, 30, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(8, 19, 8, 6));
  p.drawRect(QRectF(14, 7, 2, 15));
  p.drawPolygon(QPolygonF{QPointF(15, 7), QPointF(23, 10), QPointF(23, 13), QPointF(15, 10)});
  return pm;
}

// A label grows to its text's measured size, the designed rectangle being the least it takes:
// a left-aligned label grows to the right, a right-aligned one to the left, a centred one to
// both sides, and every label equally up and down.
void FitToText(QLabel *label) {
  const QSize need = label->sizeHint();
  QRect r = label->geometry();
  const int wider = need.width() - r.width(), taller = need.height() - r.height();
  if (wider > 0) {
    if (label->alignment() & Qt::AlignRight) r.setLeft(r.left() - wider);
    else if (label->alignment() & Qt::AlignHCenter) r.adjust(-wider / 2, 0, wider - wider / 2, 0);
    else r.setWidth(need.width());
  }
  if (taller > 0) r.adjust(0, -taller / 2, 0, taller - taller / 2);
  label->setGeometry(r);
}

}  // namespace

int TFormAbout::Scale(int designed) const {
  const QWidget *ref = owner_ ? owner_ : this;
  return designed * ref->logicalDpiX() / 120;
}

QRect TFormAbout::Designed(int left, int top, int width, int height) const {
  return QRect(Scale(left), Scale(top), Scale(width), Scale(height));
}

TFormAbout::TFormAbout(QWidget *owner) : QDialog(owner), owner_(owner) {
  setObjectName("FormAbout");
  setWindowTitle(tr("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(Scale(267), Scale(136));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));  // notr: a font family looked up
  font.setPixelSize(Scale(15));
  setFont(font);

  Bevel2 = new QFrame(this);
  Bevel2->setFrameShape(QFrame::Box);
  Bevel2->setFrameShadow(QFrame::Sunken);
  Bevel2->setGeometry(rect());
  LabelMelodeck = new QLabel(QStringLiteral("Melodeck"), this);
  QFont title(QStringLiteral("Times New Roman"));
  title.setPixelSize(Scale(27));
  title.setBold(true);
  LabelMelodeck->setFont(title);
  LabelMelodeck->setGeometry(Designed(72, 28, 101, 31));
  LabelVersion = new QLabel(QStringLiteral("ver 1.11"), this);
  LabelVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LabelVersion->setGeometry(Designed(201, 40, 52, 15));
  Bevel = new QFrame(this);
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Bevel->setGeometry(Designed(12, 52, 241, 9));
  LabelCopyright = new QLabel(this);
  LabelCopyright->setAlignment(Qt::AlignCenter);
  LabelCopyright->setGeometry(Designed(4, 76, 257, 15));
  LabelInfo = new QLabel(this);
  LabelInfo->setAlignment(Qt::AlignCenter);
  LabelInfo->setGeometry(Designed(4, 104, 257, 15));
  ButtonOk = new QPushButton(QStringLiteral("OK"), this);
  ButtonOk->setGeometry(Designed(83, 100, 100, 25));
  ButtonOk->setDefault(true);
  ButtonOk->setFocus();
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);

  LabelCopyright->setText(kMelodeckCopyright);
  FitToFonts();
  // Centred over the main window, wherever it is (offsets may be negative).
  if (owner_) {
    const QRect o = owner_->frameGeometry();
    move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
  }
  // The emblem stands on the title's underline, 10 pixels left of the title.
  Image = new QLabel(this);
  Image->setPixmap(Emblem());
  Image->resize(32, 32);
  Image->move(LabelMelodeck->x() - Image->width() - 10, Bevel->y() - Image->height());
}

// The designed size is the least the box takes: it grows until every text fits with the
// designed margin, and its contents move to stay centred.
void TFormAbout::FitToFonts() {
  QRect used;
  for (QLabel *label : {LabelMelodeck, LabelVersion, LabelCopyright, LabelInfo}) {
    FitToText(label);
    used |= label->geometry();
  }
  const int margin = Scale(4);
  const int w = std::max(width(), used.width() + 2 * margin);
  const int h = std::max(height(), used.height() + 2 * margin);
  // Grown evenly on both sides, then far enough for the margin on either side.
  auto shift = [margin](int grown, int low, int high, int size) {
    int d = grown / 2;
    if (low + d < margin) d = margin - low;
    if (high + d > size - margin) d = size - margin - high;
    return d;
  };
  const int dx = shift(w - width(), used.left(), used.right() + 1, w);
  const int dy = shift(h - height(), used.top(), used.bottom() + 1, h);
  setFixedSize(w, h);
  for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
    child->move(child->pos() + QPoint(dx, dy));
  Bevel2->setGeometry(rect());
}

TFormAbout *TFormAbout::CreateSplash(QWidget *owner) {
  auto *splash = new TFormAbout(owner);
  splash->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  splash->setWindowTitle(QStringLiteral("Melodeck"));
  splash->ButtonOk->hide();
  splash->LabelInfo->setText(tr("起動中です..."));
  splash->FitToFonts();
  if (QScreen *screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    splash->move(s.left() + (s.width() - splash->width()) / 2, s.top() + (s.height() - splash->height()) / 2);
  }
  splash->show();
  // A window can only be painted once the window system has exposed it; the start-up work
  // that follows keeps the event loop away, so wait for that here (for a second at most).
  QElapsedTimer waited;
  waited.start();
  while (splash->windowHandle() && !splash->windowHandle()->isExposed()) {
    const qint64 left = 1000 - waited.elapsed();
    if (left <= 0) break;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, static_cast<int>(left));
    if (!splash->windowHandle()->isExposed()) QThread::msleep(10);
  }
  splash->repaint();
  return splash;
}
