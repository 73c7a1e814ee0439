// Memory freed by a synthesiser (its SoundFont's samples, its voices) given back to the system.
// The C library keeps freed blocks for later allocations, and of a heap fragmented by thousands
// of samples of all sizes it returns little by itself: a window that converted tunes or played
// one would keep holding what it no longer uses.
#pragma once

namespace platform {

// Gives the freed memory of every allocation arena back to the system (where the C library can).
void ReturnFreedMemory();

}  // namespace platform
