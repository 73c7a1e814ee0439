// Listing ZIP archives from their central directory, and the process-wide state both ZIP
// libraries keep.
#pragma once

#include <string>
#include <vector>

#include "entryrecord.h"
#include "session.h"

namespace zip {

arc::Session &State();

// kErrArcFileOpen, kErrNotArcFile or kOk.
int ListZip(const std::string &windowsPath, std::vector<arc::EntryFacts> &entries);

// Patterns as the ZIP drivers send them: "/" between folders and "[" written as "[[]".
std::vector<std::string> Unescape(const std::vector<std::string> &patterns);

}  // namespace zip
