// Plotting routines up to the painted graph: each call goes through the 2D
// window's target into a renderer, which then paints 1024 x 768 pixels as
// the window's ShowGraph does; the paint alone is measured beside it. The
// 3D plot goes up to its built scene.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/MessageChannel.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "graphics/GraphPlotTarget.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "libraries/StandardLibraries.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr int Width = 1024;
constexpr int Height = 768;

class TPlottedGraph {
public:
  TPlottedGraph() : window_(Width, Height, pf32bit) {
    SetMessageSink(nullptr);
    SamplePlots::UseCourier(graph_);
    SetPlotTarget(pwGraph2D, MakeCounted<TGraphPlotTarget<TXGraph>>(graph_, [this] { Paint(); }));
    SetPlotTarget(pwGraph3D, MakeCounted<TGraphPlotTarget<TXGraph3D>>(graph3D_, [this] { BuildScene(); }));
    engine_->SetOption(0, true);
    engine_->CompileText(
        "library Sampled;\n"
        "var X, Y : Vector;\n"
        "function f(x : Real) : Real; begin Result := x * Sin(x) end;\n"
        "procedure Prepare(n : Integer);\n"
        "var i : Integer;\n"
        "begin\n"
        "  SetLength(X, n); SetLength(Y, n);\n"
        "  for i := 1 to n do begin X[i] := i; Y[i] := Sin(i / 1000) end\n"
        "end;\n"
        "end.");
  }
  ~TPlottedGraph() {
    SetPlotTarget(pwGraph2D, nullptr);
    SetPlotTarget(pwGraph3D, nullptr);
  }

  void Evaluate(const std::string& line) {
    TVariant value;
    engine_->Evaluate(line, false, false, -1, value);
  }
  void Run(benchmark::State& state, const std::string& line) {
    for (auto _ : state) {
      Evaluate(line);
      if (graph_.Count() + graph3D_.Count() == 0) state.SkipWithError(("no plot from " + line).c_str());
    }
  }
  void Paint() { graph_.PaintTo(window_.Canvas(), Rect(0, 0, Width, Height)); }
  void BuildScene() {
    TRect area = Rect(0, 0, Width, Height);
    graph3D_.Build(window_.Canvas(), area);
  }

private:
  TXGraph graph_;
  TXGraph3D graph3D_;
  TBitmap window_;
  CountedPtr<TXBuilder> engine_ = MakeCounted<TXBuilder>(StandardCatalogues());
};

void BM_PlotScriptFunctionPainted(benchmark::State& state) {
  TPlottedGraph graph;
  graph.Run(state, "Plot(f, {0, 6.2831853, 1000000})");
}
BENCHMARK(BM_PlotScriptFunctionPainted)->Unit(benchmark::kMillisecond);

void BM_PlotSinPainted(benchmark::State& state) {
  TPlottedGraph graph;
  graph.Run(state, "Plot(Sin, {0, 6.2831853, 1000000})");
}
BENCHMARK(BM_PlotSinPainted)->Unit(benchmark::kMillisecond);

// The paint of the 10^6-point plot alone.
void BM_PaintOfThePlot(benchmark::State& state) {
  TPlottedGraph graph;
  graph.Evaluate("Plot(f, {0, 6.2831853, 1000000})");
  for (auto _ : state) graph.Paint();
}
BENCHMARK(BM_PaintOfThePlot)->Unit(benchmark::kMillisecond);

void BM_PlotDataPainted(benchmark::State& state, const char* style) {
  TPlottedGraph graph;
  graph.Evaluate("Prepare(1000000)");
  graph.Run(state, std::string("PlotData(X, Y, FALSE, ") + style + ")");
}
BENCHMARK_CAPTURE(BM_PlotDataPainted, psLine, "psLine")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlotDataPainted, psCircle, "psCircle")->Unit(benchmark::kMillisecond);

void BM_Plot3DHypotScene(benchmark::State& state) {
  TPlottedGraph graph;
  graph.Run(state, "Plot3D(Hypot, {-1, 1, 200}, {-1, 1, 200})");
}
BENCHMARK(BM_Plot3DHypotScene)->Unit(benchmark::kMillisecond);

}  // namespace
