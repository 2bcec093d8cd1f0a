#include <benchmark/benchmark.h>

#include <vector>

#include "engine/Value.h"

// Copying a block of numeric values, as a 1000x1000 matrix assignment does.
static void BM_CopyRealValues(benchmark::State& state) {
  const std::vector<TValue> source(state.range(0), TValue::Real(1.5L));
  std::vector<TValue> target(source.size());
  for (auto _ : state) {
    target = source;
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0) * sizeof(TValue));
}
BENCHMARK(BM_CopyRealValues)->Arg(1000)->Arg(1000000);

static void BM_RealToText(benchmark::State& state) {
  long double x = 1.0L / 7;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RealToText(x, 8, 1));
    x *= 1.0001L;
  }
}
BENCHMARK(BM_RealToText);

// A copied matrix's numbers (i + j / 3) in 18 digits, as the matrix editor copies them.
static void BM_RealToTextOfMatrixNumbers(benchmark::State& state) {
  int i = 1;
  int j = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RealToText(i + j / 3.0L, 18, 0));
    if (++j > 1000) j = 1, i = i % 1000 + 1;
  }
}
BENCHMARK(BM_RealToTextOfMatrixNumbers);
