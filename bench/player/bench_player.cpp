// The built-in players: how long from Open and Play until the sound output has written its first
// block (and its first audible sample), and how much memory the player holds with the system's
// General MIDI SoundFont loaded; for an MP3, how long from Play to its first sound (non-zero
// sample). The output is a file, written at the pace of playing, as a sound server would take it.
// The memory after playing a tune with FluidR3_GM: tunememory.cpp.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>

#include "audiogen.h"
#include "media/midiplayer.h"
#include "media/musicplayer.h"
#include "midigen.h"
#include "tunememory.h"

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

// The first non-zero sample of a raw 16-bit file from byte from: its offset, or npos.
size_t FirstSound(const std::string &path, size_t from) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  char pair[2];
  for (size_t at = from; in.read(pair, 2); at += 2)
    if (pair[0] != 0 || pair[1] != 0) return at;
  return std::string::npos;
}

// An MP3 (three seconds, 44.1 kHz stereo, 128 kbit/s) opened afresh each time through the
// window's player; timed from Play, once the output has run for a while, to the first non-zero
// sample written. Open is counted apart.
void BM_Mp3PlayToFirstSound(benchmark::State &state) {
  Files files;
  const std::string mp3 = files.folder + "/tune.mp3";
  if (!testsupport::MakeMp3(mp3, 3.0)) {
    state.SkipWithError("lame could not make the MP3");
    return;
  }
  auto player = platform::MakeMusicPlayer(RenderTo(files.out));
  double openMs = 0, worstMs = 0;
  int round = 0;
  for (auto _ : state) {
    const Clock::time_point opening = Clock::now();
    if (!player->Open(mp3)) {
      state.SkipWithError(player->ErrorText().c_str());
      break;
    }
    openMs += std::chrono::duration<double, std::milli>(Clock::now() - opening).count();
    // Play comes at any point of the output's period, not just after its start.
    std::this_thread::sleep_for(std::chrono::microseconds(10000 + 137 * (round++ % 11)));
    const size_t before = static_cast<size_t>(FileSize(files.out)) & ~size_t{1};
    const Clock::time_point start = Clock::now();
    player->Play();
    while (FirstSound(files.out, before) == std::string::npos)
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    worstMs = std::max(worstMs, ms);
    state.SetIterationTime(ms / 1000);
    player->Close();
  }
  state.counters["ms_open"] = openMs / static_cast<double>(state.iterations());
  state.counters["ms_worst"] = worstMs;
}
BENCHMARK(BM_Mp3PlayToFirstSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char **argv) {
  if (argc == 6 && std::string(argv[1]) == benchplayer::kPlayTuneArgument)
    return benchplayer::PlayTuneAndWriteMemory(argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
