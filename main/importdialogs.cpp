#include "importdialogs.h"

#include <QCoreApplication>

using platform::TModalResult;

bool TDialogImportQuestions::Confirm(const QString &name) {
  return dialogs_.Message(QCoreApplication::translate("Packages", "%1を読み込みますか？").arg(name),
                          platform::TMsgType::Confirmation, platform::mbOKCancel) == TModalResult::OK;
}

TImportQuestions::TTaken TDialogImportQuestions::NameTaken(const QString &name) {
  const TModalResult answer = dialogs_.Message(
      QCoreApplication::translate(
          "Packages",
          "設定 \"%1\" はすでに使われています\n上書きしますか？\n\n別の名前で登録する場合は \"いいえ\" "
          "を選択してください")
          .arg(name),
      platform::TMsgType::Confirmation, platform::mbYesNoCancel);
  if (answer == TModalResult::Cancel) return TTaken::Cancel;
  return answer == TModalResult::No ? TTaken::Rename : TTaken::Overwrite;
}

bool TDialogImportQuestions::NewName(const std::optional<QString> &refused, QString &name) {
  if (refused)
    dialogs_.Message(QCoreApplication::translate("Packages", "\"%1\" は有効な名前ではありません").arg(*refused));
  return dialogs_.InputQuery(QStringLiteral("Melodeck"),
                             QCoreApplication::translate("Packages", "新しい設定名を入力してください"), name);
}
