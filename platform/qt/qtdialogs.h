// Dialogs shown with Qt widgets.
#pragma once

#include <QPointer>
#include <QWidget>

#include "qtcore/dialogs.h"

namespace platform {

class QtDialogs : public Dialogs {
 public:
  // parent: the window the dialogs are modal to (may be set later, may be null).
  explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget *parent) { parent_ = parent; }

  TModalResult Message(const QString &text, TMsgType type, unsigned buttons, const QString &caption) override;
  bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
  QString OpenFile(const TFileDialogOptions &options) override;
  QString SaveFile(const TFileDialogOptions &options) override;
  QString ChooseFolder(const TFileDialogOptions &options) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace platform
