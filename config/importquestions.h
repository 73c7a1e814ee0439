// What an import asks the user, as typed questions: the window answers them with its boxes
// (main/), the command line from its options (app/).
#pragma once

#include <QString>
#include <optional>

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
