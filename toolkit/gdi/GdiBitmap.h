#pragma once
// A bitmap's pixels (the GDI object behind HBITMAP): rows stored top-down,
// each a multiple of 4 bytes long, in the device-independent layouts: 1, 4
// and 8 bits per pixel index the palette (leftmost pixel in the high bits),
// 24 bits are B,G,R bytes and 32 bits B,G,R,A bytes. A pixel handed around
// as one 32-bit word is 0xAARRGGBB (the 32-bit layout read little-endian).

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/gdi/GdiObject.h"

// pf15bit and pfCustom only name formats no bitmap here has (a colour
// manager's answer for samples it cannot store); bitmaps refuse them.
enum TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf24bit, pf32bit, pfCustom };

// The state of drawing on the bitmap through the platform's painter; it is
// kept open across drawing calls and closed before the pixels change size.
struct TPaintSession;
struct TPaintSessionDeleter {
  void operator()(TPaintSession* session) const;
};

class TGdiBitmap final : public TGdiObject {
public:
  // pfDevice means pf32bit. New pixels are 0 (black, index 0).
  TGdiBitmap(int width, int height, TPixelFormat format);
  ~TGdiBitmap() override;
  int ObjectType() const override { return OBJ_BITMAP; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat Format() const { return format_; }
  int BitsPerPixel() const;
  int Stride() const { return stride_; }
  std::uint8_t* ScanLine(int row);
  const std::uint8_t* ScanLine(int row) const;

  // Palette entries as colours; formats above 8 bits have none.
  const std::vector<TColor>& Palette() const { return palette_; }
  void SetPalette(std::vector<TColor> palette);
  int NearestPaletteIndex(TColor color) const;

  // The top-left part that fits is kept; new pixels are 0.
  void Resize(int width, int height);
  // Pixels are converted; to a palette format by the nearest palette entry.
  void Convert(TPixelFormat format);
  std::unique_ptr<TGdiBitmap> Clone() const;

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // Reads or writes count pixels of a row from x as 0xAARRGGBB words; pixels
  // of formats without alpha read as opaque.
  void FetchRow(int row, int x, int count, std::uint32_t* pixels) const;
  void StoreRow(int row, int x, int count, const std::uint32_t* pixels);

  // The painter's open session, if any (only the platform painter uses it).
  TPaintSession* Session() const { return session_.get(); }
  void SetSession(TPaintSession* session) { session_.reset(session); }
  // Ends the painter's session. The painter draws straight into 24- and
  // 32-bit pixels; a palette bitmap is drawn through a copy that is written
  // back when the session ends, which every pixel access does first.
  void EndPainting() const { session_.reset(); }

private:
  void Allocate(int width, int height, TPixelFormat format);
  void SettlePainting() const;

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf32bit;
  int stride_ = 0;
  std::vector<std::uint8_t> bits_;
  std::vector<TColor> palette_;
  mutable std::unique_ptr<TPaintSession, TPaintSessionDeleter> session_;
};
using HBITMAP = TGdiBitmap*;

// The default palette of a format: black and white; the 16 VGA colours; the
// 16 VGA colours, a 6x6x6 colour cube and a grey ramp.
std::vector<TColor> DefaultPalette(TPixelFormat format);

// Rows of bits are aligned to 16 bits (a monochrome pattern of 8 x 8 is
// 8 rows of 16 bits); bitsPerPixel 1 or 32; bits may be null (all 0).
HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel, const void* bits);

// 0xAARRGGBB pixel words and colours.
constexpr std::uint32_t ColorToPixel(TColor c) {
  return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t p) {
  return (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
}
