// The renderer's data sets, its scale box and the mapping from data to pixels.

#include "graphics/XGraph.h"

#include <algorithm>
#include <cmath>

#include "graphics/PixelRound.h"
#include "graphics/PlotStyles.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Pen.h"

TXGraph::TXGraph()
    : GridPen(clSilver, 1, psDot),
      FramePen(clBlack, 1, psSolid),
      SavePen(clBlack, 1, psSolid),
      BackBrush(clWhite, bsSolid),
      SaveBrush(clWhite, bsSolid),
      Buffer(0, 0, pf24bit) {
  Clear();
  SetDefaultContent();
}

TXGraph::~TXGraph() = default;

void TXGraph::Clear() {
  Items.clear();
  ++ListChanges;
  DataMin = {-1, -1, -1};
  DataMax = {1, 1, 1};
  Step = {1, 1, 1};
}

TXData* TXGraph::AddData(const std::string& Name, std::uint8_t Kind) {
  switch (Kind) {
    case SeriesKind: return AddItem(std::make_unique<TXSeries>(Name));
    case Series3DKind: {
      auto errors = std::make_unique<TXSeries3D>(Name);
      errors->Opts.DrawKind = dkErrors;
      return AddItem(std::move(errors));
    }
    case MeshKind: return AddItem(std::make_unique<TXMesh>(Name));
    case FieldKind: return AddItem(std::make_unique<TXField>(Name));
  }
  AssertionFailure("Assertion failure", __FILE__, __LINE__);
}

TXData* TXGraph::AddItem(std::unique_ptr<TXData> Data) {
  Items.push_back(std::move(Data));
  ++ListChanges;
  TXData* data = Items.back().get();
  ApplyPaletteColours(*data, Items.size() - 1);
  return data;
}

TXData* TXGraph::GetItem(int I) const {
  QASSERT(I >= 0 && I < Count(), "Assertion failure");
  return Items[std::size_t(I)].get();
}

void TXGraph::SetFont(const TFont& NewFont) { Font.Assign(NewFont); }

void TXGraph::SetDefaultContent() {
  auto* mesh = static_cast<TXMesh*>(AddData("Sin(x*y)", MeshKind));
  mesh->SetYCount(40);
  mesh->SetXCount(40);
  mesh->Opts.Renderer = rdGouraud;
  mesh->Opts.Shader = shColourHeight;
  mesh->Opts.DrawKind = dkSurface;
  mesh->Brush.Style = bsSolid;
  mesh->Pen.Style = psClear;
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 40; ++j) {
      const double x = (j - 19.5) * 10 / 39;
      const double y = (i - 19.5) * 7 / 39;
      mesh->SetPoint(i, j, MakePoint3D(x, y, sinl((long double)x * y)));
    }
}

bool TXGraph::IsLogX() const { return Options.CoordSys == csLogLin || Options.CoordSys == csLogLog; }

bool TXGraph::IsLogY() const { return Options.CoordSys == csLinLog || Options.CoordSys == csLogLog; }

namespace {

struct TBox {
  TPoint3D Lo;
  TPoint3D Hi;
};

// Bars take the width of their alignment beside the points.
void WidenForBars(TBox& box, TBarKind kind, long double n, bool logX) {
  long double& lo = box.Lo.X;
  long double& hi = box.Hi.X;
  switch (kind) {
    case bkLeft:
      if (!logX) lo -= (hi - lo) / n;
      break;
    case bkCentre:
      if (!logX) lo -= (hi - lo) * 0.5L / n;
      hi += (hi - lo) * 0.5L / n;
      break;
    case bkRight: hi += (hi - lo) / n; break;
  }
}

// The box a visible, non-empty data set asks for.
TBox BoxOf(const TXData& data, bool logX, bool logY, bool polar) {
  TBox box{data.Min, data.Max};
  if (const auto* series = dynamic_cast<const TXSeries*>(&data)) {
    const TDrawKind kind = data.Opts.DrawKind;
    if (kind == dkBars) WidenForBars(box, data.Opts.BarKind, series->Count(), logX);
    if ((kind == dkWall || kind == dkBars || kind == dkStems) && !logY) {
      if (!(box.Hi.Y >= 0)) box.Hi.Y = 0;
      if (box.Lo.Y > 0) box.Lo.Y = 0;
    }
  } else if (dynamic_cast<const TXSeries3D*>(&data)) {
    const long double e = std::max(fabsl(box.Hi.Z), fabsl(box.Lo.Z));
    box.Lo.Y -= e;
    box.Hi.Y += e;
  }
  if (polar) {
    const long double r = std::max(fabsl(box.Lo.Y), fabsl(box.Hi.Y));
    box.Lo.Y = -r;
    box.Hi.Y = r;
  }
  return box;
}

void Widen(long double lo, long double hi, long double& min, long double& max) {
  min = std::min(min, lo);
  max = std::max(max, hi);
}

}  // namespace

// A data set without a finite point takes no part. The z axis takes only
// z bounds that are not empty (a 2D series has none); when no data set has
// any, the first data set's z bounds stand, as for the other axes.
void TXGraph::AutoScale() {
  DataMin = {-1, -1, -1};
  DataMax = {1, 1, 1};
  bool first = true;
  bool haveZ = false;
  long double zMin = 0, zMax = 0;
  for (const auto& data : Items) {
    if (!data->Visible || data->BoundsEmpty()) continue;
    const TBox box = BoxOf(*data, IsLogX(), IsLogY(), Options.CoordSys == csPolar);
    if (first) {
      DataMin = box.Lo;
      DataMax = box.Hi;
      first = false;
    } else {
      Widen(box.Lo.X, box.Hi.X, DataMin.X, DataMax.X);
      Widen(box.Lo.Y, box.Hi.Y, DataMin.Y, DataMax.Y);
      Widen(box.Lo.Z, box.Hi.Z, DataMin.Z, DataMax.Z);
    }
    if (!(box.Lo.Z <= box.Hi.Z)) continue;
    if (!haveZ) {
      zMin = box.Lo.Z;
      zMax = box.Hi.Z;
      haveZ = true;
    }
    Widen(box.Lo.Z, box.Hi.Z, zMin, zMax);
  }
  if (haveZ) {
    DataMin.Z = zMin;
    DataMax.Z = zMax;
  }
  Options.ExchangeRanges(DataMin, DataMax, Step);
}

namespace {

// How far v lies from min in pixels, when min .. max spans extent pixels.
long double Offset(long double v, long double min, long double max, bool logarithmic, int extent) {
  if (logarithmic) return (log10l(v) - log10l(min)) * extent / (log10l(max) - log10l(min));
  return (v - min) * extent / (max - min);
}

}  // namespace

// Each coordinate is clamped to +-2^30 before rounding, and a NaN maps to
// 0 like a non-positive value on a logarithmic axis.
TPoint TXGraph::WorldToScreen(const TRect& R, long double X, long double Y) const {
  if (Options.CoordSys == csPolar) {
    const long double radius = std::max(fabsl(DataMin.Y), fabsl(DataMax.Y));
    const long double cx = (R.Left + R.Right) * 0.5L, cy = (R.Top + R.Bottom) * 0.5L;
    const long double hw = (R.Right - R.Left) * 0.5L, hh = (R.Bottom - R.Top) * 0.5L;
    return {ClampedPixel(cx + cosl(X) * hw * Y / radius), ClampedPixel(cy - sinl(X) * hh * Y / radius)};
  }
  TPoint p;
  if (IsLogX() && !(X > 0))
    p.X = 0;
  else
    p.X = ClampedPixel(R.Left + Offset(X, DataMin.X, DataMax.X, IsLogX(), R.Right - R.Left));
  if (IsLogY() && !(Y > 0))
    p.Y = 0;
  else
    p.Y = ClampedPixel(R.Bottom - Offset(Y, DataMin.Y, DataMax.Y, IsLogY(), R.Bottom - R.Top));
  return p;
}
