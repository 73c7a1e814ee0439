// Work that arrives from outside the window (a package handed over by a second copy) while the
// window is in the middle of a command that shows a dialog of its own (a question, an apply's
// progress) waits until no dialog is open, so that it never runs inside that command.
#pragma once

#include <QObject>
#include <functional>

namespace platform {

// Runs action now when no modal dialog is open, else again and again a short while later, until
// none is; never after context is gone.
void RunWhenNoDialog(QObject *context, std::function<void()> action, int retryMs = 250);

}  // namespace platform
