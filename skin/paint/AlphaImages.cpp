#include "skin/paint/AlphaImages.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/FastPixels.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

// The part drawn: Rows x Columns from Src's top-left to Dst's top-left.
struct TAlphaArea {
  TPoint Dst;
  TPoint Src;
  int Rows = 0;
  int Columns = 0;
};

// Both rectangles cut to each other and to their bitmaps; negative starts
// clipped in pairs. False when nothing is left.
bool AreaOf(TRect dstRect, TRect srcRect, const TSkFastLines& dst, const TSkFastLines& src, TAlphaArea& area) {
  area.Rows = std::min({dstRect.Height(), srcRect.Height(), dst.Height - dstRect.Top, src.Height - srcRect.Top});
  area.Columns = std::min({dstRect.Width(), srcRect.Width(), dst.Width - dstRect.Left, src.Width - srcRect.Left});
  if (area.Rows <= 0 || area.Columns <= 0) return false;
  ClipPair(dstRect.Left, srcRect.Left, area.Columns);
  ClipPair(dstRect.Top, srcRect.Top, area.Rows);
  area.Dst = dstRect.TopLeft();
  area.Src = srcRect.TopLeft();
  return area.Rows > 0 && area.Columns > 0;
}

bool IsKey(const std::uint8_t* pixel) {
  return pixel[0] == GetBValue(clSkinKey) && pixel[1] == GetGValue(clSkinKey) && pixel[2] == GetRValue(clSkinKey);
}

// What a key pixel becomes. The backdrop is read through its canvas, one
// call a pixel: these pictures are glyphs and icons.
class TKeyPixelRule {
public:
  TKeyPixelRule(const TBackdropRef& backdrop, bool updateCorners)
      : backdrop_(backdrop), fromBackdrop_(backdrop.Ready && updateCorners && backdrop.Bmp) {}
  // Over a backdrop that is not ready key pixels are blended like the others.
  bool Blends() const { return !backdrop_.Ready; }
  // The key pixel at (x, y) of the destination; false ends the row (past
  // the backdrop's right side, or above its top).
  bool Apply(std::uint8_t* pixel, int x, int y) const {
    if (!fromBackdrop_) return true;
    const int bx = x + backdrop_.X, by = y + backdrop_.Y;
    if (by >= backdrop_.Bmp->Height() - 1) return true;  // its last row is never read
    if (by < 0 || bx >= backdrop_.Bmp->Width()) return false;
    if (bx < 0) return true;
    const TColor color = backdrop_.Bmp->Canvas().Pixel(bx, by);
    pixel[0] = std::uint8_t(GetBValue(color));
    pixel[1] = std::uint8_t(GetGValue(color));
    pixel[2] = std::uint8_t(GetRValue(color));
    return true;
  }

private:
  const TBackdropRef& backdrop_;
  bool fromBackdrop_;
};

// Walks the area: key pixels by the rule, the others by blend(to, from).
template <class Source, class Blend>
void DrawArea(const TAlphaArea& area, const TSkFast24& dst, const Source& src, const TKeyPixelRule& keys,
              Blend blend) {
  for (int r = 0; r < area.Rows; ++r) {
    const int row = area.Dst.Y + r;
    for (int c = 0; c < area.Columns; ++c) {
      const std::uint8_t* from = src.PixelAt(area.Src.X + c, area.Src.Y + r);
      std::uint8_t* to = dst.PixelAt(area.Dst.X + c, row);
      if (!keys.Blends() && IsKey(from)) {
        if (!keys.Apply(to, area.Dst.X + c, row)) break;
      } else {
        blend(to, from);
      }
    }
  }
}

// dst := ((src - dst) x a + dst x 256) shr 8 per channel: a 255 nearly the
// picture, 0 the destination.
void BlendByAlpha(std::uint8_t* to, const std::uint8_t* from, std::uint8_t alpha) {
  for (int channel = 0; channel < 3; ++channel)
    to[channel] = std::uint8_t(((from[channel] - to[channel]) * alpha + to[channel] * 256) >> 8);
}

void DrawMaskedHalves(TRect dstRect, TRect srcRect, const TSkFast24& dst, TBitmap* srcBmp,
                      const TKeyPixelRule& keys) {
  TSkFast24 src;
  TAlphaArea area;
  if (!src.Bind(srcBmp) || !AreaOf(dstRect, srcRect, dst, src, area)) return;
  const int maskShift = src.Height / 2;
  // Only rows whose mask row lies in the bitmap.
  area.Rows = std::min(area.Rows, src.Height - maskShift - area.Src.Y);
  if (area.Rows <= 0) return;
  DrawArea(area, dst, src, keys, [&](std::uint8_t* to, const std::uint8_t* from) {
    const std::uint8_t* mask = from + maskShift * src.RowStep;
    for (int channel = 0; channel < 3; ++channel)
      to[channel] = std::uint8_t(((to[channel] - from[channel]) * mask[channel] + from[channel] * 256) >> 8);
  });
}

void DrawWithAlpha(TRect dstRect, TRect srcRect, const TSkFast24& dst, TBitmap* srcBmp, const TKeyPixelRule& keys) {
  TSkFast32 src;
  TAlphaArea area;
  if (!src.Bind(srcBmp) || !AreaOf(dstRect, srcRect, dst, src, area)) return;
  DrawArea(area, dst, src, keys, [](std::uint8_t* to, const std::uint8_t* from) { BlendByAlpha(to, from, from[3]); });
}

// Every pixel of the area but white becomes its grey times the colour.
void Recolour(const TSkFast32& src, const TAlphaArea& area, TColor color) {
  const int target[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
  for (int r = 0; r < area.Rows; ++r)
    for (int c = 0; c < area.Columns; ++c) {
      std::uint8_t* pixel = src.PixelAt(area.Src.X + c, area.Src.Y + r);
      if (pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF) continue;
      const int grey = (pixel[0] + pixel[1] + pixel[2]) / 3;
      for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = std::uint8_t(std::min(255, RoundHalfEven(grey * static_cast<long double>(target[channel]) / 255)));
    }
}

}  // namespace

void DrawAlphaImage(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                    bool updateCorners) {
  TSkFast24 dst;
  if (!srcBmp || !dst.Bind(dstBmp)) return;
  const TKeyPixelRule keys(backdrop, updateCorners);
  if (srcBmp->PixelFormat() == pf24bit)
    DrawMaskedHalves(dstRect, srcRect, dst, srcBmp, keys);
  else if (srcBmp->PixelFormat() == pf32bit)
    DrawWithAlpha(dstRect, srcRect, dst, srcBmp, keys);
}

void DrawPngImage(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                  bool updateCorners, TColor color, int blend) {
  TSkFast24 dst;
  if (!srcBmp || !dst.Bind(dstBmp)) return;
  // The caller's picture is shared (a PNG object's): a copy takes the
  // format and the colour, or it would darken at every draw.
  std::unique_ptr<TBitmap> copy;
  if (color != clNone || srcBmp->PixelFormat() != pf32bit) {
    copy = std::make_unique<TBitmap>();
    copy->Assign(*srcBmp);
    copy->SetPixelFormat(pf32bit);
    srcBmp = copy.get();
  }
  TSkFast32 src;
  TAlphaArea area;
  if (!src.Bind(srcBmp) || !AreaOf(dstRect, srcRect, dst, src, area)) return;
  if (color != clNone) Recolour(src, area, ColorToRGB(color));
  DrawArea(area, dst, src, TKeyPixelRule(backdrop, updateCorners), [blend](std::uint8_t* to, const std::uint8_t* from) {
    BlendByAlpha(to, from, blend != 0 ? std::uint8_t((100 - blend) * from[3] / 100) : from[3]);
  });
}

void PaintSoftRect(TBitmap* bmp, const TRect& r, int percent, TColor color, int depth, int radius) {
  const int width = r.Width(), height = r.Height();
  if (!bmp || width <= 0 || height <= 0) return;
  const std::unique_ptr<TBitmap> picture = NewBitmap24(width, height);
  BitBlt(picture->Canvas().Handle(), 0, 0, width, height, bmp->Canvas().Handle(), r.Left, r.Top, SRCCOPY);
  // White outside the outermost ring keeps the picture in the corners.
  const std::unique_ptr<TBitmap> mask = NewBitmap24(width, height);
  TCanvas& canvas = mask->Canvas();
  FillDeviceRect(canvas.Handle(), Rect(0, 0, width, height), clWhite);
  const int n = std::min({width / 2, height / 2, depth});
  const int rounding = std::min({width / 2, height / 2, radius});
  const int level = percent * 255 / 100;
  const double step = double(255 - level) / (n + 1);
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  for (int v = 0; v <= n; ++v) {
    canvas.RoundRect(v, v, width - v, height - v, rounding, rounding);
    const int grey = RoundHalfEven((n - v) * static_cast<long double>(step)) + level;
    canvas.Brush().SetColor(TColor(grey) * 0x010101);
  }
  canvas.RoundRect(n, n, width - n, height - n, n, n);
  ColorizeByMask(picture.get(), mask.get(), ColorToRGB(color));
  BitBlt(bmp->Canvas().Handle(), r.Left, r.Top, width, height, picture->Canvas().Handle(), 0, 0, SRCCOPY);
}
