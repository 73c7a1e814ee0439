#include "convertdialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

TConvertDialog::TConvertDialog(QWidget *parent) : parent_(parent) {}

TConvertDialog::~TConvertDialog() = default;

bool TConvertDialog::Tick(int done, int total, const QString &converting) {
  if (!dialog_) {
    // Made at the first tick: an apply whose tunes are all in the cache shows no dialog.
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setObjectName(QStringLiteral("ConvertProgress"));
    dialog_->setWindowTitle(QCoreApplication::translate("Convert", "曲の変換"));
    dialog_->setCancelButtonText(QCoreApplication::translate("Convert", "キャンセル"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(360);
    dialog_->show();
  }
  dialog_->setMaximum(total);
  dialog_->setValue(done);
  dialog_->setLabelText(QCoreApplication::translate("Convert", "曲を MP3 に変換しています (%1/%2)\n%3")
                            .arg(std::min(done + 1, total))
                            .arg(total)
                            .arg(converting));
  QCoreApplication::processEvents();
  return !dialog_->wasCanceled();
}

void TConvertDialog::Finished(const TTuneToConvert &, const TConvertedTune &, int done, int) {
  if (dialog_) dialog_->setValue(done);
}

QString ApplyCancelledText() {
  return QCoreApplication::translate("Convert", "適用を取り消しました\nゲームの曲はどれも変更していません");
}
