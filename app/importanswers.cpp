#include "importanswers.h"

#include <QCoreApplication>

#include "configstore.h"

TImportQuestions::TTaken TImportAnswers::NameTaken(const QString &name) {
  if (overwrite_) return TTaken::Overwrite;
  reason_ = QCoreApplication::translate(
                "CliImport", "a configuration \"%1\" exists: give --overwrite to replace it, or --as with another name")
                .arg(name);
  return TTaken::Cancel;
}

bool TImportAnswers::NewName(const std::optional<QString> &refused, QString &) {
  if (!refused) reason_ = QCoreApplication::translate("CliImport", "give --as with another name");
  else if (*refused == kStandardConfig)
    reason_ = QCoreApplication::translate(
                  "CliImport", "\"%1\" is the game's own music and is never stored: give --as with another name")
                  .arg(*refused);
  else
    reason_ = QCoreApplication::translate(
                  "CliImport",
                  "\"%1\" can't name a configuration (in use, too short, reserved, or with characters a "
                  "file name can't hold): give --as with another name")
                  .arg(*refused);
  return false;
}

QString ImportOutcomeProblem(const TImportReport &report, const TImportAnswers &answers, const QString &file) {
  switch (report.Result) {
    case TImportResult::Imported:
      return {};
    case TImportResult::Incomplete:
      return QCoreApplication::translate(
                 "CliImport",
                 "the package is damaged: the files of %1 scene(s) are missing from it; they stay standard")
          .arg(report.Missing);
    case TImportResult::Cancelled:
      return answers.Reason().isEmpty() ? QCoreApplication::translate("CliImport", "not imported") : answers.Reason();
    case TImportResult::NotAnArchive:
      return QCoreApplication::translate("CliImport", "not a package: %1 is no LHA archive").arg(file);
    case TImportResult::NoIndex:
      return QCoreApplication::translate("CliImport", "not a package: %1 holds no index.ini").arg(file);
    case TImportResult::NoConfiguration:
      return QCoreApplication::translate("CliImport", "not a package: the index.ini of %1 names no configuration")
          .arg(file);
    case TImportResult::Damaged:
      return QCoreApplication::translate("CliImport", "the package is damaged and was not imported: %1").arg(file);
    case TImportResult::NoWorkFolder:
      return QCoreApplication::translate("CliImport", "not imported: the work folder can't be made");
    case TImportResult::NoImportFolder:
      return QCoreApplication::translate(
          "CliImport", "not imported: no folder to unpack the package into can be made beside the settings");
    case TImportResult::NoScratch:
      return QCoreApplication::translate("CliImport", "not imported: a file in the work folder can't be replaced");
  }
  return QCoreApplication::translate("CliImport", "not imported");
}
