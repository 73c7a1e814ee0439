// The input box: a one-line text question in a small dialog of its own.
#pragma once

#include <QString>

class QInputDialog;
class QWidget;

namespace platform {

// Room the window manager takes from a title bar for the icon and the buttons, in text lines.
constexpr int kTitleBarDecorationLines = 6;

// The width an input box's controls need so that neither its title nor its prompt is cut short.
int InputBoxContentWidth(const QWidget &box, const QString &title, const QString &prompt);

// Asks for one line of text; false when cancelled. value is the pre-filled text and, on OK,
// the answer.
bool AskText(QWidget *parent, const QString &title, const QString &prompt, QString &value);

}  // namespace platform
