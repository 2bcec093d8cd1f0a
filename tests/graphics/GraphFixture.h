#pragma once
// An empty renderer in Courier New of 13 pixels and a white 640 x 480
// bitmap to draw it on.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "graphics/XGraph.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/Screenshot.h"

class GraphTest : public testing::Test {
protected:
  GraphTest() : bitmap(640, 480, pf32bit) {
    graph.Clear();
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-13);
    graph.SetFont(font);
    Canvas().Font().Assign(font);
    Clear(clWhite);
  }

  TCanvas& Canvas() { return bitmap.Canvas(); }
  TColor At(int x, int y) const { return bitmap.Handle()->Pixel(x, y); }
  int TextHeight() { return Canvas().TextHeight("Xp"); }
  int TextWidth(const std::string& text) { return Canvas().TextWidth(text); }
  void Clear(TColor colour) {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.Handle()->SetPixel(x, y, colour);
  }
  // Areas are cut to the bitmap.
  TRect Ink(const TRect& area, TColor background = clWhite) const {
    return InkBounds(*bitmap.Handle(), Inside(area), background);
  }
  int Count(TColor colour, const TRect& area) const { return CountPixels(*bitmap.Handle(), Inside(area), colour); }
  TRect Inside(const TRect& area) const {
    return Rect(std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, bitmap.Width()),
                std::min(area.Bottom, bitmap.Height()));
  }
  // For looking at a failing test's picture.
  void Save(const std::string& fileName) const { SaveBitmapAsPng(bitmap, fileName); }

  TXSeries& AddSeries(std::initializer_list<std::pair<long double, long double>> points, TDrawKind kind = dkLine) {
    auto& series = static_cast<TXSeries&>(*graph.AddData("s", SeriesKind));
    for (const auto& [x, y] : points) series.AddPoint(x, y);
    series.Opts.DrawKind = kind;
    return series;
  }
  void SetUserScale(long double minX, long double maxX, long double incX, long double minY, long double maxY,
                    long double incY) {
    graph.Options.AutoX = graph.Options.AutoY = false;
    graph.Options.Min = MakePoint3D(minX, minY, 0);
    graph.Options.Max = MakePoint3D(maxX, maxY, 1);
    graph.Options.Inc = MakePoint3D(incX, incY, 1);
  }
  // The renderer's box and step, without rounding.
  void SetBox(long double minX, long double maxX, long double incX, long double minY, long double maxY,
              long double incY) {
    graph.DataMin = MakePoint3D(minX, minY, 0);
    graph.DataMax = MakePoint3D(maxX, maxY, 1);
    graph.Step = MakePoint3D(incX, incY, 1);
  }

  // Paints the renderer over the whole bitmap, as the graph window does.
  bool Paint() { return graph.PaintTo(Canvas(), Rect(0, 0, bitmap.Width(), bitmap.Height())); }
  // The frame and the plot rectangle of the last pass over the whole bitmap
  // (no titles, no legend), from the scales it left.
  TRect Frame() {
    TRect r = Rect(0, 0, bitmap.Width(), bitmap.Height());
    const TRect m = graph.MeasureMargins(Canvas(), r);
    return Rect(r.Left + m.Left, r.Top + m.Top, r.Right - m.Right, r.Bottom - m.Bottom);
  }
  TRect Plot() {
    const TRect f = Frame();
    return Rect(f.Left + 5, f.Top + 5, f.Right - 5, f.Bottom - 5);
  }
  TPoint W(long double x, long double y) { return graph.WorldToScreen(Plot(), x, y); }
  // The bounds of every pixel of the colour.
  TRect Bounds(TColor colour) const {
    TRect b{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (At(x, y) == colour) b = Rect(std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                                         std::max(b.Bottom, y + 1));
    return b.Left < b.Right ? b : TRect{};
  }
  // Whether a pixel within distance of (x, y) has the colour.
  bool Near(TPoint p, TColor colour, int distance = 1) const {
    for (int dy = -distance; dy <= distance; ++dy)
      for (int dx = -distance; dx <= distance; ++dx) {
        const int x = p.X + dx, y = p.Y + dy;
        if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height() && At(x, y) == colour) return true;
      }
    return false;
  }
  // How many of the points strictly between a and b have the colour near them.
  int SegmentHits(TPoint a, TPoint b, TColor colour, int distance = 0, int samples = 10) const {
    int hits = 0;
    for (int k = 1; k < samples; ++k)
      if (Near({a.X + (b.X - a.X) * k / samples, a.Y + (b.Y - a.Y) * k / samples}, colour, distance)) ++hits;
    return hits;
  }

  TXGraph graph;
  TBitmap bitmap;
};
