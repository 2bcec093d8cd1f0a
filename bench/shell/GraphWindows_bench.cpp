// The graph windows as the user meets them: a resize repaint at 1920 x 1080
// (the size change through the panel and the paint box to the painted
// window) with the canonical sine, a million-point line, the default 3D
// surface and a 200 x 200 surface; and one rotation step of the 3D view (a
// mouse move to the repainted view) at the design size, at 1920 x 1080 and
// with FastDraw.

#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/shell/MainWindowBench.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "shell/Graph3DForm.h"
#include "shell/GraphForm.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

// The main window and both graph windows, made and shown as F3 and F6 show them.
class TGraphWindowsBench : public TMainWindowBench {
public:
  TGraphWindowsBench() : TMainWindowBench("graph-bench") {
    Graph3DForm = new TGraph3DForm(nullptr, Form->actGraphs3D);
    GraphForm = new TGraphForm(nullptr, Form->actGraphs);
    GraphForm->Toggle();
    Graph3DForm->Toggle();
    Application().ProcessMessages();
  }
  ~TGraphWindowsBench() {
    delete GraphForm;
    delete Graph3DForm;
  }
};

// Sizes the window and paints it, alternating a pixel of width so that
// every step is a real size change.
template <class TWindow>
void ResizeRepeatedly(benchmark::State& state, TWindow& window) {
  int paints = 0;
  const TNotifyEvent paint = window.PaintBox->OnPaint;
  window.PaintBox->OnPaint = [&paints, &paint](TObject* sender) {
    paint(sender);
    ++paints;
  };
  int step = 0;
  for (auto _ : state) {
    window.SetBounds(0, 0, 1920 - step++ % 2, 1080);
    UpdateWindowTree(window.Handle());
  }
  window.PaintBox->OnPaint = paint;
  state.counters["paintsPerResize"] = double(paints) / double(state.iterations());
}

void BM_ResizeRepaint2DSine(benchmark::State& state) {
  TGraphWindowsBench bench;
  SamplePlots::CanonicalSine(*GraphForm->Graph);
  ResizeRepeatedly(state, *GraphForm);
}
BENCHMARK(BM_ResizeRepaint2DSine)->Unit(benchmark::kMillisecond);

void BM_ResizeRepaint2DMillionPointLine(benchmark::State& state) {
  TGraphWindowsBench bench;
  TXSeries& series = SamplePlots::CanonicalSine(*GraphForm->Graph);
  series.Clear();
  for (int k = 0; k < 1000000; ++k) {
    const long double x = 6.2831853L * k / 999999;
    series.AddPoint(x, sinl(x));
  }
  ResizeRepeatedly(state, *GraphForm);
}
BENCHMARK(BM_ResizeRepaint2DMillionPointLine)->Unit(benchmark::kMillisecond);

// A ripple of the given number of rows and columns in place of the default.
void FillSurface(TXGraph3D& graph, int size) {
  graph.Clear();
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("surface", MeshKind));
  mesh.SetYCount(size);
  mesh.SetXCount(size);
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j) {
      const long double x = (j - (size - 1) / 2.0L) * 10 / size, y = (i - (size - 1) / 2.0L) * 10 / size;
      mesh.SetPoint(i, j, MakePoint3D(x, y, sinl(x * x + y * y) / (1 + x * x + y * y)));
    }
}

void BM_ResizeRepaint3DDefault(benchmark::State& state) {
  TGraphWindowsBench bench;
  ResizeRepeatedly(state, *Graph3DForm);
}
BENCHMARK(BM_ResizeRepaint3DDefault)->Unit(benchmark::kMillisecond);

void BM_ResizeRepaint3D200x200(benchmark::State& state) {
  TGraphWindowsBench bench;
  FillSurface(*Graph3DForm->Graph, 200);
  ResizeRepeatedly(state, *Graph3DForm);
}
BENCHMARK(BM_ResizeRepaint3D200x200)->Unit(benchmark::kMillisecond);

// A left press in the paint box, then moves of a pixel to and fro, each
// turning the view and repainting it, on the default surface. Arguments:
// 1920 x 1080 or the design size, FastDraw off or on.
void BM_RotationStep(benchmark::State& state) {
  TGraphWindowsBench bench;
  TGraph3DForm& window = *Graph3DForm;
  if (state.range(0)) window.SetBounds(0, 0, 1920, 1080);
  window.Graph->Options.FastDraw = state.range(1) != 0;
  Application().ProcessMessages();
  TRect panel;
  GetWindowRect(window.ScrPanel->Handle(), panel);
  const TPoint origin = window.PaintBox->ClientOrigin();
  const TPoint middle{origin.X - panel.Left + 100, origin.Y - panel.Top + 100};
  const HWND target = window.ScrPanel->Handle();
  SynthesizeMouse(target, middle, TSyntheticMouse::Press, TInputButton::Left, {});
  int step = 0;
  for (auto _ : state) {
    SynthesizeMouse(target, {middle.X + step++ % 2, middle.Y}, TSyntheticMouse::Move, TInputButton::Left, {});
    UpdateWindowTree(window.Handle());
  }
  SynthesizeMouse(target, middle, TSyntheticMouse::Release, TInputButton::Left, {});
}
BENCHMARK(BM_RotationStep)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->ArgNames({"fullHD", "fastDraw"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
