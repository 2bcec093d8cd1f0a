#pragma once
// A white 32-bit bitmap to draw on, and ways to read back what was drawn.

#include <gtest/gtest.h>

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
    TRect ink{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (At(x, y) != background) {
          ink.Left = std::min(ink.Left, x);
          ink.Top = std::min(ink.Top, y);
          ink.Right = std::max(ink.Right, x + 1);
          ink.Bottom = std::max(ink.Bottom, y + 1);
        }
    return IsRectEmpty(ink) ? TRect{} : ink;
  }

  int Count(TColor color, const TRect& area) const {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) count += At(x, y) == color;
    return count;
  }

  std::vector<TColor> Snapshot() const {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(At(x, y));
    return pixels;
  }

  TBitmap bitmap;
};
