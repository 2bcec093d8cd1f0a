// Filling a shown tree view with 10,000 nodes on three levels inside
// BeginUpdate/EndUpdate, then clearing it: the evaluator's tree is built
// again this way whenever a library changes.

#include <string>

#include <benchmark/benchmark.h>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/TreeView.h"

namespace {

// 20 top nodes, each with 20 children of 24 leaves: 10,020 nodes.
void Fill(TTreeNodes& nodes) {
  nodes.BeginUpdate();
  for (int top = 0; top < 20; ++top) {
    TTreeNode* library = nodes.Add(nullptr, "Library " + std::to_string(top));
    for (int middle = 0; middle < 20; ++middle) {
      TTreeNode* group = nodes.AddChild(library, "Group " + std::to_string(middle));
      for (int leaf = 0; leaf < 24; ++leaf) nodes.AddChild(group, "Routine " + std::to_string(leaf));
    }
  }
  nodes.EndUpdate();
}

void BM_TreeViewFillAndClear(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 600);
  auto* tree = new TTreeView(&form);
  tree->SetParent(&form);
  tree->SetAlign(alClient);
  form.Show();
  Application().ProcessMessages();
  for (auto _ : state) {
    Fill(tree->Items());
    tree->Items().Clear();
  }
  state.counters["nodes"] = 10020;
}
BENCHMARK(BM_TreeViewFillAndClear)->Unit(benchmark::kMillisecond);

}  // namespace
