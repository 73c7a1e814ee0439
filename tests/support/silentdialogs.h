// Dialogs that answer OK to every message and cancel everything else, for benchmarks.
#pragma once

#include "qtcore/dialogs.h"

namespace testsupport {

class SilentDialogs : public platform::Dialogs {
 public:
  platform::TModalResult Message(const QString &, platform::TMsgType, unsigned, const QString &) override {
    return platform::TModalResult::OK;
  }
  bool InputQuery(const QString &, const QString &, QString &) override { return false; }
  QString OpenFile(const platform::TFileDialogOptions &) override { return {}; }
  QString SaveFile(const platform::TFileDialogOptions &) override { return {}; }
  QString ChooseFolder(const platform::TFileDialogOptions &) override { return {}; }
};

}  // namespace testsupport
