// Creating, renaming, deleting and switching configurations, and resetting one scene.
#include "formmain.h"

void TFormMain::ComboBoxConfigListChange() {}
void TFormMain::CreateConfig(QAction *) {}
void TFormMain::DeleteConfig(QAction *) {}
void TFormMain::RenameConfig(QAction *) {}
void TFormMain::PopupMenuListDefaultClick() {}
