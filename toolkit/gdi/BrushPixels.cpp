#include "toolkit/gdi/BrushPixels.h"

#include <algorithm>

namespace {

bool HatchBit(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL: return y == 7;
    case HS_VERTICAL: return x == 7;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 7 || y == 7;
    default: return x == y || x + y == 7;  // HS_DIAGCROSS
  }
}

TBrushPixels EmptyTile(const TDeviceContext& dc, int width, int height) {
  TBrushPixels pixels;
  pixels.Width = width;
  pixels.Height = height;
  pixels.Tile.assign(std::size_t(width) * height, 0);
  pixels.Origin = {dc.State().BrushOrg.X + dc.Origin().X, dc.State().BrushOrg.Y + dc.Origin().Y};
  return pixels;
}

TBrushPixels HatchPixels(const TDeviceContext& dc, const TGdiBrush& brush) {
  TBrushPixels pixels = EmptyTile(dc, 8, 8);
  const std::uint32_t gap =
      dc.State().BkMode == OPAQUE ? ColorToPixel(dc.State().BkColor) : TBrushPixels::Transparent;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pixels.Tile[y * 8 + x] = HatchBit(brush.Hatch, x, y) ? ColorToPixel(brush.Color) : gap;
  return pixels;
}

TBrushPixels PatternPixels(const TDeviceContext& dc, const TGdiBitmap& pattern) {
  TBrushPixels pixels = EmptyTile(dc, pattern.Width(), pattern.Height());
  const bool monochrome = pattern.Format() == pf1bit;
  // Only a monochrome pattern has a palette to tell its 0 bits by.
  const std::uint32_t zero = monochrome ? ColorToPixel(pattern.Palette()[0]) : 0;
  for (int y = 0; y < pattern.Height(); ++y) {
    std::uint32_t* row = &pixels.Tile[std::size_t(y) * pattern.Width()];
    pattern.FetchRow(y, 0, pattern.Width(), row);
    for (int x = 0; x < pattern.Width(); ++x) {
      if (monochrome)
        row[x] = ColorToPixel(row[x] == zero ? dc.State().TextColor : dc.State().BkColor);
      else
        row[x] |= 0xFF000000u;
    }
  }
  return pixels;
}

}  // namespace

bool TBrushPixels::HasTransparency() const {
  return std::find(Tile.begin(), Tile.end(), Transparent) != Tile.end();
}

TBrushPixels BrushPixels(const TDeviceContext& dc, const TGdiBrush& brush) {
  switch (brush.Style) {
    case BS_SOLID: {
      TBrushPixels pixels;
      pixels.Tile[0] = ColorToPixel(brush.Color);
      return pixels;
    }
    case BS_HATCHED: return HatchPixels(dc, brush);
    case BS_PATTERN: return PatternPixels(dc, *brush.Pattern);
    default: {
      TBrushPixels pixels;
      pixels.IsNull = true;
      return pixels;
    }
  }
}

TBrushPixels MonochromePixels(const TDeviceContext& dc, const std::uint8_t (&rows)[8]) {
  TBrushPixels pixels = EmptyTile(dc, 8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pixels.Tile[y * 8 + x] = ColorToPixel(rows[y] & (0x80 >> x) ? dc.State().BkColor : dc.State().TextColor);
  return pixels;
}
