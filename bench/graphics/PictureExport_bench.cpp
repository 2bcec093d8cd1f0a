// Saving pictures as metafiles: the EMF and the WMF of the 10^6-point sine
// plot, and the EMF of a 200 x 200 Gouraud surface, at 1920 x 1080, with
// the files' sizes.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "tests/graphics/SamplePlots.h"

namespace {

const TRect FullHd = Rect(0, 0, 1920, 1080);

template <class TRenderer>
void SaveRepeatedly(benchmark::State& state, TRenderer& graph, std::uint8_t format) {
  const std::string file =
      (std::filesystem::temp_directory_path() / ("quantrel-bench" + std::string(format == 2 ? ".emf" : ".wmf"))).string();
  graph.Options.ExportFormat = format;
  for (auto _ : state) graph.SaveToFile(file, FullHd);
  state.counters["file MB"] = double(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}

void FillMillionPointSine(TXGraph& graph) {
  graph.Clear();
  SamplePlots::UseCourier(graph);
  TXSeries& series = SamplePlots::AddSeries(graph, "sine", 0);
  for (int k = 0; k < 1000000; ++k) {
    const long double x = 6.283185307179586476925L * k / 999999;
    series.AddPoint(x, sinl(x));
  }
}

void BM_SaveMillionPointSineAsEmf(benchmark::State& state) {
  TXGraph graph;
  FillMillionPointSine(graph);
  SaveRepeatedly(state, graph, 2);
}
BENCHMARK(BM_SaveMillionPointSineAsEmf)->Unit(benchmark::kMillisecond);

void BM_SaveMillionPointSineAsWmf(benchmark::State& state) {
  TXGraph graph;
  FillMillionPointSine(graph);
  SaveRepeatedly(state, graph, 1);
}
BENCHMARK(BM_SaveMillionPointSineAsWmf)->Unit(benchmark::kMillisecond);

void BM_Save200x200GouraudSurfaceAsEmf(benchmark::State& state) {
  TXGraph3D graph;
  graph.Clear();
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("surface", MeshKind));
  mesh.SetYCount(200);
  mesh.SetXCount(200);
  mesh.Opts.Renderer = rdGouraud;
  mesh.Opts.Shader = shHeightColourLight;
  for (int i = 0; i < 200; ++i)
    for (int j = 0; j < 200; ++j) {
      const long double x = (j - 99.5L) / 20, y = (i - 99.5L) / 20;
      mesh.SetPoint(i, j, MakePoint3D(x, y, sinl(x * x + y * y) / (1 + x * x + y * y)));
    }
  SaveRepeatedly(state, graph, 2);
}
BENCHMARK(BM_Save200x200GouraudSurfaceAsEmf)->Unit(benchmark::kMillisecond);

}  // namespace
