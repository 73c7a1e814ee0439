// Jumping from a scene to its file in the folder tree.
#include "formmain.h"
#include "menuitems.h"

void TFormMain::JumpToSceneFile() {
  const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
  CurrentScene = selected.isEmpty() ? -1 : SceneOfRow(selected.first());
  if (CurrentScene < 0) return;
  SetStatusText(SceneTable[CurrentScene].Detail);
}

void TFormMain::MainMenuShowFileClick() {}
void TFormMain::PopupMenuListJumpClick() {}
