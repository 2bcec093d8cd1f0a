#pragma once
// Looking at drawn pixels: how many have a colour, and where the ink is.

#include <algorithm>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/GdiBitmap.h"

inline int CountPixels(const TGdiBitmap& image, const TRect& area, TColor color) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (image.Pixel(x, y) == color) ++count;
  return count;
}

// The bounds of every pixel in the area that differs from the background.
inline TRect InkBounds(const TGdiBitmap& image, const TRect& area, TColor background) {
  TRect ink{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (image.Pixel(x, y) != background) {
        ink.Left = std::min(ink.Left, x);
        ink.Top = std::min(ink.Top, y);
        ink.Right = std::max(ink.Right, x + 1);
        ink.Bottom = std::max(ink.Bottom, y + 1);
      }
  return IsRectEmpty(ink) ? TRect{} : ink;
}

inline bool SamePixels(const TGdiBitmap& a, const TGdiBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// The bounds of every pixel of the colour in the area.
inline TRect ColorBounds(const TGdiBitmap& image, const TRect& area, TColor color) {
  TRect found{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (image.Pixel(x, y) == color) {
        found.Left = std::min(found.Left, x);
        found.Top = std::min(found.Top, y);
        found.Right = std::max(found.Right, x + 1);
        found.Bottom = std::max(found.Bottom, y + 1);
      }
  return IsRectEmpty(found) ? TRect{} : found;
}
