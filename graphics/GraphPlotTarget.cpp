#include "graphics/GraphPlotTarget.h"

#include <utility>

#include "graphics/PlotStyles.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Pen.h"

static_assert(pkSeries == SeriesKind && pkSeries3D == Series3DKind && pkMesh == MeshKind && pkShape == ShapeKind &&
              pkField == FieldKind);

namespace {

// Along a logarithmic axis the minor grid is on, along a linear one off.
void ChangeAxes(TXGOptions& options, const TPlot& plot) {
  if (plot.Axes == acNone) return;
  const auto coordSys = TCoordSys(plot.CoordSys);
  options.CoordSys = coordSys;
  if (plot.Axes != acCoordSysMinorGrids) return;
  options.MinorGridX = coordSys == csLogLin || coordSys == csLogLog;
  options.MinorGridY = coordSys == csLinLog || coordSys == csLogLog;
}

void ApplyPreset(TXData& data, const TPlot& plot) {
  switch (plot.Kind) {
    case pkSeries:
      ApplySeriesStyle(static_cast<TXSeries&>(data), plot.Style);
      break;
    case pkSeries3D:
      ApplySeries3DStyle(static_cast<TXSeries3D&>(data), plot.Style);
      // In 2D a 3D series is an error plot, whatever its line style.
      if (plot.Window == pwGraph2D) {
        data.Opts.DrawKind = dkErrors;
        data.Pen.Width = 1;
      }
      break;
    case pkMesh:
      ApplyMeshStyle(static_cast<TXMesh&>(data), plot.Style);
      break;
    case pkField:
      data.Pen.Style = psSolid;
      data.Pen.Width = 1;
      break;
    case pkShape:
      break;
  }
}

void AddShape(TXShape& shape, const TPlot& plot) {
  for (std::int64_t i = 0; i < plot.X->GetSize(); ++i)
    shape.AddVertex(plot.X->GetItem(i), plot.Y->GetItem(i), plot.Z->GetItem(i));
  const IMatrix& faces = *plot.Faces;
  for (std::int32_t i = 0; i < faces.GetRows(); ++i)
    shape.AddFace(std::int32_t(faces.GetItem(i, 0)), std::int32_t(faces.GetItem(i, 1)),
                  std::int32_t(faces.GetItem(i, 2)), std::int32_t(faces.GetItem(i, 3)));
}

void TakeValues(TXData& data, TPlot& plot) {
  switch (plot.Kind) {
    case pkSeries:
      static_cast<TXSeries&>(data).SetPoints(std::move(plot.X), std::move(plot.Y));
      break;
    case pkSeries3D:
      static_cast<TXSeries3D&>(data).SetPoints(std::move(plot.X), std::move(plot.Y), std::move(plot.Z));
      break;
    case pkMesh:
      static_cast<TXMesh&>(data).SetGrid(std::move(plot.X), std::move(plot.Y), std::move(plot.Heights));
      break;
    case pkShape:
      AddShape(static_cast<TXShape&>(data), plot);
      break;
    case pkField:
      static_cast<TXField&>(data).SetArrows(std::move(plot.X), std::move(plot.Y), std::move(plot.Z),
                                            std::move(plot.VX), std::move(plot.VY), std::move(plot.VZ));
      break;
  }
}

template <class TGraph>
TXData* AddPlotData(TGraph& graph, TPlot& plot) {
  TXData* data = graph.AddData(plot.Name, plot.Kind);
  ApplyPreset(*data, plot);
  TakeValues(*data, plot);
  return data;
}

}  // namespace

TXData* InstallPlot(TXGraph& Graph, TPlot& Plot) {
  if (!Plot.Append) Graph.Clear();
  ChangeAxes(Graph.Options, Plot);
  return AddPlotData(Graph, Plot);
}

TXData* InstallPlot(TXGraph3D& Graph, TPlot& Plot) {
  if (!Plot.Append) Graph.Clear();
  return AddPlotData(Graph, Plot);
}
