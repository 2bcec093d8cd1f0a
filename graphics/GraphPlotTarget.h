#pragma once
// How a finished plot of the plotting routines (libraries/PlotTargets.h)
// becomes a data set of a renderer, in the order a plot always takes: the
// graph cleared unless the plot appends, the 2D options changed, the new
// data set added with its palette colours, its preset applied, and its
// values taken over.

#include <functional>
#include <utility>

#include "libraries/PlotTargets.h"

class TXData;
class TXGraph;
class TXGraph3D;

// The new data set. A kind the renderer has no data set for fails an
// assertion (a shape in 2D); the routines never send one.
TXData* InstallPlot(TXGraph& Graph, TPlot& Plot);
TXData* InstallPlot(TXGraph3D& Graph, TPlot& Plot);

// A graph window's target: each plot goes into the window's renderer, then
// the window shows it (painted at once, and made visible when hidden).
template <class TGraph>
class TGraphPlotTarget final : public IPlotTarget {
public:
  TGraphPlotTarget(TGraph& Graph, std::function<void()> ShowGraph)
      : graph_(Graph), showGraph_(std::move(ShowGraph)) {}

  void Show(TPlot& Plot) override {
    InstallPlot(graph_, Plot);
    showGraph_();
  }

private:
  TGraph& graph_;
  std::function<void()> showGraph_;
};
