// Playing scenes and files with the built-in player or the desktop's player.
#include <QCoreApplication>
#include <QTimer>

#include "core/fileops.h"
#include "core/winpath.h"
#include "extraction.h"
#include "formmain.h"
#include "media/association.h"
#include "media/playercommand.h"
#include "media/playerprocess.h"
#include "media/soundfont.h"
#include "menuitems.h"
#include "qtcore/qstr.h"
#include "x11/windows.h"

using platform::QS;
using platform::SS;

namespace {}  // namespace

// Made at the first play, with the SoundFont the user chose (if any); kept until the choice
// changes.
platform::MidiPlayer &TFormMain::Player() {
  if (!player_) {
    platform::FluidPlayerOptions options = PlayerOptions;
    const std::string chosen = Store().Settings().ReadString(kSettingsSection, "SoundFont", "");
    if (!chosen.empty()) options.soundFont = platform::ToLinux(chosen);
    player_ = platform::MakeFluidPlayer(options);
  }
  return *player_;
}

void TFormMain::PlayFile() {
  const QString path = ExtractSource(EditMidiFile->text(), false);
  if (path.isEmpty() || !platform::FileExists(SS(path))) return;
  if (menuitems::Checked(MainMenuAssign)) {
    RunAssociatedPlayer(path);
    return;
  }
  ToolButtonStop->setEnabled(true);
  QCoreApplication::processEvents();  // the button repaints before the player blocks
  platform::MidiPlayer &player = Player();
  if (!player.Open(platform::ToLinux(SS(path))) || !player.Play()) {
    dialogs_.Message(QS(player.ErrorText()), platform::TMsgType::Error);
    return;
  }
  MainMenuAssign->setEnabled(false);
}

// The controls go back to "nothing playing": the stop button off, the player choice free again.
// With the desktop's player chosen, stopping asks that player to close instead.
void TFormMain::StopPlaying() {
  if (menuitems::Checked(MainMenuAssign)) {
    CloseExternalPlayers();
  } else {
    ToolButtonStop->setEnabled(false);
    QCoreApplication::processEvents();
    if (player_) {
      player_->Stop();
      player_->Close();
    }
  }
  MainMenuAssign->setEnabled(true);
}

// The path given to the player is the one Linux programs see.
void TFormMain::RunAssociatedPlayer(const QString &path) {
  if (!platform::FileExists(SS(path))) return;
  const qsizetype dot = path.lastIndexOf('.');
  const QString ext = dot > std::max(path.lastIndexOf('\\'), path.lastIndexOf(':')) ? path.mid(dot) : QString();
  const std::string command = platform::AssociatedCommand(SS(ext));
  if (command.empty()) return;
  const platform::FormattedCommand line =
      platform::FormatCommand(platform::PrepareCommandTemplate(command), platform::ToLinux(SS(path)));
  if (!line.command) {
    dialogs_.Message(QS(line.error), platform::TMsgType::Error);
    return;
  }
  const platform::StartedProcess started = platform::StartDetached(*line.command);
  if (started.pid <= 0) return;
  PlayerProcessIds.push_back(started.pid);
  CollectEndedPlayersLater();
}

// Players the user closed are collected while the window runs, so that none lingers as a
// zombie. Their ids leave the list: from then on another process may have the same id.
void TFormMain::CollectEndedPlayersLater() {
  if (!playerCollector_) {
    playerCollector_ = new QTimer(this);
    playerCollector_->setInterval(kPlayerCollectMs);
    connect(playerCollector_, &QTimer::timeout, this, [this] {
      if (platform::CollectEndedPlayers() == 0) playerCollector_->stop();
      std::erase_if(PlayerProcessIds, [](qint64 pid) { return !platform::IsStartedPlayer(static_cast<pid_t>(pid)); });
    });
  }
  if (!playerCollector_->isActive()) playerCollector_->start();
}

// Asks the most recent player that still shows a window to close it. A player of ours that
// still runs without any window of its own (a console player) is asked to end instead.
void TFormMain::CloseExternalPlayers() {
  for (auto id = PlayerProcessIds.rbegin(); id != PlayerProcessIds.rend(); ++id) {
    const auto pid = static_cast<pid_t>(*id);
    if (!platform::IsStartedPlayer(pid)) continue;  // collected: the id may be another's now
    if (platform::CloseProcessWindow(pid) || platform::TerminateStartedPlayer(pid)) break;
  }
  PlayerProcessIds.clear();
}

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
  options.title = QStringLiteral("SoundFont の選択");
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
  if (ToolButtonStop->isEnabled()) StopPlaying();
  player_.reset();  // the next play loads the new SoundFont
}
