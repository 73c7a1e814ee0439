// Dialogs for the command line: messages go to standard error, questions are never asked
// (the answer is the box's "no": Cancel or No), input boxes, file and folder dialogs are cancelled.
#pragma once

#include "qtcore/dialogs.h"

class TTerminalDialogs : public platform::Dialogs {
 public:
  platform::TModalResult Message(const QString &text, platform::TMsgType type, unsigned buttons,
                                 const QString &caption) override;
  bool InputQuery(const QString &, const QString &, QString &) override { return false; }
  QString OpenFile(const platform::TFileDialogOptions &) override { return QString(); }
  QString SaveFile(const platform::TFileDialogOptions &) override { return QString(); }
  QString ChooseFolder(const platform::TFileDialogOptions &) override { return QString(); }
};
