#include "skin/paint/FastPixels.h"

#include <algorithm>

#include "toolkit/gdi/Bitmap.h"

namespace {

// The binding rules of every view: a bitmap of the format, at least 2 x 2.
bool Bindable(const TBitmap* bmp, TPixelFormat format) {
  return bmp && bmp->PixelFormat() == format && bmp->Width() >= 2 && bmp->Height() >= 2;
}

std::uint8_t* FirstLineOf(TBitmap& bmp) { return static_cast<std::uint8_t*>(bmp.ScanLine(0)); }

std::ptrdiff_t RowStepOf(TBitmap& bmp) { return static_cast<std::uint8_t*>(bmp.ScanLine(1)) - FirstLineOf(bmp); }

template <class View>
bool BindView(View& view, TBitmap* bmp, TPixelFormat format) {
  if (!Bindable(bmp, format)) {
    view.Width = 0;
    return false;
  }
  view.Bitmap = bmp;
  view.Width = bmp->Width();
  view.Height = bmp->Height();
  view.FirstLine = FirstLineOf(*bmp);
  view.RowStep = RowStepOf(*bmp);
  return true;
}

TColor ColorOfBytes(const std::uint8_t* pixel) { return TColor(pixel[0]) << 16 | TColor(pixel[1]) << 8 | pixel[2]; }

}  // namespace

bool TSkFast24::Bind(TBitmap* bmp) { return BindView(*this, bmp, pf24bit); }

TColor TSkFast24::ReadPixel(int x, int y) const { return ColorOfBytes(PixelAt(x, y)); }

bool TSkFast32::Bind(TBitmap* bmp) { return BindView(*this, bmp, pf32bit); }

TColor TSkFast32::ReadPixel(int x, int y) const { return ColorOfBytes(PixelAt(x, y)); }

void TSkFast32::WritePixel(int x, int y, std::uint32_t value) const {
  std::uint8_t* pixel = PixelAt(x, y);
  pixel[0] = std::uint8_t(value >> 16);
  pixel[1] = std::uint8_t(value >> 8);
  pixel[2] = std::uint8_t(value);
  pixel[3] = std::uint8_t(value >> 24);
}

bool TSkFastSum24::BindPair(TBitmap* src, TBitmap* dst) {
  if (!Bindable(src, pf24bit) || !Bindable(dst, pf24bit)) return false;
  Source = src;
  Destination = dst;
  Width = std::min(src->Width(), dst->Width());
  Height = std::min(src->Height(), dst->Height());
  SourceFirstLine = FirstLineOf(*src);
  DestinationFirstLine = FirstLineOf(*dst);
  SourceRowStep = RowStepOf(*src);
  DestinationRowStep = RowStepOf(*dst);
  return true;
}

void TSkFastSum24::MixArea() const {
  const unsigned alpha = Alpha;
  const unsigned sourceWeight = 255 - alpha;
  const std::ptrdiff_t bytes = 3 * std::ptrdiff_t(DstRect.Right - DstRect.Left);
  for (int y = DstRect.Bottom - 1; y >= DstRect.Top; --y) {
    std::uint8_t* dst = DestinationFirstLine + y * DestinationRowStep + 3 * DstRect.Left;
    const std::uint8_t* src =
        SourceFirstLine + (SrcRect.Bottom - (DstRect.Bottom - y)) * SourceRowStep + 3 * SrcRect.Left;
    for (std::ptrdiff_t i = bytes - 1; i >= 0; --i) dst[i] = std::uint8_t((dst[i] * alpha + src[i] * sourceWeight + 127) >> 8);
  }
}
