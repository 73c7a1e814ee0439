#include "playercontroller.h"

#include <QCoreApplication>
#include <QTimer>

#include "core/fileops.h"
#include "core/winpath.h"
#include "media/association.h"
#include "media/musicplayer.h"
#include "media/playercommand.h"
#include "media/playerprocess.h"
#include "qtcore/qstr.h"
#include "x11/windows.h"

using platform::QS;
using platform::SS;

TPlayerController::TPlayerController(QObject *parent) : QObject(parent) {}
TPlayerController::~TPlayerController() = default;

void TPlayerController::SetState(bool playing, bool locked) {
  if (playing == playing_ && locked == locked_) return;
  playing_ = playing;
  locked_ = locked;
  emit StateChanged();
}

QString TPlayerController::PlayBuiltIn(const QString &path, const std::string &soundFont) {
  SetState(true, locked_);
  QCoreApplication::processEvents();  // the controls repaint before the player blocks
  if (!player_) {
    platform::FluidPlayerOptions options = options_;
    if (!soundFont.empty()) options.soundFont = soundFont;
    player_ = platform::MakeMusicPlayer(options);
  }
  if (!player_->Open(platform::ToLinux(SS(path))) || !player_->Play()) return QS(player_->ErrorText());
  SetState(true, true);
  return {};
}

void TPlayerController::Stop(bool external) {
  if (external) {
    CloseExternalPlayers();
    SetState(playing_, false);
    return;
  }
  SetState(false, locked_);
  QCoreApplication::processEvents();
  if (player_) {
    player_->Stop();
    player_->Close();
  }
  SetState(false, false);
}

void TPlayerController::ForgetBuiltInPlayer() { player_.reset(); }

// The path given to the player is the one Linux programs see.
QString TPlayerController::RunAssociated(const QString &path) {
  if (!platform::FileExists(SS(path))) return {};
  const qsizetype dot = path.lastIndexOf('.');
  const QString ext = dot > std::max(path.lastIndexOf('\\'), path.lastIndexOf(':')) ? path.mid(dot) : QString();
  const std::string command = platform::AssociatedCommand(SS(ext));
  if (command.empty()) return {};
  const platform::FormattedCommand line =
      platform::FormatCommand(platform::PrepareCommandTemplate(command), platform::ToLinux(SS(path)));
  if (!line.command) return QS(line.error);
  const platform::StartedProcess started = platform::StartDetached(*line.command);
  if (started.pid <= 0) return {};
  pids_.push_back(started.pid);
  CollectEndedPlayersLater();
  return {};
}

// Players the user closed are collected while the window runs, so that none lingers as a
// zombie. Their ids leave the list: from then on another process may have the same id.
void TPlayerController::CollectEndedPlayersLater() {
  if (!collector_) {
    collector_ = new QTimer(this);
    collector_->setInterval(kPlayerCollectMs);
    connect(collector_, &QTimer::timeout, this, [this] {
      if (platform::CollectEndedPlayers() == 0) collector_->stop();
      std::erase_if(pids_, [](qint64 pid) { return !platform::IsStartedPlayer(static_cast<pid_t>(pid)); });
    });
  }
  if (!collector_->isActive()) collector_->start();
}

// A player of ours that still runs without any window of its own (a console player) is asked
// to end instead.
void TPlayerController::CloseExternalPlayers() {
  for (auto id = pids_.rbegin(); id != pids_.rend(); ++id) {
    const auto pid = static_cast<pid_t>(*id);
    if (!platform::IsStartedPlayer(pid)) continue;  // collected: the id may be another's now
    if (platform::CloseProcessWindow(pid) || platform::TerminateStartedPlayer(pid)) break;
  }
  pids_.clear();
}
