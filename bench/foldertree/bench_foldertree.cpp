// The folder tree on large folders: expanding a folder of N MIDI files, and refreshing a tree
// that shows N nodes (without the pause a refresh makes before it reads the disk).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include "foldertreeviewex.h"
#include "testworld.h"

namespace {

struct BigFolder {
  explicit BigFolder(int files) {
    world.MakePrefix();
    const std::string dir = world.Linux("prefix/drive_c/MIDI/big");
    testsupport::TestWorld::MakeDirs(dir);
    for (int i = 0; i < files; ++i)
      testsupport::TestWorld::WriteFile(dir + "/tune" + std::to_string(i) + ".mid", "MThd");
    tree.SetRefreshWait(0);
    tree.SetShowFile(true);
    tree.SetFileMask({".mid", ".lzh", ".zip"});
    tree.resize(300, 600);
    tree.show();
    tree.FindPathNode("C:\\MIDI\\big", false, true, &node);
  }
  testsupport::TestWorld world;
  TFolderTreeViewEx tree;
  QTreeWidgetItem *node = nullptr;
};

void BM_ExpandFolder(benchmark::State &state) {
  BigFolder big(static_cast<int>(state.range(0)));
  if (!big.node) return state.SkipWithError("folder not found");
  for (auto _ : state) {
    big.tree.ExpandNode(big.node);
    state.PauseTiming();
    if (big.node->childCount() != state.range(0)) return state.SkipWithError("files missing");
    big.node->setExpanded(false);
    qDeleteAll(big.node->takeChildren());
    TFolderNode::From(big.node)->SetHasChildren(true);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RefreshTree(benchmark::State &state) {
  BigFolder big(static_cast<int>(state.range(0)));
  if (!big.node) return state.SkipWithError("folder not found");
  big.tree.ExpandNode(big.node);
  big.tree.SelectPath("C:\\MIDI\\big\\tune500.mid");
  for (auto _ : state) big.tree.RefreshTree();
  if (big.tree.NodePath(big.tree.Selected()) != "C:\\MIDI\\big\\tune500.mid") state.SkipWithError("not restored");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The machine is shared with builds: medians of five runs keep one busy moment out of the figures.
BENCHMARK(BM_ExpandFolder)->Arg(1000)->Arg(9000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_RefreshTree)->Arg(1000)->Arg(9000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
