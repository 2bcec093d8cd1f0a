#pragma once
// PNG pictures read by libpng: colour samples of 8 bits (16-bit ones are
// scaled, 1-, 2- and 4-bit grey levels spread over 0..255, palette indices
// kept), an alpha channel when the image has one, the palette and the
// transparency of the file. It offers what the transparency helpers work
// on: the header's colour type, pixels by colour, alpha rows, adding an
// alpha channel, and taking a bitmap.

#include <cstdint>
#include <vector>

#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Graphic.h"

class TBitmap;

// PNG colour types.
constexpr int COLOR_GRAYSCALE = 0;
constexpr int COLOR_RGB = 2;
constexpr int COLOR_PALETTE = 3;
constexpr int COLOR_GRAYSCALEALPHA = 4;
constexpr int COLOR_RGBALPHA = 6;

// No transparency; one colour transparent (tRNS of a grey or RGB image);
// an alpha per pixel or per palette entry.
enum TPNGTransparencyMode { ptmNone, ptmBit, ptmPartial };

class TPNGObject : public TGraphic {
public:
  TPNGObject() = default;

  int Width() const override { return data_.Width; }
  int Height() const override { return data_.Height; }
  bool Empty() const override { return data_.Width == 0 || data_.Height == 0; }
  int ColorType() const { return data_.ColorType; }
  // The file's sample depth (8 for a picture made from a bitmap).
  int BitDepth() const { return data_.BitDepth; }

  TPNGTransparencyMode TransparencyMode() const;
  // The transparent colour of ptmBit; clNone otherwise.
  TColor TransparentColor() const { return data_.TransparentColor; }

  // (x, y) inside the picture; an indexed pixel takes the nearest palette
  // entry, a grey one the channels' average.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // The alpha bytes of row y; null when the image has no alpha channel.
  std::uint8_t* AlphaScanline(int y);
  // Grey becomes grey with alpha, RGB RGB with alpha, every pixel opaque;
  // other images stay as they are.
  void CreateAlpha();

  // libpng's complaints, and pictures beyond 2^28 pixels, raise
  // EInvalidGraphic with libpng's text; the picture held before stays.
  void LoadFromStream(std::istream& stream) override;
  // Another PNG picture, or a bitmap as an RGB image of 8 bits.
  void Assign(const TGraphic& source) override;
  // Blended by the alpha, the transparent colour left out.
  void Draw(TCanvas& canvas, const TRect& rect) const override;

private:
  struct TData {
    int Width = 0;
    int Height = 0;
    int ColorType = COLOR_RGB;
    int BitDepth = 8;
    std::vector<std::uint8_t> Colour;  // per pixel: a grey level, an index, or red, green, blue
    std::vector<std::uint8_t> Alpha;   // per pixel, for the colour types with alpha
    std::vector<TColor> Palette;
    std::vector<std::uint8_t> PaletteAlpha;  // tRNS of an indexed image
    TColor TransparentColor = clNone;
  };
  int ColourSamples() const;
  std::uint8_t* ColourAt(int x, int y);
  const std::uint8_t* ColourAt(int x, int y) const;
  std::uint8_t AlphaAt(int x, int y) const;

  TData data_;
};
