// Applying a configuration to the 103 digital tracks of a game (about 3 MB each, the world of
// makegame.sh) as the program's --apply does it (the game's own updates looked for, then the
// apply), and `cp` making the same copies in the same run; also the apply's copies alone and
// one stamp of every track, the unit of the record's work (the apply stamps each target, backup
// and source). Run: build/release/bin/bench_digitalapply --benchmark_repetitions=5. Every iteration
// starts with no dirty data, so that a flush pays only for its own copies.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/fileops.h"
#include "gamefolder.h"
#include "gameupdates.h"
#include "setapply.h"
#include "silentdialogs.h"
#include "testworld.h"
#include "writtenrecord.h"

namespace {

struct World {
  World() {
    world.MakePrefix({});
    const std::string command = std::string("'") + MELODECK_MAKEGAME + "' '" + world.Linux("w") + "'";
    if (std::system(command.c_str()) != 0) std::abort();
    const auto game = GameOfFolder(QString::fromStdString(world.Windows("w/game")));
    if (!game) std::abort();
    set = DigitalGameSet(*game);
    program = QString::fromStdString(world.Windows("w/prog")) + "\\melodeck";
    // The first apply makes the backups: every timed one is a later one.
    testsupport::SilentDialogs dialogs;
    if (ApplyConfigToSet(program, set, "Bench", dialogs).Report.Copied != 103) std::abort();
  }
  std::string Linux(const std::string &relative) const { return world.Linux("w/" + relative); }
  testsupport::TestWorld world;
  TGameSet set;
  QString program;
};

World &Shared() {
  static World w;
  return w;
}

// Leaves no dirty data for the timed part to flush.
void Settle(benchmark::State &state) {
  state.PauseTiming();
  sync();
  state.ResumeTiming();
}

void BM_ApplyDigitalSet(benchmark::State &state) {
  World &w = Shared();
  testsupport::SilentDialogs dialogs;
  const QString settings = QString::fromStdString(w.world.Windows("w/prog/melodeck.ini"));
  for (auto _ : state) {
    Settle(state);
    AdoptGameUpdates(w.set.Folders, settings, QDateTime::currentDateTime(), w.set.Set);
    if (ApplyConfigToSet(w.program, w.set, "Bench", dialogs).Report.Copied != 103)
      state.SkipWithError("not every copy was made");
  }
}

void CpSameCopies(benchmark::State &state, bool flush) {
  World &w = Shared();
  const std::string music = w.Linux("game/Music/Digital");
  const std::string command =
      "cp -f '" + w.Linux("tunes") + "'/*.mp3 '" + music + "/'" + (flush ? " && sync -f '" + music + "'" : "");
  for (auto _ : state) {
    Settle(state);
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  }
}

void BM_CpSameCopies(benchmark::State &state) { CpSameCopies(state, false); }
// The copies flushed, as the apply flushes them before they replace the tracks.
void BM_CpSameCopiesAndSync(benchmark::State &state) { CpSameCopies(state, true); }

// The copies alone, as the apply makes them: written beside the tracks, flushed, renamed over them.
void BM_CopyBatchOnly(benchmark::State &state) {
  World &w = Shared();
  std::vector<std::pair<std::string, std::string>> copies;
  for (const TScene &scene : w.set.Set.Scenes) {
    const QString disk = w.set.Folders.DiskName(scene.FileName);
    copies.emplace_back(w.world.Windows("w/tunes/" + disk.toStdString()),
                        (w.set.Folders.MusicDir + "\\" + disk).toStdString());
  }
  for (auto _ : state) {
    Settle(state);
    platform::CopyBatch batch;
    batch.Stage(copies);
    const std::vector<bool> placed = batch.Place();
    if (std::count(placed.begin(), placed.end(), true) != 103) state.SkipWithError("not every copy was made");
  }
}

void BM_StampEveryTrack(benchmark::State &state) {
  World &w = Shared();
  for (auto _ : state)
    for (const TScene &scene : w.set.Set.Scenes)
      benchmark::DoNotOptimize(StampOf(w.set.Folders.MusicDir + "\\" + w.set.Folders.DiskName(scene.FileName)));
}

}  // namespace

BENCHMARK(BM_ApplyDigitalSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpSameCopies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpSameCopiesAndSync)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBatchOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StampEveryTrack)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
