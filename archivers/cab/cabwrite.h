// Creating CAB archives with libgcab.
#pragma once

#include <string>
#include <vector>

#include "arcapi.h"
#include "filescan.h"
#include "output.h"

namespace cab {

// Writes items into a new cabinet at linuxTarget, replacing a file there only when complete.
int WriteCabinet(const std::string &linuxTarget, const std::vector<arc::ScanItem> &items, ARC_HWND progress,
                 arc::Output &out);

}  // namespace cab
