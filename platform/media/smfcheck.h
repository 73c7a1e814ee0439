// Whether a file's bytes make a Standard MIDI File that the built-in player can play.
#pragma once

#include <string_view>

namespace platform {

// True for a six-byte header chunk "MThd" (format 0, 1 or 2, at least one track, metrical timing)
// followed by as many complete "MTrk" chunks as the header announces; chunks of other (printable)
// kinds between them are skipped, bytes after the last track are ignored. Timing in SMPTE frames
// is refused: the synthesiser can't play it.
bool IsPlayableMidiFile(std::string_view bytes);

}  // namespace platform
