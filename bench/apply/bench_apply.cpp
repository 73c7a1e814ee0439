// Applying a configuration of 49 assigned files to both clients (98 copies), and `cp` making
// the same 98 copies from the same files in the same run (two processes, one per music folder).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "apply.h"
#include "midigen.h"
#include "silentdialogs.h"
#include "testworld.h"

namespace {

// The same world for both benchmarks: a prefix with both clients and 49 tunes of about the
// size of real background music, named as the game's files in their own folder.
struct World {
  World() {
    testsupport::FakePrefixOptions options;
    options.thirdDawn = true;
    prefix = world.MakePrefix(options);
    testsupport::TestWorld::MakeDirs(world.Linux("prog"));
    testsupport::TestWorld::MakeDirs(world.Linux("tunes"));
    testsupport::TestWorld::MakeDirs(world.Linux("tunes2"));
    const auto &files = testsupport::GameMusicFiles();
    for (size_t i = 0; i < files.size(); ++i) {
      std::string tune;
      while (tune.size() < 24 * 1024) tune += testsupport::MakeMidiTune(static_cast<int>(i));
      testsupport::TestWorld::WriteFile(world.Linux("tunes/" + files[i]), tune);
      testsupport::TestWorld::WriteFile(world.Linux("tunes2/" + files[i]), tune + "2");
    }
  }
  testsupport::TestWorld world;
  testsupport::FakePrefix prefix;
};

World &Shared() {
  static World w;
  return w;
}

// Applies the 49 tunes of folder (the same ones each time with one folder; with two, in turn,
// so that every apply writes new files and a new record of them).
void ApplyFrom(benchmark::State &state, const std::vector<std::string> &tuneFolders) {
  World &w = Shared();
  TGameFolders folders;
  folders.MusicDir = QString::fromStdString(w.prefix.musicDir);
  folders.DefaultDir = folders.MusicDir + "\\default";
  folders.MusicDirTD = QString::fromStdString(w.prefix.musicDirTD);
  folders.DefaultDirTD = folders.MusicDirTD + "\\default";
  folders.HasThirdDawn = true;
  testsupport::SilentDialogs dialogs;
  TSession session(QString::fromStdString(w.world.Windows("prog")) + "\\melodeck", folders, dialogs);
  session.Store.LoadConfigList();
  size_t turn = 0;
  for (auto _ : state) {
    const std::string &folder = tuneFolders[turn++ % tuneFolders.size()];
    for (TScene &scene : session.SceneTable)
      scene.Source = QString::fromStdString(w.world.Windows(folder)) + "\\" + scene.FileName;
    const TApplyReport report = ApplyConfig(session);
    if (report.Copied != 98) state.SkipWithError("not every copy was made");
  }
}

void BM_ApplyConfig(benchmark::State &state) { ApplyFrom(state, {"tunes"}); }
// Two configurations in turn: the record of written files changes with every apply.
void BM_ApplyTwoConfigsInTurn(benchmark::State &state) { ApplyFrom(state, {"tunes", "tunes2"}); }

void BM_CpSameCopies(benchmark::State &state) {
  World &w = Shared();
  const std::string tunes = w.world.Linux("tunes");
  const std::string command = "cp -f '" + tunes + "'/*.mid '" +
                              w.world.Linux("prefix/drive_c/Program Files/Ultima Online/music") + "/' && cp -f '" +
                              tunes + "'/*.mid '" +
                              w.world.Linux("prefix/drive_c/Program Files/Ultima Online Third Dawn/music") + "/'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
}

}  // namespace

BENCHMARK(BM_ApplyConfig)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyTwoConfigsInTurn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpSameCopies)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
