// Moving a text tree's content out: saving and loading 100,000 nodes with
// their captions, the text exports of 10,000 rows in three columns, and
// copying 10,000 selected rows with every clipboard format rendered.

#include <benchmark/benchmark.h>

#include <string>

#include "runtime/Stream.h"
#include "toolkit/controls/Clipboard.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeOptions.h"

namespace {

// A text tree of Count nodes, a tenth of them parents of nine, with texts per column.
std::unique_ptr<TDataStringTree> MakeTree(unsigned count, int columns) {
  auto tree = std::make_unique<TDataStringTree>(nullptr);
  for (int i = 0; i < columns; ++i) tree->Header().Columns().AddColumn().SetWidth(100);
  tree->OnGetText = [](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType, std::string& text) {
    text = "Cell " + std::to_string(node->Index) + (column > 0 ? " <" + std::to_string(column) + ">" : "");
  };
  tree->BeginUpdate();
  tree->SetRootNodeCount(count / 10);
  for (PDataNode node = tree->FirstRootNodeRaw(); node; node = node->NextSibling) tree->SetNodeChildCount(node, 9);
  tree->EndUpdate();
  tree->EnsureNodeInitialized(nullptr, true);
  return tree;
}

void BM_SaveTreeWithCaptions100k(benchmark::State& state) {
  const auto tree = MakeTree(100'000, 0);
  for (auto _ : state) {
    TMemoryStream stream;
    tree->SaveTreeToStream(stream);
    benchmark::DoNotOptimize(stream.Size());
  }
}
BENCHMARK(BM_SaveTreeWithCaptions100k)->Unit(benchmark::kMillisecond);

void BM_LoadTreeWithCaptions100k(benchmark::State& state) {
  const auto source = MakeTree(100'000, 0);
  TMemoryStream stream;
  source->SaveTreeToStream(stream);
  TDataStringTree target(nullptr);
  target.OnNewText = [](TBaseDataTree*, PDataNode, TColumnIndex, const std::string& text) {
    benchmark::DoNotOptimize(text.data());
  };
  for (auto _ : state) {
    stream.SetPosition(0);
    target.LoadTreeFromStream(stream);
  }
  state.counters["nodes"] = target.RootNode()->TotalCount - 1;
}
BENCHMARK(BM_LoadTreeWithCaptions100k)->Unit(benchmark::kMillisecond);

void BM_ExportText10kRows(benchmark::State& state) {
  const auto tree = MakeTree(10'000, 3);
  for (auto _ : state) benchmark::DoNotOptimize(tree->ExportText(txAll, ';').size());
}
BENCHMARK(BM_ExportText10kRows)->Unit(benchmark::kMillisecond);

void BM_ExportHtml10kRows(benchmark::State& state) {
  const auto tree = MakeTree(10'000, 3);
  for (auto _ : state) benchmark::DoNotOptimize(tree->ExportHtml(txAll).size());
}
BENCHMARK(BM_ExportHtml10kRows)->Unit(benchmark::kMillisecond);

void BM_ExportRtf10kRows(benchmark::State& state) {
  const auto tree = MakeTree(10'000, 3);
  for (auto _ : state) benchmark::DoNotOptimize(tree->ExportRtf(txAll).size());
}
BENCHMARK(BM_ExportRtf10kRows)->Unit(benchmark::kMillisecond);

void BM_CopyEveryFormat10kRows(benchmark::State& state) {
  TMemoryClipboardStore store;
  SetClipboardStore(&store);
  const auto tree = MakeTree(10'000, 3);
  for (const TClipboardFormatListEntry& entry : ClipboardFormatList().Entries())
    tree->ClipboardFormats().Add(entry.FormatName);
  tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  tree->SelectAllNodes(false);
  for (auto _ : state) tree->CopySelectionToClipboard();
  state.counters["formats"] = tree->ClipboardFormats().Count();
  SetClipboardStore(nullptr);
}
BENCHMARK(BM_CopyEveryFormat10kRows)->Unit(benchmark::kMillisecond);

}  // namespace
