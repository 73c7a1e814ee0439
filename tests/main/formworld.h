// A main window on a fake prefix with its own program folder, scripted dialogs and no exit wait.
#pragma once

#include <memory>

#include "formmain.h"
#include "storeworld.h"

struct FormWorld : StoreWorld {
  explicit FormWorld(const std::string &settings = "") : StoreWorld({}, false) {
    testsupport::TestWorld::WriteFile(Linux("prog/melodeck.ini"), settings);
  }
  TFormMain &Open(bool show = true) {
    form = std::make_unique<TFormMain>(programPath, folders, dialogs);
    form->ExitWaitMs = 0;
    if (show) form->show();
    return *form;
  }
  void Close() {
    if (form) form->close();
    form.reset();
  }
  std::string Settings() const { return testsupport::TestWorld::ReadFile(Linux("prog/melodeck.ini")); }
  std::unique_ptr<TFormMain> form;
};
