// Small, distinct, audible Standard MIDI Files, one per scene, for test prefixes and the demo.
#pragma once

#include <string>

namespace testsupport {

// A format-0 tune of a few seconds: its own instrument, tempo and melody for every index.
std::string MakeMidiTune(int index);

// The SoundFont the tests play and render the tunes with, whatever the system's default is:
// the small TimGM6mb (scripts/deps installs it), whose sound and speed the tests' levels and
// lengths were measured with.
constexpr const char *kTestSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

}  // namespace testsupport
