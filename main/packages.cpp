// Writing a configuration as a package and reading a package as a new configuration.
#include "formmain.h"

void TFormMain::MainMenuPackageClick() {}
void TFormMain::MainMenuInportPackageClick() {}
void TFormMain::MainMenuExportPackageClick() {}
