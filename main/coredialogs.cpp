#include "coredialogs.h"

#include <QCoreApplication>

#include "applyfailures.h"
#include "core/fileops.h"
#include "qtcore/qstr.h"
#include "configcommands.h"
#include "importdialogs.h"
#include "packageexport.h"
#include "packageimport.h"
#include "reporttexts.h"

using platform::QS;
using platform::SS;

namespace {

void Tell(platform::Dialogs &dialogs, const QString &text) {
  if (!text.isEmpty()) dialogs.Message(text);
}

// A command's refusal, then what loading the resulting configuration left undone.
bool TellCommand(TSession &s, const TConfigCommandReport &report) {
  Tell(s.Dialogs, ConfigCommandText(report.Result));
  ShowBackupReport(s.Dialogs, report.Backups);
  return report.Done();
}

}  // namespace

void ShowBackupReport(platform::Dialogs &dialogs, const TBackupReport &report) {
  Tell(dialogs, BackupReportText(report));
}

void ShowApplyFailures(const TApplyReport &report, platform::Dialogs &dialogs) {
  for (const QString &message : FailureMessages(report.FailureText, report.Outcomes)) dialogs.Message(message);
}

std::vector<TGameUpdate> TellGameUpdates(platform::Dialogs &dialogs, std::vector<TGameUpdate> updates) {
  Tell(dialogs, GameUpdatesText(updates));
  return updates;
}

void ChangeConfigTelling(TSession &s, const QString &name) { ShowBackupReport(s.Dialogs, ChangeConfig(s, name)); }

bool AskCreateConfig(TSession &s, const QString &base) {
  QString name;
  if (!s.Dialogs.InputQuery(QCoreApplication::translate("Configurations", "Melodeck - 設定の新規作成"),
                            QCoreApplication::translate("Configurations", "作成する設定の名前を入力してください"),
                            name))
    name.clear();
  return TellCommand(s, CreateConfig(s, base, name));
}

bool AskDeleteConfig(TSession &s, const QString &name) {
  if (s.Dialogs.Message(QCoreApplication::translate("Configurations", "設定%1を削除します").arg(name),
                        platform::TMsgType::Confirmation, platform::mbOKCancel) != platform::TModalResult::OK)
    return false;
  return TellCommand(s, EraseConfig(s, name));
}

bool AskRenameConfig(TSession &s, const QString &old) {
  QString name = old;
  if (!s.Dialogs.InputQuery(QCoreApplication::translate("Configurations", "Melodeck - 設定名の変更"),
                            QCoreApplication::translate("Configurations", "新しい名前を入力してください"), name))
    name = old;
  return TellCommand(s, RenameConfig(s, old, name));
}

bool ImportPackage(TSession &s, const QString &packageFile, const QString &asName) {
  TDialogImportQuestions questions(s.Dialogs);
  const TImportReport report = ImportPackage(s, packageFile, questions, asName);
  ShowImportReport(s, report);
  return report.Stored();
}

void ShowImportReport(TSession &s, const TImportReport &report) {
  for (const QString &message : ImportReportMessages(report, s.WorkFolder)) s.Dialogs.Message(message);
}

bool ExportPackage(TSession &s, const QString &packageFile) {
  const TExportReport report = WritePackage(s, packageFile);
  Tell(s.Dialogs, ExportReportText(report, s.WorkFolder));
  return report.Written();
}

void TellDamagedSettings(platform::Dialogs &dialogs, const QString &programPath) {
  for (const char *ext : {".ini", ".dat"})
    if (const auto damaged = KeepDamagedSettings(QS(platform::ChangeFileExt(SS(programPath), ext))))
      Tell(dialogs, DamagedSettingsText(*damaged));
}
