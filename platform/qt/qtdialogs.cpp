#include "qtdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "core/winpath.h"
#include "filefilter.h"
#include "inputbox.h"
#include "qtcore/qstr.h"

namespace platform {

namespace {

QString LinuxOf(const QString &windowsPath) { return QS(ToLinux(SS(windowsPath))); }
QString WindowsOf(const QString &linuxPath) { return linuxPath.isEmpty() ? QString() : QS(ToWindows(SS(linuxPath))); }

QString StartPath(const TFileDialogOptions &options) {
  QString dir = options.initialDir.isEmpty() ? QString() : LinuxOf(options.initialDir);
  if (options.fileName.isEmpty()) return dir;
  return dir.isEmpty() ? options.fileName : dir + "/" + options.fileName;
}

}  // namespace

TModalResult QtDialogs::Message(const QString &text, TMsgType type, unsigned buttons, const QString &caption) {
  QMessageBox box(parent_);
  box.setWindowTitle(caption);
  box.setTextFormat(Qt::PlainText);  // a path or archive name that looks like markup is shown as it is
  box.setText(text);
  switch (type) {
    case TMsgType::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case TMsgType::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case TMsgType::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case TMsgType::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
  }
  QMessageBox::StandardButtons set;
  if (buttons & mbYes) set |= QMessageBox::Yes;
  if (buttons & mbNo) set |= QMessageBox::No;
  if (buttons & mbOK) set |= QMessageBox::Ok;
  if (buttons & mbCancel) set |= QMessageBox::Cancel;
  box.setStandardButtons(set);
  if (buttons & mbCancel) box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return TModalResult::Yes;
    case QMessageBox::No:
      return TModalResult::No;
    case QMessageBox::Ok:
      return TModalResult::OK;
    default:
      return buttons == mbOK ? TModalResult::OK : TModalResult::Cancel;
  }
}

bool QtDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value) {
  return AskText(parent_, caption, prompt, value);
}

QString QtDialogs::OpenFile(const TFileDialogOptions &options) {
  return WindowsOf(
      QFileDialog::getOpenFileName(parent_, options.title, StartPath(options), QtFileFilter(options.filter)));
}

QString QtDialogs::SaveFile(const TFileDialogOptions &options) {
  QFileDialog dialog(parent_, options.title, StartPath(options), QtFileFilter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(options.defaultExt);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the program's only save is a package it updates
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return WindowsOf(dialog.selectedFiles().first());
}

QString QtDialogs::ChooseFolder(const TFileDialogOptions &options) {
  return WindowsOf(QFileDialog::getExistingDirectory(parent_, options.title, StartPath(options)));
}

}  // namespace platform
