// Small, distinct, audible Standard MIDI Files, one per scene, for test prefixes and the demo.
#pragma once

#include <string>

namespace testsupport {

// A format-0 tune of a few seconds: its own instrument, tempo and melody for every index.
std::string MakeMidiTune(int index);

}  // namespace testsupport
