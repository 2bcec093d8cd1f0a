// The node store on a million nodes: making, appending, clearing, position
// lookups and the memory per node.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>


#include "treeview/BaseDataTree.h"

namespace {

constexpr unsigned Million = 1'000'000;

// Row heights between 10 and 40 pixels, in a fixed pattern.
void MixHeights(TBaseDataTree& tree) {
  unsigned i = 0;
  for (PDataNode node = tree.FirstRootNodeRaw(); node; node = node->NextSibling)
    tree.SetNodeRowHeight(node, 10 + (i++ * 7919) % 31);
}

void BM_RootNodeCountMillion(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = std::make_unique<TBaseDataTree>(nullptr);
    state.ResumeTiming();
    tree->SetRootNodeCount(Million);
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RootNodeCountMillion)->Unit(benchmark::kMillisecond);

void BM_AppendThreeLevelsInOneUpdate(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = std::make_unique<TBaseDataTree>(nullptr);
    state.ResumeTiming();
    tree->BeginUpdate();
    for (int top = 0; top < 1000; ++top) {
      const PDataNode parent = tree->AppendChildNode();
      for (int child = 0; child < 100; ++child) {
        const PDataNode middle = tree->AppendChildNode(parent);
        for (int grandchild = 0; grandchild < 10; ++grandchild) tree->AppendChildNode(middle);
      }
    }
    tree->EndUpdate();
    state.PauseTiming();
    state.counters["nodes"] = tree->RootNode()->TotalCount - 1;
    tree.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AppendThreeLevelsInOneUpdate)->Unit(benchmark::kMillisecond);

void BM_ClearMillionWithFreeHandler(benchmark::State& state) {
  int64_t freed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = std::make_unique<TBaseDataTree>(nullptr);
    tree->SetNodeDataSize(sizeof(void*));
    tree->OnFreeNode = [&](TBaseDataTree*, PDataNode) { ++freed; };
    tree->BeginUpdate();
    for (unsigned i = 0; i < Million; ++i) tree->AppendChildNode(nullptr, &freed);
    tree->EndUpdate();
    state.ResumeTiming();
    tree->Clear();
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.counters["freed"] = static_cast<double>(freed);
}
BENCHMARK(BM_ClearMillionWithFreeHandler)->Unit(benchmark::kMillisecond);

class TLookupTree {
public:
  TLookupTree() : tree(nullptr) {
    tree.SetRootNodeCount(Million);
    MixHeights(tree);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> position(0, static_cast<int>(tree.RootNode()->TotalHeight) - 1);
    for (int i = 0; i < 1 << 20; ++i) positions.push_back(position(random));
  }
  TBaseDataTree tree;
  std::vector<int> positions;
};

TLookupTree& LookupTree() {
  static TLookupTree lookup;
  return lookup;
}

void BM_NodeAtPositionRandom(benchmark::State& state) {
  TLookupTree& lookup = LookupTree();
  int top = 0;
  lookup.tree.NodeAtPosition(0, lookup.tree.RootNode()->TotalHeight, false, top);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lookup.tree.NodeAtPosition(0, lookup.positions[i], false, top));
    i = (i + 1) & (lookup.positions.size() - 1);
  }
}
BENCHMARK(BM_NodeAtPositionRandom);

// After a change at the first row, the first lookup near the end rebuilds the index up to it.
void BM_NodeAtPositionFirstAfterInvalidation(benchmark::State& state) {
  TLookupTree& lookup = LookupTree();
  const PDataNode first = lookup.tree.FirstRootNodeRaw();
  const int nearEnd = static_cast<int>(lookup.tree.RootNode()->TotalHeight) - 100;
  int top = 0;
  for (auto _ : state) {
    state.PauseTiming();
    lookup.tree.SetNodeRowHeight(first, first->NodeHeight == 20 ? 21 : 20);
    state.ResumeTiming();
    benchmark::DoNotOptimize(lookup.tree.NodeAtPosition(0, nearEnd, false, top));
  }
}
BENCHMARK(BM_NodeAtPositionFirstAfterInvalidation)->Unit(benchmark::kMillisecond);

// Appending at the end keeps every index entry: the console's case.
void BM_AppendThenLookupLastRow(benchmark::State& state) {
  TBaseDataTree tree(nullptr);
  tree.SetRootNodeCount(Million);
  int top = 0;
  for (auto _ : state) {
    tree.AppendChildNode();
    benchmark::DoNotOptimize(tree.NodeAtPosition(0, tree.RootNode()->TotalHeight - 1 - 18, false, top));
  }
}
BENCHMARK(BM_AppendThenLookupLastRow);

void BM_BytesPerNode(benchmark::State& state) {
  const int dataSize = static_cast<int>(state.range(0));
  double bytes = 0;
  for (auto _ : state) {
    TBaseDataTree tree(nullptr);
    tree.SetNodeDataSize(dataSize);
    tree.SetRootNodeCount(Million);
    bytes = static_cast<double>(tree.NodePool().ReservedBytes()) / Million;
  }
  state.counters["bytes_per_node"] = bytes;
}
BENCHMARK(BM_BytesPerNode)->Arg(0)->Arg(8)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
