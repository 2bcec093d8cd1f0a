// A finished plot becoming a data set of a renderer: the graph cleared
// unless the plot appends, the 2D options, the palette, the presets, and
// the values taken over with the bounds adding them point by point gives.

#include "graphics/GraphPlotTarget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "graphics/PlotStyles.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

CountedPtr<IVector> Values(std::initializer_list<long double> values) {
  auto v = MakeCounted<TVector>();
  for (long double x : values) v->Append(x);
  return v;
}

TPlot MakePlot(TPlotWindow window, TPlotKind kind, bool append = false, std::uint8_t style = 0) {
  TPlot plot;
  plot.Window = window;
  plot.Kind = kind;
  plot.Name = "p";
  plot.Append = append;
  plot.Style = style;
  return plot;
}

TPlot Series(std::initializer_list<long double> x, std::initializer_list<long double> y, bool append = false,
             std::uint8_t style = 0) {
  TPlot plot = MakePlot(pwGraph2D, pkSeries, append, style);
  plot.X = Values(x);
  plot.Y = Values(y);
  return plot;
}

class GraphPlotTargetTest : public testing::Test {
protected:
  GraphPlotTargetTest() {
    graph.Clear();
    graph3D.Clear();
  }

  TXGraph graph;
  TXGraph3D graph3D;
};

TEST_F(GraphPlotTargetTest, APlotClearsTheGraphUnlessItAppends) {
  TPlot first = Series({1}, {1});
  InstallPlot(graph, first);
  TPlot second = Series({2}, {2}, true);
  TXData* appended = InstallPlot(graph, second);
  ASSERT_EQ(graph.Count(), 2);
  EXPECT_EQ(appended, graph.GetItem(1));
  EXPECT_EQ(appended->Pen.Color, PenPalette[1]) << "the next palette entry";
  EXPECT_EQ(appended->Brush.Color, BrushPalette[1]);
  TPlot third = Series({3}, {3});
  InstallPlot(graph, third);
  ASSERT_EQ(graph.Count(), 1);
  EXPECT_EQ(graph.GetItem(0)->Pen.Color, PenPalette[0]);
}

TEST_F(GraphPlotTargetTest, TheSeriesHoldsThePlotsVectorsWithTheirBounds) {
  TPlot plot = Series({1, -2, NaN, 5}, {5, 7, 100, NaN}, false, 4);
  const IVector* x = plot.X.get();
  auto& series = static_cast<TXSeries&>(*InstallPlot(graph, plot));
  EXPECT_EQ(series.X.get(), x) << "taken over, not copied";
  EXPECT_EQ(series.Name, "p");
  EXPECT_EQ(series.Count(), 4);
  TXSeries added("added");
  for (int i = 0; i < 4; ++i) added.AddPoint(series.X->GetItem(i), series.Y->GetItem(i));
  EXPECT_EQ(series.Min, added.Min);
  EXPECT_EQ(series.Max, added.Max);
  EXPECT_EQ(series.Min, MakePoint3D(-2, 5, 1)) << "points with a gap stay out of the bounds";
  EXPECT_EQ(series.Opts.DrawKind, dkScatter) << "style psCircle";
  EXPECT_EQ(series.Pen.Width, 3);
}

TEST_F(GraphPlotTargetTest, AxesChangeTheCoordinateSystemAndTheMinorGridsAsAsked) {
  const struct {
    TAxesChange Change;
    std::uint8_t CoordSys;
    TCoordSys Expected;
    bool MinorX, MinorY;
  } cases[] = {
      {acCoordSysMinorGrids, 3, csLogLog, true, true},  {acCoordSysMinorGrids, 1, csLinLog, false, true},
      {acCoordSysMinorGrids, 2, csLogLin, true, false}, {acCoordSysMinorGrids, 0, csLinear, false, false},
      {acCoordSys, 4, csPolar, true, true},             {acNone, 0, csLogLog, true, true},
  };
  graph.Options.CoordSys = csLogLog;
  graph.Options.MinorGridX = graph.Options.MinorGridY = true;
  for (const auto& c : cases) {
    graph.Options.MinorGridX = graph.Options.MinorGridY = true;
    graph.Options.CoordSys = csLogLog;
    TPlot plot = Series({1}, {1});
    plot.Axes = c.Change;
    plot.CoordSys = c.CoordSys;
    InstallPlot(graph, plot);
    EXPECT_EQ(graph.Options.CoordSys, c.Expected) << int(c.Change) << " " << int(c.CoordSys);
    EXPECT_EQ(graph.Options.MinorGridX, c.MinorX) << int(c.Change) << " " << int(c.CoordSys);
    EXPECT_EQ(graph.Options.MinorGridY, c.MinorY) << int(c.Change) << " " << int(c.CoordSys);
  }
}

// Whatever its line style, an error plot draws error bars one pixel wide.
TEST_F(GraphPlotTargetTest, A3DSeriesIn2DIsAnErrorPlot) {
  TPlot plot = MakePlot(pwGraph2D, pkSeries3D, false, 6);
  plot.X = Values({1, 2});
  plot.Y = Values({3, 4});
  plot.Z = Values({0.5, 0.25});
  auto& errors = static_cast<TXSeries3D&>(*InstallPlot(graph, plot));
  EXPECT_EQ(errors.Opts.DrawKind, dkErrors);
  EXPECT_EQ(errors.Pen.Width, 1);
  EXPECT_EQ(errors.Opts.Symbol, smDiamond);
  EXPECT_EQ(errors.Elems.size(), 2u);
  EXPECT_EQ(errors.Max, MakePoint3D(2, 4, 0.5));
  TPlot in3D = MakePlot(pwGraph3D, pkSeries3D, false, 6);
  in3D.X = Values({1});
  in3D.Y = Values({1});
  in3D.Z = Values({1});
  TXData* series = InstallPlot(graph3D, in3D);
  EXPECT_EQ(series->Opts.DrawKind, dkScatter);
  EXPECT_EQ(series->Pen.Width, 3);
}

TEST_F(GraphPlotTargetTest, EachMeshStyleHasItsPreset) {
  const struct {
    std::uint8_t Style;
    TDrawKind DrawKind;
    std::int32_t PenWidth;
    TShader Shader;
    TPenStyle PenStyle;
    TRenderer Renderer;
    TBrushStyle BrushStyle;
  } presets[] = {
      {0, dkSurface, 1, shHeightColour, psClear, rdGouraud, bsSolid},
      {1, dkScatter, 3, shHeightColour, psSolid, rdFlat, bsSolid},
      {2, dkSurface, 1, shColourHeight, psClear, rdGouraud, bsSolid},
      {3, dkContour, 1, shColourHeight, psSolid, rdFlat, bsClear},
  };
  for (const auto& preset : presets) {
    TPlot plot = MakePlot(preset.Style < 2 ? pwGraph3D : pwGraph2D, pkMesh, false, preset.Style);
    plot.X = Values({1, 2, 3});
    plot.Y = Values({10, 20});
    plot.Heights = MakeCounted<TMatrix>(2, 3);
    plot.Heights->SetItem(1, 2, -4);
    TXData* data = preset.Style < 2 ? InstallPlot(graph3D, plot) : InstallPlot(graph, plot);
    auto& mesh = static_cast<TXMesh&>(*data);
    SCOPED_TRACE(int(preset.Style));
    EXPECT_EQ(mesh.Opts.DrawKind, preset.DrawKind);
    EXPECT_EQ(mesh.Pen.Width, preset.PenWidth);
    EXPECT_EQ(mesh.Opts.Shader, preset.Shader);
    EXPECT_EQ(mesh.Pen.Style, preset.PenStyle);
    EXPECT_EQ(mesh.Opts.Renderer, preset.Renderer);
    EXPECT_EQ(mesh.Brush.Style, preset.BrushStyle);
    EXPECT_EQ(mesh.XCount(), 3);
    EXPECT_EQ(mesh.YCount(), 2);
    EXPECT_EQ(mesh.GetPoint(1, 2), MakePoint3D(3, 20, -4));
    EXPECT_EQ(mesh.Min, MakePoint3D(1, 10, -4));
    EXPECT_EQ(mesh.Max, MakePoint3D(3, 20, 0));
  }
}

TEST_F(GraphPlotTargetTest, AFieldIsDrawnInASolidPenOfOnePixel) {
  TPlot plot = MakePlot(pwGraph2D, pkField);
  plot.X = Values({0, 1});
  plot.Y = Values({0, 1});
  plot.Z = Values({0, 0});
  plot.VX = Values({2, 0});
  plot.VY = Values({0, -3});
  plot.VZ = Values({0, 0});
  auto& field = static_cast<TXField&>(*InstallPlot(graph, plot));
  EXPECT_EQ(field.Pen.Style, psSolid);
  EXPECT_EQ(field.Pen.Width, 1);
  EXPECT_EQ(field.Count(), 2);
  EXPECT_EQ(field.Min, MakePoint3D(0, -2, 0)) << "the arrow tips are inside";
  EXPECT_EQ(field.Max, MakePoint3D(2, 1, 0));
}

TEST_F(GraphPlotTargetTest, AShapeTakesItsVerticesAndFacesAsGiven) {
  TPlot plot = MakePlot(pwGraph3D, pkShape);
  plot.X = Values({0, 1, 0});
  plot.Y = Values({0, 0, 1});
  plot.Z = Values({0, 0, 2});
  plot.Faces = MakeCounted<TMatrix>(2, 4);
  for (int c = 0; c < 3; ++c) plot.Faces->SetItem(0, c, c);
  plot.Faces->SetItem(0, 3, -1);
  plot.Faces->SetItem(1, 0, 2147483647);
  auto& shape = static_cast<TXShape&>(*InstallPlot(graph3D, plot));
  ASSERT_EQ(shape.VertexCount(), 3);
  EXPECT_EQ(shape.GetVertex(2), MakePoint3D(0, 1, 2));
  ASSERT_EQ(shape.FaceCount(), 2);
  EXPECT_EQ(shape.GetFace(0), (TXFace{0, 1, 2, -1}));
  EXPECT_EQ(shape.GetFace(1).V1, 2147483647);
  EXPECT_EQ(shape.Max, MakePoint3D(1, 1, 2));
}

TEST_F(GraphPlotTargetTest, TheTargetShowsTheWindowAfterThePlotIsIn) {
  int shown = 0;
  auto target = MakeCounted<TGraphPlotTarget<TXGraph>>(graph, [&] {
    ++shown;
    EXPECT_EQ(graph.Count(), 1);
  });
  TPlot plot = Series({1, 2}, {3, 4});
  target->Show(plot);
  EXPECT_EQ(shown, 1);
}

}  // namespace
