// The plotting routines up to the hand-over to a graph window: sampling a
// script function, Sin and a mesh function, copying prepared data, and
// the memory a 10^6-point plot holds. The window's part (installing and
// painting) is in graphics/PlottedGraph_bench.cpp.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/MessageChannel.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/PlotTargets.h"
#include "libraries/StandardLibraries.h"
#include "runtime/HeapUsage.h"

namespace {

// A window that keeps the last plot, and the heap it held when it came.
class TKeepingTarget final : public IPlotTarget {
public:
  void Show(TPlot& plot) override {
    Kept = std::move(plot);
    HeapAtHandOver = HeapBytesInUse();
  }

  TPlot Kept;
  std::int64_t HeapAtHandOver = 0;
};

class TPlotBench {
public:
  TPlotBench() {
    SetMessageSink(nullptr);
    SetPlotTarget(pwGraph2D, target_);
    SetPlotTarget(pwGraph3D, target_);
    engine_->SetOption(0, true);
    engine_->CompileText(
        "library Sampled;\n"
        "function f(x : Real) : Real; begin Result := x * Sin(x) end;\n"
        "end.");
  }
  ~TPlotBench() {
    SetPlotTarget(pwGraph2D, nullptr);
    SetPlotTarget(pwGraph3D, nullptr);
  }

  void Evaluate(const std::string& line) {
    TVariant value;
    engine_->Evaluate(line, false, false, -1, value);
  }
  void Run(benchmark::State& state, const std::string& line, std::int64_t points) {
    for (auto _ : state) {
      target_->Kept = TPlot();
      Evaluate(line);
      if (!target_->Kept.X) state.SkipWithError(("no plot from " + line).c_str());
    }
    state.SetItemsProcessed(state.iterations() * points);
  }
  TKeepingTarget& Target() { return *target_; }

private:
  CountedPtr<TKeepingTarget> target_ = MakeCounted<TKeepingTarget>();
  CountedPtr<TXBuilder> engine_ = MakeCounted<TXBuilder>(StandardCatalogues());
};

constexpr std::int64_t Million = 1000000;

void BM_PlotScriptFunction(benchmark::State& state) {
  TPlotBench bench;
  bench.Run(state, "Plot(f, {0, 6.2831853, 1000000})", Million);
}
BENCHMARK(BM_PlotScriptFunction)->Unit(benchmark::kMillisecond);

void BM_PlotSin(benchmark::State& state) {
  TPlotBench bench;
  bench.Run(state, "Plot(Sin, {0, 6.2831853, 1000000})", Million);
}
BENCHMARK(BM_PlotSin)->Unit(benchmark::kMillisecond);

// Two prepared vectors of 10^6 elements, in the style given.
void BM_PlotData(benchmark::State& state, const char* style) {
  TPlotBench bench;
  bench.Evaluate("X := MakeVec(1000000, 0.5)");
  bench.Evaluate("Y := MakeVec(1000000, 0.25)");
  bench.Run(state, std::string("PlotData(X, Y, FALSE, ") + style + ")", Million);
}
BENCHMARK_CAPTURE(BM_PlotData, psLine, "psLine")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlotData, psCircle, "psCircle")->Unit(benchmark::kMillisecond);

void BM_Plot3DHypot(benchmark::State& state) {
  TPlotBench bench;
  bench.Run(state, "Plot3D(Hypot, {-1, 1, 200}, {-1, 1, 200})", 200 * 200);
}
BENCHMARK(BM_Plot3DHypot)->Unit(benchmark::kMillisecond);

// The heap the plot holds when it reaches the window, per point: the
// samples are held once, in the two vectors the data set takes over.
void BM_PlotMemoryPerPoint(benchmark::State& state) {
  TPlotBench bench;
  for (auto _ : state) {
    bench.Target().Kept = TPlot();
    const std::int64_t before = HeapBytesInUse();
    bench.Evaluate("Plot(Sin, {0, 6.2831853, 1000000})");
    state.counters["bytes_per_point"] = double(bench.Target().HeapAtHandOver - before) / Million;
  }
}
BENCHMARK(BM_PlotMemoryPerPoint)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
