// The window's answers to an import's questions: its message and input boxes.
#pragma once

#include "importquestions.h"
#include "qtcore/dialogs.h"

class TDialogImportQuestions : public TImportQuestions {
 public:
  explicit TDialogImportQuestions(platform::Dialogs &dialogs) : dialogs_(dialogs) {}
  bool Confirm(const QString &name) override;
  TTaken NameTaken(const QString &name) override;
  bool NewName(const std::optional<QString> &refused, QString &name) override;

 private:
  platform::Dialogs &dialogs_;
};
