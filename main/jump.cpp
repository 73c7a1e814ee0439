// Jumping from a scene to its file in the folder tree, down to the entry inside an archive.
#include "formmain.h"
#include "scenetext.h"
#include "sources.h"

// The selected scene becomes the current one; its description goes to the status bar, and with
// the file jump on (or forced) the tree shows its file.
void TFormMain::JumpToSceneFile() { JumpToSceneFile(options_.FileJump); }

void TFormMain::JumpToSceneFile(bool showFile) {
  const int current = sceneList_->SelectedScene();
  sceneList_->SetCurrentScene(current);
  if (current < 0) return;
  const TScene &scene = Session().SceneTable[current];
  SetStatusText(ShownSceneDetail(scene));
  if (!showFile) return;
  const TSource source = TSource::Parse(scene.Source);
  if (archiveTree_->Reveal(source.Resolve(TClient::First, Folders()), source)) archiveTree_->ScrollSelectedNode();
}

// Shows the selected scene's file whether or not the file jump is on.
void TFormMain::PopupMenuListJumpClick() {
  if (sceneList_->SelectedScene() < 0) return;
  JumpToSceneFile(true);
}

void TFormMain::MainMenuShowFileClick() { PopupMenuListJumpClick(); }
