// The plotter window: from F9 to the painted graph for a line, a contour
// plot and a surface, and one keystroke in a range field (its check and
// repaint). The graphs are painted as their windows paint them, into a
// bitmap of a window's size.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/shell/MainWindowBench.h"
#include "console/XEdit.h"
#include "graphics/GraphPlotTarget.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "shell/PlotterForm.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"

namespace {

const TRect GraphArea = Bounds(0, 0, 600, 400);

// The main window and the plotter, shown, with renderers that paint every plot.
class TPlotterBench : public TMainWindowBench {
public:
  TPlotterBench() : TMainWindowBench("plotter-bench"), Picture(GraphArea.Width() + 1, GraphArea.Height() + 1, pf32bit) {
    Plotter = new TPlotterForm(nullptr);
    Plotter->Show();
    Application().ProcessMessages();
    SetPlotTarget(pwGraph2D, MakeCounted<TGraphPlotTarget<TXGraph>>(Graph, [this] {
                    Painted = Graph.PaintTo(Picture.Canvas(), GraphArea);
                  }));
    SetPlotTarget(pwGraph3D, MakeCounted<TGraphPlotTarget<TXGraph3D>>(Graph3D, [this] {
                    Painted = Graph3D.PaintTo(Picture.Canvas(), GraphArea);
                  }));
  }
  ~TPlotterBench() {
    SetPlotTarget(pwGraph2D, nullptr);
    SetPlotTarget(pwGraph3D, nullptr);
    delete Plotter;
  }

  void Choose(TPlotterKind kind, const std::string& f, const std::string& xPoints) {
    Plotter->KindTag = kind - 1;
    Plotter->UpdateKind();
    Plotter->EditF->SetSource(f);
    Plotter->edtXPnt->SetText(xPoints);
  }

  TPlotterForm* Plotter;
  TXGraph Graph;
  TXGraph3D Graph3D;
  TBitmap Picture;
  bool Painted = false;
};

void PlotUntilPainted(benchmark::State& state, TPlotterKind kind, const std::string& f, const std::string& points) {
  TPlotterBench bench;
  bench.Choose(kind, f, points);
  for (auto _ : state) {
    bench.Painted = false;
    bench.Plotter->EditF->SetFocus();
    SynthesizeKeyStroke(bench.Plotter->Handle(), VK_F9, "");
    if (!bench.Painted) state.SkipWithError("nothing painted");
  }
}

void BM_PlotLine(benchmark::State& state) {
  PlotUntilPainted(state, pkLine, "x*sin(x)", state.range(0) ? std::to_string(state.range(0)) : "");
}
BENCHMARK(BM_PlotLine)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PlotContourLines(benchmark::State& state) { PlotUntilPainted(state, pkContourLines, "x*x - y*y", ""); }
BENCHMARK(BM_PlotContourLines)->Unit(benchmark::kMillisecond);

void BM_PlotSurface(benchmark::State& state) { PlotUntilPainted(state, pkSurface3D, "x*x - y*y", ""); }
BENCHMARK(BM_PlotSurface)->Unit(benchmark::kMillisecond);

// A character typed at the end of the x max field and taken away again:
// each is checked through the engine and repainted.
void BM_KeystrokeInARangeField(benchmark::State& state) {
  TPlotterBench bench;
  TXEdit& field = *bench.Plotter->EditXMax;
  field.SetSource("2*pi");
  field.SetFocus();
  SynthesizeKeyStroke(bench.Plotter->Handle(), VK_END, "");
  bool typed = false;
  for (auto _ : state) {
    if (typed)
      SynthesizeKeyStroke(bench.Plotter->Handle(), VK_BACK, "\b");
    else
      SynthesizeKeyStroke(bench.Plotter->Handle(), '1', "1");
    typed = !typed;
    UpdateWindow(field.Handle());
  }
}
BENCHMARK(BM_KeystrokeInARangeField)->Unit(benchmark::kMicrosecond);

}  // namespace
