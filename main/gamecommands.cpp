// Choosing the game and the music set the window shows.
#include "coredialogs.h"
#include "backups.h"
#include "formmain.h"

void TFormMain::ComboBoxGameChange() {
  if (gameChoice_->ChooseGame(ComboBoxGame->currentIndex())) ShowChosenSet();
}

void TFormMain::ComboBoxMusicSetChange() {
  if (gameChoice_->ChooseSet(ComboBoxMusicSet->currentIndex())) ShowChosenSet();
}

void TFormMain::ShowChosenSet() {
  if (players_->IsPlaying()) StopPlaying();
  ShowBackupReport(dialogs_, session_->UseSet(gameChoice_->Set()));
  MaskGameFiles();
  FillSceneList();
  setWindowTitle(gameChoice_->CaptionOf(QStringLiteral("Melodeck - ") + store_->LastConfig()));
  const TSceneTable &table = session_->SceneTable;
  if (table.size() > 0) FolderTreeViewEx->SelectPath(folders_.DefaultDir + "\\" + table[table.TitleScene()].FileName);
}

void TFormMain::MaskGameFiles() {
  QStringList &mask = FolderTreeViewEx->UnFileMask();
  for (const TGameSet &set : gameChoice_->Sets()) {
    for (const TScene &scene : set.Set.Scenes) {
      for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
        if (client == TClient::ThirdDawn && set.Folders.MusicDirTD.isEmpty()) continue;
        const QString file = MusicPath(set.Folders, client, scene.FileName);
        if (!mask.contains(file)) mask << file;
      }
    }
  }
}
