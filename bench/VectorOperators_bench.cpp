// The matrix product operator and SortVec as scripts use them: the
// operands are script variables and the results are written into script
// variables.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

#include "bench/ScriptArrays.h"
#include "engine/Token.h"

namespace {

void BM_MatrixProduct(benchmark::State& state) {
  TScriptArrays arrays;
  const auto n = static_cast<std::int32_t>(state.range(0));
  arrays.SetMatrix(n, RandomReals(static_cast<std::size_t>(n) * n));
  TKind* matrix = arrays.Engine().Kinds().FindKind("Matrix");
  TOperator* product = arrays.Engine().Ops().Find(tkStar, false, matrix, matrix);
  TVar* m = &arrays.Var("M");
  for (auto _ : state) benchmark::DoNotOptimize(product->Apply(m, m));
}

void BM_SortVec(benchmark::State& state) {
  TScriptArrays arrays;
  arrays.SetVector(RandomReals(static_cast<std::size_t>(state.range(0))));
  TFunc* sortVec = arrays.Engine().Funcs().Find("SortVec");
  const std::array<TVar*, 1> args{&arrays.Var("V")};
  for (auto _ : state) benchmark::DoNotOptimize(sortVec->CallDirect(args, NoPosition));
}

}  // namespace

BENCHMARK(BM_MatrixProduct)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortVec)->Arg(1000000)->Unit(benchmark::kMillisecond);
