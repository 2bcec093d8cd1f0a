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

  TXGraph graph;
  TBitmap bitmap;
};
