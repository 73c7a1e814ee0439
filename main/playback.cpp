// The player commands of the window: play, stop, the SoundFont choice. The players themselves
// and their state belong to TPlayerController.
#include "core/fileops.h"
#include "core/winpath.h"
#include "formmain.h"
#include "media/soundfont.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

void TFormMain::PlaySource(const QString &source) {
  const QString path = ExtractSource(source, false);
  if (path.isEmpty() || !platform::FileExists(SS(path))) return;
  if (options_.Assign) {
    const QString error = players_->RunAssociated(path);
    if (!error.isEmpty()) dialogs_.Message(error, platform::TMsgType::Error);
    return;
  }
  const std::string chosen = Store().Settings().ReadString(kSettingsSection, "SoundFont", "");
  const QString error = players_->PlayBuiltIn(path, chosen.empty() ? std::string() : platform::ToLinux(chosen));
  if (!error.isEmpty()) dialogs_.Message(error, platform::TMsgType::Error);
}

void TFormMain::PlayFile() { PlaySource(EditMidiFile->text()); }

// With the desktop's player chosen, stopping asks that player to close instead.
void TFormMain::StopPlaying() { players_->Stop(options_.Assign); }

void TFormMain::CloseExternalPlayers() { players_->CloseExternalPlayers(); }

void TFormMain::ToolButtonPlayClick() { PlayFile(); }
void TFormMain::ToolButtonStopClick() { StopPlaying(); }
// The tree's Play item does what a double click on the selected node does (so in assign mode
// it assigns).
void TFormMain::PopupMenuTreePlayClick() {
  QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (!node) return;
  QString path;
  FolderTreeViewEx->GetNodePath(node, path);
  FolderTreeViewExDblClick(path);
}

void TFormMain::MainMenuSoundFontClick() {
  platform::TFileDialogOptions options;
  options.title = tr("SoundFont の選択");
  options.filter = QStringLiteral("SoundFont (*.sf2;*.sf3)|*.sf2;*.sf3");
  // The chosen SoundFont's folder, or the system's SoundFonts when none was chosen yet.
  const QString current = QS(Store().Settings().ReadString(kSettingsSection, "SoundFont", ""));
  const qsizetype slash = current.lastIndexOf('\\');
  QString folder = slash > 0 ? current.left(slash) : QString();
  if (folder.endsWith(':')) folder += '\\';  // a drive's root
  if (!folder.isEmpty() && platform::DirectoryExists(SS(folder))) {
    options.initialDir = folder;
    options.fileName = current.mid(slash + 1);
  } else {
    options.initialDir = QS(platform::ToWindows(platform::kSystemSoundFontFolder));
  }
  const QString chosen = dialogs_.OpenFile(options);
  if (chosen.isEmpty()) return;
  Store().Settings().WriteString(kSettingsSection, "SoundFont", SS(chosen));
  if (players_->IsPlaying()) StopPlaying();
  players_->ForgetBuiltInPlayer();  // the next play loads the new SoundFont
}

void TFormMain::MainMenuPlayerClick() { MainMenuStop->setEnabled(players_->IsPlaying()); }
