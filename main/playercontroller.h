// The window's players: the built-in one (made at the first play; MIDI files on FluidSynth,
// MP3 and the other audio formats decoded) and the desktop's players it started. "Is playing" is a state of its own
// here; the controls only show it.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "media/midiplayer.h"

class QTimer;

class TPlayerController : public QObject {
  Q_OBJECT
 public:
  // How often the players the user closed are looked for, while any of ours runs.
  static constexpr int kPlayerCollectMs = 1000;

  explicit TPlayerController(QObject *parent = nullptr);
  ~TPlayerController() override;

  // How the built-in player is made at the first play (tests render to a file).
  platform::FluidPlayerOptions &Options() { return options_; }

  // A play was started and not stopped since (a play that failed to start counts: Stop stays on).
  bool IsPlaying() const { return playing_; }
  // The built-in player plays: the choice of player is locked until it stops.
  bool LocksPlayerChoice() const { return locked_; }

  // Plays a local music file (MIDI, MP3, WAV, FLAC, Ogg Vorbis, Opus) with the built-in player,
  // made with soundFont (Linux path; empty: the system's) at the first play. Empty on success,
  // else the player's error text.
  QString PlayBuiltIn(const QString &path, const std::string &soundFont);
  // Starts the desktop's player for a local file. Empty on success or when no player is
  // associated, else the reason it could not start.
  QString RunAssociated(const QString &path);
  // Back to "nothing playing". With the desktop's player chosen (external), that player is
  // asked to close instead.
  void Stop(bool external);
  // Asks the most recent player of ours that still shows a window to close it.
  void CloseExternalPlayers();
  // The desktop's players started and not yet collected.
  const std::vector<qint64> &ProcessIds() const { return pids_; }
  // Releases the built-in player with its synthesiser and SoundFont: the next play makes it anew
  // (another SoundFont was chosen, or an apply needs the memory for its conversions).
  void ForgetBuiltInPlayer();
  // The built-in player is made and holds its synthesiser (and SoundFont).
  bool HoldsBuiltInPlayer() const { return player_ != nullptr; }

 signals:
  // IsPlaying or LocksPlayerChoice changed.
  void StateChanged();

 private:
  void SetState(bool playing, bool locked);
  void CollectEndedPlayersLater();

  platform::FluidPlayerOptions options_;
  std::unique_ptr<platform::MidiPlayer> player_;
  std::vector<qint64> pids_;
  QTimer *collector_ = nullptr;  // runs while a player of ours may have ended
  bool playing_ = false;
  bool locked_ = false;
};
