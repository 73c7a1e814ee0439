#include "application.h"

#include <exception>

#include "qtcore/language.h"
#include "qtdialogs.h"

namespace platform {

namespace {
Dialogs *gDialogs = nullptr;

Dialogs &ErrorDialogs() {
  static QtDialogs fallback;
  return gDialogs ? *gDialogs : fallback;
}
}  // namespace

QString ExceptionBoxText(const QString &message) {
  if (!message.isEmpty() && message.back() > QChar('.')) return message + ".";
  return message;
}

// Japanese, the texts as written, Qt's own (the buttons of its dialogs) included, until the
// program chooses the user's language.
TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) { UseLanguage(true); }

void TApplication::SetDialogs(Dialogs *dialogs) { gDialogs = dialogs; }

void TApplication::ShowException(const QString &message) {
  ErrorDialogs().Message(ExceptionBoxText(message), TMsgType::Error, mbOK, QStringLiteral("Melodeck"));
}

bool TApplication::notify(QObject *receiver, QEvent *event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception &e) {
    ShowException(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowException(QCoreApplication::translate("EnglishMessages", "Unknown error"));
  }
  return false;
}

}  // namespace platform
