// What an import asks the user, as typed questions: the window answers them with its boxes, the
// command line from its options.
#pragma once

#include <QString>
#include <optional>

#include "qtcore/dialogs.h"

class TImportQuestions {
 public:
  enum class TTaken { Overwrite, Rename, Cancel };

  virtual ~TImportQuestions() = default;
  // The name is free: import the package under it? False cancels.
  virtual bool Confirm(const QString &name) = 0;
  // A configuration of that name exists: replace it, give another name, or stop.
  virtual TTaken NameTaken(const QString &name) = 0;
  // Another name, in name (given pre-filled with the name asked about). refused: the name just
  // given when it can't be stored (reserved, taken, too short, characters a file name can't
  // hold); none when the user chose to rename. False cancels.
  virtual bool NewName(const std::optional<QString> &refused, QString &name) = 0;
};

// The window's answers: its message and input boxes.
class TDialogImportQuestions : public TImportQuestions {
 public:
  explicit TDialogImportQuestions(platform::Dialogs &dialogs) : dialogs_(dialogs) {}
  bool Confirm(const QString &name) override;
  TTaken NameTaken(const QString &name) override;
  bool NewName(const std::optional<QString> &refused, QString &name) override;

 private:
  platform::Dialogs &dialogs_;
};
