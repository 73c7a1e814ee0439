// The folder tree's own commands: refreshing it, its pop-up menu and opening text files.
#include "formmain.h"

void TFormMain::MainMenuTreeViewUpdateClick() {
  Session().WorkFolder.Remove();
  FolderTreeViewEx->RefreshTree();
}

void TFormMain::PopupMenuTreePopup() {}
void TFormMain::PopupMenuTreeOpenClick() {}
