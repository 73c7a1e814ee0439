// Choosing the game and the music set the window shows.
#include "coredialogs.h"
#include "backups.h"
#include "formmain.h"
#include "gamefolder.h"
#include "keptgames.h"
#include "shownnames.h"
#include "reporttexts.h"

namespace {

// The game shown is the one the next start shows.
void KeepChosenGame(TConfigStore &store, const TGameChoice &choice, platform::Dialogs &dialogs) {
  try {
    WriteChosenGame(store.Settings(), choice.Games().at(static_cast<size_t>(choice.GameIndex())).Folder);
  } catch (const platform::EIniFileException &e) {
    dialogs.Message(QString::fromUtf8(e.what()) + ".", platform::TMsgType::Error);
  }
}

}  // namespace

void TFormMain::ComboBoxGameChange() {
  if (!gameChoice_->ChooseGame(ComboBoxGame->currentIndex())) return;
  KeepChosenGame(Store(), *gameChoice_, dialogs_);
  ShowChosenSet();
}

void TFormMain::MainMenuAddGameClick() {
  platform::TFileDialogOptions options;
  options.title = tr("ゲームフォルダの追加");
  const QString folder = dialogs_.ChooseFolder(options);
  if (!folder.isEmpty()) AddGameFolder(folder);
}

bool TFormMain::AddGameFolder(const QString &path) {
  const TGameLookup lookup = LookUpGame(path);
  if (!lookup.Game) {
    dialogs_.Message(GameLookupText(lookup), platform::TMsgType::Warning);
    return false;
  }
  try {
    KeepGame(Store().Settings(), lookup.Game->Folder);
  } catch (const platform::EIniFileException &e) {
    dialogs_.Message(QString::fromUtf8(e.what()) + ".", platform::TMsgType::Error);
  }
  const int index = gameChoice_->AddGame(*lookup.Game);
  if (gameChoice_->ChooseGame(index)) {
    KeepChosenGame(Store(), *gameChoice_, dialogs_);
    ShowChosenSet();
  }
  return true;
}

void TFormMain::ComboBoxMusicSetChange() {
  if (gameChoice_->ChooseSet(ComboBoxMusicSet->currentIndex())) ShowChosenSet();
}

void TFormMain::ShowChosenSet() {
  if (players_->IsPlaying()) StopPlaying();
  ShowBackupReport(dialogs_, session_->UseSet(gameChoice_->Set()));
  TellDigitalIndex();
  MaskGameFiles();
  FillSceneList();
  setWindowTitle(gameChoice_->CaptionOf(ShownCaption(QStringLiteral("Melodeck - ") + store_->LastConfig())));
  const TSceneTable &table = session_->SceneTable;
  if (table.size() > 0) FolderTreeViewEx->SelectPath(folders_.DefaultDir + "\\" + table[table.TitleScene()].FileName);
}

void TFormMain::TellDigitalIndex() {
  if (!gameChoice_->FirstTimeShown()) return;
  const QString text = DigitalIndexText(gameChoice_->Set());
  if (!text.isEmpty()) dialogs_.Message(text, platform::TMsgType::Warning);
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
