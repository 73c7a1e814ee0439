// Expanding an archive in the folder tree: an LHA archive of N MIDI entries in 50 folders,
// listed through the real archiver library and hung into the tree below the archive's node.
// bsdtar listing the same archive in the same run is the yardstick.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdlib>
#include <map>
#include <memory>

#include "core/winpath.h"
#include "formmain.h"
#include "storeworld.h"

namespace {

constexpr int kFolders = 50;

const int kSizes[] = {500, 5000};

// One main window on one fake prefix (the archiver libraries read the prefix once per
// process), with an archive of N MIDI files at C:\dl\bigN.lzh for each size.
struct BigArchives {
  BigArchives() {
    const std::string dl = w.Linux("prefix/drive_c/dl");
    testsupport::TestWorld::MakeDirs(dl);
    for (const int entries : kSizes) {
      const std::string src = w.Linux("src" + std::to_string(entries));
      for (int i = 0; i < entries; ++i) {
        const std::string folder = src + "/folder" + std::to_string(i % kFolders);
        if (i < kFolders) testsupport::TestWorld::MakeDirs(folder);
        testsupport::TestWorld::WriteFile(folder + "/song" + std::to_string(i) + ".mid", "MThd tune");
      }
      const std::string archive = dl + "/big" + std::to_string(entries) + ".lzh";
      const std::string command = "cd '" + src + "' && jlha aq '" + archive + "' folder* >/dev/null 2>&1";
      if (std::system(command.c_str()) == 0) linuxPaths[entries] = archive;
    }
    form = std::make_unique<TFormMain>(w.programPath, w.folders, w.dialogs);
    form->SetExitWait(0);
    form->show();
    for (const auto &[entries, path] : linuxPaths) {
      QTreeWidgetItem *found = nullptr;
      const QString windows = "C:\\dl\\big" + QString::number(entries) + ".lzh";
      if (form->findChild<TFolderTreeViewEx *>("FolderTreeViewEx")->FindPathNode(windows, false, true, &found))
        nodes[entries] = found;
    }
  }
  // Entries one level below the archive's folders.
  static int Entries(const QTreeWidgetItem *node) {
    int n = 0;
    for (int i = 0; i < node->childCount(); ++i) n += node->child(i)->childCount();
    return n;
  }

  StoreWorld w;
  std::map<int, std::string> linuxPaths;
  std::unique_ptr<TFormMain> form;
  std::map<int, QTreeWidgetItem *> nodes;
};

std::unique_ptr<BigArchives> &Archives() {
  static std::unique_ptr<BigArchives> archives;
  if (!archives) archives = std::make_unique<BigArchives>();
  return archives;
}

void BM_ExpandArchive(benchmark::State &state) {
  BigArchives &big = *Archives();
  QTreeWidgetItem *node = big.nodes[static_cast<int>(state.range(0))];
  if (!node) return state.SkipWithError("archive not made or not found (jlha missing?)");
  for (auto _ : state) {
    big.form->findChild<TFolderTreeViewEx *>("FolderTreeViewEx")->ExpandNode(node);
    state.PauseTiming();
    if (node->childCount() != kFolders || BigArchives::Entries(node) != state.range(0))
      return state.SkipWithError("entries missing");
    node->setExpanded(false);
    qDeleteAll(node->takeChildren());
    TFolderNode::From(node)->SetHasChildren(true);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BsdtarList(benchmark::State &state) {
  const std::string &path = Archives()->linuxPaths[static_cast<int>(state.range(0))];
  if (path.empty()) return state.SkipWithError("archive not made");
  const std::string command = "bsdtar -tf '" + path + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) return state.SkipWithError("bsdtar failed");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Medians of five runs: the machine is shared with builds. bsdtar runs in a child process, so
// only real time means anything for it.
BENCHMARK(BM_ExpandArchive)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_BsdtarList)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Archives().reset();
  return 0;
}
