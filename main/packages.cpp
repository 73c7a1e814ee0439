// Writing a configuration as a package and reading a package as a new configuration.
#include "coredialogs.h"
#include "formmain.h"
#include "packageexport.h"
#include "packageimport.h"

void TFormMain::MainMenuPackageClick() {
  MainMenuExportPackage->setEnabled(ComboBoxConfigList->currentIndex() >= 0 &&
                                    ComboBoxConfigList->currentText() != kStandardConfig);
}

void TFormMain::MainMenuInportPackageClick() {
  const QString file = dialogs_.OpenFile(OpenDialog);
  if (!file.isEmpty()) ImportPackageFile(file);
}

void TFormMain::MainMenuExportPackageClick() {
  const QString file = dialogs_.SaveFile(SaveDialog);
  if (!file.isEmpty()) ExportPackage(Session(), file);
}

void TFormMain::ImportPackageFile(const QString &file) {
  if (ImportPackage(Session(), file)) FillSceneList();
}
