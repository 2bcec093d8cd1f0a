#include "skin/paint/FastPixels.h"

#include <algorithm>
#include <cstring>

#include "toolkit/gdi/Bitmap.h"

namespace {

// The binding rules of every view: a bitmap of the format, at least 2 x 2.
bool Bindable(const TBitmap* bmp, TPixelFormat format) {
  return bmp && bmp->PixelFormat() == format && bmp->Width() >= 2 && bmp->Height() >= 2;
}

std::uint8_t* FirstLineOf(TBitmap& bmp) { return static_cast<std::uint8_t*>(bmp.ScanLine(0)); }

std::ptrdiff_t RowStepOf(TBitmap& bmp) { return static_cast<std::uint8_t*>(bmp.ScanLine(1)) - FirstLineOf(bmp); }

}  // namespace

bool TSkFastLines::BindLines(TBitmap* bmp, int pixelBytes) {
  if (!Bindable(bmp, pixelBytes == 4 ? pf32bit : pf24bit)) {
    Width = 0;
    return false;
  }
  Bitmap = bmp;
  Width = bmp->Width();
  Height = bmp->Height();
  FirstLine = FirstLineOf(*bmp);
  RowStep = RowStepOf(*bmp);
  return true;
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

namespace {

using TBytes16 = std::uint8_t __attribute__((vector_size(16)));
using TWords16 = std::uint16_t __attribute__((vector_size(32)));

// Two rows of different bitmaps never overlap: forward, 16 bytes at a
// time. The sum stays below 65536 (255 x 255 + 127), so 16-bit lanes hold it.
void MixSeparateRow(std::uint8_t* dst, const std::uint8_t* src, std::ptrdiff_t bytes, unsigned alpha,
                    unsigned sourceWeight) {
  const TWords16 a = TWords16{} + std::uint16_t(alpha);
  const TWords16 w = TWords16{} + std::uint16_t(sourceWeight);
  std::ptrdiff_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    TBytes16 d, s;
    std::memcpy(&d, dst + i, 16);
    std::memcpy(&s, src + i, 16);
    const TWords16 sum = __builtin_convertvector(d, TWords16) * a + __builtin_convertvector(s, TWords16) * w + 127;
    const TBytes16 mixed = __builtin_convertvector(sum >> 8, TBytes16);
    std::memcpy(dst + i, &mixed, 16);
  }
  for (; i < bytes; ++i) dst[i] = std::uint8_t((dst[i] * alpha + src[i] * sourceWeight + 127) >> 8);
}

}  // namespace

void TSkFastSum24::MixArea() const {
  const unsigned alpha = Alpha;
  const unsigned sourceWeight = 255 - alpha;
  const std::ptrdiff_t bytes = 3 * std::ptrdiff_t(DstRect.Right - DstRect.Left);
  for (int y = DstRect.Bottom - 1; y >= DstRect.Top; --y) {
    std::uint8_t* dst = DestinationFirstLine + y * DestinationRowStep + 3 * DstRect.Left;
    const std::uint8_t* src =
        SourceFirstLine + (SrcRect.Bottom - (DstRect.Bottom - y)) * SourceRowStep + 3 * SrcRect.Left;
    if (Source != Destination) {
      MixSeparateRow(dst, src, bytes, alpha, sourceWeight);
      continue;
    }
    for (std::ptrdiff_t i = bytes - 1; i >= 0; --i) dst[i] = std::uint8_t((dst[i] * alpha + src[i] * sourceWeight + 127) >> 8);
  }
}
