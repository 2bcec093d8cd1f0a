#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/HashTab.h"

// Temporaries and array elements are anonymous nodes made on hot paths.
static void BM_CreateAnonymousNode(benchmark::State& state) {
  for (auto _ : state) {
    THashNode node("");
    benchmark::DoNotOptimize(&node);
  }
}
BENCHMARK(BM_CreateAnonymousNode);

static void BM_FindInTable(benchmark::State& state) {
  THashTab table;
  for (int i = 0; i < state.range(0); ++i) {
    auto node = std::make_unique<THashNode>("Name" + std::to_string(i));
    table.Add(node);
  }
  const std::string wanted = "NAME" + std::to_string(state.range(0) / 2);
  for (auto _ : state) benchmark::DoNotOptimize(table.Find(wanted));
}
BENCHMARK(BM_FindInTable)->Arg(100)->Arg(1000);
