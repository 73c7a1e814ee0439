// Creating, renaming, deleting and switching configurations, and resetting one scene.
#include "configcommands.h"
#include "coredialogs.h"

#include "formmain.h"
#include "sources.h"

void TFormMain::ComboBoxConfigListChange() {
  Store().SetSelectedConfig(ComboBoxConfigList->currentIndex());
  ChangeConfigTelling(Session(), ComboBoxConfigList->currentText());
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
  if (CurrentScene < 0) return;
  ResetSceneToStandard(Session(), CurrentScene);
  if (QTreeWidgetItem *row = RowOfScene(CurrentScene))
    row->setText(1, SourceDisplayName(SceneTable[CurrentScene].Source));
  JumpToSceneFile();
}
