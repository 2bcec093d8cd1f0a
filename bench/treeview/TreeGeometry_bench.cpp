// The tree with a window: the console's append-and-focus pattern, the
// workspace's rebuild, hit tests, scrolling into view, expanding, sorting
// and selecting on large trees.

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "toolkit/controls/Form.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeOptions.h"

namespace {

constexpr unsigned Million = 1'000'000;

// A tree with a window of 1000 x 800 on a form (shown or not).
class TWindowedTree {
public:
  explicit TWindowedTree(bool shown) : form(nullptr), tree(new TBaseDataTree(&form)) {
    tree->SetParent(&form);
    form.SetBounds(0, 0, 1020, 840);
    tree->SetBounds(0, 0, 1000, 800);
    if (shown) form.Show();
    tree->HandleNeeded();
  }
  TForm form;
  TBaseDataTree* tree;
};

// Appends lines as the console does, one child line in ten; answers the seconds per block of lines.
std::vector<double> ConsolePattern(TBaseDataTree& tree, int lines, int block) {
  std::vector<double> seconds;
  PDataNode parent = nullptr;
  auto start = std::chrono::steady_clock::now();
  for (int line = 0; line < lines; ++line) {
    const PDataNode node = tree.AppendChildNode(line % 10 == 9 ? parent : nullptr);
    if (line % 10 == 0) parent = node;
    tree.SetFocusedNode(node);
    if ((line + 1) % block == 0) {
      const auto now = std::chrono::steady_clock::now();
      seconds.push_back(std::chrono::duration<double>(now - start).count());
      start = now;
    }
  }
  return seconds;
}

void BM_ConsolePattern(benchmark::State& state) {
  const bool shown = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto windowed = std::make_unique<TWindowedTree>(shown);
    state.ResumeTiming();
    const std::vector<double> blocks = ConsolePattern(*windowed->tree, 100000, 10000);
    state.counters["last_to_first"] = blocks.back() / blocks.front();
    if (blocks.back() / blocks.front() > 3) state.SkipWithError("appending slows down with the tree's size");
    state.PauseTiming();
    windowed.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConsolePattern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WorkspaceRebuild(benchmark::State& state) {
  TWindowedTree windowed(false);
  TBaseDataTree& tree = *windowed.tree;
  tree.OnCompareNodes = [](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    result = static_cast<int>(node2->Index % 97) - static_cast<int>(node1->Index % 97);
  };
  for (auto _ : state) {
    tree.Clear();
    tree.BeginUpdate();
    for (int variable = 0; variable < 50000; ++variable) {
      const PDataNode node = tree.AppendChildNode();
      if (variable % 10 == 0)
        for (int element = 0; element < 3; ++element) tree.AppendChildNode(node);
    }
    tree.SortWholeTree(0, sdDescending);
    tree.EndUpdate();
  }
}
BENCHMARK(BM_WorkspaceRebuild)->Unit(benchmark::kMillisecond);

TWindowedTree& FlatMillion() {
  static TWindowedTree windowed(false);
  if (windowed.tree->RootNodeCount() == 0) {
    windowed.tree->SetRootNodeCount(Million);
    unsigned i = 0;
    for (PDataNode node = windowed.tree->FirstRootNodeRaw(); node; node = node->NextSibling)
      windowed.tree->SetNodeRowHeight(node, 10 + (i++ * 7919) % 31);
  }
  return windowed;
}

void BM_HitTestAtRandom(benchmark::State& state) {
  TBaseDataTree& tree = *FlatMillion().tree;
  std::mt19937 random(9);
  std::uniform_int_distribution<int> x(0, 999);
  std::uniform_int_distribution<int> y(0, tree.RangeY() - 1);
  std::vector<std::pair<int, int>> points;
  for (int i = 0; i < 1 << 20; ++i) points.emplace_back(x(random), y(random));
  THitInfo info;
  tree.HitTestAt(0, tree.RangeY() - 1, false, info);
  size_t i = 0;
  for (auto _ : state) {
    tree.HitTestAt(points[i].first, points[i].second, false, info);
    benchmark::DoNotOptimize(info.HitNode);
    i = (i + 1) & (points.size() - 1);
  }
}
BENCHMARK(BM_HitTestAtRandom);

void BM_ScrollLastNodeIntoViewAfterAppend(benchmark::State& state) {
  TWindowedTree windowed(false);
  TBaseDataTree& tree = *windowed.tree;
  tree.SetRootNodeCount(Million);
  for (auto _ : state) {
    state.PauseTiming();
    const PDataNode node = tree.AppendChildNode();
    state.ResumeTiming();
    tree.ScrollNodeIntoView(node, false);
  }
}
BENCHMARK(BM_ScrollLastNodeIntoViewAfterAppend);

// 200,000 nodes of depth 4: 8 top-level nodes with 8 children, and so on.
void MakeDepthFour(TBaseDataTree& tree) {
  tree.OnInitNode = [](TBaseDataTree* sender, PDataNode, PDataNode node, TDataNodeInitStates& states) {
    if (sender->NodeLevel(node) < 3) states.Include(ivsHasChildren);
  };
  tree.OnInitChildren = [](TBaseDataTree*, PDataNode, unsigned& count) { count = 21; };
  tree.SetRootNodeCount(21);
}

void BM_ExpandAllCollapseAll(benchmark::State& state) {
  TWindowedTree windowed(false);
  TBaseDataTree& tree = *windowed.tree;
  MakeDepthFour(tree);
  tree.ExpandAll(nullptr);
  for (auto _ : state) {
    tree.CollapseAll(nullptr);
    tree.ExpandAll(nullptr);
  }
  state.counters["nodes"] = tree.RootNode()->TotalCount - 1;
}
BENCHMARK(BM_ExpandAllCollapseAll)->Unit(benchmark::kMillisecond);

void BM_SortMillionSiblings(benchmark::State& state) {
  TBaseDataTree tree(nullptr);
  tree.SetNodeDataSize(sizeof(int));
  tree.SetRootNodeCount(Million);
  std::mt19937 random(3);
  for (PDataNode node = tree.FirstRootNodeRaw(); node; node = node->NextSibling)
    *static_cast<int*>(tree.NodeUserData(node)) = static_cast<int>(random());
  tree.OnCompareNodes = [&](TBaseDataTree* sender, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    const int a = *static_cast<int*>(sender->NodeUserData(node1));
    const int b = *static_cast<int*>(sender->NodeUserData(node2));
    result = (a > b) - (a < b);
  };
  bool descending = false;
  for (auto _ : state) {
    tree.SortWholeTree(ColumnNone, descending ? sdDescending : sdAscending, false);
    descending = !descending;
  }
}
BENCHMARK(BM_SortMillionSiblings)->Unit(benchmark::kMillisecond);

void BM_SelectAllMillionThenUnselect(benchmark::State& state) {
  TBaseDataTree tree(nullptr);
  tree.TreeOptions().SetSelectionOptions({toMultiSelect});
  tree.SetRootNodeCount(Million);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    tree.SelectAllNodes(false);
    const auto selected = std::chrono::steady_clock::now();
    tree.UnselectAll();
    const auto unselected = std::chrono::steady_clock::now();
    const PDataNode first = tree.FirstRootNodeRaw();
    PDataNode end = first;
    for (int i = 0; i < 100000; ++i) end = end->NextSibling;
    const auto rangeStart = std::chrono::steady_clock::now();
    tree.SelectRange(first, end, false);
    const auto ranged = std::chrono::steady_clock::now();
    tree.UnselectAll();
    state.counters["select_all_ms"] = std::chrono::duration<double, std::milli>(selected - start).count();
    state.counters["unselect_all_ms"] = std::chrono::duration<double, std::milli>(unselected - selected).count();
    state.counters["select_range_ms"] = std::chrono::duration<double, std::milli>(ranged - rangeStart).count();
  }
}
BENCHMARK(BM_SelectAllMillionThenUnselect)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
