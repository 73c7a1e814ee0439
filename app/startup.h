// Start-up before any window exists: one copy only, the first-run question, and where the
// game keeps its music.
#pragma once

#include <QString>

#include "core/instancelock.h"
#include "core/registry.h"
#include "gamefolders.h"
#include "qtcore/dialogs.h"

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
