// Writing a configuration as a package and reading a package as a new configuration.
#include "coredialogs.h"
#include "formmain.h"
#include "packageexport.h"
#include "packageimport.h"

void TFormMain::MainMenuPackageClick() {
  // What an export would write: the configuration chosen in the list.
  const QStringList names = Store().ConfigNames();
  const int index = Store().SelectedConfig();
  MainMenuExportPackage->setEnabled(index >= 0 && index < names.size() && names[index] != kStandardConfig);
}

void TFormMain::MainMenuInportPackageClick() {
  const QString file = dialogs_.OpenFile(openDialog_);
  if (!file.isEmpty()) ImportPackageFile(file);
}

void TFormMain::MainMenuExportPackageClick() {
  const QString file = dialogs_.SaveFile(saveDialog_);
  if (!file.isEmpty()) ExportPackage(Session(), file);
}

void TFormMain::ImportPackageFile(const QString &file) {
  if (ImportPackage(Session(), file)) FillSceneList();
}
