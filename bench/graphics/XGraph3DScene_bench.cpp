// Building 3D scenes: the numeric part of a frame while the user drags the
// view. A 200 x 200 surface for 1920 x 1080 as a whole and in its parts
// (shading, projection, the depth sort), the sort of 10^5 elements, the
// default content, and what 1,000 rebuilds cost in memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>

#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

std::atomic<std::size_t> allocationCount{0};

}  // namespace

// Counts every allocation of the program, so that a benchmark can tell how
// many its loop made. (GCC takes the malloc behind a replaced new for a
// mismatch with free.)
void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

const TRect FullHd = Rect(0, 0, 1920, 1080);

// A renderer holding a 200 x 200 ripple with the given shader, its axes off.
void FillSurface(TXGraph3D& graph, TShader shader) {
  graph.Clear();
  graph.Options.LabelsX = graph.Options.LabelsY = graph.Options.LabelsZ = false;
  graph.Options.GridX = graph.Options.GridY = graph.Options.GridZ = false;
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("surface", MeshKind));
  mesh.SetYCount(200);
  mesh.SetXCount(200);
  mesh.Opts.Renderer = rdGouraud;
  mesh.Opts.Shader = shader;
  for (int i = 0; i < 200; ++i)
    for (int j = 0; j < 200; ++j) {
      const long double x = (j - 99.5L) / 20, y = (i - 99.5L) / 20;
      mesh.SetPoint(i, j, MakePoint3D(x, y, sinl(x * x + y * y) / (1 + x * x + y * y)));
    }
}

bool BuildFor(TXGraph3D& graph, TCanvas& canvas, const TRect& rect) {
  TRect r = rect;
  return graph.Build(canvas, r);
}

void ReportScene(benchmark::State& state, const TXGraph3D& graph) {
  int facing = 0;
  for (const TXElem* e : graph.Elements) facing += e->Facing ? 1 : 0;
  state.counters["vertices"] = graph.VertexCount();
  state.counters["polygons"] = double(graph.Elements.size());
  state.counters["facing"] = facing;
}

// Warm: the scene's storage is there from the build before, as while the user drags.
void BuildSurface(benchmark::State& state, TShader shader) {
  TXGraph3D graph;
  FillSurface(graph, shader);
  TBitmap bitmap(16, 16, pf32bit);
  BuildFor(graph, bitmap.Canvas(), FullHd);
  for (auto _ : state) benchmark::DoNotOptimize(BuildFor(graph, bitmap.Canvas(), FullHd));
  ReportScene(state, graph);
}

void BM_Build200x200Surface(benchmark::State& state) { BuildSurface(state, shHeightColourLight); }
BENCHMARK(BM_Build200x200Surface)->Unit(benchmark::kMillisecond);

// Without normals and lighting: the difference to the build above is the shading.
void BM_Build200x200SurfaceUnshaded(benchmark::State& state) { BuildSurface(state, shColour); }
BENCHMARK(BM_Build200x200SurfaceUnshaded)->Unit(benchmark::kMillisecond);

// Every vertex of the built surface projected again.
void BM_Project200x200Surface(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, shHeightColourLight);
  TBitmap bitmap(16, 16, pf32bit);
  TRect plot = FullHd;
  graph.Build(bitmap.Canvas(), plot);
  for (auto _ : state)
    for (int i = 0; i < graph.VertexCount(); ++i) benchmark::DoNotOptimize(graph.Project(*graph.GetVertex(i), plot, true));
  state.counters["vertices"] = graph.VertexCount();
}
BENCHMARK(BM_Project200x200Surface)->Unit(benchmark::kMillisecond);

void SortShuffled(benchmark::State& state, TXGraph3D& graph) {
  std::mt19937 random(52);
  for (auto _ : state) {
    state.PauseTiming();
    std::shuffle(graph.Elements.begin(), graph.Elements.end(), random);
    state.ResumeTiming();
    graph.SortElements();
  }
  state.counters["elements"] = double(graph.Elements.size());
}

// The elements of the built surface sorted again from a shuffled order.
void BM_Sort200x200Surface(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, shHeightColourLight);
  TBitmap bitmap(16, 16, pf32bit);
  BuildFor(graph, bitmap.Canvas(), FullHd);
  SortShuffled(state, graph);
}
BENCHMARK(BM_Sort200x200Surface)->Unit(benchmark::kMillisecond);

// 10^5 triangles at random depths inside the box.
void BM_DepthSort100000Elements(benchmark::State& state) {
  TXGraph3D graph;
  TBitmap bitmap(16, 16, pf32bit);
  BuildFor(graph, bitmap.Canvas(), FullHd);
  graph.ClearScene();
  std::mt19937 random(52);
  std::uniform_real_distribution<double> within(-1, 1);
  TXData* data = graph.GetItem(0);
  for (int k = 0; k < 100000; ++k) {
    TXVertex* v = graph.NewVertex(MakePoint3D(within(random), within(random), within(random)));
    graph.AddPolygon(v, v, v, nullptr, data);
  }
  SortShuffled(state, graph);
}
BENCHMARK(BM_DepthSort100000Elements)->Unit(benchmark::kMillisecond);

void BM_BuildDefaultContent(benchmark::State& state) {
  TXGraph3D graph;
  TBitmap bitmap(16, 16, pf32bit);
  BuildFor(graph, bitmap.Canvas(), Rect(0, 0, 640, 480));
  for (auto _ : state) benchmark::DoNotOptimize(BuildFor(graph, bitmap.Canvas(), Rect(0, 0, 640, 480)));
  ReportScene(state, graph);
}
BENCHMARK(BM_BuildDefaultContent)->Unit(benchmark::kMicrosecond);

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// 1,000 rebuilds while the view turns in steps of 0.6 degree: the
// allocations they make and the peak memory of the process before and
// after. One full turn first warms the storage up to the largest scene of
// any view.
void BM_Rebuild200x200SurfaceMemory(benchmark::State& state) {
  TXGraph3D graph;
  FillSurface(graph, shHeightColourLight);
  TBitmap bitmap(16, 16, pf32bit);
  for (int k = 0; k < 600; ++k) {
    graph.RotateAzimuth(3);
    BuildFor(graph, bitmap.Canvas(), FullHd);
  }
  const long peakBefore = PeakResidentKilobytes();
  std::size_t allocations = 0;
  for (auto _ : state) {
    const std::size_t before = allocationCount;
    for (int k = 0; k < 1000; ++k) {
      graph.RotateAzimuth(3);
      benchmark::DoNotOptimize(BuildFor(graph, bitmap.Canvas(), FullHd));
    }
    allocations += allocationCount - before;
  }
  state.counters["allocations per build"] = double(allocations) / (1000.0 * double(state.iterations()));
  state.counters["peak KB warm"] = double(peakBefore);
  state.counters["peak KB after"] = double(PeakResidentKilobytes());
}
BENCHMARK(BM_Rebuild200x200SurfaceMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
