#pragma once
// Scan-line views of bitmaps for the skin layer's pixel loops. A view binds
// a bitmap of the pixel format it addresses and at least 2 x 2 pixels; it
// keeps the address of row 0 and the byte step from one row to the next,
// so a pixel is found with one multiplication. A view holds while the
// bitmap keeps its size and format: painters make one right before a loop.
// 24-bit pixels are the bytes blue, green, red; 32-bit ones blue, green,
// red, alpha. Colours are 0x00BBGGRR.

#include <cstddef>
#include <cstdint>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;

// Round as the pixel formulas round: to the nearest integer, halves to even,
// on extended precision. Adding and taking away 2^63 leaves no fraction bit
// in the 64-bit significand, so the sum is rounded in the default mode
// (nearest, halves to even); exact for every value the routines make, and
// far cheaper than nearbyintl, which saves and restores the rounding mode.
inline int RoundHalfEven(long double value) {
  constexpr long double Shift = 0x1p63L;
  return static_cast<int>(value >= 0 ? (value + Shift) - Shift : -((-value + Shift) - Shift));
}

class TSkFast24 {
public:
  // False (and Width 0) for a null bitmap, one below 2 x 2 or one not pf24bit.
  bool Bind(TBitmap* bmp);
  // No bounds check: 0 <= x < Width, 0 <= y < Height.
  TColor ReadPixel(int x, int y) const;
  std::uint8_t* PixelAt(int x, int y) const { return FirstLine + y * RowStep + 3 * x; }
  std::uint8_t* Row(int y) const { return FirstLine + y * RowStep; }

  TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t RowStep = 0;
  std::uint8_t* FirstLine = nullptr;
};

class TSkFast32 {
public:
  // As TSkFast24's, for pf32bit bitmaps.
  bool Bind(TBitmap* bmp);
  // The colour without its alpha byte.
  TColor ReadPixel(int x, int y) const;
  // The colour's bytes, its top byte as the alpha byte.
  void WritePixel(int x, int y, std::uint32_t value) const;
  std::uint8_t* PixelAt(int x, int y) const { return FirstLine + y * RowStep + 4 * x; }
  std::uint8_t* Row(int y) const { return FirstLine + y * RowStep; }

  TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t RowStep = 0;
  std::uint8_t* FirstLine = nullptr;
};

// Two 24-bit bitmaps mixed byte by byte: Destination's DstRect takes Alpha
// parts of itself and 255 - Alpha of Source's SrcRect (of the same size).
class TSkFastSum24 {
public:
  // False unless both are pf24bit and at least 2 x 2.
  bool BindPair(TBitmap* src, TBitmap* dst);
  // dst := (dst * Alpha + src * (255 - Alpha) + 127) shr 8, bottom row
  // first, right to left, so a bitmap may be mixed into itself.
  void MixArea() const;

  TBitmap* Source = nullptr;
  TBitmap* Destination = nullptr;
  int Width = 0;  // the smaller of the two
  int Height = 0;
  std::uint8_t* SourceFirstLine = nullptr;
  std::uint8_t* DestinationFirstLine = nullptr;
  std::ptrdiff_t SourceRowStep = 0;
  std::ptrdiff_t DestinationRowStep = 0;
  std::uint8_t Alpha = 0;
  TRect DstRect;
  TRect SrcRect;
};
