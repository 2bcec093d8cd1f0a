// The renderer's state, its data sets, the view angles, the plotted ranges,
// the mapping into the view box, the projection and the layout.

#include "graphics/XGraph3D.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "graphics/PixelRound.h"
#include "graphics/PlotStyles.h"
#include "graphics/ScaleTicks.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Canvas.h"

TXGraph3D::TXGraph3D()
    : Buffer(0, 0, pf24bit),
      SavePen(clBlack, 1, psSolid),
      FramePen(clBlack, 1, psSolid),
      GridPen(clSilver, 1, psDot),
      SaveBrush(clWhite, bsSolid),
      BackBrush(clWhite, bsSolid),
      Matrix(IdentityMatrix4()) {
  Clear();
  ResetView();
  AddLight(MakePoint3D(1, 0, 0), MakeRGB3(1, 1, 1));
  SetDefaultContent();
}

TXGraph3D::~TXGraph3D() = default;

TXData* TXGraph3D::GetItem(int I) const {
  QASSERT(I >= 0 && I < Count(), "Assertion failure");
  return Items[std::size_t(I)].get();
}

void TXGraph3D::Clear() {
  Items.clear();
  ++ListChanges;
  DataMin = {-1, -1, -1};
  DataMax = {1, 1, 1};
  Step = {1, 1, 1};
}

TXData* TXGraph3D::AddItem(std::unique_ptr<TXData> Data) {
  Items.push_back(std::move(Data));
  ++ListChanges;
  TXData* data = Items.back().get();
  ApplyPaletteColours(*data, Items.size() - 1);
  return data;
}

TXData* TXGraph3D::AddData(const std::string& Name, std::uint8_t Kind) {
  switch (Kind) {
    case SeriesKind: return AddItem(std::make_unique<TXSeries>(Name));
    case Series3DKind: return AddItem(std::make_unique<TXSeries3D>(Name));
    case MeshKind: return AddItem(std::make_unique<TXMesh>(Name));
    case ShapeKind: return AddItem(std::make_unique<TXShape>(Name));
    case FieldKind: return AddItem(std::make_unique<TXField>(Name));
  }
  AssertionFailure("Assertion failure", __FILE__, __LINE__);
}

// sin(r) / r over r = x² + y², worked out in double precision.
void TXGraph3D::SetDefaultContent() {
  auto* mesh = static_cast<TXMesh*>(AddData("Sinc function", MeshKind));
  mesh->SetYCount(40);
  mesh->SetXCount(40);
  mesh->Opts.Renderer = rdGouraud;
  mesh->Opts.Shader = shHeightColourLight;
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 40; ++j) {
      const double x = (j - 19.5) * 7 / 39, y = (i - 19.5) * 7 / 39;
      const double r = x * x + y * y;
      const double z = std::fabs(r) <= 1e-100 ? 1 : std::sin(r) / r;
      mesh->SetPoint(i, j, MakePoint3D(x, y, z));
    }
}

TXLight* TXGraph3D::AddLight(const TPoint3D& Direction, const TRGBColor& Color) {
  Lights.push_back(std::make_unique<TXLight>(Direction, Color));
  return Lights.back().get();
}

void TXGraph3D::SetFont(const TFont& NewFont) { Font.Assign(NewFont); }

std::string TXGraph3D::FormatLabel(long double Value) const {
  return FormatTickLabel(Value, Options.Mantissa, Options.Exponent);
}

void TXGraph3D::ResetView() { View = {20, 0, 330}; }

void TXGraph3D::RotateAzimuth(int Steps) {
  long double azimuth = fmodl(View.Z + Steps * RotationStep, 360);
  if (azimuth < 0) azimuth += 360;
  // A tiny negative angle plus 360 rounds to 360.
  if (azimuth >= 360) azimuth -= 360;
  View.Z = azimuth;
}

void TXGraph3D::RotateElevation(int Steps) {
  View.X = std::clamp(View.X + Steps * RotationStep, MinElevation, MaxElevation);
}

namespace {

// A data set's bounds in one axis take part when they are not empty there.
void TakeBounds(long double lo, long double hi, long double& min, long double& max, bool& taken) {
  if (!(lo <= hi)) return;
  if (taken) {
    min = std::min(min, lo);
    max = std::max(max, hi);
  } else {
    min = lo;
    max = hi;
    taken = true;
  }
}

bool HasWidth(long double width) { return width != 0 && std::isfinite(width); }

}  // namespace

void TXGraph3D::ComputeRanges() {
  DataMin = {-1, -1, -1};
  DataMax = {1, 1, 1};
  bool takenX = false, takenY = false, takenZ = false;
  for (const auto& data : Items) {
    if (!data->Visible || data->BoundsEmpty()) continue;
    TakeBounds(data->Min.X, data->Max.X, DataMin.X, DataMax.X, takenX);
    TakeBounds(data->Min.Y, data->Max.Y, DataMin.Y, DataMax.Y, takenY);
    TakeBounds(data->Min.Z, data->Max.Z, DataMin.Z, DataMax.Z, takenZ);
  }
  Options.ExchangeRanges(DataMin, DataMax, Step);
}

// Lowers the low end from the rounded high end H by whole steps, halving
// the step (at most five times) while fewer than five steps span the range.
void TXGraph3D::RoundRange(long double& Lo, long double& Hi, long double& S) {
  const long double range = Hi - Lo;
  if (!std::isfinite(range) || range < 0) {
    S = 0;
    return;
  }
  if (range == 0) {
    Lo = ceill(Hi) - 1;
    Hi = Lo + 1;
    S = 0.2L;
    return;
  }
  long double step = powl(10, ceill(log10l(range / 10)));
  long double top = step * nearbyintl(Hi / step);
  if (Hi > top) top += step;
  long double bottom = Lo;
  int n = 0;
  for (int pass = 0; pass < 5 && n < 5; ++pass) {
    if (!StepDownTo(top, Lo, step, bottom, n)) {
      S = 0;
      return;
    }
    if (fabsl(bottom) < 1e-100L) bottom = 0;
    if (n < 5) {
      step /= 2;
      TrimScaleEnds(bottom, top, step, Lo, Hi);
    }
  }
  Lo = bottom;
  Hi = top;
  S = step;
}

long double TXGraph3D::MapRange(long double V, long double SrcLo, long double SrcHi, long double DstLo,
                                long double DstHi) {
  return DstLo + (DstHi - DstLo) * (V - SrcLo) / (SrcHi - SrcLo);
}

// The box is 2 x 2 x 1: the height axis is half as long as the ground axes.
TPoint3D TXGraph3D::ToViewBox(const TPoint3D& P) const {
  const TPoint3D boxed = MakePoint3D(MapRange(P.X, DataMin.X, DataMax.X, -1, 1),
                                     MapRange(P.Y, DataMin.Y, DataMax.Y, -1, 1),
                                     MapRange(P.Z, DataMin.Z, DataMax.Z, -0.5L, 0.5L));
  return TransformPoint3D(Matrix, boxed);
}

TXVertex* TXGraph3D::NewVertex(const TPoint3D& P) { return Vertices.New(ToViewBox(P)); }

TXVertex* TXGraph3D::GetVertex(int I) const {
  QASSERT(I >= 0 && I < VertexCount(), "Assertion failure");
  return Vertices[std::size_t(I)];
}

// Screen y grows downwards, so up in z is up on the screen. Scaling
// stretches each direction separately: the aspect ratio is not kept.
bool TXGraph3D::Project(TXVertex& V, const TRect& Rect, bool Scaled) const {
  const long double f = ViewDistance + V.Point.Y;
  if (!(f > 0)) return false;
  long double x = V.Point.X * ViewDistance / f;
  long double y = -(V.Point.Z * ViewDistance) / f;
  if (Scaled) {
    x = (x - ViewMin.X) * (Rect.Right - Rect.Left) / (ViewMax.X - ViewMin.X) + Rect.Left;
    y = (y - ViewMin.Y) * (Rect.Bottom - Rect.Top) / (ViewMax.Y - ViewMin.Y) + Rect.Top;
  }
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  V.Screen = MakeScreenPoint(x, y);
  return true;
}

void TXGraph3D::Layout(TCanvas& Canvas, TRect& Rect) {
  constexpr long double far = std::numeric_limits<long double>::infinity();
  ViewMin = MakeScreenPoint(far, far);
  ViewMax = MakeScreenPoint(-far, -far);
  for (int i = 0; i < 8; ++i) {
    TXVertex& corner = *GetVertex(i);
    Project(corner, Rect, false);
    ViewMin = MakeScreenPoint(std::min(ViewMin.X, corner.Screen.X), std::min(ViewMin.Y, corner.Screen.Y));
    ViewMax = MakeScreenPoint(std::max(ViewMax.X, corner.Screen.X), std::max(ViewMax.Y, corner.Screen.Y));
  }
  if (!Options.Title.empty()) Rect.Top += Canvas.TextHeight(Options.Title) + 5;
  InflateRect(Rect, -5, -5);
  if (Options.Legend || Options.HeightsBar) Rect.Right -= LegendWidth(Canvas);
  ProjectBoxVertices(Rect);
  // The back faces are the far sides of the box, drawn as walls.
  QASSERT(BoxFaces.size() == 6, "Assertion failure");
  for (TXElem* face : BoxFaces)
    face->Facing = IsFacing(*face->GetVertex(0), *face->GetVertex(1), *face->GetVertex(2)) < 0;
  if (AxisX || AxisY || AxisZ) MeasureLabels(Canvas, Rect);
}

// The plot area gives up what the labels and captions stick out of it.
void TXGraph3D::MeasureLabels(TCanvas& Canvas, TRect& Rect) {
  TRealPoint low = MakeScreenPoint(Rect.Right, Rect.Bottom);
  TRealPoint high = MakeScreenPoint(Rect.Left, Rect.Top);
  for (TXAxis* axis : {AxisX.get(), AxisY.get(), AxisZ.get()}) DrawAxes(Canvas, axis, false, low, high);
  const TPoint lowPixel = ScreenPixel(low), highPixel = ScreenPixel(high);
  const TRect measured = Rect;
  if (lowPixel.X < measured.Left) Rect.Left += measured.Left - lowPixel.X;
  if (lowPixel.Y < measured.Top) Rect.Top += measured.Top - lowPixel.Y;
  if (highPixel.X > measured.Right) Rect.Right -= highPixel.X - measured.Right;
  if (highPixel.Y > measured.Bottom) Rect.Bottom -= highPixel.Y - measured.Bottom;
  ProjectBoxVertices(Rect);
}

void TXGraph3D::ProjectBoxVertices(const TRect& Rect) {
  long double x = 0, y = 0;
  for (int i = 0; i < BoxVertexCount; ++i) {
    TXVertex& v = *GetVertex(i);
    Project(v, Rect, true);
    x += v.Screen.X;
    y += v.Screen.Y;
  }
  ScreenCentre = MakeScreenPoint(x / BoxVertexCount, y / BoxVertexCount);
}

// A range of no width cannot be mapped into the box; a reversed one can
// (the box is mirrored and no data lies inside it).
bool TXGraph3D::SceneDrawable() const {
  return HasWidth(DataMax.X - DataMin.X) && HasWidth(DataMax.Y - DataMin.Y) && HasWidth(DataMax.Z - DataMin.Z) &&
         std::isfinite(View.X) && std::isfinite(View.Z);
}

// Turned by the azimuth about the vertical axis first, then by the
// elevation about the x axis.
void TXGraph3D::SetViewMatrix() {
  constexpr long double radians = std::numbers::pi_v<long double> / 180;
  const TQuaternion azimuth = QuatFromAxisAngle(MakePoint3D(0, 0, 1), View.Z * radians);
  const TQuaternion elevation = QuatFromAxisAngle(MakePoint3D(1, 0, 0), View.X * radians);
  Matrix = QuatToMatrix(QuatMultiply(elevation, azimuth));
}
