// Painting 2D plots through the back buffer: a million-point line, a
// hundred thousand markers, and one window repaint of the sine plot.

#include <benchmark/benchmark.h>

#include <cmath>

#include "graphics/XGraph.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr long double TwoPi = 6.283185307179586476925L;

void PaintRepeatedly(benchmark::State& state, TXGraph& graph, int width, int height) {
  TBitmap target(width, height, pf32bit);
  for (auto _ : state) graph.PaintTo(target.Canvas(), Rect(0, 0, width, height));
}

// A sine over 0 .. 2 pi with count points, drawn in the given style.
void FillSine(TXGraph& graph, int count, std::uint8_t style) {
  graph.Clear();
  SamplePlots::UseCourier(graph);
  TXSeries& series = SamplePlots::AddSeries(graph, "sine", style);
  for (int k = 0; k < count; ++k) {
    const long double x = TwoPi * k / (count - 1);
    series.AddPoint(x, sinl(x));
  }
}

void BM_PaintMillionPointLine(benchmark::State& state) {
  TXGraph graph;
  FillSine(graph, 1000000, 0);
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_PaintMillionPointLine)->Unit(benchmark::kMillisecond);

// The same scales, margins and axes with a line of two points: the pass without the series.
void BM_PaintScalesOnly(benchmark::State& state) {
  TXGraph graph;
  graph.Clear();
  SamplePlots::UseCourier(graph);
  TXSeries& series = SamplePlots::AddSeries(graph, "ends", 0);
  series.AddPoint(0, -1);
  series.AddPoint(TwoPi, 1);
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_PaintScalesOnly)->Unit(benchmark::kMillisecond);

void BM_PaintHundredThousandCircles(benchmark::State& state) {
  TXGraph graph;
  FillSine(graph, 100000, 4);
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_PaintHundredThousandCircles)->Unit(benchmark::kMillisecond);

void BM_PaintCanonicalSine(benchmark::State& state) {
  TXGraph graph;
  SamplePlots::UseCourier(graph);
  SamplePlots::CanonicalSine(graph);
  PaintRepeatedly(state, graph, 640, 480);
}
BENCHMARK(BM_PaintCanonicalSine)->Unit(benchmark::kMillisecond);

}  // namespace
