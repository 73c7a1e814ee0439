// Exporting a configuration of 49 real MIDI files as a package, and jlha packing the same
// staging folder (lh5) in the same run. The package's size and the peer's archive size are
// reported as counters.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "core/fileops.h"
#include "core/winpath.h"
#include "midigen.h"
#include "packageexport.h"
#include "scripteddialogs.h"
#include "testworld.h"

namespace {

namespace fs = std::filesystem;
const char kCorpus[] = "/usr/share/games/openttd/baseset/openmsx";

double FileSize(const std::string &linuxPath) {
  struct stat st {};
  return stat(linuxPath.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : 0;
}

// A prefix with the game, a program folder and a configuration "Bench" that gives every scene
// its own file: the corpus's songs (each used once or twice under the scene's name), or
// generated tunes where the corpus is not installed.
struct World {
  World() {
    prefix = world.MakePrefix();
    testsupport::TestWorld::MakeDirs(world.Linux("prog"));
    testsupport::TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "");
    testsupport::TestWorld::MakeDirs(world.Linux("tunes"));
    std::vector<std::string> songs;
    if (fs::is_directory(kCorpus))
      for (const auto &e : fs::directory_iterator(kCorpus))
        if (e.path().extension() == ".mid") songs.push_back(e.path());
    std::sort(songs.begin(), songs.end());
    const auto &files = testsupport::GameMusicFiles();
    for (size_t i = 0; i < files.size(); ++i) {
      const std::string tune = songs.empty() ? testsupport::MakeMidiTune(static_cast<int>(i))
                                             : testsupport::TestWorld::ReadFile(songs[i % songs.size()]);
      testsupport::TestWorld::WriteFile(world.Linux("tunes/" + files[i]), tune);
    }
    folders.MusicDir = QString::fromStdString(prefix.musicDir);
    folders.DefaultDir = folders.MusicDir + "\\default";
    session =
        std::make_unique<TSession>(QString::fromStdString(world.Windows("prog")) + "\\melodeck", folders, dialogs);
    session->Store.LoadConfigList();
    for (TScene &scene : session->SceneTable)
      scene.Source = QString::fromStdString(world.Windows("tunes")) + "\\" + scene.FileName;
    session->Store.SaveConfig(session->Store.Settings(), "Bench");
    session->Store.LoadConfigList();
    session->Store.LoadConfig(session->Store.Settings(), "Bench");
    session->Store.SetSelectedConfig(session->Store.FindConfig("Bench"));
  }
  testsupport::TestWorld world;
  testsupport::FakePrefix prefix;
  testsupport::ScriptedDialogs dialogs;
  TGameFolders folders;
  std::unique_ptr<TSession> session;
};

World &Shared() {
  static World w;
  return w;
}

const QString kCreated = QStringLiteral("パッケージファイルを作成しました");

void BM_ExportPackage(benchmark::State &state) {
  World &w = Shared();
  const QString package = QString::fromStdString(w.world.Windows("ours.mdk"));
  for (auto _ : state) {
    w.dialogs.Clear();
    WritePackage(*w.session, package);
    if (w.dialogs.Texts() != QStringList{kCreated}) state.SkipWithError("no package");
  }
  state.counters["bytes"] = FileSize(w.world.Linux("ours.mdk"));
}

// jlha packs a copy of the staging folder that the export leaves behind.
void BM_JlhaPackStaging(benchmark::State &state) {
  World &w = Shared();
  w.dialogs.Clear();
  WritePackage(*w.session, QString::fromStdString(w.world.Windows("ours.mdk")));
  const std::string stage = w.world.Linux("stage");
  fs::remove_all(stage);
  fs::copy(platform::ToLinux((w.session->WorkFolder.Path() + "\\Export").toStdString()), stage,
           fs::copy_options::recursive);
  const std::string archive = w.world.Linux("peer.lzh");
  const std::string command =
      "cd '" + stage + "' && rm -f '" + archive + "' && jlha a '" + archive + "' * >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("jlha failed");
  state.counters["bytes"] = FileSize(archive);
}

}  // namespace

BENCHMARK(BM_ExportPackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JlhaPackStaging)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
