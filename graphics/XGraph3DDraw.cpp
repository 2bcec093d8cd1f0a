// Painting a scene: the legend, the box with its walls, grids and axes,
// then the elements far to near (polygons flat or with colour gradients,
// lines, markers, stems and arrows); and the ways the picture leaves the
// renderer.

#include <algorithm>
#include <array>
#include <vector>

#include "graphics/PictureExport.h"
#include "graphics/PixelRound.h"
#include "graphics/PlotShapes.h"
#include "graphics/ScaleTicks.h"
#include "graphics/XGraph3D.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// A legend entry: 5 margin, 32 sample, 10 gap, 10 right of the text.
constexpr int LegendExtra = 57;
constexpr int SwatchWidth = 32;
constexpr int TextOffset = 42;
constexpr long double HeadLength = 7;
constexpr long double HeadHalfWidth = 1.75L;

std::array<TPoint, 4> ScreenPoints(const TXElem& e) {
  std::array<TPoint, 4> points{};
  for (int i = 0; i < e.Count(); ++i) points[std::size_t(i)] = ScreenPixel(e.GetVertex(i)->Screen);
  return points;
}

// The channels of the vertex colours, averaged.
TRGBColor MeanColour(const TXElem& e) {
  long double r = 0, g = 0, b = 0;
  for (int i = 0; i < e.Count(); ++i) {
    const TRGBColor c = ColorToRGB3(e.GetVertex(i)->Color);
    r += c.R;
    g += c.G;
    b += c.B;
  }
  return MakeRGB3(float(r / e.Count()), float(g / e.Count()), float(b / e.Count()));
}

}  // namespace

void TXGraph3D::Draw(TCanvas& Canvas, const TRect& Rect) {
  Canvas.Font().Assign(Font);
  TRect plot = Rect;
  if (!Build(Canvas, plot)) return;
  SavePen.AssignFrom(Canvas.Pen());
  SaveBrush.AssignFrom(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
  BackBrush.AssignTo(Canvas.Brush());
  if (Options.Legend || Options.HeightsBar)
    if (const int width = LegendWidth(Canvas); width > 0) DrawLegend(Canvas, Rect, width);
  DrawBox(Canvas, Rect);
  if (!(Options.FastDraw && Rotating))
    for (const TXElem* e : Elements) {
      if (e->Kind == TXElem::LineKind)
        DrawLineElem(Canvas, *e);
      else
        DrawElem(Canvas, *e);
    }
  SavePen.AssignTo(Canvas.Pen());
  SaveBrush.AssignTo(Canvas.Brush());
}

bool TXGraph3D::PaintTo(TCanvas& Canvas, const TRect& Rect) {
  return PaintThroughBuffer(Buffer, Canvas, Rect, [this](TCanvas& c, const TRect& r) { Draw(c, r); });
}

void TXGraph3D::CopyToClipboard(const TRect& Rect) {
  CopyPictureToClipboard(Buffer, Options.ExportFormat, Rect, [this](TCanvas& c, const TRect& r) { Draw(c, r); });
}

void TXGraph3D::SaveToFile(const std::string& FileName, const TRect& Rect) {
  SavePictureToFile(Buffer, Options.ExportFormat, FileName, Rect, [this](TCanvas& c, const TRect& r) { Draw(c, r); });
}

// The back faces are the far walls, filled and outlined; the grids lie on
// them and the axes along the outline, all under the data.
void TXGraph3D::DrawBox(TCanvas& Canvas, const TRect& Rect) {
  FramePen.AssignTo(Canvas.Pen());
  BackBrush.AssignTo(Canvas.Brush());
  for (const TXElem* face : BoxFaces)
    if (face->Facing) Canvas.Polygon(ScreenPoints(*face));
  Canvas.Brush().SetStyle(bsClear);
  if (!Options.Title.empty())
    Canvas.TextOut((Rect.Left + Rect.Right - Canvas.TextWidth(Options.Title)) / 2, Rect.Top + 5, Options.Title);
  for (const TXAxis* axis : {AxisX.get(), AxisY.get(), AxisZ.get()}) DrawGrid(Canvas, axis);
  TRealPoint unused;
  for (TXAxis* axis : {AxisX.get(), AxisY.get(), AxisZ.get()}) DrawAxes(Canvas, axis, true, unused, unused);
}

// Gouraud needs the vertex colours of a lit, solid surface; anything else
// is filled with one colour.
void TXGraph3D::DrawElem(TCanvas& Canvas, const TXElem& E) {
  const TXData& data = *E.Data;
  if (data.Kind != MeshKind && data.Kind != ShapeKind) return;
  data.Pen.AssignTo(Canvas.Pen());
  data.Brush.AssignTo(Canvas.Brush());
  const TShader shader = data.Opts.Shader;
  if (data.Opts.Renderer == rdGouraud && data.Brush.Style == bsSolid && shader != shColour) {
    DrawGouraud(Canvas, E);
    return;
  }
  TColor fill;
  if (shader == shColour) {
    fill = E.Facing ? data.Brush.Color : clGray;
  } else {
    const TRGBColor mean = MeanColour(E);
    fill = E.Facing ? RGB3ToColor(ClampRGB(mean)) : GrayOfRGB(mean);
  }
  Canvas.Brush().SetColor(fill);
  Canvas.Brush().SetStyle(TBrushStyle(data.Brush.Style));
  Canvas.Polygon(std::span(ScreenPoints(E).data(), std::size_t(E.Count())));
}

void TXGraph3D::DrawGouraud(TCanvas& Canvas, const TXElem& E) {
  const std::array<TPoint, 4> points = ScreenPoints(E);
  std::array<TTriVertex, 4> corners;
  for (int i = 0; i < E.Count(); ++i) {
    const TColor colour = E.GetVertex(i)->Color;
    corners[std::size_t(i)] = MakeGradientVertex(points[std::size_t(i)], E.Facing ? colour : ColorToGray(colour));
  }
  static constexpr TGradientTriangle halves[2] = {{0, 1, 2}, {0, 2, 3}};
  GradientFill(Canvas.Handle(), corners.data(), unsigned(E.Count()), halves, E.Count() == 4 ? 2 : 1,
               GRADIENT_FILL_TRIANGLE);
  if (E.Data->Pen.Style == psClear) return;
  Canvas.Brush().SetStyle(bsClear);
  std::array<TPoint, 5> outline;
  std::copy_n(points.begin(), E.Count(), outline.begin());
  outline[std::size_t(E.Count())] = points[0];
  Canvas.Polyline(std::span(outline.data(), std::size_t(E.Count() + 1)));
}

// A line of a 3D series joins two points inside the box only; its
// element is the later point's.
void TXGraph3D::DrawLineElem(TCanvas& Canvas, const TXElem& E) {
  const TXData& data = *E.Data;
  const TDrawKind kind = data.Opts.DrawKind;
  if (data.Kind == Series3DKind && kind == dkLine) {
    const TXElem* previous = static_cast<const TXSeries3D&>(data).GetElem(std::int64_t(E.Index) - 1);
    if (!previous || !previous->Facing || !E.Facing) return;
    data.Pen.AssignTo(Canvas.Pen());
    data.Brush.AssignTo(Canvas.Brush());
    const TPoint from = ScreenPixel(previous->GetVertex(0)->Screen), to = ScreenPixel(E.GetVertex(0)->Screen);
    Canvas.MoveTo(from.X, from.Y);
    Canvas.LineTo(to.X, to.Y);
  } else if ((data.Kind == Series3DKind && (kind == dkScatter || kind == dkStems)) ||
             (data.Kind == MeshKind && kind == dkScatter)) {
    DrawMarker(Canvas, E);
  } else if (data.Kind == FieldKind) {
    DrawArrow(Canvas, data, E.GetVertex(0)->Screen, E.GetVertex(1)->Screen);
  }
}

// Markers are drawn for every point, also outside the box, filled with
// the point's shaded colour; a stem runs up from its foot on the floor.
void TXGraph3D::DrawMarker(TCanvas& Canvas, const TXElem& E) {
  const TXData& data = *E.Data;
  if (data.Opts.Symbol == smNone) return;
  data.Pen.AssignTo(Canvas.Pen());
  data.Brush.AssignTo(Canvas.Brush());
  int radius = data.Pen.Width;
  if (data.Opts.DrawKind == dkStems && E.Count() > 1) {
    Canvas.Brush().SetStyle(bsClear);
    const TPoint foot = ScreenPixel(E.GetVertex(1)->Screen), top = ScreenPixel(E.GetVertex(0)->Screen);
    Canvas.MoveTo(foot.X, foot.Y);
    Canvas.LineTo(top.X, top.Y);
    radius += 2;
  }
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetColor(E.GetVertex(0)->Color);
  Canvas.Brush().SetStyle(TBrushStyle(data.Brush.Style));
  DrawSymbolShape(Canvas, data.Opts.Symbol, ScreenPixel(E.GetVertex(0)->Screen), radius);
}

void TXGraph3D::DrawSymbol(TCanvas& Canvas, TPoint P, const TDataOpts& Opts, const TXPen& Pen, const TXBrush& Brush) {
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetColor(Pen.Color);
  Canvas.Brush().SetColor(Brush.Color);
  Canvas.Brush().SetStyle(TBrushStyle(Brush.Style));
  DrawSymbolShape(Canvas, Opts.Symbol, P, Pen.Width + (Opts.DrawKind == dkStems ? 2 : 0));
}

void TXGraph3D::DrawArrow(TCanvas& Canvas, const TXData& Data, const TRealPoint& Tail, const TRealPoint& Tip) {
  Data.Brush.AssignTo(Canvas.Brush());
  Data.Pen.AssignTo(Canvas.Pen());
  DrawArrowShape(Canvas, Tail, Tip, HeadLength, HeadHalfWidth);
}

int TXGraph3D::LegendWidth(TCanvas& Canvas) const {
  if (Items.empty()) return 0;
  int width = 0;
  if (Options.Legend)
    for (const auto& data : Items)
      if (data->Visible) width = std::max(width, Canvas.TextWidth(data->Name) + LegendExtra);
  if (Options.HeightsBar)
    for (long double z : HeightsScaleTicks(DataMin.Z, DataMax.Z, Step.Z))
      width = std::max(width, Canvas.TextWidth(FormatLabel(z)) + LegendExtra);
  return width;
}

// The strip at the right of Rect, W wide: the data sets' entries, then the
// heights bar from the top of the box down.
void TXGraph3D::DrawLegend(TCanvas& Canvas, const TRect& Rect, int W) {
  const int x = Rect.Right - W + 5;
  int y = Rect.Top + 5;
  const int h = Canvas.TextHeight("Xp");
  if (Options.Legend) DrawLegendEntries(Canvas, x, y, h);
  if (Options.HeightsBar) DrawHeightsBar(Canvas, x, Options.Legend ? y + h : y, h);
  BackBrush.AssignTo(Canvas.Brush());
  FramePen.AssignTo(Canvas.Pen());
}

void TXGraph3D::DrawLegendEntries(TCanvas& Canvas, int X, int& Y, int H) {
  for (const auto& item : Items) {
    const TXData& data = *item;
    if (!data.Visible) continue;
    data.Brush.AssignTo(Canvas.Brush());
    data.Pen.AssignTo(Canvas.Pen());
    switch (data.Opts.DrawKind) {
      case dkLine:
        Canvas.MoveTo(X, Y + H / 2);
        Canvas.LineTo(X + SwatchWidth, Y + H / 2);
        break;
      case dkScatter:
      case dkStems: DrawSymbol(Canvas, {X + SwatchWidth / 2, Y + H / 2}, data.Opts, data.Pen, data.Brush); break;
      case dkArrows:
        DrawArrow(Canvas, data, MakeScreenPoint(X, Y + H / 2.0L), MakeScreenPoint(X + SwatchWidth, Y + H / 2.0L));
        break;
      default: DrawShaderSwatch(Canvas, data, X, Y, H); break;
    }
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(X + TextOffset, Y, data.Name);
    Y += H + 5;
  }
}

// Swatches H rows high that touch, in the colours of the first visible data
// set with a height shader.
void TXGraph3D::DrawHeightsBar(TCanvas& Canvas, int X, int Y, int H) {
  const TXData* colours = nullptr;
  for (const auto& data : Items)
    if (data->Visible && data->Opts.Shader >= shColourHeight && data->Opts.Shader <= shHeightColourLight) {
      colours = data.get();
      break;
    }
  for (long double z : HeightsScaleTicks(DataMin.Z, DataMax.Z, Step.Z)) {
    Canvas.Pen().SetStyle(psClear);
    Canvas.Brush().SetColor(HeightsBarColor(colours, z));
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Rectangle(X, Y, X + SwatchWidth, Y + H + 1);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(X + TextOffset, Y, FormatLabel(z));
    Y += H;
  }
}
