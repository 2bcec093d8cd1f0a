// The numerical methods of Math: the Fourier transform's core on 2^20
// complex points, and Integrate and DSolve running routines of a program
// (the routine is the cost; the methods' own work between runs should not
// show). Integrate is also timed with a built-in integrand, which shows the
// cost of the callback itself.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/FFTNF.h"
#include "libraries/StandardLibraries.h"

namespace {

void BM_FFTTransform(benchmark::State& state) {
  const std::int32_t points = 1 << 20;
  std::vector<long double> data(2 * static_cast<std::size_t>(points));
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::sin(0.001L * static_cast<long double>(i));
  for (auto _ : state) {
    TFFTNF::Transform(data, points, 1);
    benchmark::DoNotOptimize(data.data());
  }
  state.counters["points_per_second"] = benchmark::Counter(points, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FFTTransform)->Unit(benchmark::kMillisecond);

// Compiles and runs the program once per iteration, without a sink (the
// warnings go nowhere).
void RunProgram(benchmark::State& state, const std::string& text) {
  SetMessageSink(nullptr);
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  for (auto _ : state)
    if (!engine->CompileText(text)) state.SkipWithError("the program did not compile");
}

// The square root never converges under Simpson's rule: every call is a
// full run of 20 levels, 2^19 + 1 evaluations.
constexpr double IntegrandRuns = (1 << 19) + 1;

void BM_IntegrateScriptFunction(benchmark::State& state) {
  RunProgram(state,
             "function Root(x : Real) : Real; begin Result := Sqrt(x) end; "
             "var r : Real; begin r := Integrate(Root, 0, 1) end.");
  state.counters["evaluations_per_second"] =
      benchmark::Counter(IntegrandRuns, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_IntegrateScriptFunction)->Unit(benchmark::kMillisecond);

void BM_IntegrateBuiltIn(benchmark::State& state) {
  RunProgram(state, "var r : Real; begin r := Integrate(Sqrt, 0, 1) end.");
  state.counters["evaluations_per_second"] =
      benchmark::Counter(IntegrandRuns, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_IntegrateBuiltIn)->Unit(benchmark::kMillisecond);

// A chain of 10 equations, DY[i] = Y[i + 1] - Y[i], the last one decaying,
// over [0, 5]: adaptive (440 runs of DF) and with 5000 fixed steps (20,000 runs).
void BM_DSolveTenEquations(benchmark::State& state) {
  const std::string step = state.range(0) ? ", 0.001" : "";
  RunProgram(state,
             "procedure Chain(Y : Vector; X : Real; var DY : Vector); "
             "var i : Integer; "
             "begin for i := 1 to 9 do DY[i] := Y[i + 1] - Y[i]; DY[10] := -Y[10] end; "
             "var M : Matrix; "
             "begin M := DSolve(Chain, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 5" +
                 step + ") end.");
}
BENCHMARK(BM_DSolveTenEquations)->ArgName("fixed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
