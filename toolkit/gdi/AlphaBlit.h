#pragma once
// Drawing a 32-bit picture over a device context by its alpha bytes.

#include <cstdint>
#include <vector>

#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Region.h"

// The source pixel (0xAARRGGBB) over the destination by the source's
// alpha; the result is opaque.
inline std::uint32_t AlphaOver(std::uint32_t source, std::uint32_t dest) {
  const std::uint32_t alpha = source >> 24;
  std::uint32_t result = 0xFF000000u;
  for (int shift : {0, 8, 16})
    result |= ((source >> shift & 0xFF) * alpha + (dest >> shift & 0xFF) * (255 - alpha) + 127) / 255 << shift;
  return result;
}

// Draws the top-left width x height pixels of image at (x, y) of dc, inside
// its clip; each source pixel first goes through adjust.
template <class Adjust>
void AlphaBlit(HDC dc, int x, int y, const TGdiBitmap& image, int width, int height, Adjust adjust) {
  const TPoint device = dc->ToDevice(TPoint{x, y});
  const TRect target = Bounds(device.X + dc->Origin().X, device.Y + dc->Origin().Y, width, height);
  TGdiBitmap& surface = dc->Surface();
  std::vector<std::uint32_t> source(std::size_t(width > 0 ? width : 0));
  std::vector<std::uint32_t> dest(source.size());
  dc->SurfaceClip().ForEachRectIn(target, [&](const TRect& part) {
    for (int row = part.Top; row < part.Bottom; ++row) {
      image.FetchRow(row - target.Top, part.Left - target.Left, part.Width(), source.data());
      surface.FetchRow(row, part.Left, part.Width(), dest.data());
      for (int i = 0; i < part.Width(); ++i) dest[i] = AlphaOver(adjust(source[i]), dest[i]);
      surface.StoreRow(row, part.Left, part.Width(), dest.data());
    }
  });
}
