#include "media/fluidlog.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <mutex>

#include "core/winpath.h"

namespace platform {
namespace {

// FluidSynth writes its messages to the terminal unless told otherwise. Errors are kept for
// the detail line of our error texts; everything else is dropped.
std::mutex logMutex;
std::string lastLibraryError;

void KeepError(int level, const char *message, void *) {
  std::lock_guard<std::mutex> lock(logMutex);
  lastLibraryError = message != nullptr ? message : "";
}

void Discard(int, const char *, void *) {}

// The ALSA library, which FluidSynth's ALSA output uses, writes its own complaints (no sound
// card, say) to the terminal; FluidSynth's error says the same. It gets a handler that
// drops them, when FluidSynth has brought the library in at all.
void DiscardAlsa(const char *, int, const char *, int, const char *, ...) {}

void QuietAlsa() {
  void *alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
  if (alsa == nullptr) return;
  using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
  if (auto set = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"))) set(DiscardAlsa);
  dlclose(alsa);  // only drops the reference taken here: FluidSynth keeps it loaded
}

}  // namespace

void RouteLibraryLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, KeepError, nullptr);
    fluid_set_log_function(FLUID_ERR, KeepError, nullptr);
    fluid_set_log_function(FLUID_WARN, Discard, nullptr);
    fluid_set_log_function(FLUID_INFO, Discard, nullptr);
    fluid_set_log_function(FLUID_DBG, Discard, nullptr);
    QuietAlsa();
  });
}

std::string TakeLibraryError() {
  std::lock_guard<std::mutex> lock(logMutex);
  std::string detail;
  if (!lastLibraryError.empty()) detail = "\n(" + lastLibraryError + ")";
  lastLibraryError.clear();
  return detail;
}

std::string WindowsPathOf(const std::string &linuxPath) {
  const std::string windows = ToWindows(linuxPath);
  return windows.empty() ? linuxPath : windows;
}

std::string DriverNames(const std::vector<std::string> &drivers) {
  std::string names;
  for (const std::string &d : drivers) {
    if (!names.empty()) names += ", ";
    names += d == "pipewire" ? "PipeWire" : d == "pulseaudio" ? "PulseAudio" : d == "alsa" ? "ALSA" : d;
  }
  return names;
}

}  // namespace platform
