// The drawing pass, the legend with its heights scale, and the picture output.

#include <algorithm>
#include <cmath>

#include "graphics/PictureExport.h"
#include "graphics/PlotShapes.h"
#include "graphics/RGBColor.h"
#include "graphics/ScaleTicks.h"
#include "graphics/XGraph.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr int MinimumArea = 63;
// A legend entry: 5 margin, 32 sample, 10 gap, 10 right of the text.
constexpr int LegendExtra = 57;

// Removes the pass's clip on every way out.
class TClipScope {
public:
  TClipScope(TCanvas& canvas, const TRect& clip) : dc_(canvas.Handle()) {
    IntersectClipRect(dc_, clip.Left, clip.Top, clip.Right, clip.Bottom);
  }
  ~TClipScope() { SelectClipRgn(dc_, nullptr); }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

private:
  HDC dc_;
};

bool HasWidth(long double extent) { return extent != 0 && std::isfinite(extent); }

}  // namespace

bool TXGraph::ReserveTitles(TCanvas& Canvas, TRect& R) const {
  if (!Options.Title.empty()) R.Top += Canvas.TextHeight(Options.Title) + 5;
  if (!Options.TitleX.empty()) R.Bottom -= Canvas.TextHeight(Options.TitleX) + 5;
  if (!Options.TitleY.empty()) R.Left += Canvas.TextHeight(Options.TitleY) + 5;
  return R.Right - R.Left > MinimumArea && R.Bottom - R.Top > MinimumArea;
}

// A scale with no width (a user range with Min = Max, or values too large
// for a unit interval) cannot be mapped; in the polar system only the
// radius scale counts.
bool TXGraph::ScalesDrawable() const {
  if (Options.CoordSys == csPolar) return HasWidth(std::max(fabsl(DataMin.Y), fabsl(DataMax.Y)));
  return HasWidth(DataMax.X - DataMin.X) && HasWidth(DataMax.Y - DataMin.Y);
}

void TXGraph::DrawTitles(TCanvas& Canvas, const TRect& Rect, const TRect& R) {
  Canvas.Brush().SetStyle(bsClear);
  if (!Options.Title.empty()) {
    const int w = Canvas.TextWidth(Options.Title);
    Canvas.TextOut((R.Left + R.Right - w) / 2, Rect.Top + 5, Options.Title);
  }
  if (!Options.TitleX.empty()) {
    const TSize size = Canvas.TextExtent(Options.TitleX);
    Canvas.TextOut((R.Left + R.Right - size.cx) / 2, Rect.Bottom - size.cy - 5, Options.TitleX);
  }
  if (!Options.TitleY.empty()) {
    const int w = Canvas.TextWidth(Options.TitleY);
    TFont upward;
    upward.Assign(Font);
    upward.SetOrientation(900);
    Canvas.Font().Assign(upward);
    Canvas.TextOut(Rect.Left + 5, (R.Top + R.Bottom + w) / 2, Options.TitleY);
    Canvas.Font().Assign(Font);
  }
}

void TXGraph::DrawScales(TCanvas& Canvas, const TRect& R) const {
  if (!(Options.LabelsX || Options.GridX || Options.LabelsY || Options.GridY || Options.AxesKind == akAxes)) return;
  if (Options.CoordSys == csPolar)
    DrawPolarGrid(Canvas, R);
  else
    DrawAxes(Canvas, R);
}

// By the data set's class and draw kind; other combinations are skipped.
void TXGraph::DrawDataSets(TCanvas& Canvas, const TRect& R) {
  for (int i = 0; i < Count(); ++i) {
    const TXData& data = *Items[std::size_t(i)];
    if (!data.Visible) continue;
    if (dynamic_cast<const TXSeries*>(&data)) {
      switch (data.Opts.DrawKind) {
        case dkLine: DrawLines(Canvas, i, R); break;
        case dkScatter: DrawMarkers(Canvas, i, R); break;
        case dkWall: DrawWall(Canvas, i, R); break;
        case dkBars: DrawBars(Canvas, i, R); break;
        case dkStems: DrawStems(Canvas, i, R); break;
        default: break;
      }
    } else if (dynamic_cast<const TXSeries3D*>(&data)) {
      if (data.Opts.DrawKind == dkErrors) DrawErrorPlot(Canvas, i, R);
    } else if (dynamic_cast<const TXMesh*>(&data)) {
      if (data.Opts.DrawKind == dkScatter || data.Opts.DrawKind == dkSurface) DrawHeightsMap(Canvas, i, R);
      if (data.Opts.DrawKind == dkContour) DrawContours(Canvas, i, R);
    } else if (dynamic_cast<const TXField*>(&data)) {
      DrawField(Canvas, i, R);
    }
  }
}

bool TXGraph::Draw(TCanvas& Canvas, const TRect& Rect, bool ForExport) {
  if (Count() == 0) return true;
  Grayscale = ForExport && Options.BlackWhite;
  Canvas.Font().Assign(Font);
  TRect r = Rect;
  if (!ReserveTitles(Canvas, r)) return false;
  AutoScale();
  int legendWidth = 0;
  if (Options.Legend || Options.HeightsBar) {
    legendWidth = LegendWidth(Canvas);
    if (legendWidth > 0) r.Right -= legendWidth;
  }
  if ((IsLogX() && !(DataMin.X > 0)) || (IsLogY() && !(DataMin.Y > 0))) return false;
  RoundScales(Canvas, r);
  if (!ScalesDrawable()) return false;
  const TRect margins = MeasureMargins(Canvas, r);
  r = TRect{r.Left + margins.Left, r.Top + margins.Top, r.Right - margins.Right, r.Bottom - margins.Bottom};
  if (r.Left >= r.Right || r.Top >= r.Bottom) return false;

  SavePen.AssignFrom(Canvas.Pen());
  SaveBrush.AssignFrom(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
  BackBrush.AssignTo(Canvas.Brush());
  Canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
  DrawTitles(Canvas, Rect, r);
  Canvas.Brush().SetStyle(TBrushStyle(BackBrush.Style));
  const TRect plot{r.Left + 5, r.Top + 5, r.Right - 5, r.Bottom - 5};
  const bool plotEmpty = plot.Left >= plot.Right || plot.Top >= plot.Bottom;
  if (!plotEmpty) {
    if (!Options.AxesInFront) DrawScales(Canvas, plot);
    {
      const TClipScope clip(Canvas, TRect{plot.Left - 4, plot.Top - 4, plot.Right + 5, plot.Bottom + 5});
      DrawDataSets(Canvas, plot);
    }
    if (legendWidth > 0) DrawLegend(Canvas, Rect, legendWidth);
    if (Options.AxesInFront) DrawScales(Canvas, plot);
  }
  SavePen.AssignTo(Canvas.Pen());
  SaveBrush.AssignTo(Canvas.Brush());
  return !plotEmpty;
}

bool TXGraph::PaintTo(TCanvas& Canvas, const TRect& Rect) {
  return PaintThroughBuffer(Buffer, Canvas, Rect, [this](TCanvas& c, const TRect& r) { Draw(c, r, false); });
}

void TXGraph::CopyToClipboard(const TRect& Rect) {
  CopyPictureToClipboard(Buffer, Options.ExportFormat, Rect, [this](TCanvas& c, const TRect& r) { Draw(c, r, true); });
}

void TXGraph::SaveToFile(const std::string& FileName, const TRect& Rect) {
  SavePictureToFile(Buffer, Options.ExportFormat, FileName, Rect,
                    [this](TCanvas& c, const TRect& r) { Draw(c, r, true); });
}

std::vector<long double> TXGraph::HeightScaleValues() const {
  return HeightsScaleTicks(DataMin.Z, DataMax.Z, Step.Z);
}

int TXGraph::LegendWidth(TCanvas& Canvas) const {
  if (Count() == 0) return 0;
  int width = 0;
  if (Options.Legend)
    for (const auto& data : Items)
      if (data->Visible) width = std::max(width, Canvas.TextWidth(data->Name) + LegendExtra);
  if (Options.HeightsBar)
    for (long double v : HeightScaleValues()) width = std::max(width, Canvas.TextWidth(FormatTick(v)) + LegendExtra);
  return width;
}

void TXGraph::DrawLegend(TCanvas& Canvas, const TRect& Rect, int Width) {
  const int x = Rect.Right - Width + 5;
  int y = Rect.Top + 5;
  const int h = Canvas.TextHeight("Xp");
  if (Options.Legend) DrawLegendEntries(Canvas, x, y, h);
  if (Options.HeightsBar) DrawHeightsScale(Canvas, x, Options.Legend ? y + h : y, h);
  BackBrush.AssignTo(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
}

// The samples are in the data sets' colours, also in a grayscale export.
void TXGraph::DrawLegendEntries(TCanvas& Canvas, int x, int& y, int h) {
  const bool grayscale = Grayscale;
  Grayscale = false;
  for (const auto& item : Items) {
    const TXData& data = *item;
    if (!data.Visible) continue;
    ApplyStyle(Canvas, data, false);
    const int middle = y + h / 2;
    switch (data.Opts.DrawKind) {
      case dkLine:
        Canvas.MoveTo(x, middle);
        Canvas.LineTo(x + 32, middle);
        break;
      case dkScatter:
      case dkStems: DrawMarker(Canvas, {x + 16, middle}, 0, data.Opts, data.Pen, data.Brush); break;
      case dkErrors: {
        Canvas.MoveTo(x, middle);
        Canvas.LineTo(x + 32, middle);
        TXPen wider = data.Pen;
        wider.Width += 2;
        DrawMarker(Canvas, {x + 16, middle}, 0, data.Opts, wider, data.Brush);
        break;
      }
      case dkArrows: DrawArrow(Canvas, data, 8, 2, {(long double)x + 32, (long double)middle}, {(long double)x, (long double)middle}); break;
      default: DrawShaderSwatch(Canvas, data, x, y, h); break;
    }
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(x + 42, y, data.Name);
    y += h + 5;
  }
  Grayscale = grayscale;
}

// Swatches from Max.z down, each h rows, touching, in the colours of the
// last visible mesh with a height shader.
void TXGraph::DrawHeightsScale(TCanvas& Canvas, int x, int y, int h) const {
  const TXMesh* mesh = nullptr;
  for (const auto& data : Items)
    if (const auto* m = dynamic_cast<const TXMesh*>(data.get());
        m && m->Visible && m->Opts.Shader >= shSimpleLighting && m->Opts.Shader <= shHeightColourLight)
      mesh = m;
  if (!mesh) return;
  for (long double v : HeightScaleValues()) {
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetStyle(psClear);
    Canvas.Brush().SetColor(HeightColor(mesh->Brush.Color, mesh->Opts.Shader, v));
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Rectangle(x, y, x + 32, y + h + 1);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(x + 42, y, FormatTick(v));
    y += h;
  }
}

// A z scale without width gives the bottom colour.
TColor TXGraph::HeightColor(TColor BaseColor, std::uint8_t Shader, long double Z) const {
  const TColor base = Grayscale ? ColorToGray(BaseColor) : BaseColor;
  const long double range = DataMax.Z - DataMin.Z;
  long double t = HasWidth(range) ? (Z - DataMin.Z) / range : 0;
  if (!std::isfinite(t)) t = 0;
  switch (Shader) {
    case shSimpleLighting:
    case shRealLighting:
    case shColourHeight: {
      TRGBColor hsl = RGB3ToHSL(ColorToRGB3(base));
      hsl.R = float(std::clamp(0.05L + 0.9L * t, 0.0L, 1.0L));
      return RGB3ToColor(ClampRGB(HSLToRGB3(hsl)));
    }
    case shHeightColour:
    case shHeightColourLight: {
      const float hue = float(std::clamp(0.7L - 0.65L * t, 0.0L, 1.0L));
      return RGB3ToColor(ClampRGB(HSLToRGB3(MakeRGB3(0.5f, hue, 1))));
    }
    default: return base;
  }
}
