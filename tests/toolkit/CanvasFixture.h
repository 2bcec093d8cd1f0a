#pragma once
// A white 32-bit bitmap to draw on, and ways to read back what was drawn.

#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/Pixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

class CanvasTest : public testing::Test {
protected:
  explicit CanvasTest(int width = 64, int height = 48) : bitmap(width, height, pf32bit) { Clear(clWhite); }

  TCanvas& Canvas() { return bitmap.Canvas(); }
  HDC Dc() { return bitmap.Canvas().Handle(); }
  TColor At(int x, int y) const { return bitmap.Handle()->Pixel(x, y); }

  void Clear(TColor color) {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.Handle()->SetPixel(x, y, color);
  }

  // The smallest rectangle holding every pixel that is not the background.
  TRect Ink(TColor background = clWhite) const {
    return InkBounds(*bitmap.Handle(), Rect(0, 0, bitmap.Width(), bitmap.Height()), background);
  }
  int Count(TColor color, const TRect& area) const { return CountPixels(*bitmap.Handle(), area, color); }

  std::vector<TColor> Snapshot() const {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(At(x, y));
    return pixels;
  }

  TBitmap bitmap;
};
