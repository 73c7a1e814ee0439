// Whether a window of the game client is open (asked before the game's music is replaced).
#pragma once

#include "gamefolders.h"

// Owner-less, visible top-level windows of the game's classes; under Wine also windows whose
// class is the file name of either client's executable.
bool IsGameRunning(const TGameFolders &folders);
