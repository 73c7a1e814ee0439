// Assigning a file or an archive entry to a scene: chosen in the folder tree for the selected
// scene, or dropped on a scene's row.
#include "archivenode.h"
#include "assignrule.h"
#include "formmain.h"
#include "sources.h"

void TFormMain::PopupMenuTreeAssignClick() {
  const int scene = sceneList_->CurrentScene();
  if (scene < 0) return;
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  QString source;
  if (node) source = IsArchiveEntry(node) ? ArchiveNodePath(*FolderTreeViewEx, node) : FolderTreeViewEx->NodePath(node);
  AssignSource(scene, source);
}

// Only the scene table and the list row change; the configuration is written when it is left.
// A source the scene's set does not take is refused, and the scene keeps its own.
bool TFormMain::AssignSource(int scene, const QString &source) {
  if (RefuseStandardEdit()) return false;
  if (source.isEmpty()) return false;
  if (const QString refusal = AssignRefusal(Session().MusicSet(), source); !refusal.isEmpty()) {
    Dialogs().Message(refusal);
    return false;
  }
  Session().SceneTable[scene].Source = source;
  sceneList_->ShowSource(scene);
  return true;
}

bool TFormMain::RefuseStandardEdit() {
  if (Store().CurrentConfig != kStandardConfig) return false;
  Dialogs().Message(tr("\"標準\"の曲は変更できません。新しい設定を作成してください"));
  return true;
}
