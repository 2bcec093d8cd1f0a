#include "shell/Images.h"

#include <cstdint>

#include "graphics/RGBColor.h"
#include "shell/XpmPicture.h"
#include "toolkit/gdi/Bitmap.h"

// The pictures, drawn by tools/draw-images.py.
#include "resources/images/Norm.xpm"
#include "resources/images/Small.xpm"

TImages* Images = nullptr;

namespace {

constexpr std::uint32_t Transparent = 0;
constexpr std::uint32_t Opaque = 0xFF000000;

TColor PixelColor(std::uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

std::uint32_t ColorPixel(TColor color, std::uint32_t alpha) {
  return alpha | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// The same pictures with each opaque pixel's colour changed.
template <class TChange>
void Recolor(const TBitmap& source, TBitmap& target, TChange change) {
  target.SetPixelFormat(pf32bit);
  target.SetSize(source.Width(), source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    const auto* from = static_cast<const std::uint32_t*>(source.ScanLine(y));
    auto* to = static_cast<std::uint32_t*>(target.ScanLine(y));
    for (int x = 0; x < source.Width(); ++x)
      to[x] = from[x] == Transparent ? Transparent : ColorPixel(change(PixelColor(from[x])), from[x] & Opaque);
  }
}

TColor Brighter(TColor color) { return AdjustColor(color, 1.2f, 1.1f); }

// A light grey of the colour's luminance.
TColor Greyed(TColor color) {
  const int grey = GetRValue(ColorToGray(color));
  return RGB(128 + grey / 2, 128 + grey / 2, 128 + grey / 2);
}

void Fill(TImageList& list, const TBitmap& strip) { list.Add(strip, nullptr); }

}  // namespace

TImages::TImages(TComponent* owner) : TComponent(owner) {
  TBitmap norm, small, variant;
  DecodeXpm(NormPictures, norm);
  DecodeXpm(SmallPictures, small);
  Fill(Norm, norm);
  Recolor(norm, variant, Brighter);
  Fill(Hot, variant);
  Fill(SNorm, small);
  Recolor(small, variant, Greyed);
  Fill(SDis, variant);
  Recolor(small, variant, Brighter);
  Fill(SHot, variant);
  if (!Images) Images = this;
}

TImages::~TImages() {
  if (Images == this) Images = nullptr;
}
