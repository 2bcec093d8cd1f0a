// The 2D renderer's scales: auto-scaling reads the kept bounds, so it must
// not grow with the point count; axes with many ticks, and the capped case.

#include <benchmark/benchmark.h>

#include "graphics/XGraph.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

const TRect FullHD = Rect(0, 0, 1920, 1080);

void FillSeries(TXGraph& graph, int count) {
  auto& series = static_cast<TXSeries&>(*graph.AddData("s", SeriesKind));
  for (int i = 0; i < count; ++i) series.AddPoint(i * 1e-3L, (i % 997) * 0.01L);
}

void UseCourier(TXGraph& graph, TCanvas& canvas) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-13);
  graph.SetFont(font);
  canvas.Font().Assign(font);
}

void BM_FillSeries(benchmark::State& state) {
  for (auto _ : state) {
    TXGraph graph;
    graph.Clear();
    FillSeries(graph, int(state.range(0)));
  }
}
BENCHMARK(BM_FillSeries)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_AutoScaleAndRound(benchmark::State& state) {
  TXGraph graph;
  graph.Clear();
  FillSeries(graph, int(state.range(0)));
  TBitmap bitmap(16, 16, pf32bit);
  UseCourier(graph, bitmap.Canvas());
  for (auto _ : state) {
    graph.AutoScale();
    graph.RoundScales(bitmap.Canvas(), FullHD);
    benchmark::DoNotOptimize(graph.DataMax);
  }
}
BENCHMARK(BM_AutoScaleAndRound)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// Into a 24-bit bitmap, as the back buffer of a window.
void DrawUserAxes(benchmark::State& state, long double max, long double step) {
  TXGraph graph;
  graph.Clear();
  TBitmap bitmap(1920, 1080, pf24bit);
  UseCourier(graph, bitmap.Canvas());
  graph.Options.MinorGridX = graph.Options.MinorGridY = true;
  graph.DataMin = MakePoint3D(0, 0, 0);
  graph.DataMax = MakePoint3D(max, max, 1);
  graph.Step = MakePoint3D(step, step, 1);
  const TRect plot = Rect(80, 20, 1900, 1040);
  for (auto _ : state) graph.DrawAxes(bitmap.Canvas(), plot);
}

void BM_DrawAxesThousandTicks(benchmark::State& state) { DrawUserAxes(state, 1000, 1); }
BENCHMARK(BM_DrawAxesThousandTicks)->Unit(benchmark::kMillisecond);

// 0 .. 1 in steps of 1e-9: more ticks than any axis draws.
void BM_DrawAxesCapped(benchmark::State& state) { DrawUserAxes(state, 1, 1e-9L); }
BENCHMARK(BM_DrawAxesCapped)->Unit(benchmark::kMicrosecond);

}  // namespace
