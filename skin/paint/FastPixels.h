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

// The rows of a bound bitmap, whatever its pixel size.
struct TSkFastLines {
  // False (and Width 0) for a null bitmap, one below 2 x 2 or one whose
  // pixels are not pixelBytes (3 or 4) bytes wide.
  bool BindLines(TBitmap* bmp, int pixelBytes);
  std::uint8_t* Row(int y) const { return FirstLine + y * RowStep; }

  TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t RowStep = 0;
  std::uint8_t* FirstLine = nullptr;
};

// A view of pf24bit (3 bytes) or pf32bit (4 bytes) pixels.
template <int PixelBytes>
class TSkFastView : public TSkFastLines {
public:
  bool Bind(TBitmap* bmp) { return BindLines(bmp, PixelBytes); }
  // No bounds check: 0 <= x < Width, 0 <= y < Height. The colour without
  // an alpha byte.
  TColor ReadPixel(int x, int y) const {
    const std::uint8_t* pixel = PixelAt(x, y);
    return TColor(pixel[0]) << 16 | TColor(pixel[1]) << 8 | pixel[2];
  }
  // The colour's bytes, its top byte as the alpha byte.
  void WritePixel(int x, int y, std::uint32_t value) const
    requires(PixelBytes == 4)
  {
    std::uint8_t* pixel = PixelAt(x, y);
    pixel[0] = std::uint8_t(value >> 16);
    pixel[1] = std::uint8_t(value >> 8);
    pixel[2] = std::uint8_t(value);
    pixel[3] = std::uint8_t(value >> 24);
  }
  std::uint8_t* PixelAt(int x, int y) const { return Row(y) + PixelBytes * x; }
};

using TSkFast24 = TSkFastView<3>;
using TSkFast32 = TSkFastView<4>;

// What lies behind a painted pixel, read from a 24-bit bitmap or, where a
// painter allows it, a 32-bit one.
class TSkFastReader {
public:
  // False for a bitmap neither view binds (32-bit ones only with also32).
  bool Bind(TBitmap* bmp, bool also32) {
    pixelBytes_ = 3;
    if (lines_.BindLines(bmp, 3)) return true;
    pixelBytes_ = 4;
    return also32 && lines_.BindLines(bmp, 4);
  }
  // The blue, green and red bytes at (x, y); null outside the bitmap.
  const std::uint8_t* BytesAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= lines_.Width || y >= lines_.Height) return nullptr;
    return lines_.Row(y) + pixelBytes_ * x;
  }

private:
  TSkFastLines lines_;
  int pixelBytes_ = 3;
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
