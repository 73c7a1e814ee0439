// An import on the command line: the questions answered from the options (--as, --overwrite),
// and the one line that says how it ended.
#pragma once

#include <QString>

#include "importquestions.h"
#include "packageimport.h"

class TImportAnswers : public TImportQuestions {
 public:
  explicit TImportAnswers(bool overwrite) : overwrite_(overwrite) {}
  // The command names the package: a free name is taken as it is.
  bool Confirm(const QString &) override { return true; }
  // Replaced with --overwrite; otherwise the import stops.
  TTaken NameTaken(const QString &name) override;
  // Only --as gives a name, and it was given already: the import stops.
  bool NewName(const std::optional<QString> &refused, QString &name) override;

  // Why the answers stopped the import.
  const QString &Reason() const { return reason_; }

 private:
  bool overwrite_;
  QString reason_;
};

// Why nothing was stored, for standard error; file as the user gave it. For a stored import
// that lacked files, why it is incomplete. Empty for a whole import.
QString ImportOutcomeProblem(const TImportReport &report, const TImportAnswers &answers, const QString &file);
