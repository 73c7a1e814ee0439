// What a killed or stopped apply leaves behind: its copies, written beside the game's files
// and never placed.
#pragma once

#include <cstddef>

#include "gamefolders.h"

// Removes our own unplaced copies from both clients' music folders and backup folders, and
// nothing else. The number removed.
size_t RemoveApplyLeftovers(const TGameFolders &folders);
