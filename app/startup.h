// Start-up before any window exists: one copy only, the first-run question, and where the
// game keeps its music.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/instancelock.h"
#include "core/registry.h"
#include "gamefolders.h"
#include "games.h"
#include "qtcore/dialogs.h"
#include "registeredgames.h"

constexpr char kInstanceMutexName[] = "melodeck_mutex";

// Takes the single-instance lock; false when another copy holds it (end silently).
bool AcquireInstance(platform::InstanceLock &lock);

// Asks the first-run question when no settings file exists beside the program; false unless
// the answer is Yes, which makes the settings file at once (a failure to is shown, and the
// program goes on).
bool ConfirmFirstRun(const QString &programPath, platform::Dialogs &dialogs);

// Reads the clients' registry keys and fixes the music and backup folders. False (after the
// "Client.exe" message) when the first client's music folder is not there.
bool DiscoverGame(const platform::Registry &registry, platform::Dialogs &dialogs, TGameFolders &folders);

// The games of this run and the one to start on.
struct TGameList {
  std::vector<TGame> Games;  // never empty
  size_t Chosen = 0;
};

// What the command line asked for: a game for this run, kept with the added games when keep.
struct TGameRequest {
  TGame Game;
  bool Keep = false;
};

// The registered games, then the kept ones that still are games (a kept folder that no longer is
// one is skipped, not forgotten), then the requested one; games of one name carry their folders.
// The chosen game: the requested one, else the kept choice, else the MIDI clients' game, else the
// first. With no game at all the "Client.exe" message is shown and a folder dialog offers to
// choose the game's folder, until one is a game (then kept and chosen) or the dialog is
// cancelled (null: the program ends). settingsPath: melodeck.ini.
std::optional<TGameList> FindGames(const TRegistryHives &hives, const QString &settingsPath,
                                   const std::optional<TGameRequest> &request, platform::Dialogs &dialogs);
