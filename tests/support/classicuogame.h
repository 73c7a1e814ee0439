// A game as players of ClassicUO have it, for the demo: the official client's data folder with
// its digital music (a part of the real index: several numbers naming one file, names with and
// without ".mp3", ",loop", files on disk in the installer's mixed case) and ClassicUO's own
// folder, whose settings.json names the data folder.
#pragma once

#include <string>
#include <vector>

#include "digitalgen.h"

namespace testsupport {

// The index lines of the game, each with the file on disk it names the first time ("" after).
const std::vector<DigitalTrackFile> &ClassicUoTrackFiles();

// Writes <gameDir>/Music/Digital: Config.txt (CRLF) and one short tune per file, every tune its
// own, lasting seconds; and <classicUoDir>/settings.json naming gameDir as it is given (make it
// absolute). Folders are made when missing. Throws std::runtime_error when a tune can't be made.
void MakeClassicUoGame(const std::string &gameDir, const std::string &classicUoDir, double seconds);

// A string as a JSON string literal, quotes included.
std::string JsonString(const std::string &utf8);

}  // namespace testsupport
