// FluidSynth's messages, kept for our error texts instead of reaching the terminal, and the
// names those texts use.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Routes FluidSynth's (and its ALSA library's) messages: errors are kept, the rest dropped.
// Once per process; every player calls it before using the library.
void RouteLibraryLog();
// The library's last error since the previous call, as a second line for an error text.
std::string TakeLibraryError();
// A Linux path as the window shows it; the Linux path itself when it has no Windows name.
std::string WindowsPathOf(const std::string &linuxPath);
// The audio drivers as the user knows them: "PipeWire, PulseAudio, ALSA".
std::string DriverNames(const std::vector<std::string> &drivers);

}  // namespace platform
