#include "tunememory.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "media/midiplayer.h"
#include "midigen.h"

extern char **environ;

namespace benchplayer {
namespace {

constexpr const char *kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr const char *kRealTunes = "/usr/share/games/openttd/baseset/openmsx";
constexpr size_t kBytesPerSecond = 44100 * 4;

// A field of /proc/self/status in KiB: VmRSS (resident now) or VmHWM (the most ever resident).
long StatusKiB(const std::string &field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

size_t FileSize(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// The loudest 16-bit sample of bytes [from, to) of a raw output.
int Peak(const std::string &path, size_t from, size_t to) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<char> data(to - from);
  in.read(data.data(), static_cast<std::streamsize>(data.size()));
  int peak = 0;
  for (size_t i = 0; i + 1 < static_cast<size_t>(in.gcount()); i += 2) {
    const int v = static_cast<int16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
    peak = std::max(peak, v < 0 ? -v : v);
  }
  return peak;
}

// Until the tune has sounded and then been silent for two seconds (its end: the file player
// plays it once), or has played for half a minute (a real tune has chosen its instruments by then).
bool WaitForTheEnd(const std::string &out) {
  bool sounded = false;
  size_t quietSince = 0;
  for (size_t end = kBytesPerSecond / 4;; end += kBytesPerSecond / 4) {
    if (end > 30 * kBytesPerSecond) return sounded;
    while (FileSize(out) < end) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (Peak(out, end - kBytesPerSecond / 4, end) > 64) {
      sounded = true;
      quietSince = end;
    } else if (sounded && end - quietSince >= 2 * kBytesPerSecond) {
      return true;
    }
  }
  return false;
}

struct Memory {
  long idle = -1, played = -1, peak = -1;  // KiB
};

// This program run again to play tune with soundFont; what it measured.
Memory MeasureInAProcess(const std::string &soundFont, const std::string &tune) {
  char pattern[] = "/tmp/bench_player_memory.XXXXXX";
  const std::string folder = mkdtemp(pattern);
  const std::string out = folder + "/out.raw", result = folder + "/memory";
  std::vector<std::string> args = {"/proc/self/exe", kPlayTuneArgument, soundFont, tune, out, result};
  std::vector<char *> argv;
  for (std::string &arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Memory memory;
  pid_t pid;
  int status = 0;
  if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
    std::ifstream(result) >> memory.idle >> memory.played >> memory.peak;
  std::filesystem::remove_all(folder);
  return memory;
}

// The tune the benchmark plays: the test support's first tune (two instruments), or a real
// tune of the openMSX set (many instruments and the drums) when it is installed.
std::string TuneFile(bool real, const std::string &folder) {
  if (real) {
    std::vector<std::string> files;
    if (std::filesystem::is_directory(kRealTunes))
      for (const auto &entry : std::filesystem::directory_iterator(kRealTunes))
        if (entry.path().extension() == ".mid") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files.empty() ? std::string() : files.front();
  }
  const std::string path = folder + "/tune.mid";
  std::ofstream(path, std::ios::binary) << testsupport::MakeMidiTune(0);
  return path;
}

// The player's memory after playing one tune with FluidR3_GM chosen (range 0: the generated
// tune, 1: the first half minute of a real one): idle_MiB before the player is made, rss_MiB after the tune, while the
// player still holds its SoundFont, and peak_MiB, the most the process ever held.
void BM_MemoryAfterATuneWithFluidR3(benchmark::State &state) {
  if (!std::filesystem::exists(kFluidR3)) {
    state.SkipWithError("FluidR3_GM is not installed (package fluid-soundfont-gm)");
    return;
  }
  char pattern[] = "/tmp/bench_player_tune.XXXXXX";
  const std::string folder = mkdtemp(pattern);
  const std::string tune = TuneFile(state.range(0) == 1, folder);
  Memory memory;
  if (tune.empty()) state.SkipWithError("no real MIDI tune installed (package openttd-openmsx)");
  else
    for (auto _ : state) memory = MeasureInAProcess(kFluidR3, tune);
  std::filesystem::remove_all(folder);
  if (memory.played < 0) state.SkipWithError("the tune did not play");
  state.counters["idle_MiB"] = static_cast<double>(memory.idle) / 1024;
  state.counters["rss_MiB"] = static_cast<double>(memory.played) / 1024;
  state.counters["peak_MiB"] = static_cast<double>(memory.peak) / 1024;
}
BENCHMARK(BM_MemoryAfterATuneWithFluidR3)
    ->ArgName("real")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

int PlayTuneAndWriteMemory(char **argv) {
  const long idle = StatusKiB("VmRSS");
  platform::FluidPlayerOptions options;
  options.soundFont = argv[2];
  options.renderFile = argv[4];
  auto player = platform::MakeFluidPlayer(options);
  if (!player->Open(argv[3]) || !player->Play()) {
    std::fprintf(stderr, "%s\n", player->ErrorText().c_str());
    return 1;
  }
  if (!WaitForTheEnd(argv[4])) return 1;
  std::ofstream(argv[5]) << idle << ' ' << StatusKiB("VmRSS") << ' ' << StatusKiB("VmHWM") << '\n';
  return 0;
}

}  // namespace benchplayer
