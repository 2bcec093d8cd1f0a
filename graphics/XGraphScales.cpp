// Scale rounding, tick labels, margins, axes and the polar grid.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphics/ScaleTicks.h"
#include "graphics/XGraph.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr const char* SampleText = "Xp";

int TextHeightOf(TCanvas& canvas) { return canvas.TextHeight(SampleText); }

}  // namespace

void TXGraph::LinearTicks(long double& Lo, long double& Hi, TCanvas& Canvas, int Extent, long double& OutStep) const {
  const long double r = Hi - Lo;
  if (!(r >= 0) || !std::isfinite(r)) {
    OutStep = 0;
    return;
  }
  if (r == 0) {
    Lo = ceill(Hi) - 1;
    Hi = Lo + 1;
    OutStep = (Hi - Lo) * 0.2L;
    return;
  }
  long double step = powl(10, ceill(log10l(r / 10)));
  long double top = nearbyintl(Hi / step) * step;
  if (top < Hi) top += step;
  long double bottom;
  int n;
  do {
    if (!StepDownTo(top, Lo, step, bottom, n)) {
      OutStep = 0;
      return;
    }
    if (fabsl(bottom) < 1e-100L) bottom = 0;
    if (n < 7) step *= 0.5L;
    TrimScaleEnds(bottom, top, step, Lo, Hi);
  } while (n < 7);
  TrimScaleEnds(bottom, top, step, Lo, Hi);

  const int h = TextHeightOf(Canvas);
  auto fits = [&] {
    if (Extent > 0) return (nearbyintl((top - bottom) / step) + 1) * (h + 10) <= Extent;
    long double width = 0;
    for (const TScaleTick& tick : ScaleTicks(bottom, top, step, false))
      width += Canvas.TextWidth(FormatTick(tick.Value) + "    ");
    return width <= -(long double)Extent;
  };
  step *= 0.5L;
  int tries = 0;
  do {
    step *= 2;
    ++tries;
  } while (!fits() && tries < 5);
  TrimScaleEnds(bottom, top, step, Lo, Hi);
  if (Options.CoordSys == csPolar) bottom = -top;
  Lo = bottom;
  Hi = top;
  OutStep = step;
}

// Less than one decade (a constant series) widens to one.
void TXGraph::LogTicks(long double& Lo, long double& Hi, long double& OutStep) const {
  const long double lo = floorl(log10l(Lo));
  long double hi = ceill(log10l(Hi));
  if (!(hi - lo >= 1)) hi = lo + 1;
  Lo = powl(10, lo);
  Hi = powl(10, hi);
  OutStep = 1;
}

std::string TXGraph::FormatTick(long double X) const {
  return FormatTickLabel(X, Options.Mantissa, Options.Exponent);
}

int TXGraph::LabelWidth(TCanvas& Canvas, bool IsX) const {
  const std::vector<TScaleTick> ticks = IsX ? ScaleTicks(DataMin.X, DataMax.X, Step.X, IsLogX())
                                            : ScaleTicks(DataMin.Y, DataMax.Y, Step.Y, IsLogY());
  int widest = 0;
  for (const TScaleTick& tick : ticks) widest = std::max(widest, Canvas.TextWidth(FormatTick(tick.Value)));
  return widest;
}

namespace {

// How far a crossing axis lies from the low end of extent pixels; 0 when
// the range has no width.
int CrossingOffset(long double min, long double max, int extent) {
  if (min >= 0 || !(max - min != 0)) return 0;
  return int(nearbyintl(-min * extent / (max - min)));
}

}  // namespace

TRect TXGraph::MeasureMargins(TCanvas& Canvas, const TRect& R) const {
  TRect m{5, 5, 5, 5};
  const int h = TextHeightOf(Canvas);
  const int a = LabelWidth(Canvas, false) + 5;
  const bool polar = Options.CoordSys == csPolar;
  bool bottomOnFrame = Options.AxesKind == akFrame;
  int px = 0, py = 0;
  if (Options.AxesKind == akAxes) {
    px = CrossingOffset(DataMin.X, DataMax.X, R.Right - R.Left - 20);
    if (px < a) px = 0;
    py = CrossingOffset(DataMin.Y, DataMax.Y, R.Bottom - R.Top - 20);
    if (py < h + 5) {
      py = 0;
      bottomOnFrame = true;
    }
  }
  if (Options.LabelsY && !polar) {
    px -= std::max(a, Canvas.TextWidth(FormatTick(DataMin.X)) / 2);
    if (px < 0) m.Left -= px;
  }
  if (Options.LabelsX) {
    py -= h + 5;
    if (py < 0) m.Bottom -= py;
  }
  if (bottomOnFrame && Options.LabelsX) {
    const int w = Canvas.TextWidth(FormatTick(polar ? DataMax.Y : DataMax.X));
    px = w / 2 - 5;
    if (px > 0) m.Right += px;
  }
  return m;
}

void TXGraph::RoundScales(TCanvas& Canvas, const TRect& R) {
  const TCoordSys system = Options.CoordSys;
  const int width = R.Left - R.Right;
  if (Options.AutoX) {
    if (system == csPolar)
      LinearTicks(DataMin.Y, DataMax.Y, Canvas, width, Step.Y);
    else if (IsLogX())
      LogTicks(DataMin.X, DataMax.X, Step.X);
    else
      LinearTicks(DataMin.X, DataMax.X, Canvas, width, Step.X);
  }
  if (Options.AutoY) {
    if (system == csPolar) {
      if (!Options.AutoX) LinearTicks(DataMin.Y, DataMax.Y, Canvas, width, Step.Y);
    } else if (IsLogY()) {
      LogTicks(DataMin.Y, DataMax.Y, Step.Y);
    } else {
      LinearTicks(DataMin.Y, DataMax.Y, Canvas, R.Bottom - R.Top, Step.Y);
    }
  }
  if (Options.AutoZ) LinearTicks(DataMin.Z, DataMax.Z, Canvas, -1000, Step.Z);
}

void TXGraph::DrawLine(TCanvas& Canvas, TPoint from, TPoint to) const {
  Canvas.MoveTo(from.X, from.Y);
  Canvas.LineTo(to.X, to.Y);
}

void TXGraph::DrawGridLine(TCanvas& Canvas, TPoint from, TPoint to) const {
  GridPen.AssignTo(Canvas.Pen());
  DrawLine(Canvas, from, to);
  FramePen.AssignTo(Canvas.Pen());
}

void TXGraph::DrawAxes(TCanvas& Canvas, const TRect& R) const {
  BackBrush.AssignTo(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
  const int h = TextHeightOf(Canvas);
  if (Options.LabelsX || Options.GridX || Options.AxesKind == akAxes) DrawXAxis(Canvas, R, h);
  if (Options.LabelsY || Options.GridY || Options.AxesKind == akAxes) DrawYAxis(Canvas, R);
  BackBrush.AssignTo(Canvas.Brush());
}

void TXGraph::DrawXAxis(TCanvas& Canvas, const TRect& R, int textHeight) const {
  const bool crossing = Options.AxesKind == akAxes;
  int y0 = R.Bottom + 5;
  bool onFrame = !crossing || IsLogY();
  if (!onFrame) {
    const int row = WorldToScreen(R, DataMin.X, 0).Y;
    onFrame = std::abs(row - R.Bottom - 5) < textHeight || DataMin.Y >= 0 || !(DataMax.Y > 0);
    if (!onFrame) {
      y0 = row;
      DrawLine(Canvas, {R.Left, y0}, {R.Right, y0});
    }
  }
  Canvas.Brush().SetStyle(bsClear);
  const std::vector<TScaleTick> ticks = ScaleTicks(DataMin.X, DataMax.X, Step.X, IsLogX());
  long double prev = DataMin.X;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    const long double g = ticks[i].Value;
    const TPoint p = WorldToScreen(R, g, DataMin.Y);
    const bool zero = IsZeroTick(g, Step.X);
    if (Options.GridX && (!zero || !crossing)) DrawGridLine(Canvas, {p.X, R.Top - 4}, {p.X, R.Bottom + 4});
    if (Options.LabelsX || Options.MinorGridX)
      for (long double d : MinorTicks(prev, g, IsLogX())) {
        const TPoint q = WorldToScreen(R, d, DataMin.Y);
        if (Options.MinorGridX) DrawGridLine(Canvas, {q.X, R.Top - 4}, {q.X, R.Bottom + 4});
        if (Options.LabelsX) DrawLine(Canvas, {q.X, y0}, {q.X, y0 - 3});
      }
    if (Options.LabelsX) {
      DrawLine(Canvas, {p.X, y0}, {p.X, y0 - 5});
      const std::string label = FormatTick(g);
      const int w = Canvas.TextWidth(label);
      if (onFrame)
        Canvas.TextOut(p.X - w / 2, y0 + 5, label);
      else if (i != 0 && !ticks[i].Last)
        Canvas.TextOut(zero ? p.X - w - 5 : p.X - w / 2, y0 + 5, label);
    }
    prev = g;
  }
}

void TXGraph::DrawYAxis(TCanvas& Canvas, const TRect& R) const {
  const bool crossing = Options.AxesKind == akAxes;
  int x0 = R.Left - 5;
  bool onFrame = !crossing || IsLogX();
  if (!onFrame) {
    const int column = WorldToScreen(R, 0, DataMin.Y).X;
    onFrame = std::abs(column - R.Left - 5) < LabelWidth(Canvas, false) || DataMin.X >= 0 || !(DataMax.X > 0);
    if (!onFrame) {
      x0 = column;
      DrawLine(Canvas, {x0, R.Top}, {x0, R.Bottom});
    }
  }
  Canvas.Brush().SetStyle(bsClear);
  const std::vector<TScaleTick> ticks = ScaleTicks(DataMin.Y, DataMax.Y, Step.Y, IsLogY());
  long double prev = DataMin.Y;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    const long double g = ticks[i].Value;
    const TPoint p = WorldToScreen(R, DataMin.X, g);
    const bool zero = IsZeroTick(g, Step.Y);
    if (Options.GridY && (!zero || !crossing)) DrawGridLine(Canvas, {R.Left - 4, p.Y}, {R.Right + 4, p.Y});
    if (Options.LabelsY || Options.MinorGridY)
      for (long double d : MinorTicks(prev, g, IsLogY())) {
        const TPoint q = WorldToScreen(R, DataMin.X, d);
        if (Options.MinorGridY) DrawGridLine(Canvas, {R.Left - 4, q.Y}, {R.Right + 4, q.Y});
        if (Options.LabelsY) DrawLine(Canvas, {x0 + 2, q.Y}, {x0, q.Y});
      }
    if (Options.LabelsY) {
      DrawLine(Canvas, {x0 + 5, p.Y}, {x0, p.Y});
      const std::string label = FormatTick(g);
      const TSize size = Canvas.TextExtent(label);
      int top = p.Y - size.cy / 2;
      if (!onFrame) {
        if (i == 0)
          top = p.Y - size.cy;
        else if (ticks[i].Last)
          top = p.Y + 1;
      }
      if (onFrame || !zero) Canvas.TextOut(x0 - size.cx - 5, top, label);
    }
    prev = g;
  }
}

void TXGraph::DrawPolarGrid(TCanvas& Canvas, const TRect& R) const {
  BackBrush.AssignTo(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
  const TPoint o = WorldToScreen(R, 0, 0);
  if (Options.GridX) {
    const int dy = int(nearbyintl((o.Y - R.Top + 1) * 0.4142L));
    const int dx = int(nearbyintl((o.X - R.Left + 1) * 0.4142L));
    Canvas.Brush().SetStyle(bsClear);
    const TPoint ends[] = {{R.Right, R.Top},     {R.Left, R.Top},      {R.Right, R.Bottom},  {R.Left, R.Bottom},
                           {R.Left, o.Y - dy},   {R.Right, o.Y - dy},  {R.Left, o.Y + dy},   {R.Right, o.Y + dy},
                           {o.X + dx, R.Top},    {o.X - dx, R.Top},    {o.X + dx, R.Bottom}, {o.X - dx, R.Bottom}};
    for (const TPoint& end : ends) DrawGridLine(Canvas, o, end);
    if (Options.AxesKind == akFrame) {
      DrawGridLine(Canvas, {R.Left, o.Y}, {R.Right, o.Y});
      DrawGridLine(Canvas, {o.X, R.Top}, {o.X, R.Bottom});
    }
  }
  if (Options.AxesKind == akAxes) {
    DrawLine(Canvas, {R.Left - 5, o.Y}, {R.Right + 5, o.Y});
    DrawLine(Canvas, {o.X, R.Top - 5}, {o.X, R.Bottom + 5});
  }
  if (Options.LabelsX || Options.GridY) DrawRadiusScale(Canvas, R, o);
  BackBrush.AssignTo(Canvas.Brush());
}

// The radius ellipses belong to the radius grid (GridY); the ticks and
// labels run along the horizontal axis right of the pole.
void TXGraph::DrawRadiusScale(TCanvas& Canvas, const TRect& R, TPoint pole) const {
  const bool crossing = Options.AxesKind == akAxes;
  const int yb = crossing ? pole.Y : R.Bottom + 5;
  Canvas.Brush().SetStyle(bsClear);
  const std::vector<TScaleTick> ticks = ScaleTicks(DataMin.Y, DataMax.Y, Step.Y, false);
  long double prev = DataMin.Y;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    const long double r = ticks[i].Value;
    const TPoint p = WorldToScreen(R, 0, r);
    if (r > 0 && Options.GridY) {
      const TPoint q = WorldToScreen(R, std::numbers::pi_v<long double> / 2, r);
      GridPen.AssignTo(Canvas.Pen());
      Canvas.Ellipse(2 * pole.X - p.X, 2 * pole.Y - q.Y, p.X + 1, q.Y + 1);
      FramePen.AssignTo(Canvas.Pen());
    }
    if (Options.LabelsX) {
      for (long double d : MinorTicks(prev, r, false)) {
        const int x = WorldToScreen(R, 0, d).X;
        DrawLine(Canvas, {x, yb - 2}, {x, yb});
      }
      DrawLine(Canvas, {p.X, yb - 5}, {p.X, yb});
      const std::string label = FormatTick(r);
      const int w = Canvas.TextWidth(label);
      if (!crossing)
        Canvas.TextOut(p.X - w / 2, yb + 5, label);
      else if (i != 0 && !ticks[i].Last)
        Canvas.TextOut(IsZeroTick(r, Step.Y) ? p.X - w - 5 : p.X - w / 2, yb + 5, label);
    }
    prev = r;
  }
}
