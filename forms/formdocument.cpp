#include "formdocument.h"

#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

TFormDocument::TFormDocument(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormDocument");
  resize(Scale(640), Scale(336));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));  // notr: a font family looked up
  font.setPixelSize(Scale(15));
  setFont(font);

  MemoDocument = new QPlainTextEdit(this);
  MemoDocument->setObjectName("MemoDocument");
  MemoDocument->setReadOnly(true);
  MemoDocument->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoDocument->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoDocument->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed(QStringLiteral("ＭＳ ゴシック"));  // notr: a font family looked up
  fixed.setPixelSize(Scale(13));
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  MemoDocument->setFont(fixed);
  // The window sees keys before the memo.
  MemoDocument->installEventFilter(this);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MemoDocument);
}

int TFormDocument::Scale(int designed) const {
  const QWidget *ref = parentWidget() ? parentWidget() : this;
  return designed * ref->logicalDpiX() / 120;
}

void TFormDocument::ShowText(const QString &caption, const QString &text) {
  setWindowTitle(caption);
  MemoDocument->setPlainText(text);
}

void TFormDocument::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (const QScreen *s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
}

bool TFormDocument::eventFilter(QObject *watched, QEvent *event) {
  if (watched == MemoDocument && event->type() == QEvent::KeyRelease) FormKeyUp(static_cast<QKeyEvent *>(event)->key());
  return QWidget::eventFilter(watched, event);
}

void TFormDocument::keyReleaseEvent(QKeyEvent *event) {
  FormKeyUp(event->key());
  QWidget::keyReleaseEvent(event);
}

void TFormDocument::FormKeyUp(int key) {
  if (key == Qt::Key_Escape) close();
}
