#pragma once
// Plots that the tests check and the picture tool renders: the same data,
// so that what a reviewer sees is what the tests hold.

#include <cmath>
#include <functional>
#include <string>

#include "graphics/PlotStyles.h"
#include "graphics/XGraph.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace SamplePlots {

inline void UseCourier(TXGraph& graph) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-13);
  graph.SetFont(font);
}

inline TXSeries& AddSeries(TXGraph& graph, const std::string& name, std::uint8_t style) {
  auto& series = static_cast<TXSeries&>(*graph.AddData(name, SeriesKind));
  ApplySeriesStyle(series, style);
  return series;
}

// 300 samples of sin over 0 .. 2 pi, as the plotting routine takes them.
inline TXSeries& CanonicalSine(TXGraph& graph) {
  graph.Clear();
  TXSeries& series = AddSeries(graph, "f", 0);
  for (int k = 0; k < 300; ++k) {
    const long double x = 6.2831853L * k / 299;
    series.AddPoint(x, sinl(x));
  }
  return series;
}

// The unit circle: radius 1 at every angle.
inline TXSeries& PolarTwin(TXGraph& graph) {
  graph.Clear();
  graph.Options.CoordSys = csPolar;
  TXSeries& series = AddSeries(graph, "f", 0);
  for (int k = 0; k < 300; ++k) series.AddPoint(6.2831853L * k / 299, 1);
  return series;
}

inline TXSeries& LogLog(TXGraph& graph) {
  graph.Clear();
  graph.Options.CoordSys = csLogLog;
  graph.Options.MinorGridX = graph.Options.MinorGridY = true;
  TXSeries& series = AddSeries(graph, "f", 0);
  series.AddPoint(1, 1);
  series.AddPoint(10, 100);
  series.AddPoint(100, 10000);
  return series;
}

// Every 2D series kind with the legend and the three titles.
inline void AllKinds(TXGraph& graph) {
  graph.Clear();
  graph.Options.Title = "Every kind of series";
  graph.Options.TitleX = "x";
  graph.Options.TitleY = "y values";
  graph.Options.Legend = true;
  TXSeries& wall = AddSeries(graph, "wall", 8);
  TXSeries& bars = AddSeries(graph, "bars", 9);
  bars.Opts.BarKind = bkCentre;
  TXSeries& line = AddSeries(graph, "line", 0);
  TXSeries& dashed = AddSeries(graph, "dashed", 1);
  TXSeries& circles = AddSeries(graph, "circles", 4);
  TXSeries& crosses = AddSeries(graph, "crosses", 3);
  TXSeries& squares = AddSeries(graph, "squares", 5);
  TXSeries& diamonds = AddSeries(graph, "diamonds", 6);
  TXSeries& stems = AddSeries(graph, "stems", 7);
  for (int k = 0; k <= 20; ++k) {
    const long double x = k * 0.5L;
    wall.AddPoint(x, 1 + 0.5L * sinl(x));
    line.AddPoint(x, 4 + sinl(x));
    dashed.AddPoint(x, 4.5L + cosl(x));
    if (k % 4 == 0) bars.AddPoint(x, -1 - 0.1L * k);
    if (k % 4 == 1) circles.AddPoint(x, 6.5L);
    if (k % 4 == 2) crosses.AddPoint(x, 6.5L);
    if (k % 4 == 3) squares.AddPoint(x, 6.5L);
    if (k % 4 == 0) diamonds.AddPoint(x, 7.5L);
    if (k % 3 == 1) stems.AddPoint(x, 2.5L + 0.1L * k);
  }
  auto& errors = static_cast<TXSeries3D&>(*graph.AddData("errors", Series3DKind));
  for (int k = 0; k < 5; ++k) errors.AddPoint(1 + 2 * k, -3.5L + 0.2L * k, 0.3L + 0.1L * k);
  auto& field = static_cast<TXField&>(*graph.AddData("field", FieldKind));
  field.SetCount(5);
  for (int k = 0; k < 5; ++k) {
    field.SetPoint(k, MakePoint3D(1 + 2 * k, 9, 0));
    field.SetVector(k, MakePoint3D(cosl(k * 0.6L), sinl(k * 0.6L) * 0.8L, 0));
  }
}

// A mesh of rows x cols points; point (r, c) is at(r, c).
inline TXMesh& AddMesh(TXGraph& graph, const std::string& name, int rows, int cols,
                       const std::function<TPoint3D(int, int)>& at) {
  auto& mesh = static_cast<TXMesh&>(*graph.AddData(name, MeshKind));
  mesh.SetYCount(rows);
  mesh.SetXCount(cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) mesh.SetPoint(r, c, at(r, c));
  return mesh;
}

// The default content's mesh as 7 x 7 circles filled in height colours.
inline TXMesh& HeightMarkers(TXGraph& graph) {
  auto& mesh = static_cast<TXMesh&>(*graph.GetItem(0));
  mesh.Opts.DrawKind = dkScatter;
  mesh.Opts.Shader = shHeightColour;
  mesh.Pen.Width = 3;
  return mesh;
}

// z = x^2 + y^2 over x, y = -2 + 0.1k (k = 0 .. 40) as contour lines in
// height colours: its z scale is 0 .. 8 step 1, so the levels are 1 .. 7.
// A solid brush fills the bands instead.
inline TXMesh& Paraboloid(TXGraph& graph) {
  graph.Clear();
  TXMesh& mesh = AddMesh(graph, "x^2+y^2", 41, 41, [](int i, int j) {
    const long double x = -2 + 0.1L * j, y = -2 + 0.1L * i;
    return MakePoint3D(x, y, x * x + y * y);
  });
  mesh.Opts.DrawKind = dkContour;
  mesh.Opts.Shader = shHeightColour;
  mesh.Pen.Style = psSolid;
  mesh.Brush.Style = bsClear;
  return mesh;
}

}  // namespace SamplePlots
