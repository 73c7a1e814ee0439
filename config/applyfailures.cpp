#include "applyfailures.h"

#include <QCoreApplication>

using platform::CopyFailure;

QString FailureReasonText(CopyFailure reason) {
  switch (reason) {
    case CopyFailure::SourceMissing:
      return QCoreApplication::translate("Apply", "ファイルがありません");
    case CopyFailure::SourceIsFolder:
    case CopyFailure::TargetIsFolder:
      return QCoreApplication::translate("Apply", "フォルダです");
    case CopyFailure::SourceNotRegular:
      return QCoreApplication::translate("Apply", "通常のファイルではありません");
    case CopyFailure::SourceUnreadable:
      return QCoreApplication::translate("Apply", "コピー元のファイルを読み込めません");
    case CopyFailure::WriteProtected:
      return QCoreApplication::translate("Apply", "書き込みが禁止されています");
    case CopyFailure::DiskFull:
      return QCoreApplication::translate("Apply", "ディスクの空き容量が足りません");
    case CopyFailure::InUse:
      return QCoreApplication::translate("Apply", "ファイルを使用中です");
    case CopyFailure::WriteError:
      return QCoreApplication::translate("Apply", "ディスクへの書き込みに失敗しました");
    case CopyFailure::None:
    case CopyFailure::Other:
      break;
  }
  return QString();
}

QString RefusalText(TRefusal refusal) {
  switch (refusal) {
    case TRefusal::NoBackup:
      return QCoreApplication::translate("Apply", "バックアップがありません");
    case TRefusal::TargetUnreadable:
      return QCoreApplication::translate("Apply", "ファイルを読めません");
    case TRefusal::CannotKeep:
      return QCoreApplication::translate("Apply", "今のファイルを残せません");
    case TRefusal::RecordNotSaved:
      return QCoreApplication::translate("Apply", "書き込んだファイルの記録を保存できません");
    case TRefusal::WrongKind:
      return QCoreApplication::translate("Apply", "この音楽には使えない種類のファイルです");
    case TRefusal::None:
      break;
  }
  return QString();
}

namespace {

// The source as the message names it: an archive entry as assigned, with the archive's path
// shown as the other paths are.
QString ShownSource(const TApplyOutcome &o, const TShownPath &shown) {
  if (!o.Entry.IsEntry()) return shown(o.Copy.Source);
  return o.Entry.WithPath(shown(o.Entry.Path())).Text();
}

// A failure that the advice about files in use or write-protected may fit.
bool AdviceFits(CopyFailure reason) {
  return reason == CopyFailure::WriteProtected || reason == CopyFailure::InUse || reason == CopyFailure::Other ||
         reason == CopyFailure::None;
}

}  // namespace

QString FailureLines(const std::vector<TApplyOutcome> &outcomes, const TShownPath &shown) {
  QString text, lastMissing;
  for (const TApplyOutcome &o : outcomes) {
    if (o.Result == TCopyResult::Copied) continue;
    const bool missing = o.Result == TCopyResult::Missing;
    QString line =
        QStringLiteral("\n%1 :  %2").arg(o.SceneName, missing ? ShownSource(o, shown) : shown(o.Copy.Target));
    const QString reason = !o.ConvertError.isEmpty()     ? o.ConvertError
                           : o.Refusal != TRefusal::None ? RefusalText(o.Refusal)
                                                         : FailureReasonText(o.Reason);
    if (!reason.isEmpty()) line += QStringLiteral(" (%1)").arg(reason);
    // A file missing for both clients (an archive entry is one file for both) is reported once.
    if (missing) {
      if (line == lastMissing) continue;
      lastMissing = line;
    }
    text += line;
  }
  return text;
}

std::vector<QString> FailureMessages(const QString &lines, const std::vector<TApplyOutcome> &outcomes) {
  if (lines.isEmpty()) return {};
  std::vector<QString> messages{
      QCoreApplication::translate("Apply", "以下のファイルにコピーできませんでした\n\n%1").arg(lines)};
  for (const TApplyOutcome &o : outcomes)
    if (o.Result == TCopyResult::Failed && o.Refusal == TRefusal::None && o.ConvertError.isEmpty() &&
        AdviceFits(o.Reason)) {
      messages.push_back(QCoreApplication::translate(
          "Apply", "ファイルを使用中、または書き込み不可属性になっていないか確認して再試行してください"));
      break;
    }
  return messages;
}
