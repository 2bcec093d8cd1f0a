#include "graphics/XData.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace {

CountedPtr<IVector> NewVector() { return MakeCounted<TVector>(); }

// Shape arrays answer a bad index with the runtime's range error.
void CheckIndex(std::int32_t i, std::size_t count) {
  if (i < 0 || std::size_t(i) >= count) throw ERangeError();
}

long double NormalizedAngle(long double degrees) {
  if (!std::isfinite(degrees)) return 0;
  long double angle = fmodl(degrees, 360);
  if (angle < 0) angle += 360;
  return angle < 360 ? angle : 0;
}

TQuaternion AxisRotation(long double x, long double y, long double z, long double degrees) {
  return QuatFromAxisAngle(MakePoint3D(x, y, z), degrees * std::numbers::pi_v<long double> / 180);
}

// A matrix without storage would leave counts that disagree with it: the
// matrix is sized first, so a failure leaves the mesh as it was.
void RequireStorage(bool allocated) {
  if (!allocated) AssertionFailure(MatrixErrorText(MatrixNoMemory).c_str(), __FILE__, __LINE__);
}

}  // namespace

bool IsFinitePoint(const TPoint3D& P) { return std::isfinite(P.X) && std::isfinite(P.Y) && std::isfinite(P.Z); }

void TXPen::AssignFrom(const TPen& Pen) {
  Color = Pen.Color();
  Width = Pen.Width();
  Style = std::uint8_t(Pen.Style());
}

void TXPen::AssignTo(TPen& Pen) const {
  Pen.SetColor(Color);
  Pen.SetWidth(Width);
  Pen.SetStyle(TPenStyle(Style));
}

void TXBrush::AssignFrom(const TBrush& Brush) {
  Color = Brush.Color();
  Style = std::uint8_t(Brush.Style());
}

void TXBrush::AssignTo(TBrush& Brush) const {
  Brush.SetColor(Color);
  Brush.SetStyle(TBrushStyle(Style));
}

TXData::TXData(std::string Name, std::uint8_t Kind)
    : Name(std::move(Name)),
      Kind(Kind),
      Opts(dkLine, bkRight, smCircle, rdFlat, shColour),
      Pen(clBlack, 1, psSolid),
      Brush(clWhite, bsSolid),
      Min{1, 1, 1},
      Max{0, 0, 0} {}

void TXData::AssignStyle(const TXData& Source) {
  Name = Source.Name;
  Opts.Assign(Source.Opts);
  Pen.Assign(Source.Pen);
  Brush.Assign(Source.Brush);
  Visible = Source.Visible;
}

void TXData::EmptyBounds() {
  Min = {1, 1, 1};
  Max = {-1, -1, -1};
}

void TXData::Assign(const TXData& Source) {
  AssignStyle(Source);
  Kind = Source.Kind;
  Min = Source.Min;
  Max = Source.Max;
}

TXSeries::TXSeries(std::string Name) : TXData(std::move(Name), SeriesKind), X(NewVector()), Y(NewVector()) { Clear(); }

void TXSeries::Assign(const TXData& Source) {
  TXData::Assign(Source);
  const auto* series = dynamic_cast<const TXSeries*>(&Source);
  if (!series || Source.Kind != SeriesKind) return;
  X->Assign(*series->X);
  Y->Assign(*series->Y);
}

void TXSeries::Clear() {
  X->SetSize(0);
  Y->SetSize(0);
  EmptyBounds();
}

void TXSeries::SetCount(std::int64_t N) {
  QASSERT(N >= 0, "Assertion failure");
  if (N == Count()) return;
  X->SetSize(N);
  Y->SetSize(N);
}

void TXSeries::AddPoint(long double PX, long double PY) {
  ExtendBounds(PX, PY);
  X->Append(PX);
  Y->Append(PY);
}

void TXSeries::SetPoints(CountedPtr<IVector> PX, CountedPtr<IVector> PY) {
  QASSERT(PX->GetSize() == PY->GetSize(), "Assertion failure");
  EmptyBounds();
  X = std::move(PX);
  Y = std::move(PY);
  for (std::int64_t i = 0; i < Count(); ++i) ExtendBounds(X->GetItem(i), Y->GetItem(i));
}

void TXSeries::ExtendBounds(long double PX, long double PY) {
  if (!std::isfinite(PX) || !std::isfinite(PY)) return;
  if (BoundsEmpty()) {
    Min.X = Max.X = PX;
    Min.Y = Max.Y = PY;
    return;
  }
  if (PX < Min.X) Min.X = PX;
  if (PX > Max.X) Max.X = PX;
  if (PY < Min.Y) Min.Y = PY;
  if (PY > Max.Y) Max.Y = PY;
}

TXSeries3D::TXSeries3D(std::string Name)
    : TXData(std::move(Name), Series3DKind), X(NewVector()), Y(NewVector()), Z(NewVector()) {
  Clear();
}

void TXSeries3D::Assign(const TXData& Source) {
  TXData::Assign(Source);
  const auto* series = dynamic_cast<const TXSeries3D*>(&Source);
  if (!series || Source.Kind != Series3DKind) return;
  X->Assign(*series->X);
  Y->Assign(*series->Y);
  Z->Assign(*series->Z);
  Elems.assign(std::size_t(Count()), nullptr);
}

void TXSeries3D::Clear() {
  SetCount(0);
  EmptyBounds();
}

void TXSeries3D::SetCount(std::int64_t N) {
  QASSERT(N >= 0, "Assertion failure");
  if (N == Count() && std::size_t(N) == Elems.size()) return;
  X->SetSize(N);
  Y->SetSize(N);
  Z->SetSize(N);
  Elems.resize(std::size_t(N), nullptr);
}

void TXSeries3D::AddPoint(long double PX, long double PY, long double PZ) {
  const TPoint3D p = MakePoint3D(PX, PY, PZ);
  if (IsFinitePoint(p)) ExtendBounds3D(p, Min, Max);
  X->Append(PX);
  Y->Append(PY);
  Z->Append(PZ);
  Elems.push_back(nullptr);
}

void TXSeries3D::SetPoints(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IVector> PZ) {
  QASSERT(PX->GetSize() == PY->GetSize() && PX->GetSize() == PZ->GetSize(), "Assertion failure");
  EmptyBounds();
  X = std::move(PX);
  Y = std::move(PY);
  Z = std::move(PZ);
  Elems.assign(std::size_t(Count()), nullptr);
  for (std::int64_t i = 0; i < Count(); ++i) {
    const TPoint3D p = MakePoint3D(X->GetItem(i), Y->GetItem(i), Z->GetItem(i));
    if (IsFinitePoint(p)) ExtendBounds3D(p, Min, Max);
  }
}

TXElem* TXSeries3D::GetElem(std::int64_t I) const {
  if (I < 0 || std::uint64_t(I) >= Elems.size()) return nullptr;
  return Elems[std::size_t(I)];
}

void TXSeries3D::SetElem(std::int64_t I, TXElem* Elem) {
  QASSERT(I >= 0 && std::uint64_t(I) < Elems.size(), "Assertion failure");
  Elems[std::size_t(I)] = Elem;
}

TXMesh::TXMesh(std::string Name)
    : TXData(std::move(Name), MeshKind), Z(MakeCounted<TMatrix>()), X(NewVector()), Y(NewVector()) {
  Opts.DrawKind = dkSurface;
  Pen.Style = psClear;
  Opts.Shader = shSimpleLighting;
}

void TXMesh::Assign(const TXData& Source) {
  TXData::Assign(Source);
  const auto* mesh = dynamic_cast<const TXMesh*>(&Source);
  if (!mesh || Source.Kind != MeshKind) return;
  X->Assign(*mesh->X);
  Y->Assign(*mesh->Y);
  RequireStorage(Z->Assign(*mesh->Z));
}

void TXMesh::SetXCount(std::int32_t N) {
  QASSERT(N >= 0, "Assertion failure");
  RequireStorage(Z->SetSize(YCount(), N));
  X->SetSize(N);
}

void TXMesh::SetYCount(std::int32_t N) {
  QASSERT(N >= 0, "Assertion failure");
  RequireStorage(Z->SetSize(N, XCount()));
  Y->SetSize(N);
}

TPoint3D TXMesh::GetPoint(std::int32_t Row, std::int32_t Col) const {
  return MakePoint3D(X->GetItem(Col), Y->GetItem(Row), Z->GetItem(Row, Col));
}

void TXMesh::SetPoint(std::int32_t Row, std::int32_t Col, const TPoint3D& P) {
  QASSERT(Row >= 0 && Row < YCount() && Col >= 0 && Col < XCount(), "Assertion failure");
  X->SetItem(Col, P.X);
  Y->SetItem(Row, P.Y);
  Z->SetItem(Row, Col, P.Z);
  if (IsFinitePoint(P)) ExtendBounds3D(P, Min, Max);
}

void TXMesh::SetGrid(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IMatrix> PZ) {
  QASSERT(PX->GetSize() == PZ->GetCols() && PY->GetSize() == PZ->GetRows(), "Assertion failure");
  X = std::move(PX);
  Y = std::move(PY);
  Z = std::move(PZ);
  for (std::int32_t row = 0; row < YCount(); ++row)
    for (std::int32_t col = 0; col < XCount(); ++col) {
      const TPoint3D p = GetPoint(row, col);
      if (IsFinitePoint(p)) ExtendBounds3D(p, Min, Max);
    }
}

TXShape::TXShape(std::string Name) : TXData(std::move(Name), ShapeKind) { Opts.DrawKind = dkShape; }

void TXShape::Assign(const TXData& Source) {
  TXData::Assign(Source);
  const auto* shape = dynamic_cast<const TXShape*>(&Source);
  if (!shape || Source.Kind != ShapeKind) return;
  Size = shape->Size;
  Position = shape->Position;
  SetVertexCount(shape->VertexCount());
  SetFaceCount(shape->FaceCount());
  Vertices = shape->Vertices;
  Faces = shape->Faces;
  SetRotation(shape->Rotation);
}

void TXShape::SetVertexCount(std::int32_t N) {
  QASSERT(N >= 0, "Assertion failure");
  Vertices.resize(std::size_t(N));
  VertexObjs.resize(std::size_t(N), nullptr);
}

void TXShape::SetFaceCount(std::int32_t N) {
  QASSERT(N >= 0, "Assertion failure");
  Faces.resize(std::size_t(N));
}

TPoint3D TXShape::TransformVertex(const TPoint3D& P) const {
  const TPoint3D scaled = MakePoint3D(Size.X * P.X, Size.Y * P.Y, Size.Z * P.Z);
  return AddPoint3D(TransformPoint3D(Matrix, scaled), Position);
}

std::int32_t TXShape::AddVertex(long double PX, long double PY, long double PZ) {
  const TPoint3D p = TransformVertex(MakePoint3D(PX, PY, PZ));
  if (IsFinitePoint(p)) ExtendBounds3D(p, Min, Max);
  Vertices.push_back(p);
  VertexObjs.push_back(nullptr);
  return VertexCount() - 1;
}

std::int32_t TXShape::AddFace(std::int32_t V1, std::int32_t V2, std::int32_t V3, std::int32_t V4) {
  Faces.push_back({V1, V2, V3, V4});
  return FaceCount() - 1;
}

TPoint3D TXShape::GetVertex(std::int32_t I) const {
  CheckIndex(I, Vertices.size());
  return Vertices[std::size_t(I)];
}

TXFace TXShape::GetFace(std::int32_t I) const {
  CheckIndex(I, Faces.size());
  return Faces[std::size_t(I)];
}

void TXShape::SetVertexObj(std::int32_t I, TXVertex* V) {
  CheckIndex(I, VertexObjs.size());
  VertexObjs[std::size_t(I)] = V;
}

TXVertex* TXShape::GetVertexObj(std::int32_t I) const {
  if (I < 0 || std::size_t(I) >= VertexObjs.size()) return nullptr;
  return VertexObjs[std::size_t(I)];
}

void TXShape::SetRotation(const TPoint3D& Angles) {
  if (Angles == Rotation) return;
  Rotation = MakePoint3D(NormalizedAngle(Angles.X), NormalizedAngle(Angles.Y), NormalizedAngle(Angles.Z));
  // x first, then y, then z: the rightmost factor acts first.
  const TQuaternion q = QuatMultiply(AxisRotation(0, 0, 1, Rotation.Z),
                                     QuatMultiply(AxisRotation(0, 1, 0, Rotation.Y), AxisRotation(1, 0, 0, Rotation.X)));
  Matrix = QuatToMatrix(q);
}

TXField::TXField(std::string Name)
    : TXData(std::move(Name), FieldKind),
      X(NewVector()),
      Y(NewVector()),
      Z(NewVector()),
      VX(NewVector()),
      VY(NewVector()),
      VZ(NewVector()) {
  Opts.DrawKind = dkArrows;
}

void TXField::SetCount(std::int64_t N) {
  QASSERT(N >= 0, "Assertion failure");
  if (N == Count()) return;
  for (IVector* v : {X.get(), Y.get(), Z.get(), VX.get(), VY.get(), VZ.get()}) v->SetSize(N);
}

TPoint3D TXField::GetPoint(std::int64_t I) const { return MakePoint3D(X->GetItem(I), Y->GetItem(I), Z->GetItem(I)); }

TPoint3D TXField::GetVector(std::int64_t I) const {
  return MakePoint3D(VX->GetItem(I), VY->GetItem(I), VZ->GetItem(I));
}

void TXField::SetPoint(std::int64_t I, const TPoint3D& P) {
  X->SetItem(I, P.X);
  Y->SetItem(I, P.Y);
  Z->SetItem(I, P.Z);
  if (IsFinitePoint(P)) ExtendBounds3D(P, Min, Max);
}

void TXField::SetVector(std::int64_t I, const TPoint3D& V) {
  VX->SetItem(I, V.X);
  VY->SetItem(I, V.Y);
  VZ->SetItem(I, V.Z);
  const TPoint3D tip = AddPoint3D(GetPoint(I), V);
  if (IsFinitePoint(tip)) ExtendBounds3D(tip, Min, Max);
}

void TXField::SetArrows(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IVector> PZ,
                        CountedPtr<IVector> PVX, CountedPtr<IVector> PVY, CountedPtr<IVector> PVZ) {
  const std::int64_t n = PX->GetSize();
  for (const IVector* v : {PY.get(), PZ.get(), PVX.get(), PVY.get(), PVZ.get()})
    QASSERT(v->GetSize() == n, "Assertion failure");
  X = std::move(PX);
  Y = std::move(PY);
  Z = std::move(PZ);
  VX = std::move(PVX);
  VY = std::move(PVY);
  VZ = std::move(PVZ);
  for (std::int64_t i = 0; i < n; ++i) {
    const TPoint3D p = GetPoint(i);
    const TPoint3D tip = AddPoint3D(p, GetVector(i));
    if (IsFinitePoint(p)) ExtendBounds3D(p, Min, Max);
    if (IsFinitePoint(tip)) ExtendBounds3D(tip, Min, Max);
  }
}
