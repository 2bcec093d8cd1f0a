// Meshes at 1920 x 1080: a smooth 500 x 500-point mesh (sin x cos y) as
// smooth and flat heights maps, as contour lines at 10 levels (and the
// tracing alone) and as filled contours; a noisy mesh's many small filled
// contours; and joining a million contour segments.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "graphics/XGraph.h"
#include "runtime/Vector.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr int Side = 500;

TXMesh& FillMesh(TXGraph& graph, bool noisy) {
  graph.Clear();
  SamplePlots::UseCourier(graph);
  std::mt19937 random(5);
  std::uniform_real_distribution<double> noise(-1, 1);
  TXMesh& mesh = SamplePlots::AddMesh(graph, "mesh", Side, Side, [&](int r, int c) {
    const long double x = -3 + 6.0L * c / (Side - 1), y = -3 + 6.0L * r / (Side - 1);
    return MakePoint3D(x, y, noisy ? noise(random) : sinl(x) * cosl(y));
  });
  mesh.Opts.Shader = shHeightColour;
  return mesh;
}

// Contours at -0.9, -0.7, ... 0.9: ten levels.
TXMesh& ContourMesh(TXGraph& graph, bool noisy, TBrushStyle brush) {
  TXMesh& mesh = FillMesh(graph, noisy);
  mesh.Opts.DrawKind = dkContour;
  mesh.Pen.Style = psSolid;
  mesh.Brush.Style = brush;
  graph.Options.AutoZ = false;
  graph.Options.Min.Z = -1.1L;
  graph.Options.Max.Z = 1.1L;
  graph.Options.Inc.Z = 0.2L;
  return mesh;
}

void PaintRepeatedly(benchmark::State& state, TXGraph& graph) {
  TBitmap target(1920, 1080, pf32bit);
  for (auto _ : state) graph.PaintTo(target.Canvas(), Rect(0, 0, 1920, 1080));
}

void BM_PaintSmoothHeightsMap(benchmark::State& state) {
  TXGraph graph;
  TXMesh& mesh = FillMesh(graph, false);
  mesh.Opts.Renderer = rdGouraud;
  PaintRepeatedly(state, graph);
}
BENCHMARK(BM_PaintSmoothHeightsMap)->Unit(benchmark::kMillisecond);

void BM_PaintFlatHeightsMap(benchmark::State& state) {
  TXGraph graph;
  FillMesh(graph, false).Opts.Renderer = rdFlat;
  PaintRepeatedly(state, graph);
}
BENCHMARK(BM_PaintFlatHeightsMap)->Unit(benchmark::kMillisecond);

void BM_PaintContourLines(benchmark::State& state) {
  TXGraph graph;
  ContourMesh(graph, false, bsClear);
  PaintRepeatedly(state, graph);
  state.counters["levels"] = double(graph.Levels.size());
}
BENCHMARK(BM_PaintContourLines)->Unit(benchmark::kMillisecond);

// The tracer alone, keeping the segments, on the scale box of a painted pass.
void BM_TraceContours(benchmark::State& state) {
  TXGraph graph;
  TXMesh& mesh = ContourMesh(graph, false, bsSolid);
  TBitmap target(1920, 1080, pf32bit);
  graph.PaintTo(target.Canvas(), Rect(0, 0, 1920, 1080));
  CountedPtr<IVector> levels = MakeCounted<TVector>();
  for (const auto& level : graph.Levels) levels->Append(level->Level);
  CountedPtr<IMatrix> transposed = MakeCounted<TMatrix>(Side, Side);
  for (int r = 0; r < Side; ++r)
    for (int c = 0; c < Side; ++c) transposed->SetItem(c, r, mesh.Z->GetItem(r, c));
  std::size_t segments = 0;
  for (auto _ : state) {
    for (const auto& level : graph.Levels) level->Segments.clear();
    graph.TraceContours(*transposed, 0, false, target.Canvas(), Rect(100, 20, 1700, 1000), *levels, *mesh.Y,
                        *mesh.X, Side - 1, 0, Side - 1);
    segments = 0;
    for (const auto& level : graph.Levels) segments += level->Segments.size();
  }
  state.counters["segments"] = double(segments);
}
BENCHMARK(BM_TraceContours)->Unit(benchmark::kMillisecond);

void BM_PaintFilledContours(benchmark::State& state) {
  TXGraph graph;
  ContourMesh(graph, state.range(0) != 0, bsSolid);
  PaintRepeatedly(state, graph);
  std::size_t contours = 0;
  for (const auto& level : graph.Levels) contours += level->Contours.size();
  state.counters["contours"] = double(contours);
}
BENCHMARK(BM_PaintFilledContours)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 1,000 closed rings of 1,000 segments each, every segment in a random
// direction, the whole list shuffled.
void BM_BuildContours(benchmark::State& state) {
  const int rings = int(state.range(0)), perSide = 250;
  TXCLevel level(0);
  auto corner = [&](int k) {
    const int side = k / perSide % 4, step = k % perSide;
    const TPoint starts[4] = {{0, 0}, {perSide, 0}, {perSide, perSide}, {0, perSide}};
    const TPoint directions[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    return TPoint{starts[side].X + directions[side].X * step, starts[side].Y + directions[side].Y * step};
  };
  std::mt19937 random(3);
  for (int ring = 0; ring < rings; ++ring) {
    const TPoint offset{ring % 40 * 300, ring / 40 * 300};
    for (int k = 0; k < 4 * perSide; ++k) {
      TPoint a = corner(k), b = corner(k + 1);
      a = {a.X + offset.X, a.Y + offset.Y};
      b = {b.X + offset.X, b.Y + offset.Y};
      if (random() % 2) std::swap(a, b);
      level.AddSegment(a, b);
    }
  }
  std::shuffle(level.Segments.begin(), level.Segments.end(), random);
  for (auto _ : state) level.BuildContours(Rect(0, 0, 12000, 12000));
  state.counters["contours"] = double(level.ContourCount());
}
BENCHMARK(BM_BuildContours)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace
