#include "reporttexts.h"

#include <QCoreApplication>

#include "backups.h"

QString BackupReportText(const TBackupReport &report) {
  QString text;
  if (!report.Missing.empty()) {
    text = QCoreApplication::translate("Reports", "バックアップファイルがありません.\n");
    for (const QString &path : report.Missing) text += path + "\n";
  }
  if (!report.Ours.empty()) text += (text.isEmpty() ? "" : "\n") + OurFilesNotBackedUpText(report.Ours);
  return text;
}

namespace {

QString LeftStandardText(const TImportReport &report) {
  QString lines;
  for (const TLeftStandard &left : report.LeftStandard)
    lines += QStringLiteral("\n%1 :  %2 (%3)")
                 .arg(left.Scene, left.Value,
                      left.Unsafe.isEmpty() ? QCoreApplication::translate("Reports", "パッケージにありません")
                                            : left.Unsafe);
  if (lines.isEmpty()) return {};
  if (report.Missing)
    return QCoreApplication::translate("Reports",
                                       "パッケージファイルが壊れています: %1\n次の場面は標準のままにしました")
               .arg(report.PackageFile) +
           lines;
  return QCoreApplication::translate("Reports",
                                     "次の場面はパッケージの外のファイルを指しているため標準のままにしました") +
         lines;
}

}  // namespace

QStringList ImportReportMessages(const TImportReport &report, const TWorkFolder &work) {
  switch (report.Result) {
    case TImportResult::Imported:
    case TImportResult::Incomplete: {
      QStringList messages;
      if (const QString backups = BackupReportText(report.Backups); !backups.isEmpty()) messages << backups;
      if (const QString left = LeftStandardText(report); !left.isEmpty()) messages << left;
      return messages;
    }
    case TImportResult::Damaged:
      if (report.IndexDamaged) return {};
      return {QCoreApplication::translate("Reports", "パッケージファイルを展開できません: %1").arg(report.PackageFile)};
    case TImportResult::NoWorkFolder:
      if (report.Folder.isEmpty()) return {WorkFolderFailureText(work)};
      return {};
    case TImportResult::NoImportFolder:
      if (report.Folder.isEmpty())
        return {QCoreApplication::translate("Reports", "パッケージ展開用フォルダを確保できません")};
      return {QCoreApplication::translate("Reports", "ディレクトリを作成できません: %1").arg(report.Folder)};
    case TImportResult::Cancelled:
    case TImportResult::NotAnArchive:
    case TImportResult::NoIndex:
    case TImportResult::NoConfiguration:
    case TImportResult::NoScratch:
      break;
  }
  return {};
}

QString ExportReportText(const TExportReport &report, const TWorkFolder &work) {
  switch (report.Result) {
    case TExportResult::Written:
      return QCoreApplication::translate("Reports", "パッケージファイルを作成しました");
    case TExportResult::NoConfiguration:
      return {};
    case TExportResult::NoWorkFolder:
      return WorkFolderFailureText(work);
    case TExportResult::NotEmptied:
      return QCoreApplication::translate("Reports", "初期化に失敗しました: ディレクトリを削除できません");
    case TExportResult::NoFolder:
      return report.Folder.isEmpty()
                 ? QCoreApplication::translate("Reports", "ディレクトリを作成できません")
                 : QCoreApplication::translate("Reports", "ディレクトリを作成できません: %1").arg(report.Folder);
    case TExportResult::NothingToPack:
      return QCoreApplication::translate("Reports", "パッケージ化するファイルがありません");
    case TExportResult::NotReplaced:
      return QCoreApplication::translate("Reports", "パッケージファイルの初期化に失敗しました");
    case TExportResult::NotPacked:
      return QCoreApplication::translate("Reports", "パッケージファイルの作成に失敗しました");
  }
  return {};
}

QString ConfigCommandText(TConfigCommandResult result) {
  switch (result) {
    case TConfigCommandResult::NameInUse:
      return QCoreApplication::translate("Reports", "既存の設定と同じ名前は使えません");
    case TConfigCommandResult::InvalidName:
      return QCoreApplication::translate("Reports", "ファイル名に使用できない文字は使えません");
    case TConfigCommandResult::Done:
    case TConfigCommandResult::NoName:
    case TConfigCommandResult::Gone:
      break;
  }
  return {};
}

QString GameUpdatesText(const std::vector<TGameUpdate> &updates) {
  if (updates.empty()) return {};
  QString list;
  for (const TGameUpdate &u : updates) list += "\n" + u.Target;
  return QCoreApplication::translate("Reports",
                                     "ゲームの更新で次の音楽ファイルが新しくなっていました.\n"
                                     "新しいファイルをバックアップ (標準の設定) として使います.\n"
                                     "以前のバックアップは日付を付けた名前で同じフォルダに残してあります.\n") +
         list;
}

QString DamagedSettingsText(const TDamagedSettings &damaged) {
  QStringList lines;
  for (const int line : damaged.Lines) lines << QString::number(line);
  QString text =
      QCoreApplication::translate(
          "Reports", "設定ファイルの次の行は読めないため使われません.\n%1: %2 行目\n読める内容はそのまま使います.")
          .arg(damaged.File, lines.join(QStringLiteral(", ")));
  if (!damaged.KeptAs.isEmpty())
    text += QCoreApplication::translate("Reports", "\n元のファイルは %1 に残してあります.").arg(damaged.KeptAs);
  return text;
}

QString DigitalIndexText(const TGameSet &set) {
  QString text;
  if (!set.Ambiguous.isEmpty()) {
    text = QCoreApplication::translate(
        "Reports",
        "次の曲は, 名前が同じ (大文字と小文字だけが違う) ファイルが複数あるため, どれも使いません.\n"
        "ゲームもどちらを演奏するか決まりません. 一つだけ残してください.\n");
    for (const QString &track : set.Ambiguous) text += "\n" + track;
  }
  if (set.SkippedLines > 0) {
    if (!text.isEmpty()) text += "\n\n";
    text += QCoreApplication::translate("Reports", "%1 の %2 行は曲として読めないため, 使いません.")
                .arg(set.Index)
                .arg(set.SkippedLines);
  }
  return text;
}
