#pragma once
// 3D scenes that the tests check and the picture tool renders.

#include <cmath>
#include <string>

#include "graphics/PlotStyles.h"
#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace SampleScenes3D {

inline void UseCourier(TXGraph3D& graph) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-13);
  graph.SetFont(font);
}

// The unit cube's eight corners moved by (x, y, z), as six quads.
inline TXShape& AddCube(TXGraph3D& graph, const std::string& name, long double x, long double y, long double z) {
  auto& cube = static_cast<TXShape&>(*graph.AddData(name, ShapeKind));
  for (int k = 0; k < 8; ++k) cube.AddVertex(x + (k & 1), y + (k >> 1 & 1), z + (k >> 2 & 1));
  const int faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
  for (const auto& f : faces) cube.AddFace(f[0], f[1], f[2], f[3]);
  return cube;
}

// Every kind of 3D data set with the legend, the heights bar, a title and
// the three axis captions: a helix as a line, a scatter with stems, a
// field of arrows and a flat-shaded cube.
inline void AllKinds(TXGraph3D& graph) {
  graph.Clear();
  graph.Options.Title = "Every kind of 3D data";
  graph.Options.TitleX = "x axis";
  graph.Options.TitleY = "y axis";
  graph.Options.TitleZ = "height";
  graph.Options.Legend = true;
  graph.Options.HeightsBar = true;
  auto& helix = static_cast<TXSeries3D&>(*graph.AddData("helix", Series3DKind));
  helix.Pen.Width = 2;
  for (int k = 0; k <= 80; ++k) {
    const long double t = k * 0.15L;
    helix.AddPoint(2 * cosl(t), 2 * sinl(t), t / 6);
  }
  auto& stems = static_cast<TXSeries3D&>(*graph.AddData("stems", Series3DKind));
  ApplySeries3DStyle(stems, 7);
  stems.Opts.Shader = shHeightColour;
  for (int k = 0; k < 12; ++k) {
    const long double a = k * 0.5235987756L;
    stems.AddPoint(cosl(a), sinl(a), 0.8L + 0.6L * sinl(3 * a));
  }
  auto& field = static_cast<TXField&>(*graph.AddData("field", FieldKind));
  field.SetCount(9);
  for (int k = 0; k < 9; ++k) {
    field.SetPoint(k, MakePoint3D(-2 + 0.5L * k, -2, 0.2L));
    field.SetVector(k, MakePoint3D(0, 0.4L, 0.1L * k));
  }
  TXShape& cube = AddCube(graph, "cube", 0.5L, -1.5L, 0);
  cube.Opts.Shader = shSimpleLighting;
  cube.Opts.Renderer = rdFlat;
}

}  // namespace SampleScenes3D
