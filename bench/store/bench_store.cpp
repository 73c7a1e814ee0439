// Loading the configuration list, loading one configuration and saving it, on settings files
// of 10, 100 and 1,000 configurations.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "configstore.h"
#include "silentdialogs.h"
#include "testworld.h"

namespace {

std::string SettingsText(int configs) {
  const auto &files = testsupport::GameMusicFiles();
  std::string text = "[melodeck]\r\nLastConfig=config0\r\nFileJump=1\r\n";
  for (int c = 0; c < configs; ++c) {
    text += "[config" + std::to_string(c) + "]\r\n";
    for (size_t i = 0; i < files.size(); ++i)
      text += files[i] + "=" +
              (i % 3 == 0 ? "C:\\MIDI\\collection\\" + std::to_string(c) + "\\" + files[i] : files[i]) + "\r\n";
  }
  return text;
}

void BM_LoadListLoadSave(benchmark::State &state) {
  const int configs = static_cast<int>(state.range(0));
  testsupport::TestWorld world;
  const auto prefix = world.MakePrefix();
  testsupport::TestWorld::MakeDirs(world.Linux("prog"));
  testsupport::TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), SettingsText(configs));
  TGameFolders folders;
  folders.MusicDir = QString::fromStdString(prefix.musicDir);
  folders.DefaultDir = folders.MusicDir + "\\default";
  TSceneTable scenes = BuiltInSceneTable();
  TConfigStore store(QString::fromStdString(world.Windows("prog")) + "\\melodeck", folders, scenes);
  const QString middle = QStringLiteral("config%1").arg(configs / 2);
  int round = 0;
  for (auto _ : state) {
    store.LoadConfigList();
    store.LoadConfig(store.Settings(), middle);
    scenes[round++ % scenes.size()].Source = "C:\\MIDI\\changed.mid";  // every save really changes the file
    if (!store.SaveConfig(store.Settings(), middle)) state.SkipWithError("save failed");
  }
  state.SetComplexityN(configs);
}

}  // namespace

BENCHMARK(BM_LoadListLoadSave)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
