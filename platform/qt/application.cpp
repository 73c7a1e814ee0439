#include "application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

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

// The program speaks Japanese, Qt's own texts (the buttons of its dialogs) included, whatever
// the system's locale.
TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {
  auto *qt = new QTranslator(this);
  if (qt->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(qt);
}

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
    ShowException(QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace platform
