// Meshes: heights maps of coloured cells or markers, and contours traced
// cell by cell, drawn as lines or joined and filled as bands.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Numerics/Matrix.h"
#include "engine/MessageChannel.h"
#include "graphics/ContourNesting.h"
#include "graphics/RGBColor.h"
#include "graphics/ScaleTicks.h"
#include "graphics/XGraph.h"
#include "runtime/Exceptions.h"
#include "runtime/Vector.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// The rows and columns that a mesh's vectors and its matrix all have.
struct TMeshExtent {
  int Rows;
  int Cols;
};

TMeshExtent ExtentOf(const TXMesh& mesh) {
  return {std::min(mesh.YCount(), mesh.Z->GetRows()), std::min(mesh.XCount(), mesh.Z->GetCols())};
}

bool InsideBox(const TPoint3D& p, const TPoint3D& min, const TPoint3D& max) {
  return min.X <= p.X && p.X <= max.X && min.Y <= p.Y && p.Y <= max.Y && min.Z <= p.Z && p.Z <= max.Z;
}

// A grid point as the cells use it; the rest is valid when it is inside the scale box.
struct TGridPoint {
  bool Inside = false;
  TPoint Pixel;
  long double Z = 0;
  TColor Colour = 0;  // its height colour, for smooth cells
};

}  // namespace

void TXGraph::DrawHeightsMap(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* mesh = dynamic_cast<const TXMesh*>(GetItem(Index));
  if (!mesh || !mesh->Visible) return;
  const TMeshExtent extent = ExtentOf(*mesh);
  if (extent.Rows < 1 || extent.Cols < 1) return;
  ApplyStyle(Canvas, *mesh, false);
  if (mesh->Opts.DrawKind == dkScatter)
    DrawMeshMarkers(Canvas, *mesh, R);
  else
    DrawMeshCells(Canvas, *mesh, R);
}

void TXGraph::DrawMeshMarkers(TCanvas& Canvas, const TXMesh& Mesh, const TRect& R) const {
  const TMeshExtent extent = ExtentOf(Mesh);
  for (int r = 0; r < extent.Rows; ++r)
    for (int c = 0; c < extent.Cols; ++c) {
      const TPoint3D p = Mesh.GetPoint(r, c);
      if (!InsideBox(p, DataMin, DataMax)) continue;
      DrawMarker(Canvas, WorldToScreen(R, p.X, p.Y), HeightColor(Mesh.Brush.Color, Mesh.Opts.Shader, p.Z), Mesh.Opts,
                 Mesh.Pen, Mesh.Brush);
    }
}

// Cell (r, c) has the corners (r, c), (r, c + 1), (r + 1, c + 1), (r + 1, c)
// in this order; two rows of grid points are kept, so each point is mapped
// and coloured once.
void TXGraph::DrawMeshCells(TCanvas& Canvas, const TXMesh& Mesh, const TRect& R) const {
  const TMeshExtent extent = ExtentOf(Mesh);
  const TShader shader = Mesh.Opts.Shader;
  const bool smooth = shader != shColour && Mesh.Opts.Renderer == rdGouraud;
  const bool filled = Mesh.Brush.Style != bsClear, outlined = Mesh.Pen.Style != psClear;
  auto readRow = [&](int r, std::vector<TGridPoint>& row) {
    for (int c = 0; c < extent.Cols; ++c) {
      const TPoint3D p = Mesh.GetPoint(r, c);
      TGridPoint& g = row[std::size_t(c)];
      g.Inside = InsideBox(p, DataMin, DataMax);
      if (!g.Inside) continue;
      g.Pixel = WorldToScreen(R, p.X, p.Y);
      g.Z = p.Z;
      if (smooth) g.Colour = HeightColor(Mesh.Brush.Color, shader, p.Z);
    }
  };
  if (smooth) Canvas.Brush().SetStyle(bsClear);
  std::vector<TGridPoint> lower(std::size_t(extent.Cols)), upper(std::size_t(extent.Cols));
  readRow(0, lower);
  for (int r = 0; r + 1 < extent.Rows; ++r) {
    readRow(r + 1, upper);
    for (std::size_t c = 0; c + 1 < std::size_t(extent.Cols); ++c) {
      const TGridPoint* corners[4] = {&lower[c], &lower[c + 1], &upper[c + 1], &upper[c]};
      if (!std::all_of(std::begin(corners), std::end(corners), [](const TGridPoint* g) { return g->Inside; }))
        continue;
      const TPoint outline[5] = {corners[0]->Pixel, corners[1]->Pixel, corners[2]->Pixel, corners[3]->Pixel,
                                 corners[0]->Pixel};
      if (smooth) {
        if (filled) {
          TTriVertex vertices[4];
          for (int m = 0; m < 4; ++m) vertices[m] = MakeGradientVertex(corners[m]->Pixel, corners[m]->Colour);
          const TGradientTriangle triangles[2] = {{0, 1, 2}, {0, 2, 3}};
          GradientFill(Canvas.Handle(), vertices, 4, triangles, 2, GRADIENT_FILL_TRIANGLE);
        }
        if (outlined) Canvas.Polyline(outline);
        continue;
      }
      if (shader != shColour) {
        const long double mean = (corners[0]->Z + corners[1]->Z + corners[2]->Z + corners[3]->Z) * 0.25L;
        Canvas.Brush().SetColor(HeightColor(Mesh.Brush.Color, shader, mean));
        Canvas.Brush().SetStyle(TBrushStyle(Mesh.Brush.Style));
      }
      Canvas.Polygon(std::span<const TPoint>(outline, 4));
    }
    std::swap(lower, upper);
  }
}

namespace {

// How a level crosses a triangle, by the signs (each plus one) of its first
// corner, the cell's centre and its third corner against the level.
constexpr std::uint8_t ContourCases[3][3][3] = {
    {{0, 0, 8}, {0, 2, 5}, {7, 6, 9}},
    {{0, 3, 4}, {1, 3, 1}, {4, 3, 0}},
    {{9, 6, 7}, {5, 2, 0}, {8, 0, 0}},
};

// Points of a cell (i, j): 0 is its centre, 1 to 4 its corners
// (i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1).
constexpr int CornerI[5] = {0, 0, 1, 1, 0};
constexpr int CornerJ[5] = {0, 0, 0, 1, 1};

struct TCell {
  long double Height[5];
  long double X[5];
  long double Y[5];
};

int SignOf(long double h) { return h > 0 ? 1 : h < 0 ? -1 : 0; }

// A corner index brought into 0 .. count - 1; what lay outside is reported.
int ClampedIndex(std::int64_t index, int count, const char* name) {
  if (index < 0) {
    ReportError(std::string("Index \"") + name + "\" is below : 0", NoPosition, nullptr);
    return 0;
  }
  if (index >= count) {
    ReportError(std::string("Index \"") + name + "\" is above : " + std::to_string(count - 1), NoPosition, nullptr);
    return count - 1;
  }
  return int(index);
}

// The corners of cell (i, j), with the centre's x and y; false when the
// vectors end before the cell or a value is not finite.
bool ReadCell(const IMatrix& m, const IVector& xs, const IVector& ys, std::int64_t i, std::int64_t j, TCell& cell) {
  const int is[2] = {ClampedIndex(i, m.GetRows(), "i"), ClampedIndex(i + 1, m.GetRows(), "i")};
  const int js[2] = {ClampedIndex(j, m.GetCols(), "j"), ClampedIndex(j + 1, m.GetCols(), "j")};
  if (is[1] >= xs.GetSize() || js[1] >= ys.GetSize()) return false;
  for (int k = 1; k <= 4; ++k) {
    const int ci = is[CornerI[k]], cj = js[CornerJ[k]];
    cell.Height[k] = m.GetItem(ci, cj);
    cell.X[k] = xs.GetItem(ci);
    cell.Y[k] = ys.GetItem(cj);
    if (!std::isfinite(cell.Height[k]) || !std::isfinite(cell.X[k]) || !std::isfinite(cell.Y[k])) return false;
  }
  cell.X[0] = (cell.X[1] + cell.X[2]) * 0.5L;
  cell.Y[0] = (cell.Y[1] + cell.Y[4]) * 0.5L;
  return true;
}

// Where the level crosses the edge from point p to point q, whose heights h
// above the level have opposite signs.
TRealPoint Crossing(const TCell& cell, const long double* h, int p, int q) {
  const long double t = h[p] / (h[p] - h[q]);
  return {cell.X[p] + t * (cell.X[q] - cell.X[p]), cell.Y[p] + t * (cell.Y[q] - cell.Y[p])};
}

// The segment a level draws across the triangle (a, centre, b) by its case; false for case 0.
bool TriangleSegment(const TCell& cell, const long double* h, int a, int b, int kind, TRealPoint& from,
                     TRealPoint& to) {
  const int corners[3] = {a, 0, b};
  auto point = [&](int k) { return TRealPoint{cell.X[corners[k]], cell.Y[corners[k]]}; };
  auto crossing = [&](int p, int q) { return Crossing(cell, h, corners[p], corners[q]); };
  switch (kind) {
    case 1: from = point(0), to = point(1); break;
    case 2: from = point(1), to = point(2); break;
    case 3: from = point(2), to = point(0); break;
    case 4: from = point(0), to = crossing(1, 2); break;
    case 5: from = point(1), to = crossing(2, 0); break;
    case 6: from = point(2), to = crossing(0, 1); break;
    case 7: from = crossing(0, 1), to = crossing(1, 2); break;
    case 8: from = crossing(1, 2), to = crossing(2, 0); break;
    case 9: from = crossing(2, 0), to = crossing(0, 1); break;
    default: return false;
  }
  return std::isfinite(from.X) && std::isfinite(from.Y) && std::isfinite(to.X) && std::isfinite(to.Y);
}

}  // namespace

// Each cell is four triangles about its centre, whose height is the mean of
// the corners'; a level crosses each triangle in at most one segment.
void TXGraph::TraceContours(const IMatrix& M, int ILow, bool DrawNow, TCanvas& Canvas, const TRect& R,
                            const IVector& Z, const IVector& YV, const IVector& XV, int JHigh, int JLow, int IHigh) {
  if (M.GetRows() < 2 || M.GetCols() < 2) return;
  std::vector<long double> levels;
  for (std::int64_t k = 0; k < Z.GetSize() && std::size_t(k) < Levels.size(); ++k) levels.push_back(Z.GetItem(k));
  if (levels.empty()) return;
  TCell cell;
  for (std::int64_t j = std::int64_t(JHigh) - 1; j >= JLow; --j)
    for (std::int64_t i = ILow; i < IHigh; ++i) {
      if (!ReadCell(M, XV, YV, i, j, cell)) continue;
      const auto [low, high] = std::minmax({cell.Height[1], cell.Height[2], cell.Height[3], cell.Height[4]});
      if (high < levels.front() || low > levels.back()) continue;
      // A level at the cell's lowest corner is not traced in it; one at its highest is.
      for (auto level = std::upper_bound(levels.begin(), levels.end(), low); level != levels.end() && *level <= high;
           ++level) {
        TXCLevel& target = *Levels[std::size_t(level - levels.begin())];
        long double h[5];
        int sign[5];
        for (int m = 1; m <= 4; ++m) h[m] = cell.Height[m] - *level;
        h[0] = (h[1] + h[2] + h[3] + h[4]) * 0.25L;
        for (int m = 0; m <= 4; ++m) sign[m] = SignOf(h[m]);
        for (int m = 1; m <= 4; ++m) {
          const int next = m == 4 ? 1 : m + 1;
          TRealPoint from, to;
          if (!TriangleSegment(cell, h, m, next, ContourCases[sign[m] + 1][sign[0] + 1][sign[next] + 1], from, to))
            continue;
          const TPoint a = WorldToScreen(R, from.X, from.Y), b = WorldToScreen(R, to.X, to.Y);
          if (DrawNow) {
            Canvas.Pen().SetColor(target.Color);
            const TPoint thereAndBack[3] = {a, b, a};
            Canvas.Polyline(thereAndBack);
          } else {
            target.AddSegment(a, b);
          }
        }
      }
    }
}

// The levels are the z ticks strictly inside the z scale; a z step that is
// not a finite positive number, or one that would need more than MaxTicks
// ticks, gives none.
void TXGraph::DrawContours(TCanvas& Canvas, int Index, const TRect& R) {
  const auto* mesh = dynamic_cast<const TXMesh*>(GetItem(Index));
  if (!mesh || !mesh->Visible || Options.CoordSys != csLinear) return;
  const TMeshExtent extent = ExtentOf(*mesh);
  if (extent.Rows < 1 || extent.Cols < 1) return;
  Levels.clear();
  CountedPtr<IVector> z = MakeCounted<TVector>();
  const std::vector<TScaleTick> ticks = ScaleTicks(DataMin.Z, DataMax.Z, Step.Z, false);
  for (std::size_t k = 1; k < ticks.size(); ++k) {
    if (ticks[k].Last) continue;
    z->Append(ticks[k].Value);
    Levels.push_back(std::make_unique<TXCLevel>(ticks[k].Value));
    Levels.back()->Color = HeightColor(mesh->Brush.Color, mesh->Opts.Shader, ticks[k].Value);
  }
  if (Levels.empty()) return;
  ApplyStyle(Canvas, *mesh, true);
  const TPoint topLeft = WorldToScreen(R, mesh->Min.X, mesh->Max.Y);
  const TPoint bottomRight = WorldToScreen(R, mesh->Max.X, mesh->Min.Y);
  // The tracer takes the heights with i along x.
  CountedPtr<IMatrix> transposed = MakeCounted<TMatrix>();
  if (!transposed->SetSize(extent.Cols, extent.Rows)) return;
  for (int r = 0; r < extent.Rows; ++r)
    for (int c = 0; c < extent.Cols; ++c) transposed->SetItem(c, r, mesh->Z->GetItem(r, c));
  const bool lines = mesh->Brush.Style == bsClear;
  TraceContours(*transposed, 0, lines, Canvas, R, *z, *mesh->Y, *mesh->X, extent.Rows - 1, 0, extent.Cols - 1);
  if (!lines) FillContours(Canvas, *mesh, TRect{topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

// Equal nesting counts keep the levels' order, so pictures are reproducible.
void TXGraph::FillContours(TCanvas& Canvas, const TXMesh& Mesh, const TRect& Box) {
  std::vector<TXContour*> contours;
  for (const auto& level : Levels) {
    level->BuildContours(Box);
    for (const auto& contour : level->Contours) contours.push_back(contour.get());
  }
  CountNesting(contours);
  std::stable_sort(contours.begin(), contours.end(),
                   [](const TXContour* a, const TXContour* b) { return CompareContours(a, b) < 0; });
  for (const TXContour* contour : contours) {
    Canvas.Brush().SetColor(Grayscale ? clWhite : contour->Level->Color);
    Canvas.Brush().SetStyle(TBrushStyle(Mesh.Brush.Style));
    if (contour->IsClosed())
      Canvas.Polygon(contour->Points());
    else
      Canvas.Polyline(contour->Points());
  }
}

TXCLevel* TXGraph::GetLevel(int I) const {
  QASSERT(I >= 0 && I < int(Levels.size()), "Assertion failure");
  return Levels[std::size_t(I)].get();
}

int TXGraph::CompareContours(const TXContour* A, const TXContour* B) {
  if (!A || !B || A->Nesting == B->Nesting) return 0;
  return A->Nesting > B->Nesting ? 1 : -1;
}
