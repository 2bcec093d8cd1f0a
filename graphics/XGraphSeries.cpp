// Drawing one data set: lines, markers, walls, bars, stems, error plots and
// vector fields, and the marker and arrow primitives.

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/PlotShapes.h"
#include "graphics/XGraph.h"
#include "toolkit/gdi/Canvas.h"

namespace {

bool Finite(long double x, long double y) { return std::isfinite(x) && std::isfinite(y); }

bool Within(long double v, long double min, long double max) { return min <= v && v <= max; }

// Consecutive line segments drawn with one pen as a single polyline; a
// point on the pixel of the one before adds nothing (a line of length
// zero sets no pixel), and a gap starts a new polyline.
class TPolylineRun {
public:
  explicit TPolylineRun(TCanvas& canvas) : canvas_(canvas) {}
  ~TPolylineRun() { Flush(); }

  void Break() {
    Flush();
    points_.clear();
  }
  // The first point after a break, else a segment to p in the given pen style.
  void Add(TPoint p, std::uint8_t style) {
    if (points_.empty())
      points_.push_back(p);
    else
      LineTo(p, style);
  }

private:
  void LineTo(TPoint p, std::uint8_t style) {
    if (points_.back() == p) return;
    if (points_.size() > 1 && style != style_) {
      const TPoint last = points_.back();
      Flush();
      points_.assign(1, last);
    }
    style_ = style;
    points_.push_back(p);
  }
  void Flush() {
    if (points_.size() < 2) return;
    canvas_.Pen().SetStyle(TPenStyle(style_));
    canvas_.Polyline(points_);
  }

  TCanvas& canvas_;
  std::vector<TPoint> points_;
  std::uint8_t style_ = psSolid;
};

}  // namespace

long double TXGraph::BaseLine() const { return IsLogY() ? DataMin.Y : 0; }

void TXGraph::ApplyStyle(TCanvas& Canvas, const TXData& Data, bool honourGrayscale) const {
  Data.Pen.AssignTo(Canvas.Pen());
  Data.Brush.AssignTo(Canvas.Brush());
  if (!honourGrayscale || !Grayscale) return;
  Canvas.Pen().SetColor(clBlack);
  Canvas.Brush().SetColor(clWhite);
}

void TXGraph::DrawMarker(TCanvas& Canvas, TPoint P, TColor FillColor, const TDataOpts& Opts, const TXPen& Pen,
                         const TXBrush& Brush) const {
  if (Opts.Symbol == smNone) return;
  // Set up once, so that a run of markers leaves the canvas's pen and brush alone.
  TXPen outline = Pen;
  TXBrush fill = Brush;
  if (Grayscale) {
    fill.Color = clWhite;
    outline.Color = clBlack;
  }
  // Symbols are always outlined one pixel wide.
  outline.Width = 1;
  if (FillColor != 0) fill.Color = FillColor;
  // Giving a clear brush a colour makes it solid, as the canvas's brush does.
  if ((Grayscale || FillColor != 0) && fill.Style == bsClear) fill.Style = bsSolid;
  outline.AssignTo(Canvas.Pen());
  fill.AssignTo(Canvas.Brush());
  DrawSymbolShape(Canvas, Opts.Symbol, P, Pen.Width + (Opts.DrawKind == dkStems ? 2 : 0));
}

// A point beyond the y range ends its segment on the range border with an
// invisible pen, so the next segment starts there.
void TXGraph::DrawLines(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries*>(GetItem(Index));
  if (!series || !series->Visible || series->Count() == 0) return;
  Canvas.Brush().SetStyle(bsClear);
  ApplyStyle(Canvas, *series, true);
  TPolylineRun run(Canvas);
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    const long double x = series->X->GetItem(k);
    long double y = series->Y->GetItem(k);
    if (!Finite(x, y)) {
      run.Break();
      continue;
    }
    if (!Within(x, DataMin.X, DataMax.X)) continue;
    std::uint8_t style = series->Pen.Style;
    if (!(y <= DataMax.Y)) {
      y = DataMax.Y;
      style = psClear;
    }
    if (y < DataMin.Y) {
      y = DataMin.Y;
      style = psClear;
    }
    run.Add(WorldToScreen(R, x, y), style);
  }
}

void TXGraph::DrawMarkers(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries*>(GetItem(Index));
  if (!series || !series->Visible) return;
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    const long double x = series->X->GetItem(k), y = series->Y->GetItem(k);
    if (Within(x, DataMin.X, DataMax.X) && Within(y, DataMin.Y, DataMax.Y))
      DrawMarker(Canvas, WorldToScreen(R, x, y), 0, series->Opts, series->Pen, series->Brush);
  }
}

// No range test: the clip cuts what lies outside.
void TXGraph::DrawWall(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries*>(GetItem(Index));
  if (!series || !series->Visible) return;
  std::vector<TPoint> polygon;
  long double firstX = 0, lastX = 0;
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    const long double x = series->X->GetItem(k), y = series->Y->GetItem(k);
    if (!Finite(x, y)) continue;
    if (polygon.empty()) {
      firstX = x;
      polygon.push_back({});
    }
    lastX = x;
    polygon.push_back(WorldToScreen(R, x, y));
  }
  if (polygon.empty()) return;
  polygon.front() = WorldToScreen(R, firstX, BaseLine());
  polygon.push_back(WorldToScreen(R, lastX, BaseLine()));
  ApplyStyle(Canvas, *series, true);
  Canvas.Pen().SetStyle(psClear);
  Canvas.Polygon(polygon);
  Canvas.Pen().SetStyle(TPenStyle(series->Pen.Style));
  Canvas.Polyline(std::span<const TPoint>(polygon).subspan(1, polygon.size() - 2));
}

namespace {

// The x span of bar k by its alignment; false when a value it needs is not finite.
bool BarSpan(const TXSeries& series, std::int64_t k, TBarKind kind, long double& left, long double& right) {
  const std::int64_t n = series.Count();
  auto x = [&](std::int64_t i) { return series.X->GetItem(i); };
  const long double here = x(k);
  switch (kind) {
    case bkLeft:
      left = k == 0 ? 2 * here - x(1) : x(k - 1);
      right = here;
      break;
    case bkCentre: {
      const long double before = k == 0 ? (x(1) - here) / 2 : (here - x(k - 1)) / 2;
      const long double after = k == n - 1 ? (here - x(k - 1)) / 2 : (x(k + 1) - here) / 2;
      left = here - before;
      right = here + after;
      break;
    }
    case bkRight:
      left = here;
      right = k == n - 1 ? 2 * here - x(k - 1) : x(k + 1);
      break;
    default: return false;
  }
  return Finite(left, right) && std::isfinite(here);
}

}  // namespace

void TXGraph::DrawBars(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries*>(GetItem(Index));
  if (!series || !series->Visible || series->Count() < 2) return;
  ApplyStyle(Canvas, *series, false);
  const long double base = BaseLine();
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    const long double y = series->Y->GetItem(k);
    long double left, right;
    if (!std::isfinite(y) || !BarSpan(*series, k, series->Opts.BarKind, left, right)) continue;
    const TPoint bar[] = {WorldToScreen(R, left, base), WorldToScreen(R, left, y), WorldToScreen(R, right, y),
                          WorldToScreen(R, right, base)};
    Canvas.Polygon(bar);
  }
}

// The stem keeps the series' colour in grayscale; only its marker turns black and white.
void TXGraph::DrawStems(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries*>(GetItem(Index));
  if (!series || !series->Visible) return;
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    const long double x = series->X->GetItem(k), y = series->Y->GetItem(k);
    if (!Finite(x, y)) continue;
    const TPoint p = WorldToScreen(R, x, y);
    const TPoint b = WorldToScreen(R, x, BaseLine());
    ApplyStyle(Canvas, *series, false);
    Canvas.MoveTo(b.X, b.Y);
    Canvas.LineTo(p.X, p.Y);
    DrawMarker(Canvas, p, 0, series->Opts, series->Pen, series->Brush);
  }
}

void TXGraph::DrawErrorPlot(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* series = dynamic_cast<const TXSeries3D*>(GetItem(Index));
  if (!series || !series->Visible || series->Count() == 0) return;
  auto drawn = [&](std::int64_t k) {
    const long double x = series->X->GetItem(k), y = series->Y->GetItem(k);
    return Within(x, DataMin.X, DataMax.X) && Within(y, DataMin.Y, DataMax.Y) &&
           std::isfinite(series->Z->GetItem(k));
  };
  ApplyStyle(Canvas, *series, true);
  {
    TPolylineRun run(Canvas);
    for (std::int64_t k = 0; k < series->Count(); ++k) {
      const long double x = series->X->GetItem(k), y = series->Y->GetItem(k);
      if (!Finite(x, y) || !std::isfinite(series->Z->GetItem(k))) {
        run.Break();
        continue;
      }
      if (!drawn(k)) continue;
      run.Add(WorldToScreen(R, x, y), series->Pen.Style);
    }
  }
  TXPen markerPen = series->Pen;
  markerPen.Width += 2;
  markerPen.Style = psSolid;
  for (std::int64_t k = 0; k < series->Count(); ++k) {
    if (!drawn(k)) continue;
    const long double x = series->X->GetItem(k), y = series->Y->GetItem(k), e = series->Z->GetItem(k);
    ApplyStyle(Canvas, *series, true);
    if (series->Pen.Style == psClear) Canvas.Pen().SetStyle(psSolid);
    Canvas.Brush().SetStyle(bsClear);
    const TPoint t = WorldToScreen(R, x, y + e);
    const TPoint b = WorldToScreen(R, x, y - e);
    for (const TPoint& whisker : {t, b}) {
      Canvas.MoveTo(whisker.X - 5, whisker.Y);
      Canvas.LineTo(whisker.X + 6, whisker.Y);
    }
    Canvas.MoveTo(t.X, t.Y);
    Canvas.LineTo(b.X, b.Y);
    DrawMarker(Canvas, WorldToScreen(R, x, y), 0, series->Opts, markerPen, series->Brush);
  }
}

// Arrows keep the field's colours in grayscale.
void TXGraph::DrawField(TCanvas& Canvas, int Index, const TRect& R) const {
  const auto* field = dynamic_cast<const TXField*>(GetItem(Index));
  if (!field || !field->Visible) return;
  for (std::int64_t k = 0; k < field->Count(); ++k) {
    const TPoint3D p = field->GetPoint(k);
    const TPoint3D v = field->GetVector(k);
    if (!Finite(v.X, v.Y) || !Within(p.X, DataMin.X, DataMax.X) || !Within(p.Y, DataMin.Y, DataMax.Y)) continue;
    const TPoint s = WorldToScreen(R, p.X, p.Y);
    const TPoint e = WorldToScreen(R, p.X + v.X, p.Y + v.Y);
    ApplyStyle(Canvas, *field, false);
    Canvas.MoveTo(s.X, s.Y);
    Canvas.LineTo(e.X, e.Y);
    DrawArrow(Canvas, *field, 8, 2, {(long double)e.X, (long double)e.Y}, {(long double)s.X, (long double)s.Y});
  }
}

void TXGraph::DrawArrow(TCanvas& Canvas, const TXData& Field, long double HeadLength, long double HalfWidth,
                        const TRealPoint& Tip, const TRealPoint& Tail) const {
  ApplyStyle(Canvas, Field, false);
  DrawArrowShape(Canvas, Tail, Tip, HeadLength, HalfWidth);
}
