// Assigning a file or an archive entry chosen in the folder tree to the selected scene.
#include "archivenode.h"
#include "formmain.h"
#include "sources.h"

// Only the scene table and the list row change; the configuration is written when it is left.
void TFormMain::PopupMenuTreeAssignClick() {
  const int scene = sceneList_->CurrentScene();
  if (scene < 0) return;
  if (Store().CurrentConfig == kStandardConfig) {
    Dialogs().Message(QStringLiteral("\"標準\"の曲は変更できません。新しい設定を作成してください"));
    return;
  }
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (!node) return;
  const QString source =
      IsArchiveEntry(node) ? ArchiveNodePath(*FolderTreeViewEx, node) : FolderTreeViewEx->NodePath(node);
  Session().SceneTable[scene].Source = source;
  sceneList_->ShowSource(scene);
}
