#include "toolkit/gdi/GdiBitmap.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "runtime/Exceptions.h"

namespace {

// Pixels take fewer bytes than this, so that a row's offset fits in an int.
constexpr std::int64_t MaxBitmapBytes = std::int64_t(1) << 31;

int BitsOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
  }
}

bool HasPalette(TPixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }

constexpr std::array<TColor, 16> VgaColors = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

int ColorDistance(TColor a, TColor b) {
  const int dr = GetRValue(a) - GetRValue(b);
  const int dg = GetGValue(a) - GetGValue(b);
  const int db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

std::vector<TColor> DefaultPalette(TPixelFormat format) {
  switch (format) {
    case pf1bit: return {clBlack, clWhite};
    case pf4bit: return {VgaColors.begin(), VgaColors.end()};
    case pf8bit: {
      std::vector<TColor> palette(VgaColors.begin(), VgaColors.end());
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) palette.push_back(RGB(r * 51, g * 51, b * 51));
      for (int i = 0; i < 24; ++i) palette.push_back(RGB(8 + i * 10, 8 + i * 10, 8 + i * 10));
      return palette;
    }
    default: return {};
  }
}

TGdiBitmap::TGdiBitmap(int width, int height, TPixelFormat format) { Allocate(width, height, format); }

// Ends painting first: a palette bitmap's painting is written back into the pixels.
TGdiBitmap::~TGdiBitmap() { EndPainting(); }

void TGdiBitmap::Allocate(int width, int height, TPixelFormat format) {
  QASSERT(format != pf15bit && format != pfCustom, "7A3C0004");
  if (format == pfDevice) format = pf32bit;
  width = std::max(width, 0);
  height = std::max(height, 0);
  const std::int64_t stride = (std::int64_t(width) * BitsOf(format) + 31) / 32 * 4;
  if (stride * height >= MaxBitmapBytes) throw EQuantrelError("Out of system resources");
  width_ = width;
  height_ = height;
  format_ = format;
  stride_ = int(stride);
  bits_.assign(std::size_t(stride * height), 0);
  palette_ = DefaultPalette(format);
}

int TGdiBitmap::BitsPerPixel() const { return BitsOf(format_); }

void TGdiBitmap::SettlePainting() const {
  if (session_ && HasPalette(format_)) session_.reset();
}

std::uint8_t* TGdiBitmap::ScanLine(int row) {
  QASSERT(row >= 0 && row < height_, "7A3C0001");
  SettlePainting();
  return bits_.data() + std::size_t(row) * stride_;
}

const std::uint8_t* TGdiBitmap::ScanLine(int row) const {
  QASSERT(row >= 0 && row < height_, "7A3C0001");
  SettlePainting();
  return bits_.data() + std::size_t(row) * stride_;
}

void TGdiBitmap::SetPalette(std::vector<TColor> palette) {
  if (!HasPalette(format_)) return;
  SettlePainting();
  palette.resize(std::min(palette.size(), std::size_t(1) << BitsOf(format_)));
  for (TColor& c : palette) c &= 0xFFFFFF;
  palette_ = std::move(palette);
}

int TGdiBitmap::NearestPaletteIndex(TColor color) const {
  int best = 0;
  int bestDistance = INT32_MAX;
  for (int i = 0; i < int(palette_.size()) && bestDistance > 0; ++i) {
    const int distance = ColorDistance(palette_[i], color);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void TGdiBitmap::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  EndPainting();
  TGdiBitmap old(0, 0, format_);
  std::swap(old.bits_, bits_);
  const int oldWidth = width_;
  const int oldHeight = height_;
  const int oldStride = stride_;
  std::vector<TColor> palette = palette_;
  Allocate(width, height, format_);
  palette_ = std::move(palette);
  const std::size_t rowBytes = std::min<std::size_t>(stride_, oldStride);
  const int keepBits = std::min(width_, oldWidth) * BitsPerPixel();
  for (int y = 0; y < std::min(height_, oldHeight); ++y) {
    std::uint8_t* row = bits_.data() + std::size_t(y) * stride_;
    std::memcpy(row, old.bits_.data() + std::size_t(y) * oldStride, rowBytes);
    // Bits past the kept width would show old pixels where new ones are 0.
    for (std::size_t bit = keepBits; bit < rowBytes * 8; ++bit) row[bit / 8] &= std::uint8_t(~(0x80 >> bit % 8));
  }
}

void TGdiBitmap::Convert(TPixelFormat format) {
  if (format == pfDevice) format = pf32bit;
  if (format == format_) return;
  EndPainting();
  TGdiBitmap converted(width_, height_, format);
  std::vector<std::uint32_t> row(width_);
  for (int y = 0; y < height_; ++y) {
    FetchRow(y, 0, width_, row.data());
    converted.StoreRow(y, 0, width_, row.data());
  }
  std::swap(bits_, converted.bits_);
  std::swap(palette_, converted.palette_);
  format_ = format;
  stride_ = converted.stride_;
}

std::unique_ptr<TGdiBitmap> TGdiBitmap::Clone() const {
  SettlePainting();
  auto copy = std::make_unique<TGdiBitmap>(0, 0, format_);
  copy->width_ = width_;
  copy->height_ = height_;
  copy->stride_ = stride_;
  copy->bits_ = bits_;
  copy->palette_ = palette_;
  return copy;
}

TColor TGdiBitmap::Pixel(int x, int y) const {
  QASSERT(x >= 0 && x < width_, "7A3C0002");
  std::uint32_t pixel;
  FetchRow(y, x, 1, &pixel);
  return PixelToColor(pixel);
}

void TGdiBitmap::SetPixel(int x, int y, TColor color) {
  QASSERT(x >= 0 && x < width_, "7A3C0002");
  const std::uint32_t pixel = ColorToPixel(ColorToRGB(color));
  StoreRow(y, x, 1, &pixel);
}

void TGdiBitmap::FetchRow(int row, int x, int count, std::uint32_t* pixels) const {
  QASSERT(x >= 0 && count >= 0 && x + count <= width_, "7A3C0003");
  // A row of no pixels may come without a buffer (an empty vector's data()).
  if (count == 0) return;
  const std::uint8_t* line = ScanLine(row);
  switch (format_) {
    case pf32bit: std::memcpy(pixels, line + std::size_t(x) * 4, std::size_t(count) * 4); return;
    case pf24bit: {
      // Four bytes read at once (the fourth is the next pixel's, masked
      // off) while one more byte follows: whole frames copy 24-bit caches.
      const std::uint8_t* p = line + std::size_t(x) * 3;
      int i = 0;
      for (; i < count - 1; ++i, p += 3) {
        std::uint32_t value;
        std::memcpy(&value, p, 4);
        pixels[i] = 0xFF000000u | (value & 0x00FFFFFFu);
      }
      pixels[i] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
      return;
    }
    default: {
      const int bits = BitsPerPixel();
      const int mask = (1 << bits) - 1;
      for (int i = 0; i < count; ++i) {
        const std::size_t bit = std::size_t(x + i) * bits;
        const int index = line[bit / 8] >> (8 - bits - int(bit % 8)) & mask;
        pixels[i] = index < int(palette_.size()) ? ColorToPixel(palette_[index]) : ColorToPixel(clBlack);
      }
    }
  }
}

void TGdiBitmap::StoreRow(int row, int x, int count, const std::uint32_t* pixels) {
  QASSERT(x >= 0 && count >= 0 && x + count <= width_, "7A3C0003");
  if (count == 0) return;
  std::uint8_t* line = ScanLine(row);
  switch (format_) {
    case pf32bit: std::memcpy(line + std::size_t(x) * 4, pixels, std::size_t(count) * 4); return;
    case pf24bit: {
      // Four bytes written at once: the fourth lands on the next pixel's
      // first byte, which the next step writes again.
      std::uint8_t* p = line + std::size_t(x) * 3;
      int i = 0;
      for (; i < count - 1; ++i, p += 3) std::memcpy(p, &pixels[i], 4);
      p[0] = std::uint8_t(pixels[i]);
      p[1] = std::uint8_t(pixels[i] >> 8);
      p[2] = std::uint8_t(pixels[i] >> 16);
      return;
    }
    default: {
      const int bits = BitsPerPixel();
      const int mask = (1 << bits) - 1;
      std::uint32_t lastPixel = ~pixels[0];
      int lastIndex = 0;
      for (int i = 0; i < count; ++i) {
        if (pixels[i] != lastPixel) {
          lastPixel = pixels[i];
          lastIndex = NearestPaletteIndex(PixelToColor(lastPixel));
        }
        const std::size_t bit = std::size_t(x + i) * bits;
        const int shift = 8 - bits - int(bit % 8);
        line[bit / 8] = std::uint8_t((line[bit / 8] & ~(mask << shift)) | lastIndex << shift);
      }
    }
  }
}

HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel, const void* bits) {
  const unsigned depth = planes * bitsPerPixel;
  if (depth != 1 && depth != 32) return nullptr;
  auto* bitmap = new TGdiBitmap(width, height, depth == 1 ? pf1bit : pf32bit);
  bitmap->AddRef();
  if (bits) {
    const std::size_t rowBytes = (std::size_t(bitmap->Width()) * depth + 15) / 16 * 2;
    const std::size_t copyBytes = (std::size_t(bitmap->Width()) * depth + 7) / 8;
    for (int y = 0; y < bitmap->Height(); ++y)
      std::memcpy(bitmap->ScanLine(y), static_cast<const std::uint8_t*>(bits) + y * rowBytes, copyBytes);
  }
  return bitmap;
}
