// The built-in player: how long from Open and Play until the sound output has written its first
// block (and its first audible sample), and how much memory the player holds with the system's
// General MIDI SoundFont loaded. The output is FluidSynth's file driver, which renders at the
// pace of playing, as a sound server would take it.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>

#include "media/midiplayer.h"
#include "midigen.h"

namespace {

using Clock = std::chrono::steady_clock;

platform::FluidPlayerOptions RenderTo(const std::string &file) {
  platform::FluidPlayerOptions options;
  options.renderFile = file;
  return options;
}

struct Files {
  Files() {
    char pattern[] = "/tmp/bench_player.XXXXXX";
    folder = mkdtemp(pattern);
    tune = folder + "/tune.mid";
    out = folder + "/out.raw";
    std::ofstream(tune, std::ios::binary) << testsupport::MakeMidiTune(0);
  }
  ~Files() {
    unlink(tune.c_str());
    unlink(out.c_str());
    rmdir(folder.c_str());
  }
  std::string folder, tune, out;
};

off_t FileSize(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_size : 0;
}

bool Audible(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  char pair[2];
  while (in.read(pair, 2)) {
    int16_t v = static_cast<int16_t>(static_cast<uint8_t>(pair[0]) | (static_cast<uint8_t>(pair[1]) << 8));
    if (v > 1000 || v < -1000) return true;
  }
  return false;
}

// Resident memory of this process in KiB.
double ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
  }
  return 0;
}

void BM_OpenPlayToFirstBlock(benchmark::State &state) {
  Files files;
  auto player = platform::MakeFluidPlayer(RenderTo(files.out));
  if (!player->Open(files.tune)) {  // the SoundFont is loaded here, outside the timing
    state.SkipWithError(player->ErrorText().c_str());
    return;
  }
  double toSound = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    player->Open(files.tune);
    player->Play();
    while (FileSize(files.out) == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
    const Clock::time_point block = Clock::now();
    while (!Audible(files.out)) std::this_thread::sleep_for(std::chrono::microseconds(500));
    toSound += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    state.SetIterationTime(std::chrono::duration<double>(block - start).count());
    player->Close();
  }
  state.counters["ms_to_audible"] = toSound / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OpenPlayToFirstBlock)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The first Open of a player: the synthesiser is made and the SoundFont read. The memory is
// the process's growth over the first of these, before freed memory is reused.
void BM_FirstOpen(benchmark::State &state) {
  Files files;
  double before = 0, after = 0;
  for (auto _ : state) {
    const bool first = before == 0;
    if (first) before = ResidentKiB();
    auto player = platform::MakeFluidPlayer(RenderTo(files.out));
    if (!player->Open(files.tune)) {
      state.SkipWithError(player->ErrorText().c_str());
      return;
    }
    if (first) after = ResidentKiB();
    state.PauseTiming();
    player.reset();
    state.ResumeTiming();
  }
  state.counters["rss_MiB"] = after / 1024;
  state.counters["player_rss_MiB"] = (after - before) / 1024;
}
BENCHMARK(BM_FirstOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
