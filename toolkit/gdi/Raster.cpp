// Fills, block transfers and pixels: everything drawn by combining whole
// pixels of pattern, source and destination with a raster operation.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "toolkit/gdi/BrushPixels.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/MetafileRecorder.h"
#include "toolkit/gdi/RasterOp.h"

namespace {

constexpr std::uint8_t PatternCopy = CodeOf(PATCOPY);
constexpr std::uint8_t SourceCopy = CodeOf(SRCCOPY);

// The code's result differs with the pattern, source or destination bit.
bool UsesPattern(std::uint8_t code) { return (code >> 4 & 0x0F) != (code & 0x0F); }
bool UsesSource(std::uint8_t code) { return (code >> 2 & 0x33) != (code & 0x33); }
bool UsesDestination(std::uint8_t code) { return (code >> 1 & 0x55) != (code & 0x55); }

// Source pixels prefetched for a target rectangle (surface coordinates) and
// already in the destination's colour model; source and destination may
// then be one surface.
struct TSourceMap {
  TRect Target;
  TRect From;  // source rectangle, in surface coordinates of the source
  bool MirrorX = false;
  bool MirrorY = false;
  std::vector<std::uint32_t> Pixels;  // From.Width() x From.Height()

  static int Map(int i, int targetLength, int sourceLength, bool mirror) {
    const int j = mirror ? targetLength - 1 - i : i;
    return int((std::int64_t(2 * j + 1) * sourceLength) / (2 * std::int64_t(targetLength)));
  }
  // Pixel for pixel: no scaling, no mirroring (scrolls and plain copies).
  bool IsOneToOne() const {
    return !MirrorX && !MirrorY && Target.Width() == From.Width() && Target.Height() == From.Height();
  }
  std::uint32_t At(int x, int y) const {
    const int sx = Map(x - Target.Left, Target.Width(), From.Width(), MirrorX);
    const int sy = Map(y - Target.Top, Target.Height(), From.Height(), MirrorY);
    return Pixels[std::size_t(sy) * From.Width() + sx];
  }
};

struct TRasterInputs {
  std::uint8_t Code = SourceCopy;
  const TBrushPixels* Brush = nullptr;
  const TSourceMap* Source = nullptr;
  std::optional<std::uint32_t> Transparent;  // source colour (0x00RRGGBB) that leaves the destination
};

void FillSolidRow(std::uint32_t* row, int count, std::uint32_t pixel) { std::fill(row, row + count, pixel); }

void RasterArea(TGdiBitmap& dest, const TRect& area, const TRasterInputs& in) {
  const int width = area.Width();
  const bool solidCopy = in.Code == PatternCopy && in.Brush->IsSolid() && !in.Brush->HasTransparency();
  if (solidCopy && dest.Format() == pf32bit) {
    for (int y = area.Top; y < area.Bottom; ++y)
      FillSolidRow(reinterpret_cast<std::uint32_t*>(dest.ScanLine(y)) + area.Left, width, in.Brush->Tile[0]);
    return;
  }
  if (solidCopy) {
    // Every row is the same: made once, stored in the bitmap's own format.
    const std::vector<std::uint32_t> row(width, in.Brush->Tile[0] | 0xFF000000u);
    for (int y = area.Top; y < area.Bottom; ++y) dest.StoreRow(y, area.Left, width, row.data());
    return;
  }
  if (in.Code == PatternCopy && !in.Brush->HasTransparency()) {  // a pattern: rows cut from its tile
    const TBrushPixels& brush = *in.Brush;
    std::vector<std::uint32_t> row(width);
    const int firstColumn = ((area.Left - brush.Origin.X) % brush.Width + brush.Width) % brush.Width;
    for (int y = area.Top; y < area.Bottom; ++y) {
      const int tileRow = ((y - brush.Origin.Y) % brush.Height + brush.Height) % brush.Height;
      const std::uint32_t* tile = brush.Tile.data() + std::size_t(tileRow) * brush.Width;
      for (int i = 0, column = firstColumn; i < width; ++i, column = column + 1 == brush.Width ? 0 : column + 1)
        row[i] = tile[column] | 0xFF000000u;
      dest.StoreRow(y, area.Left, width, row.data());
    }
    return;
  }
  if (in.Code == SourceCopy && in.Source && !in.Transparent && in.Source->IsOneToOne()) {
    const TSourceMap& map = *in.Source;
    for (int y = area.Top; y < area.Bottom; ++y) {
      const std::size_t from = std::size_t(y - map.Target.Top) * map.From.Width() + (area.Left - map.Target.Left);
      dest.StoreRow(y, area.Left, width, map.Pixels.data() + from);
    }
    return;
  }
  const bool readsDest = UsesDestination(in.Code) || in.Transparent || (in.Brush && in.Brush->HasTransparency());
  std::vector<std::uint32_t> row(width);
  for (int y = area.Top; y < area.Bottom; ++y) {
    if (readsDest) dest.FetchRow(y, area.Left, width, row.data());
    for (int i = 0; i < width; ++i) {
      const int x = area.Left + i;
      const std::uint32_t p = in.Brush ? in.Brush->At(x, y) : 0;
      const std::uint32_t s = in.Source ? in.Source->At(x, y) : 0;
      if ((in.Brush && p == TBrushPixels::Transparent) || (in.Transparent && (s & 0xFFFFFF) == *in.Transparent))
        continue;
      const std::uint32_t result = ApplyCode(in.Code, p, s, row[i]);
      // Only a plain copy carries alpha over; everything else is opaque.
      row[i] = in.Code == SourceCopy ? result : result | 0xFF000000u;
    }
    dest.StoreRow(y, area.Left, width, row.data());
  }
}

TRect ToSurface(HDC dc, const TRect& logical) {
  TRect r = dc->ToDevice(logical);
  OffsetRect(r, dc->Origin().X, dc->Origin().Y);
  return r;
}

// A rectangle given by a corner and a signed size. A negative size of a
// block transfer mirrors, and its rectangle runs back from the pixel at the
// corner: x + width + 1 .. x.
TRect Normalized(int x, int y, int width, int height, bool& mirrorX, bool& mirrorY) {
  mirrorX = width < 0;
  mirrorY = height < 0;
  const int left = mirrorX ? x + width + 1 : x;
  const int top = mirrorY ? y + height + 1 : y;
  return Bounds(left, top, std::abs(width), std::abs(height));
}

void Raster(HDC dc, const TRect& target, const TRasterInputs& in) {
  dc->SurfaceClip().ForEachRectIn(target, [&](const TRect& part) { RasterArea(dc->Surface(), part, in); });
}

bool PaintWithBrush(HDC dc, const TRect& logical, HBRUSH brush, std::uint8_t code) {
  if (!dc || !brush) return false;
  const TBrushPixels pixels = BrushPixels(*dc, *brush);
  if (pixels.IsNull) return true;
  Raster(dc, ToSurface(dc, logical), {code, &pixels, nullptr, {}});
  return true;
}

// A pixel of a monochrome bitmap drawn on colour, or of colour drawn on monochrome.
std::uint32_t Translate(std::uint32_t pixel, const TGdiBitmap& from, HDC source, HDC dest) {
  const bool fromMono = from.Format() == pf1bit;
  const bool toMono = dest->Surface().Format() == pf1bit;
  if (fromMono && !toMono) {
    const bool zero = pixel == ColorToPixel(from.Palette()[0]);
    return ColorToPixel(zero ? dest->State().TextColor : dest->State().BkColor);
  }
  if (!fromMono && toMono)
    return ColorToPixel(PixelToColor(pixel) == source->State().BkColor ? clWhite : clBlack);
  return pixel;
}

// Reads the source rectangle (surface coordinates; parts outside the bitmap
// repeat its edge pixels) in the destination's colour model.
std::vector<std::uint32_t> FetchSource(HDC source, const TRect& from, HDC dest) {
  const TGdiBitmap& bitmap = source->Surface();
  std::vector<std::uint32_t> pixels(std::size_t(from.Width()) * from.Height());
  const bool inside = from.Left >= 0 && from.Top >= 0 && from.Right <= bitmap.Width() && from.Bottom <= bitmap.Height();
  const bool colourToColour = bitmap.Format() != pf1bit && dest->Surface().Format() != pf1bit;
  if (inside && colourToColour) {  // the common case: rows as they are
    for (int y = 0; y < from.Height(); ++y)
      bitmap.FetchRow(from.Top + y, from.Left, from.Width(), pixels.data() + std::size_t(y) * from.Width());
    return pixels;
  }
  std::vector<std::uint32_t> row(bitmap.Width());
  for (int y = 0; y < from.Height(); ++y) {
    bitmap.FetchRow(std::clamp(from.Top + y, 0, bitmap.Height() - 1), 0, bitmap.Width(), row.data());
    for (int x = 0; x < from.Width(); ++x) {
      const std::uint32_t pixel = row[std::clamp(from.Left + x, 0, bitmap.Width() - 1)];
      pixels[std::size_t(y) * from.Width() + x] = Translate(pixel, bitmap, source, dest);
    }
  }
  return pixels;
}

bool Transfer(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
              int sourceHeight, std::uint8_t code, std::optional<TColor> transparent) {
  if (!dest) return false;
  if (!UsesSource(code)) return PatBlt(dest, x, y, width, height, std::uint32_t(code) << 16);
  if (!source || source->Surface().IsEmpty()) return false;
  bool mirrorX, mirrorY, sourceMirrorX, sourceMirrorY;
  TSourceMap map;
  map.Target = ToSurface(dest, Normalized(x, y, width, height, mirrorX, mirrorY));
  map.From = ToSurface(source, Normalized(sourceX, sourceY, sourceWidth, sourceHeight, sourceMirrorX, sourceMirrorY));
  if (IsRectEmpty(map.Target) || IsRectEmpty(map.From)) return true;
  map.MirrorX = mirrorX != sourceMirrorX;
  map.MirrorY = mirrorY != sourceMirrorY;
  map.Pixels = FetchSource(source, map.From, dest);
  TBrushPixels brush;
  if (UsesPattern(code)) brush = BrushPixels(*dest, *dest->State().Brush);
  TRasterInputs in{code, UsesPattern(code) ? &brush : nullptr, &map, {}};
  if (transparent) in.Transparent = ColorToPixel(ColorToRGB(*transparent)) & 0xFFFFFF;
  Raster(dest, map.Target, in);
  return true;
}

// Row by row: memory copies between 32-bit bitmaps, the bitmaps' own row
// conversions between other colour formats (a back buffer of 24 bits drawn
// on a window).
bool CopyWholePixels(HDC dest, const TRect& target, HDC source, TPoint from) {
  TGdiBitmap& to = dest->Surface();
  const TGdiBitmap& bitmap = source->Surface();
  TRect inside = target;
  TRect sourceBounds{0, 0, bitmap.Width(), bitmap.Height()};
  OffsetRect(sourceBounds, target.Left - from.X, target.Top - from.Y);
  if (!IntersectRect(inside, inside, sourceBounds)) return true;
  const bool bothWide = to.Format() == pf32bit && bitmap.Format() == pf32bit;
  std::vector<std::uint32_t> row;
  dest->SurfaceClip().ForEachRectIn(inside, [&](const TRect& part) {
    const int sourceLeft = part.Left - target.Left + from.X;
    row.resize(std::size_t(part.Width()));
    for (int y = part.Top; y < part.Bottom; ++y) {
      const int sourceRow = y - target.Top + from.Y;
      if (bothWide) {
        std::memcpy(to.ScanLine(y) + std::size_t(part.Left) * 4, bitmap.ScanLine(sourceRow) + std::size_t(sourceLeft) * 4,
                    std::size_t(part.Width()) * 4);
      } else {
        bitmap.FetchRow(sourceRow, sourceLeft, part.Width(), row.data());
        to.StoreRow(y, part.Left, part.Width(), row.data());
      }
    }
  });
  return true;
}

// The one-pixel edges just inside a rectangle; no pixel is in two of them,
// so a frame drawn by inverting them is removed by drawing it again.
template <class Visit>
void ForEachFrameEdge(const TRect& r, Visit visit) {
  visit(Rect(r.Left, r.Top, r.Right, r.Top + 1));
  if (r.Height() > 1) visit(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  if (r.Height() > 2) {
    visit(Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1));
    if (r.Width() > 1) visit(Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1));
  }
}

const std::uint8_t FocusPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};

}  // namespace

int FillRect(HDC dc, const TRect& rect, HBRUSH brush) {
  if (TMetafileRecorder* recorder = dc && brush ? dc->Recorder() : nullptr) {
    recorder->FillRect(*dc, rect, *brush);
    return true;
  }
  return PaintWithBrush(dc, rect, brush, PatternCopy);
}

int FrameRect(HDC dc, const TRect& rect, HBRUSH brush) {
  if (!dc || !brush) return false;
  if (IsRectEmpty(rect)) return true;
  ForEachFrameEdge(rect, [&](const TRect& edge) { FillRect(dc, edge, brush); });
  return true;
}

bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  if (!dc || !rgn || !brush) return false;
  for (const TRect& rect : rgn->Region.Rects()) FillRect(dc, rect, brush);
  return true;
}

bool InvertRect(HDC dc, const TRect& rect) {
  if (!dc) return false;
  Raster(dc, ToSurface(dc, rect), {CodeOf(DSTINVERT), nullptr, nullptr, {}});
  return true;
}

bool DrawFocusRect(HDC dc, const TRect& rect) {
  if (!dc) return false;
  if (IsRectEmpty(rect)) return true;
  const TBrushPixels pattern = MonochromePixels(*dc, FocusPattern);
  const TRasterInputs in{CodeOf(PATINVERT), &pattern, nullptr, {}};
  ForEachFrameEdge(ToSurface(dc, rect), [&](const TRect& edge) { Raster(dc, edge, in); });
  return true;
}

bool PatBlt(HDC dc, int x, int y, int width, int height, std::uint32_t rop) {
  if (!dc) return false;
  const std::uint8_t code = CodeOf(rop);
  const TRect target = ToSurface(dc, Rect(std::min(x, x + width), std::min(y, y + height), std::max(x, x + width),
                                          std::max(y, y + height)));
  TBrushPixels brush;
  if (UsesPattern(code)) {
    brush = BrushPixels(*dc, *dc->State().Brush);
    if (brush.IsNull) return true;
  }
  Raster(dc, target, {code, UsesPattern(code) ? &brush : nullptr, nullptr, {}});
  return true;
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, std::uint32_t rop) {
  const std::uint8_t code = CodeOf(rop);
  // Monochrome bitmaps take the text and background colours: not a plain copy.
  const bool plainCopy = code == SourceCopy && dest && source && &dest->Surface() != &source->Surface() &&
                         dest->Surface().Format() != pf1bit && source->Surface().Format() != pf1bit;
  if (plainCopy && width > 0 && height > 0) {
    const TPoint from = source->ToDevice(TPoint{sourceX, sourceY});
    return CopyWholePixels(dest, ToSurface(dest, Bounds(x, y, width, height)), source,
                           {from.X + source->Origin().X, from.Y + source->Origin().Y});
  }
  return Transfer(dest, x, y, width, height, source, sourceX, sourceY, width, height, code, {});
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, std::uint32_t rop) {
  return Transfer(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, CodeOf(rop), {});
}

bool TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, TColor transparent) {
  return Transfer(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SourceCopy,
                  transparent);
}

bool ScrollDC(HDC dc, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect) {
  if (!dc) return false;
  TRect all;
  GetClipBox(dc, &all);
  TRect area = scroll ? *scroll : all;
  if (clip) IntersectRect(area, area, *clip);
  TRect moved = area;
  OffsetRect(moved, dx, dy);
  TRect limit = clip ? *clip : area;
  TRect target;
  IntersectRect(target, moved, limit);
  if (!IsRectEmpty(target)) {
    const int level = SaveDC(dc);
    IntersectClipRect(dc, target.Left, target.Top, target.Right, target.Bottom);
    BitBlt(dc, target.Left, target.Top, target.Width(), target.Height(), dc, target.Left - dx, target.Top - dy,
           SRCCOPY);
    RestoreDC(dc, level);
  }
  TRegion uncovered = TRegion::Combine(TRegion(area), TRegion(target), RGN_DIFF);
  if (update) update->Region = uncovered;
  if (updateRect) *updateRect = uncovered.Bounds();
  return true;
}

TColor SetPixel(HDC dc, int x, int y, TColor color) {
  if (!dc) return CLR_INVALID;
  const TPoint p = ToSurface(dc, Bounds(x, y, 1, 1)).TopLeft();
  if (!dc->SurfaceClip().Contains(p)) return CLR_INVALID;
  dc->Surface().SetPixel(p.X, p.Y, color);
  return dc->Surface().Pixel(p.X, p.Y);
}

TColor GetPixel(HDC dc, int x, int y) {
  if (!dc) return CLR_INVALID;
  const TPoint p = ToSurface(dc, Bounds(x, y, 1, 1)).TopLeft();
  if (!dc->SurfaceClip().Contains(p)) return CLR_INVALID;
  return dc->Surface().Pixel(p.X, p.Y);
}
