// Creating, renaming, deleting and switching configurations, and resetting one scene.
#include "configcommands.h"
#include "coredialogs.h"

#include "formmain.h"
#include "sources.h"

// The user's choice is the list's index; the name is the store's.
void TFormMain::ComboBoxConfigListChange() {
  const int index = ComboBoxConfigList->currentIndex();
  Store().SetSelectedConfig(index);
  ChangeConfigTelling(Session(), Store().ConfigNames().value(index));
  FillSceneList();
}

void TFormMain::CreateConfig(QAction *item) {
  if (AskCreateConfig(Session(), item->data().toString())) FillSceneList();
}

void TFormMain::DeleteConfig(QAction *item) {
  if (AskDeleteConfig(Session(), item->data().toString())) FillSceneList();
}

// The scene list already shows the selected configuration's assignments.
void TFormMain::RenameConfig(QAction *item) { AskRenameConfig(Session(), item->data().toString()); }

void TFormMain::PopupMenuListDefaultClick() {
  const int scene = sceneList_->CurrentScene();
  if (scene < 0) return;
  ResetSceneToStandard(Session(), scene);
  sceneList_->ShowSource(scene);
  JumpToSceneFile();
}
