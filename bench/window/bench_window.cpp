// The resident memory of the main window with FluidR3_GM chosen (windowmemory.h): idle_MiB once
// shown, played_MiB after playing a real tune and stopping, play_peak_MiB the most it held until
// then, and apply_peak_MiB the most it held while its apply converted 49 MIDI tunes for a digital
// game's tracks on every core (goal for played_MiB and apply_peak_MiB: below 100).
// Run: bench/window/run.sh.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "windowmemory.h"

extern char **environ;

namespace {

constexpr const char *kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

struct Measured {
  long idle = -1, played = -1, playPeak = -1, applyPeak = -1, afterApply = -1;
  int converted = 0;
};

// This program run again to measure the window; what it measured.
Measured MeasureInAProcess() {
  char pattern[] = "/tmp/bench_window.XXXXXX";
  const std::string folder = mkdtemp(pattern);
  std::string result = folder + "/memory";
  std::vector<std::string> args = {"/proc/self/exe", benchwindow::kMeasureArgument, result};
  std::vector<char *> argv;
  for (std::string &arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Measured m;
  pid_t pid;
  int status = 0;
  if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid)
    std::ifstream(result) >> m.idle >> m.played >> m.playPeak >> m.applyPeak >> m.afterApply >> m.converted;
  std::filesystem::remove_all(folder);
  return m;
}

void BM_WindowMemoryWithFluidR3(benchmark::State &state) {
  if (!std::filesystem::exists(kFluidR3)) {
    state.SkipWithError("FluidR3_GM is not installed (package fluid-soundfont-gm)");
    return;
  }
  Measured m;
  for (auto _ : state) m = MeasureInAProcess();
  if (m.applyPeak < 0) state.SkipWithError("the window's play or apply failed");
  auto mib = [](long kib) { return static_cast<double>(kib) / 1024; };
  state.counters["idle_MiB"] = mib(m.idle);
  state.counters["played_MiB"] = mib(m.played);
  state.counters["play_peak_MiB"] = mib(m.playPeak);
  state.counters["apply_peak_MiB"] = mib(m.applyPeak);
  state.counters["after_apply_MiB"] = mib(m.afterApply);
  state.counters["converted"] = m.converted;
}
BENCHMARK(BM_WindowMemoryWithFluidR3)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], benchwindow::kMeasureArgument) == 0)
    return benchwindow::MeasureWindow(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
