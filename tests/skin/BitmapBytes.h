#pragma once
// Bitmaps for pixel tests, read and written byte by byte through their scan
// lines: colours are 0x00BBGGRR, stored blue, green, red (and alpha).

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "toolkit/gdi/Bitmap.h"

// Equal red, green and blue: what a desaturated or greyed-out pixel shows.
inline bool IsGrey(TColor color) {
  return GetRValue(color) == GetGValue(color) && GetGValue(color) == GetBValue(color);
}

// Whether each channel of a lies within 2 of b's: blends round differently.
inline bool NearColor(TColor a, TColor b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 2) return false;
  return true;
}

inline std::uint8_t* PixelBytes(TBitmap& bmp, int x, int y) {
  const int size = bmp.PixelFormat() == pf32bit ? 4 : bmp.PixelFormat() == pf8bit ? 1 : 3;
  return static_cast<std::uint8_t*>(bmp.ScanLine(y)) + size * x;
}

inline TColor BytesColor(TBitmap& bmp, int x, int y) {
  const std::uint8_t* p = PixelBytes(bmp, x, y);
  return TColor(p[0]) << 16 | TColor(p[1]) << 8 | p[2];
}

inline void SetBytesColor(TBitmap& bmp, int x, int y, TColor color) {
  std::uint8_t* p = PixelBytes(bmp, x, y);
  p[0] = std::uint8_t(color >> 16);
  p[1] = std::uint8_t(color >> 8);
  p[2] = std::uint8_t(color);
}

// A 24-bit (or 32-bit) bitmap with every pixel of the colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color, TPixelFormat format = pf24bit) {
  auto bmp = std::make_unique<TBitmap>(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetBytesColor(*bmp, x, y, color);
  return bmp;
}

// Whether every pixel of the bitmap has the colour.
inline bool AllBytesColor(TBitmap& bmp, TColor color) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (BytesColor(bmp, x, y) != color) return false;
  return true;
}

// A copy of the bytes of every row, to see that nothing changed.
inline std::vector<std::uint8_t> AllBytes(TBitmap& bmp) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < bmp.Height(); ++y) {
    const auto* row = static_cast<const std::uint8_t*>(bmp.ScanLine(y));
    const int length = bmp.PixelFormat() == pf32bit ? 4 * bmp.Width() : bmp.PixelFormat() == pf8bit ? bmp.Width() : 3 * bmp.Width();
    bytes.insert(bytes.end(), row, row + length);
  }
  return bytes;
}
