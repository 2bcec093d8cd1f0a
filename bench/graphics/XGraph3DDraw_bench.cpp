// Painting 3D scenes through the back buffer, as the window does while the
// user turns the view: a 200 x 200 surface at 1920 x 1080 with Gouraud
// shading, flat, and with FastDraw while rotating (the build and the sort
// alone are in XGraph3DScene_bench); the default content at 800 x 600; a
// 3D scatter of 10^5 points.

#include <benchmark/benchmark.h>

#include <cmath>

#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// A renderer holding a 200 x 200 ripple, shader 5, with axes and grids.
void FillSurface(TXGraph3D& graph, TRenderer renderer) {
  graph.Clear();
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("surface", MeshKind));
  mesh.SetYCount(200);
  mesh.SetXCount(200);
  mesh.Opts.Renderer = renderer;
  mesh.Opts.Shader = shHeightColourLight;
  mesh.Pen.Style = psClear;
  for (int i = 0; i < 200; ++i)
    for (int j = 0; j < 200; ++j) {
      const long double x = (j - 99.5L) / 20, y = (i - 99.5L) / 20;
      mesh.SetPoint(i, j, MakePoint3D(x, y, sinl(x * x + y * y) / (1 + x * x + y * y)));
    }
}

void PaintRepeatedly(benchmark::State& state, TXGraph3D& graph, int width, int height) {
  TBitmap target(width, height, pf32bit);
  for (auto _ : state) graph.PaintTo(target.Canvas(), Rect(0, 0, width, height));
  state.counters["elements"] = double(graph.Elements.size());
}

void BM_Paint200x200Gouraud(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, rdGouraud);
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_Paint200x200Gouraud)->Unit(benchmark::kMillisecond);

// The polygons alone, on a scene built once: the fill part of a paint.
void BM_Fill200x200Gouraud(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, rdGouraud);
  TBitmap target(1921, 1081, pf24bit);
  TRect plot = Rect(0, 0, 1920, 1080);
  graph.Build(target.Canvas(), plot);
  for (auto _ : state)
    for (const TXElem* e : graph.Elements) graph.DrawElem(target.Canvas(), *e);
}
BENCHMARK(BM_Fill200x200Gouraud)->Unit(benchmark::kMillisecond);

void BM_Paint200x200Flat(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, rdFlat);
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_Paint200x200Flat)->Unit(benchmark::kMillisecond);

void BM_Paint200x200FastDrawRotating(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, rdGouraud);
  graph.Options.FastDraw = true;
  graph.Rotating = true;
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_Paint200x200FastDrawRotating)->Unit(benchmark::kMillisecond);

void BM_PaintDefaultContent(benchmark::State& state) {
  TXGraph3D graph;
  PaintRepeatedly(state, graph, 800, 600);
}
BENCHMARK(BM_PaintDefaultContent)->Unit(benchmark::kMillisecond);

void BM_PaintScatter100000(benchmark::State& state) {
  TXGraph3D graph;
  graph.Clear();
  auto& series = static_cast<TXSeries3D&>(*graph.AddData("scatter", Series3DKind));
  series.Opts.DrawKind = dkScatter;
  series.Opts.Symbol = smCircle;
  for (int k = 0; k < 100000; ++k) {
    const long double t = k * 0.001L;
    series.AddPoint(cosl(t * 7) * (1 + t / 50), sinl(t * 5), sinl(t * 3));
  }
  PaintRepeatedly(state, graph, 1920, 1080);
}
BENCHMARK(BM_PaintScatter100000)->Unit(benchmark::kMillisecond);

}  // namespace
