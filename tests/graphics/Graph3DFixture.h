#pragma once
// An empty 3D renderer with its axes off, and a 640 x 480 bitmap whose
// canvas builds its scenes.

#include <functional>

#include <gtest/gtest.h>

#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

class Graph3DTest : public testing::Test {
protected:
  Graph3DTest() : bitmap(640, 480, pf32bit) {
    graph.Clear();
    AxesOff(graph);
  }

  // No labels, grids or captions: the scene holds the box and the data only.
  static void AxesOff(TXGraph3D& g) {
    g.Options.LabelsX = g.Options.LabelsY = g.Options.LabelsZ = false;
    g.Options.GridX = g.Options.GridY = g.Options.GridZ = false;
  }
  void SetView(long double elevation, long double azimuth) { graph.View = MakePoint3D(elevation, 0, azimuth); }
  // Every axis set by hand to Lo .. Hi with step 1.
  void ManualBox(long double lo, long double hi) {
    graph.Options.AutoX = graph.Options.AutoY = graph.Options.AutoZ = false;
    graph.Options.Min = MakePoint3D(lo, lo, lo);
    graph.Options.Max = MakePoint3D(hi, hi, hi);
    graph.Options.Inc = MakePoint3D(1, 1, 1);
  }
  bool Build(const TRect& r = Rect(0, 0, 640, 480)) {
    plot = r;
    return graph.Build(bitmap.Canvas(), plot);
  }

  // Rows x cols points on -1 .. 1 in x and y, with z = height(x, y).
  TXMesh& AddMesh(int rows, int cols, const std::function<long double(long double, long double)>& height) {
    auto& mesh = static_cast<TXMesh&>(*graph.AddData("mesh", MeshKind));
    mesh.SetYCount(rows);
    mesh.SetXCount(cols);
    for (int i = 0; i < rows; ++i)
      for (int j = 0; j < cols; ++j) {
        const long double x = cols > 1 ? -1 + 2.0L * j / (cols - 1) : 0;
        const long double y = rows > 1 ? -1 + 2.0L * i / (rows - 1) : 0;
        mesh.SetPoint(i, j, MakePoint3D(x, y, height(x, y)));
      }
    return mesh;
  }
  TXSeries3D& AddSeries3D(std::initializer_list<TPoint3D> points) {
    auto& series = static_cast<TXSeries3D&>(*graph.AddData("series", Series3DKind));
    for (const TPoint3D& p : points) series.AddPoint(p.X, p.Y, p.Z);
    return series;
  }

  // A one-face shape: the square of corners +-0.5 in the plane y = Y.
  TXShape& AddSquare(long double y, TColor colour) {
    auto& shape = static_cast<TXShape&>(*graph.AddData("square", ShapeKind));
    shape.AddVertex(-0.5L, y, -0.5L);
    shape.AddVertex(0.5L, y, -0.5L);
    shape.AddVertex(0.5L, y, 0.5L);
    shape.AddVertex(-0.5L, y, 0.5L);
    shape.AddFace(0, 1, 2, 3);
    shape.Brush.Color = colour;
    return shape;
  }

  int CountPolygons(int vertexCount) const {
    int n = 0;
    for (const TXElem* e : graph.Elements)
      if (e->Kind == TXElem::PolygonKind && e->Count() == vertexCount) ++n;
    return n;
  }
  int CountNotFacing(int vertexCount) const {
    int n = 0;
    for (const TXElem* e : graph.Elements)
      if (e->Count() == vertexCount && !e->Facing) ++n;
    return n;
  }
  // The indices of the box faces marked as back faces.
  std::vector<int> BackFaces() const {
    std::vector<int> faces;
    for (std::size_t i = 0; i < graph.BoxFaces.size(); ++i)
      if (graph.BoxFaces[i]->Facing) faces.push_back(int(i));
    return faces;
  }

  TXGraph3D graph;
  TBitmap bitmap;
  TRect plot;
};
