// The shared pictures are made before any window, on every start.

#include <benchmark/benchmark.h>

#include "shell/Images.h"

namespace {

void BM_MakeTheImageLists(benchmark::State& state) {
  for (auto _ : state) {
    TImages images(nullptr);
    benchmark::DoNotOptimize(images.SHot.Count());
  }
}
BENCHMARK(BM_MakeTheImageLists)->Unit(benchmark::kMicrosecond);

}  // namespace
