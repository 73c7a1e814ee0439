#include "inputbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>

namespace platform {

int InputBoxContentWidth(const QWidget &box, const QString &title, const QString &prompt) {
  // The window manager draws the title in a font of its own, mostly bolder than the dialog's.
  QFont titleFont = box.font();
  titleFont.setBold(true);
  const QFontMetrics titleMetrics(titleFont);
  const int titleWidth = titleMetrics.horizontalAdvance(title) + kTitleBarDecorationLines * titleMetrics.height();
  int promptWidth = 0;
  for (const QString &line : prompt.split('\n'))
    promptWidth = std::max(promptWidth, box.fontMetrics().horizontalAdvance(line));
  return std::max(titleWidth, promptWidth);
}

bool AskText(QWidget *parent, const QString &title, const QString &prompt, QString &value) {
  QInputDialog box(parent);
  box.setWindowTitle(title);
  box.setInputMode(QInputDialog::TextInput);
  box.setLabelText(prompt);
  box.setTextValue(value);
  // The dialog's layout sets its size from the controls: the prompt holds the width.
  if (auto *label = box.findChild<QLabel *>()) label->setMinimumWidth(InputBoxContentWidth(box, title, prompt));
  if (box.exec() != QDialog::Accepted) return false;
  value = box.textValue();
  return true;
}

}  // namespace platform
