#include "qt/whenidle.h"

#include <QApplication>
#include <QTimer>

namespace platform {

void RunWhenNoDialog(QObject *context, std::function<void()> action, int retryMs) {
  if (QApplication::activeModalWidget() == nullptr) {
    action();
    return;
  }
  QTimer::singleShot(retryMs, context, [context, action = std::move(action), retryMs]() mutable {
    RunWhenNoDialog(context, std::move(action), retryMs);
  });
}

}  // namespace platform
