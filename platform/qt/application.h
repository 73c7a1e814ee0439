// The application object. Its general error handler turns an exception that ends a command
// (an archive error, a settings file that can't be written) into an error box titled
// "Melodeck"; the program keeps running.
#pragma once

#include <QApplication>

#include "qtcore/dialogs.h"

namespace platform {

class TApplication : public QApplication {
 public:
  TApplication(int &argc, char **argv);
  bool notify(QObject *receiver, QEvent *event) override;

  // Where error boxes go; the default shows Qt dialogs.
  static void SetDialogs(Dialogs *dialogs);
  static void ShowException(const QString &message);
};

// The text of an error box: "." is appended unless the text ends in "." or in a character
// that sorts below it.
QString ExceptionBoxText(const QString &message);

}  // namespace platform
