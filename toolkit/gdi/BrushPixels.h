#pragma once
// What a brush puts on each pixel when it paints through a device context:
// a tile of pixels (one pixel for a solid brush) repeated from the brush
// origin. Shared by the fills here and by the platform painter.

#include <cstdint>
#include <vector>

#include "toolkit/gdi/DeviceContext.h"

struct TBrushPixels {
  // A tile pixel of Transparent leaves the destination as it is (the gaps
  // of a hatch in TRANSPARENT mode); every other tile pixel is opaque.
  static constexpr std::uint32_t Transparent = 0;

  bool IsNull = false;
  int Width = 1;
  int Height = 1;
  std::vector<std::uint32_t> Tile{0xFF000000u};
  TPoint Origin;  // surface coordinates of the tile's top-left pixel

  bool IsSolid() const { return Width == 1 && Height == 1; }
  bool HasTransparency() const;
  // The pixel at (x, y) in surface coordinates.
  std::uint32_t At(int x, int y) const {
    int tx = (x - Origin.X) % Width;
    int ty = (y - Origin.Y) % Height;
    if (tx < 0) tx += Width;
    if (ty < 0) ty += Height;
    return Tile[std::size_t(ty) * Width + tx];
  }
};

TBrushPixels BrushPixels(const TDeviceContext& dc, const TGdiBrush& brush);
// The same for the monochrome pattern rows given (bit 7 of a row is the leftmost pixel).
TBrushPixels MonochromePixels(const TDeviceContext& dc, const std::uint8_t (&rows)[8]);
