// Building the scene: the box, the data sets as shaded and projected
// vertices and elements, and the depth order.

#include <algorithm>

#include "graphics/XGraph3D.h"
#include "runtime/Exceptions.h"

bool TXGraph3D::Build(TCanvas& Canvas, TRect& Rect) {
  ClearScene();
  if (Items.empty()) return false;
  ComputeRanges();
  RoundRanges();
  if (!SceneDrawable()) return false;
  SetViewMatrix();
  AddBox();
  BuildAxes();
  BoxVertexCount = VertexCount();
  Layout(Canvas, Rect);
  if (IsRectEmpty(Rect)) {
    ClearScene();
    return false;
  }
  // While the view is dragged with FastDraw on the data would not be
  // painted: it is not built either, which keeps the frame quick.
  if (Options.FastDraw && Rotating) return true;
  BuildDataSets(Rect);
  SortElements();
  return true;
}

void TXGraph3D::ClearScene() {
  Vertices.Clear();
  elements_.Clear();
  Elements.clear();
  BoxFaces.clear();
  AxisX.reset();
  AxisY.reset();
  AxisZ.reset();
  BoxVertexCount = 0;
}

void TXGraph3D::RoundRanges() {
  if (Options.AutoX) RoundRange(DataMin.X, DataMax.X, Step.X);
  if (Options.AutoY) RoundRange(DataMin.Y, DataMax.Y, Step.Y);
  if (Options.AutoZ) RoundRange(DataMin.Z, DataMax.Z, Step.Z);
}

// Corners 0..3 on the floor and 4..7 above them, counter-clockwise from
// (min, min); faces 0..3 the sides y = min, x = max, y = max, x = min,
// face 4 the floor and face 5 the top.
void TXGraph3D::AddBox() {
  const TPoint3D& lo = DataMin;
  const TPoint3D& hi = DataMax;
  for (long double z : {lo.Z, hi.Z}) {
    NewVertex(MakePoint3D(lo.X, lo.Y, z));
    NewVertex(MakePoint3D(hi.X, lo.Y, z));
    NewVertex(MakePoint3D(hi.X, hi.Y, z));
    NewVertex(MakePoint3D(lo.X, hi.Y, z));
  }
  static constexpr int faces[6][4] = {{0, 4, 5, 1}, {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}, {0, 1, 2, 3}, {4, 7, 6, 5}};
  for (const auto& face : faces)
    BoxFaces.push_back(AddPolygon(GetVertex(face[0]), GetVertex(face[1]), GetVertex(face[2]), GetVertex(face[3]), nullptr));
}

// A 2D series adds nothing to a 3D scene.
void TXGraph3D::BuildDataSets(const TRect& Rect) {
  for (const auto& item : Items) {
    if (!item->Visible) continue;
    if (auto* series = dynamic_cast<TXSeries3D*>(item.get()))
      BuildSeries3D(*series, Rect);
    else if (auto* mesh = dynamic_cast<TXMesh*>(item.get()))
      BuildMesh(*mesh, Rect);
    else if (auto* shape = dynamic_cast<TXShape*>(item.get()))
      BuildShape(*shape, Rect);
    else if (auto* field = dynamic_cast<TXField*>(item.get()))
      BuildField(*field, Rect);
  }
}

bool TXGraph3D::InBox(const TPoint3D& P) const {
  return DataMin.X <= P.X && P.X <= DataMax.X && DataMin.Y <= P.Y && P.Y <= DataMax.Y && DataMin.Z <= P.Z &&
         P.Z <= DataMax.Z;
}

TXElem* TXGraph3D::NewElement(std::uint8_t Kind, TXData* Data) {
  TXElem* elem = elements_.New(Kind, Data);
  elem->Sequence = std::uint32_t(elements_.Count() - 1);
  return elem;
}

TXVertex* TXGraph3D::DataVertex(const TPoint3D& P, std::int32_t Index, const TRect& Rect) {
  if (!IsFinitePoint(P)) return nullptr;
  TXVertex* v = NewVertex(P);
  v->Index = Index;
  if (IsFinitePoint(v->Point) && Project(*v, Rect, true)) return v;
  Vertices.RemoveLast();
  return nullptr;
}

TXElem* TXGraph3D::AddPolygon(TXVertex* V1, TXVertex* V2, TXVertex* V3, TXVertex* V4, TXData* Data) {
  TXElem* polygon = NewElement(TXElem::PolygonKind, Data);
  polygon->AddVertex(V1);
  polygon->AddVertex(V2);
  polygon->AddVertex(V3);
  if (V4) polygon->AddVertex(V4);
  if (Data) Elements.push_back(polygon);
  return polygon;
}

int TXGraph3D::IsFacing(const TXVertex& V1, const TXVertex& V2, const TXVertex& V3) {
  const TRealPoint& a = V1.Screen;
  const TRealPoint& b = V2.Screen;
  const TRealPoint& c = V3.Screen;
  return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X) >= 0 ? 1 : -1;
}

int TXGraph3D::CompareDepth(const TXElem& A, const TXElem& B) {
  const long double a = A.Depth(), b = B.Depth();
  return a == b ? 0 : a < b ? 1 : -1;
}

// The order of CompareDepth, with build order breaking the ties so that a
// scene always paints the same way. The keys sit side by side, so that the
// sort does not chase every element through the pool, and compare as
// doubles: rounding keeps the order, and only equal doubles need the
// exact depth.
void TXGraph3D::SortElements() {
  sortKeys_.clear();
  for (TXElem* elem : Elements) sortKeys_.push_back({double(elem->Depth()), elem->Sequence, elem});
  std::sort(sortKeys_.begin(), sortKeys_.end(), [](const TDepthKey& a, const TDepthKey& b) {
    if (a.Depth != b.Depth) return a.Depth > b.Depth;
    const int order = CompareDepth(*a.Elem, *b.Elem);
    return order < 0 || (order == 0 && a.Sequence < b.Sequence);
  });
  for (std::size_t i = 0; i < sortKeys_.size(); ++i) Elements[i] = sortKeys_[i].Elem;
}

// One element per point, stored in the series' slot so that the line to
// the point can find the element of the point before it. A point without
// a vertex leaves its slot null: the line breaks there. Points outside the
// box keep their elements (markers are drawn everywhere) with Facing off.
void TXGraph3D::BuildSeries3D(TXSeries3D& Series, const TRect& Rect) {
  const std::int64_t count = std::min<std::int64_t>(Series.Count(), std::int64_t(Series.Elems.size()));
  const bool stems = Series.Opts.DrawKind == dkStems;
  for (std::int64_t i = 0; i < count; ++i) {
    const TPoint3D p = MakePoint3D(Series.X->GetItem(i), Series.Y->GetItem(i), Series.Z->GetItem(i));
    Series.SetElem(i, nullptr);
    TXVertex* point = DataVertex(p, std::int32_t(i), Rect);
    if (!point) continue;
    ShadeVertex(*point, Series, MakePoint3D(0, 0, 1), p.Z);
    TXVertex* foot = nullptr;
    if (stems) {
      // The foot stands on the floor, also below a point under the floor.
      foot = DataVertex(MakePoint3D(p.X, p.Y, DataMin.Z), std::int32_t(i), Rect);
      if (!foot) {
        Vertices.RemoveLast();
        continue;
      }
      foot->Color = point->Color;
    }
    TXElem* elem = NewElement(TXElem::LineKind, &Series);
    elem->Index = std::int32_t(i);
    elem->Facing = InBox(p);
    elem->AddVertex(point);
    if (foot) elem->AddVertex(foot);
    Elements.push_back(elem);
    Series.SetElem(i, elem);
  }
}

// A cell whose four corners have vertices becomes one polygon, or two
// triangles when it is folded on the screen (its halves face different
// ways); a point outside the box leaves a hole of up to four cells.
void TXGraph3D::BuildMesh(TXMesh& Mesh, const TRect& Rect) {
  const int rows = Mesh.YCount(), cols = Mesh.XCount();
  GridColumns = std::size_t(cols);
  Grid.assign(std::size_t(rows) * GridColumns, nullptr);
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      const TPoint3D p = Mesh.GetPoint(i, j);
      if (InBox(p)) Grid[std::size_t(i) * GridColumns + std::size_t(j)] = DataVertex(p, i * cols + j, Rect);
    }
  const bool scatter = Mesh.Opts.DrawKind == dkScatter;
  PrepareMeshNormals(Mesh);
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      TXVertex* v = GridVertex(i, j);
      if (!v) continue;
      ShadeMeshVertex(Mesh, i, j);
      if (!scatter) continue;
      TXElem* marker = NewElement(TXElem::LineKind, &Mesh);
      marker->Index = v->Index;
      marker->AddVertex(v);
      Elements.push_back(marker);
    }
  if (scatter) return;
  for (int i = 0; i + 1 < rows; ++i)
    for (int j = 0; j + 1 < cols; ++j) AddMeshCell(Mesh, i, j);
}

void TXGraph3D::AddMeshCell(TXMesh& Mesh, int Row, int Col) {
  TXVertex* v00 = GridVertex(Row, Col);
  TXVertex* v10 = GridVertex(Row + 1, Col);
  TXVertex* v11 = GridVertex(Row + 1, Col + 1);
  TXVertex* v01 = GridVertex(Row, Col + 1);
  if (!v00 || !v10 || !v11 || !v01) return;
  const int first = IsFacing(*v00, *v10, *v01), second = IsFacing(*v11, *v01, *v10);
  if (first == second) {
    AddPolygon(v00, v10, v11, v01, &Mesh)->Facing = first > 0;
    return;
  }
  AddPolygon(v00, v10, v01, nullptr, &Mesh)->Facing = first > 0;
  AddPolygon(v11, v01, v10, nullptr, &Mesh)->Facing = second > 0;
}

// Vertices outside the box get no vertex object; a face that names one,
// or an index outside the vertex list, is not drawn.
void TXGraph3D::BuildShape(TXShape& Shape, const TRect& Rect) {
  for (std::int32_t i = 0; i < Shape.VertexCount(); ++i) {
    const TPoint3D& p = Shape.Vertices[std::size_t(i)];
    Shape.SetVertexObj(i, InBox(p) ? DataVertex(p, i, Rect) : nullptr);
  }
  if (Shape.Opts.Shader != shColour) ShadeShape(Shape);
  std::array<TXVertex*, 4> corners;
  for (const TXFace& face : Shape.Faces) {
    const int n = FaceVertices(Shape, face, corners);
    if (n > 0) AddPolygon(corners[0], corners[1], corners[2], n == 4 ? corners[3] : nullptr, &Shape);
  }
}

// Only the fourth index may be negative: it makes the face a triangle.
int TXGraph3D::FaceVertices(const TXShape& Shape, const TXFace& Face, std::array<TXVertex*, 4>& Corners) const {
  const std::int32_t count = Shape.VertexCount();
  auto valid = [count](std::int32_t i) { return i >= 0 && i < count; };
  if (!valid(Face.V1) || !valid(Face.V2) || !valid(Face.V3) || Face.V4 >= count) return 0;
  Corners = {Shape.GetVertexObj(Face.V1), Shape.GetVertexObj(Face.V2), Shape.GetVertexObj(Face.V3),
             Shape.GetVertexObj(Face.V4)};
  if (!Corners[0] || !Corners[1] || !Corners[2]) return 0;
  if (Face.V4 < 0) return 3;
  return Corners[3] ? 4 : 0;
}

// An arrow from each point inside the box; its tip may lie outside.
void TXGraph3D::BuildField(TXField& Field, const TRect& Rect) {
  for (std::int64_t i = 0; i < Field.Count(); ++i) {
    const TPoint3D p = Field.GetPoint(i);
    if (!InBox(p)) continue;
    TXVertex* tail = DataVertex(p, std::int32_t(i), Rect);
    if (!tail) continue;
    TXVertex* tip = DataVertex(AddPoint3D(p, Field.GetVector(i)), std::int32_t(i), Rect);
    if (!tip) {
      Vertices.RemoveLast();
      continue;
    }
    TXElem* arrow = NewElement(TXElem::LineKind, &Field);
    arrow->Index = std::int32_t(i);
    arrow->AddVertex(tail);
    arrow->AddVertex(tip);
    Elements.push_back(arrow);
  }
}
