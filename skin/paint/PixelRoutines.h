#pragma once
// The elementary pixel work under all skin painting: tinting, mixing and
// blending 24-bit bitmaps (32-bit where said), masks, channels, and colour
// arithmetic. Each routine checks the bitmaps it walks: a null bitmap, one
// below 2 x 2 or one of another pixel format is left alone. Rounding is
// RoundHalfEven on extended precision.

#include <cstdint>
#include <memory>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;
class TWinControl;
struct TBackdropRef;

// How a skinned tool bar dims the images of disabled buttons.
using TSkinDisabledKind = unsigned;
constexpr TSkinDisabledKind dkBlended = 0x1;
constexpr TSkinDisabledKind dkGrayed = 0x2;

// Blends the pixels of r (inclusive: Right and Bottom are the last column
// and row), cut to the bitmap, toward color: percent 100 keeps the picture,
// 0 gives the colour. c = percent / 100 is single precision.
void TintRect(TBitmap* bmp, TRect r, std::uint8_t percent, TColor color);
// Mixes src's srcRect into dst at dstPoint, dst weighted by alpha (of 256),
// both cut to the bitmaps.
void MixBitmapRect(TBitmap* dst, TBitmap* src, std::uint8_t alpha, TRect srcRect, TPoint dstPoint);
// Moves dst's pixels at (dstX, dstY) toward src's srcRect (inclusive):
// blend is the share of dst that stays. Source pixels of keyColor are
// skipped, unless its top byte is 0xFF.
void BlendKeyedRect(TBitmap* dst, int dstX, int dstY, TBitmap* src, TRect srcRect, double blend, TColor keyColor);
// Every pixel but keyColor: factor 1 keeps it, 0 gives color.
void TintBitmap(TBitmap* bmp, TColor color, TColor keyColor, double factor);
// Per channel, mask 0 gives the colour and 255 keeps the picture; the mask
// is a 24-bit bitmap of the same size, else nothing happens.
void ColorizeByMask(TBitmap* bmp, TBitmap* maskBmp, TColor color);
// Each pixel becomes the grey of its channels' average.
void DesaturateBitmap(TBitmap* bmp);
// Copies byte channel (0 blue .. 3 alpha) of each 32-bit pixel to the
// 8-bit bitmap's byte at the same place, or back; the 8-bit bitmap must be
// at least as large.
void CopyChannel(TBitmap* bmp32, TBitmap* bmp8, int channel, bool toBmp8);
// out := ((a - b) * m + b * 256) shr 8 per channel, m the mask's channel
// or level (255 shows a, 0 shows b). a, b and mask are 24-bit and out32 a
// 32-bit bitmap, all of one size; out32's alpha bytes stay.
void MergeByMask(TBitmap* out32, TBitmap* a, TBitmap* b, TBitmap* mask, int level);
// Copies every source pixel but keyColor to (x + column, y + row), inside dst.
void CopyKeyedBitmap(TBitmap* dst, TBitmap* src, int x, int y, TColor keyColor);
// The disabled look of a button image: grey with dkGrayed; with dkBlended
// 40 % of it over 60 % of the backdrop behind it, or without a ready
// backdrop halfway to its fill colour (the control's colour for 0xFF00FF).
void DimImage(TBitmap* bmp, TSkinDisabledKind kind, TWinControl* control, const TBackdropRef& backdrop,
              TPoint offset);

// New bitmaps, all pixels 0; the caller owns them.
std::unique_ptr<TBitmap> NewBitmap24(int width, int height);
std::unique_ptr<TBitmap> NewBitmap32(int width, int height);
std::unique_ptr<TBitmap> NewBitmapLike(const TBitmap& bmp);
// Converts to pf32bit with every alpha byte 0, as the platform's conversion
// leaves them (the toolkit's makes pixels opaque); keying relies on it.
void ConvertTo32BitClear(TBitmap* bmp);

// Per colour byte factor x color1 + (1 - factor) x color2; the top byte is color1's.
TColor WeighColors(TColor color1, TColor color2, double factor);
// Delta toward grey (100: fully grey), a negative one away from it; 0 keeps
// the colour exactly.
TColor AdjustSaturation(TColor color, int delta);
// Turns the hue by delta degrees (whole degrees); greys stay.
TColor RotateHue(int delta, TColor color);
// A pixel read from a picture, as a key colour: unchanged.
inline TColor PixelColorOf(TColor value) { return value; }
