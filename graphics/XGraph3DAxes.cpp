// The axes on the box: their edges and ticks, the choice of the outline
// edge each is drawn on, the placing of tick marks, labels and captions,
// and the grid lines on the back walls.

#include <array>
#include <cmath>

#include "graphics/PixelRound.h"
#include "graphics/ScaleTicks.h"
#include "graphics/XGraph3D.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr long double TickLength = 7;
constexpr long double LabelDistance = 14;
// The caption lies at least this far from the edge, and this much beyond the labels.
constexpr long double CaptionDistance = 12;
constexpr long double CaptionBeyondLabels = 19;
constexpr long double ZeroLength = 1e-16L;

// The faces each axis's four edges lie between, in ring order (face numbers
// as the box makes them: 0..3 the sides, 4 the floor, 5 the top).
constexpr int EdgeFaces[3][4][2] = {
    {{0, 4}, {4, 2}, {2, 5}, {5, 0}},  // x: at (y, z) = (min, min), (max, min), (max, max), (min, max)
    {{3, 4}, {4, 1}, {1, 5}, {5, 3}},  // y: at (x, z) likewise
    {{3, 0}, {0, 1}, {1, 2}, {2, 3}},  // z: at (x, y) likewise
};
// Whether an edge lies at the max of the first and of the second other axis.
constexpr bool EdgeAtMax[4][2] = {{false, false}, {true, false}, {true, true}, {false, true}};

long double& Component(TPoint3D& p, int axis) { return axis == 0 ? p.X : axis == 1 ? p.Y : p.Z; }

TRealPoint Plus(const TRealPoint& a, const TRealPoint& b) { return MakeScreenPoint(a.X + b.X, a.Y + b.Y); }
TRealPoint Minus(const TRealPoint& a, const TRealPoint& b) { return MakeScreenPoint(a.X - b.X, a.Y - b.Y); }
TRealPoint Times(long double k, const TRealPoint& a) { return MakeScreenPoint(k * a.X, k * a.Y); }
long double LengthOf(const TRealPoint& a) { return sqrtl(a.X * a.X + a.Y * a.Y); }

TRealPoint Midpoint(const TXBEdge& e) {
  return Times(0.5L, Plus(e.FirstVertex()->Screen, e.LastVertex()->Screen));
}

long double SquaredLength(const TXBEdge& e) {
  const TRealPoint d = Minus(e.LastVertex()->Screen, e.FirstVertex()->Screen);
  return d.X * d.X + d.Y * d.Y;
}

bool Borders(const TXBEdge& e, const TXElem* face) { return e.Face1 == face || e.Face2 == face; }

// On the outline of the box: exactly one of its faces is a back face.
bool OnOutline(const TXBEdge& e) { return e.Face1->Facing != e.Face2->Facing; }

// Where a text of the given size is written whose anchor is P, on the
// side of the edge away from the box (N points into the box): above or
// below the anchor on a rather horizontal edge, left or right of it on a
// rather vertical one. Reach is how far the text stands out from the edge.
struct TPlacement {
  TRealPoint TopLeft;
  long double Reach;
};

TPlacement Place(const TRealPoint& P, TSize size, const TRealPoint& N, bool horizontal) {
  if (horizontal)
    return {MakeScreenPoint(P.X - size.cx / 2.0L, N.Y >= 0 ? P.Y - size.cy : P.Y), size.cy + CaptionBeyondLabels};
  return {MakeScreenPoint(N.X >= 0 ? P.X - size.cx : P.X, P.Y - size.cy / 2.0L), size.cx + CaptionBeyondLabels};
}

void Widen(TRealPoint& low, TRealPoint& high, const TRealPoint& topLeft, TSize size) {
  low = MakeScreenPoint(std::min(low.X, topLeft.X), std::min(low.Y, topLeft.Y));
  high = MakeScreenPoint(std::max(high.X, topLeft.X + size.cx), std::max(high.Y, topLeft.Y + size.cy));
}

void Line(TCanvas& canvas, const TRealPoint& from, const TRealPoint& to) {
  const TPoint a = ScreenPixel(from), b = ScreenPixel(to);
  canvas.MoveTo(a.X, a.Y);
  canvas.LineTo(b.X, b.Y);
}

}  // namespace

void TXGraph3D::BuildAxes() {
  AxisX = MakeAxis(0);
  AxisY = MakeAxis(1);
  AxisZ = MakeAxis(2);
}

std::unique_ptr<TXAxis> TXGraph3D::MakeAxis(std::uint8_t Index) {
  const bool labels = Index == 0 ? Options.LabelsX : Index == 1 ? Options.LabelsY : Options.LabelsZ;
  const bool grid = Index == 0 ? Options.GridX : Index == 1 ? Options.GridY : Options.GridZ;
  const std::string& caption = Index == 0 ? Options.TitleX : Index == 1 ? Options.TitleY : Options.TitleZ;
  if (!labels && !grid && caption.empty()) return nullptr;
  auto axis = std::make_unique<TXAxis>(Index, grid, labels);
  for (const auto& faces : EdgeFaces[Index]) axis->AddEdge(BoxFaces[std::size_t(faces[0])], BoxFaces[std::size_t(faces[1])]);
  const int first = Index == 0 ? 1 : 0, second = Index == 2 ? 1 : 2;  // the other two axes
  for (const TScaleTick& tick : ScaleTicks(Component(DataMin, Index), Component(DataMax, Index),
                                           Component(Step, Index), false)) {
    axis->AddTick(tick.Value);
    for (int e = 0; e < 4; ++e) {
      TPoint3D p = DataMin;
      Component(p, Index) = tick.Value;
      Component(p, first) = Component(EdgeAtMax[e][0] ? DataMax : DataMin, first);
      Component(p, second) = Component(EdgeAtMax[e][1] ? DataMax : DataMin, second);
      axis->GetEdge(e)->AddVertex(NewVertex(p));
    }
  }
  return axis;
}

TXBEdge* TXGraph3D::ChooseEdge(TXBEdge* E1, TXBEdge* E2, int Index) const {
  const TRealPoint m1 = Midpoint(*E1), m2 = Midpoint(*E2);
  if (Index == 2) return m1.X < m2.X ? E1 : E2;
  const TXElem* base = BoxFaces[4]->Facing ? BoxFaces[4] : BoxFaces[5];
  const bool onBase1 = Borders(*E1, base), onBase2 = Borders(*E2, base);
  if (onBase1 != onBase2) return onBase1 ? E1 : E2;
  const long double l1 = SquaredLength(*E1), l2 = SquaredLength(*E2);
  if (std::min(l1, l2) / std::max(l1, l2) <= 0.9L) return l1 > l2 ? E1 : E2;
  if (fabsl(m1.X - m2.X) > fabsl(m1.Y - m2.Y)) return m1.X > m2.X ? E1 : E2;
  return m1.Y > m2.Y ? E1 : E2;
}

// An axis without ticks has no edge: nothing of it can be placed.
void TXGraph3D::ChooseAxisEdge(TXAxis& Axis) {
  Axis.Edge = nullptr;
  if (Axis.Ticks.empty()) return;
  for (const auto& edge : Axis.Edges)
    if (OnOutline(*edge)) Axis.Edge = Axis.Edge ? ChooseEdge(Axis.Edge, edge.get(), Axis.Index) : edge.get();
}

TXBEdge* TXGraph3D::OppositeEdge(const TXAxis& Axis, const TXBEdge& E) const {
  int i = 0;
  while (Axis.GetEdge(i) != &E) ++i;
  return Axis.GetEdge(E.Face1->Facing ? (i + 3) % 4 : (i + 1) % 4);
}

void TXGraph3D::DrawAxes(TCanvas& Canvas, TXAxis* Axis, bool Draw, TRealPoint& MinCorner, TRealPoint& MaxCorner) {
  if (!Axis) return;
  if (!Draw) ChooseAxisEdge(*Axis);
  const std::string& caption = Axis->Index == 0 ? Options.TitleX : Axis->Index == 1 ? Options.TitleY : Options.TitleZ;
  TXBEdge* edge = Axis->Edge;
  if ((!Axis->Labels && caption.empty()) || !edge) return;
  const TRealPoint a = edge->FirstVertex()->Screen, b = edge->LastVertex()->Screen;
  const TRealPoint along = Minus(b, a), middle = Times(0.5L, Plus(a, b));
  const TRealPoint toCentre = Minus(ScreenCentre, middle);
  if (!(LengthOf(along) > ZeroLength) || !(LengthOf(toCentre) > ZeroLength)) {
    Axis->Edge = nullptr;
    return;
  }
  const TRealPoint u = Times(1 / LengthOf(along), along);
  TRealPoint inward = MakeScreenPoint(u.Y, -u.X);
  if (inward.X * toCentre.X + inward.Y * toCentre.Y < 0) inward = Times(-1, inward);
  const TXBEdge& opposite = *OppositeEdge(*Axis, *edge);
  const int n = edge->Count();
  QASSERT(int(Axis->Ticks.size()) == n && opposite.Count() == n, "Assertion failure");
  const bool horizontal = fabsl(along.X) >= fabsl(along.Y);
  if (Draw) {
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(1);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Font().Assign(Font);
  }
  long double reach = CaptionDistance;
  for (int k = 0; Axis->Labels && k < n; ++k) {
    const TRealPoint tick = edge->GetVertex(k)->Screen;
    const TRealPoint across = Minus(opposite.GetVertex(k)->Screen, tick);
    if (!(LengthOf(across) > ZeroLength)) {
      Axis->Edge = nullptr;
      return;
    }
    const TRealPoint intoWall = Times(1 / LengthOf(across), across);
    const bool inner = k > 0 && k < n - 1;
    if (Draw && inner) Line(Canvas, tick, Plus(tick, Times(TickLength, intoWall)));
    const std::string text = FormatLabel(Axis->Ticks[std::size_t(k)]);
    const TSize size = Canvas.TextExtent(text);
    const TPlacement label = Place(Minus(tick, Times(LabelDistance, intoWall)), size, inward, horizontal);
    reach = std::max(reach, label.Reach);
    // The end ticks of x and y sit at box corners, where z's labels are.
    if (!inner && Axis->Index != 2) continue;
    if (Draw) {
      const TPoint at = ScreenPixel(label.TopLeft);
      Canvas.TextOut(at.X, at.Y, text);
    } else {
      Widen(MinCorner, MaxCorner, label.TopLeft, size);
    }
  }
  if (caption.empty()) return;
  const TSize size = Canvas.TextExtent(caption);
  const TPlacement placed = Place(Minus(middle, Times(reach, inward)), size, inward, horizontal);
  if (Draw) {
    const TPoint at = ScreenPixel(placed.TopLeft);
    Canvas.TextOut(at.X, at.Y, caption);
  } else {
    Widen(MinCorner, MaxCorner, placed.TopLeft, size);
  }
}

// Around the ring, each pair of neighbouring edges shares a face; on a
// back face a line joins their ticks, the end ticks (on the box's edges) left out.
void TXGraph3D::DrawGrid(TCanvas& Canvas, const TXAxis* Axis) {
  if (!Axis || !Axis->Grid) return;
  GridPen.AssignTo(Canvas.Pen());
  const TXBEdge* previous = Axis->GetEdge(Axis->EdgeCount() - 1);
  for (const auto& edge : Axis->Edges) {
    QASSERT(previous->Face2 == edge->Face1, "Assertion failure");
    if (edge->Face1->Facing)
      for (int k = 1; k + 1 < edge->Count(); ++k) Line(Canvas, previous->GetVertex(k)->Screen, edge->GetVertex(k)->Screen);
    previous = edge.get();
  }
}
