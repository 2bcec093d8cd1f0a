// The 2D graph's script object and the graph settings dialog: a Graph2D
// property write from the script line to the repainted window (the
// canonical sine at the design size), twelve writes between BeginUpdate
// and EndUpdate, and LoadFrom2D then ApplyTo2D, unshown, on 100 data sets
// one of which holds a million points (styles only, the repaint excluded).

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "bench/shell/MainWindowBench.h"
#include "engine/Tarnscript.h"
#include "engine/Variant.h"
#include "graphics/XGraph.h"
#include "shell/GSettsForm.h"
#include "shell/GraphForm.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/controls/PaintBox.h"

namespace {

// The main window and the shown 2D window with the canonical sine; the
// window's paints counted.
class TGraph2DBench : public TMainWindowBench {
public:
  TGraph2DBench() : TMainWindowBench("graph2d-bench") {
    GraphForm = new TGraphForm(nullptr, Form->actGraphs);
    SamplePlots::CanonicalSine(*GraphForm->Graph);
    GraphForm->ShowGraph();
    Application().ProcessMessages();
    paint_ = GraphForm->PaintBox->OnPaint;
    GraphForm->PaintBox->OnPaint = [this](TObject* sender) {
      paint_(sender);
      ++Paints;
    };
  }
  ~TGraph2DBench() {
    GraphForm->PaintBox->OnPaint = paint_;
    delete GraphForm;
  }
  void Run(const std::string& line) {
    TVariant value;
    Form->Engine->Evaluate(line, false, false, -1, value);
  }

  int Paints = 0;

private:
  TNotifyEvent paint_;
};

void BM_Graph2DPropertyWriteToRepaintedWindow(benchmark::State& state) {
  TGraph2DBench bench;
  const std::string lines[] = {"Graph2D.Title := 'A'", "Graph2D.Title := 'B'"};
  int k = 0;
  for (auto _ : state) bench.Run(lines[k++ % 2]);
  state.counters["paintsPerWrite"] = double(bench.Paints) / double(state.iterations());
}
BENCHMARK(BM_Graph2DPropertyWriteToRepaintedWindow)->Unit(benchmark::kMillisecond);

void BM_Graph2DTwelveWritesInOneUpdate(benchmark::State& state) {
  TGraph2DBench bench;
  const char* properties[] = {"Legend", "LabelsX", "LabelsY", "GridX", "GridY", "MinorGridX", "MinorGridY"};
  bool on = false;
  for (auto _ : state) {
    on = !on;
    const std::string value = on ? "TRUE" : "FALSE";
    const std::string text = on ? "'A'" : "'B'";
    bench.Run("Graph2D.BeginUpdate()");
    for (const char* name : {"Title", "TitleX", "TitleY"}) bench.Run(std::string("Graph2D.") + name + " := " + text);
    for (const char* name : properties) bench.Run(std::string("Graph2D.") + name + " := " + value);
    bench.Run(std::string("Graph2D.AxesKind := ") + (on ? "akAxes" : "akFrame"));
    bench.Run(std::string("Graph2D.CoordSys := ") + (on ? "csLinLog" : "csLinear"));
    bench.Run("Graph2D.EndUpdate()");
  }
  state.counters["paintsPerUpdate"] = double(bench.Paints) / double(state.iterations());
}
BENCHMARK(BM_Graph2DTwelveWritesInOneUpdate)->Unit(benchmark::kMillisecond);

void BM_LoadFrom2DThenApplyTo2DOnAHundredDataSets(benchmark::State& state) {
  TMainWindowBench bench("gsetts-bench");
  TGSettsForm dialog(nullptr);
  TXGraph graph;
  TXSeries& big = SamplePlots::CanonicalSine(graph);
  big.Clear();
  for (int k = 0; k < 1000000; ++k) big.AddPoint(k, std::sin(k * 1e-3));
  while (graph.Count() < 100) SamplePlots::AddSeries(graph, "s" + std::to_string(graph.Count()), 0);
  for (auto _ : state) {
    dialog.LoadFrom2D(graph);
    dialog.ApplyTo2D(graph);
  }
}
BENCHMARK(BM_LoadFrom2DThenApplyTo2DOnAHundredDataSets)->Unit(benchmark::kMillisecond);

}  // namespace
