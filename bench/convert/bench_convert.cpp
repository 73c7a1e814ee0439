// Converting tunes to MP3: the 49 MIDI tunes of a configuration on both cores, against the
// `fluidsynth -F` and `lame` commands doing the same files one after another; and the peak
// resident memory of converting them (with the system's SoundFont, and with FluidR3_GM on as
// many threads as there are cores), and of converting a 30-minute WAV (each measured in a
// process of its own, this program run again).
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/converter.h"
#include "media/midiplayer.h"
#include "media/soundfont.h"
#include "midigen.h"

extern char **environ;

namespace {

constexpr int kTunes = 49;

std::string TempFolder() {
  char pattern[] = "/tmp/bench_convert.XXXXXX";
  return mkdtemp(pattern);
}

void RemoveFolder(const std::string &folder) {
  const std::string command = "rm -rf '" + folder + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", folder.c_str());
}

std::string Tune(const std::string &folder, int i) { return folder + "/" + std::to_string(i) + ".mid"; }
std::string Mp3(const std::string &folder, int i) { return folder + "/" + std::to_string(i) + ".mp3"; }

constexpr const char *kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// Every tune converted, on threads (two unless told) taking the next file in turn, with the
// SoundFont named (the system's when empty). False when one failed.
bool ConvertAll(const std::string &folder, int count, int threads = 2, const std::string &soundFont = {}) {
  std::atomic<int> next{0};
  std::atomic<bool> ok{true};
  platform::ConvertOptions options;
  options.soundFont = soundFont;
  auto work = [&] {
    for (int i; (i = next++) < count;) {
      const platform::ConvertResult result = platform::ConvertToMp3(Tune(folder, i), Mp3(folder, i), options);
      if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        ok = false;
      }
    }
  };
  std::vector<std::thread> others;
  for (int t = 1; t < threads; ++t) others.emplace_back(work);
  work();
  for (std::thread &other : others) other.join();
  return ok;
}

// The peak resident memory of this process in KiB: VmHWM, the high-water mark of its own
// memory since it started (getrusage's would include the spawning process's, from before exec).
long OwnPeak() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// The program run again with args and a file for its peak; that peak in KiB, -1 on failure.
long PeakOfRun(std::vector<std::string> args) {
  char pattern[] = "/tmp/bench_convert_peak.XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) return -1;
  close(fd);
  args.push_back(pattern);
  std::vector<char *> argv{const_cast<char *>("/proc/self/exe")};
  for (const std::string &arg : args) argv.push_back(const_cast<char *>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  long peak = -1;
  int status = 0;
  if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
    std::ifstream(pattern) >> peak;
  unlink(pattern);
  return peak;
}

// A 440 Hz tone of seconds, written block by block.
bool WriteLongWav(const std::string &path, double seconds) {
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  std::vector<short> block(44100 * 2);
  const long total = static_cast<long>(seconds * 44100);
  bool ok = true;
  for (long at = 0; at < total && ok; at += 44100) {
    for (long i = 0; i < 44100; ++i)
      block[2 * i] = block[2 * i + 1] = static_cast<short>(16000 * std::sin(2 * M_PI * 440 * (at + i) / 44100.0));
    ok = sf_writef_short(file, block.data(), 44100) == 44100;
  }
  return sf_close(file) == 0 && ok;
}

// The 49 tunes of the test support, or, when MELODECK_CONVERT_CORPUS names a folder, the first
// 49 MIDI files of it (in name order; fewer when it has fewer), copied into a folder of their own.
struct Corpus {
  Corpus() : folder(TempFolder()) {
    std::vector<std::string> files;
    if (const char *from = std::getenv("MELODECK_CONVERT_CORPUS")) {
      for (const auto &entry : std::filesystem::directory_iterator(from))
        if (entry.path().extension() == ".mid") files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      if (files.size() > kTunes) files.resize(kTunes);
    }
    count = files.empty() ? kTunes : static_cast<int>(files.size());
    for (int i = 0; i < count; ++i) {
      std::ofstream out(Tune(folder, i), std::ios::binary);
      if (files.empty()) out << testsupport::MakeMidiTune(i);
      else out << std::ifstream(files[i], std::ios::binary).rdbuf();
    }
  }
  ~Corpus() { RemoveFolder(folder); }
  std::string folder;
  int count;
};

void BM_ConvertMidiOnTwoThreads(benchmark::State &state) {
  Corpus corpus;
  for (auto _ : state)
    if (!ConvertAll(corpus.folder, corpus.count)) state.SkipWithError("a conversion failed");
  state.counters["peak_KiB"] =
      static_cast<double>(PeakOfRun({"--convert-all", corpus.folder, std::to_string(corpus.count)}));
}
BENCHMARK(BM_ConvertMidiOnTwoThreads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The peak resident memory (peak_KiB) of a process converting the tunes with FluidR3_GM on as
// many threads as there are cores, as apply does; with player:1 the built-in player plays a
// tune with the same SoundFont meanwhile, as the window's may. The time is that process's.
void BM_PeakWithFluidR3OnEveryCore(benchmark::State &state) {
  if (access(kFluidR3, R_OK) != 0) {
    state.SkipWithError("FluidR3_GM is not installed (package fluid-soundfont-gm)");
    return;
  }
  Corpus corpus;
  long peak = -1;
  for (auto _ : state)
    peak = PeakOfRun({"--convert-all", corpus.folder, std::to_string(corpus.count), std::to_string(state.range(0)),
                      kFluidR3, state.range(1) ? "player" : "-"});
  if (peak < 0) state.SkipWithError("a conversion failed");
  state.counters["peak_KiB"] = static_cast<double>(peak);
}
BENCHMARK(BM_PeakWithFluidR3OnEveryCore)
    ->ArgNames({"threads", "player"})
    ->Args({std::max(1u, std::thread::hardware_concurrency()), 0})
    ->Args({std::max(1u, std::thread::hardware_concurrency()), 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_FluidsynthThenLame(benchmark::State &state) {
  Corpus corpus;
  const std::string font = platform::FindSoundFont("").path;
  const std::string wav = corpus.folder + "/tune.wav";
  for (auto _ : state) {
    for (int i = 0; i < corpus.count; ++i) {
      const std::string render = "fluidsynth -ni -q -r 44100 -T wav -F '" + wav + "' '" + font + "' '" +
                                 Tune(corpus.folder, i) + "' >/dev/null 2>&1";
      const std::string encode = "lame --quiet -b 192 '" + wav + "' '" + Mp3(corpus.folder, i) + "'";
      if (std::system(render.c_str()) != 0 || std::system(encode.c_str()) != 0)
        state.SkipWithError("fluidsynth or lame failed");
    }
  }
}
BENCHMARK(BM_FluidsynthThenLame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ConvertLongWav(benchmark::State &state) {
  const std::string folder = TempFolder(), wav = folder + "/long.wav";
  const double seconds = static_cast<double>(state.range(0));
  if (!WriteLongWav(wav, seconds)) state.SkipWithError("could not write the WAV");
  long peak = 0;
  for (auto _ : state) peak = PeakOfRun({"--convert", wav, folder + "/long.mp3"});
  if (peak < 0) state.SkipWithError("the conversion failed");
  state.counters["peak_KiB"] = static_cast<double>(peak);
  RemoveFolder(folder);
}
BENCHMARK(BM_ConvertLongWav)->Arg(30 * 60)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

// The built-in player playing the folder's first tune with the SoundFont, its sound into a
// file there; null when it does not play.
std::unique_ptr<platform::MidiPlayer> PlayFirstTune(const std::string &folder, const std::string &soundFont) {
  platform::FluidPlayerOptions options;
  options.soundFont = soundFont;
  options.renderFile = folder + "/played.raw";
  std::unique_ptr<platform::MidiPlayer> player = platform::MakeFluidPlayer(options);
  if (player->Open(Tune(folder, 0)) && player->Play()) return player;
  std::fprintf(stderr, "%s\n", player->ErrorText().c_str());
  return nullptr;
}

// The runs of PeakOfRun write their peak into the file named last.
bool WritePeak(const char *file, bool ok) {
  if (ok) std::ofstream(file) << OwnPeak();
  return ok;
}

int main(int argc, char **argv) {
  if (argc == 5 && std::strcmp(argv[1], "--convert-all") == 0)
    return WritePeak(argv[4], ConvertAll(argv[2], std::atoi(argv[3]))) ? 0 : 1;
  if (argc == 8 && std::strcmp(argv[1], "--convert-all") == 0) {
    std::unique_ptr<platform::MidiPlayer> player;
    if (std::strcmp(argv[6], "player") == 0 && !(player = PlayFirstTune(argv[2], argv[5]))) return 1;
    return WritePeak(argv[7], ConvertAll(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5])) ? 0 : 1;
  }
  if (argc == 5 && std::strcmp(argv[1], "--convert") == 0) {
    const platform::ConvertResult result = platform::ConvertToMp3(argv[2], argv[3]);
    if (!result.ok) std::fprintf(stderr, "%s\n", result.error.c_str());
    return WritePeak(argv[4], result.ok) ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
