#include "skin/paint/PixelRoutines.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/FastPixels.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

// A colour's bytes in scan-line order: blue, green, red.
std::array<int, 3> ChannelsOf(TColor color) { return {GetBValue(color), GetGValue(color), GetRValue(color)}; }

// What a formula makes of each byte value, per channel: the loops then only look up.
using TChannelTable = std::array<std::uint8_t, 256>;

template <class Formula>
std::array<TChannelTable, 3> ChannelTables(Formula formula) {
  std::array<TChannelTable, 3> tables;
  for (int channel = 0; channel < 3; ++channel)
    for (int value = 0; value < 256; ++value) tables[channel][value] = std::uint8_t(formula(channel, value));
  return tables;
}

void ApplyTables(std::uint8_t* pixel, const std::array<TChannelTable, 3>& tables) {
  for (int channel = 0; channel < 3; ++channel) pixel[channel] = tables[channel][pixel[channel]];
}

bool SameSize(const TBitmap& a, const TBitmap& b) { return a.Width() == b.Width() && a.Height() == b.Height(); }

}  // namespace

void TintRect(TBitmap* bmp, TRect r, std::uint8_t percent, TColor color) {
  TSkFast24 pixels;
  if (!pixels.Bind(bmp)) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, pixels.Width - 1);
  r.Bottom = std::min(r.Bottom, pixels.Height - 1);
  if (r.Bottom < r.Top || r.Right < r.Left) return;
  const float c = static_cast<float>(static_cast<long double>(percent) / 100.0f);
  const float k = static_cast<float>(1.0L - c);
  const std::array<int, 3> target = ChannelsOf(ColorToRGB(color));
  const auto tables = ChannelTables([&](int channel, int value) {
    return RoundHalfEven(static_cast<long double>(c) * value + static_cast<long double>(k) * target[channel]);
  });
  for (int y = r.Top; y <= r.Bottom; ++y) {
    std::uint8_t* pixel = pixels.PixelAt(r.Left, y);
    for (int x = r.Left; x <= r.Right; ++x, pixel += 3) ApplyTables(pixel, tables);
  }
}

void MixBitmapRect(TBitmap* dst, TBitmap* src, std::uint8_t alpha, TRect srcRect, TPoint dstPoint) {
  if (!dst || !src) return;
  if (dstPoint.X < 0) srcRect.Left -= std::exchange(dstPoint.X, 0);
  if (dstPoint.Y < 0) srcRect.Top -= std::exchange(dstPoint.Y, 0);
  if (srcRect.Left < 0) dstPoint.X -= std::exchange(srcRect.Left, 0);
  if (srcRect.Top < 0) {
    dstPoint.Y -= std::exchange(srcRect.Top, 0);
    if (srcRect.Bottom < 0) return;
  }
  srcRect.Right = std::min(srcRect.Right, src->Width());
  srcRect.Bottom = std::min(srcRect.Bottom, src->Height());
  if (dstPoint.X + srcRect.Width() > dst->Width()) srcRect.Right = dst->Width() - dstPoint.X + srcRect.Left;
  if (dstPoint.Y + srcRect.Height() > dst->Height()) srcRect.Bottom = dst->Height() - dstPoint.Y + srcRect.Top;
  if (srcRect.Width() <= 0 || srcRect.Height() <= 0) return;
  TSkFastSum24 sum;
  if (!sum.BindPair(src, dst)) return;
  sum.Alpha = alpha;
  sum.DstRect = Bounds(dstPoint.X, dstPoint.Y, srcRect.Width(), srcRect.Height());
  sum.SrcRect = srcRect;
  sum.MixArea();
}

void BlendKeyedRect(TBitmap* dst, int dstX, int dstY, TBitmap* src, TRect srcRect, double blend, TColor keyColor) {
  TSkFast24 target;
  TSkFast24 source;
  if (!target.Bind(dst) || !source.Bind(src)) return;
  int rowShift = 0;
  int columnShift = 0;
  if (srcRect.Top < 0) rowShift = std::exchange(srcRect.Top, 0);
  if (srcRect.Left < 0) columnShift = std::exchange(srcRect.Left, 0);
  srcRect.Bottom = std::min(srcRect.Bottom, source.Height - 1);
  srcRect.Right = std::min(srcRect.Right, source.Width - 1);
  const bool keyed = (keyColor >> 24) != 0xFF;
  auto mixed = [weight = static_cast<long double>(blend)](int s, int d) {
    return std::uint8_t(RoundHalfEven(s - weight * (s - d)));
  };
  // A large area looks every pair of byte values up instead.
  std::vector<std::uint8_t> table;
  if (3LL * (srcRect.Bottom - srcRect.Top + 1) * (srcRect.Right - srcRect.Left + 1) > 256 * 256) {
    table.resize(256 * 256);
    for (int s = 0; s < 256; ++s)
      for (int d = 0; d < 256; ++d) table[std::size_t(s) << 8 | d] = mixed(s, d);
  }
  // Destination columns beyond either side are skipped; the source rectangle is within Src.
  const int columnOrigin = dstX - columnShift;
  const int firstColumn = std::max(0, -columnOrigin);
  const int lastColumn = std::min(srcRect.Right - srcRect.Left, target.Width - 1 - columnOrigin);
  for (int r = 0; r <= srcRect.Bottom - srcRect.Top; ++r) {
    const int row = dstY + r - rowShift;
    if (row > target.Height - 1) break;
    if (row < 0) continue;
    const std::uint8_t* from = source.PixelAt(srcRect.Left + firstColumn, srcRect.Top + r);
    std::uint8_t* to = target.PixelAt(columnOrigin + firstColumn, row);
    for (int c = firstColumn; c <= lastColumn; ++c, from += 3, to += 3) {
      if (keyed && (TColor(from[0]) << 16 | TColor(from[1]) << 8 | from[2]) == (keyColor & 0xFFFFFF)) continue;
      for (int channel = 0; channel < 3; ++channel)
        to[channel] = table.empty() ? mixed(from[channel], to[channel]) : table[std::size_t(from[channel]) << 8 | to[channel]];
    }
  }
}

void TintBitmap(TBitmap* bmp, TColor color, TColor keyColor, double factor) {
  TSkFast24 pixels;
  if (!pixels.Bind(bmp)) return;
  const std::array<int, 3> target = ChannelsOf(color);
  const auto tables = ChannelTables([&](int channel, int value) {
    return RoundHalfEven(static_cast<long double>(factor) * (value - target[channel]) + target[channel]);
  });
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x)
      if (pixels.ReadPixel(x, y) != keyColor) ApplyTables(pixels.PixelAt(x, y), tables);
}

void ColorizeByMask(TBitmap* bmp, TBitmap* maskBmp, TColor color) {
  TSkFast24 pixels;
  TSkFast24 mask;
  if (!pixels.Bind(bmp) || !mask.Bind(maskBmp) || !SameSize(*bmp, *maskBmp)) return;
  const std::array<int, 3> target = ChannelsOf(color);
  for (int y = 0; y < pixels.Height; ++y) {
    std::uint8_t* pixel = pixels.Row(y);
    const std::uint8_t* weight = mask.Row(y);
    for (int i = 0; i < 3 * pixels.Width; ++i) {
      const int channel = target[i % 3];
      pixel[i] = std::uint8_t((channel * 256 + (pixel[i] - channel) * weight[i]) >> 8);
    }
  }
}

void DesaturateBitmap(TBitmap* bmp) {
  TSkFast24 pixels;
  if (!pixels.Bind(bmp)) return;
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x) {
      std::uint8_t* pixel = pixels.PixelAt(x, y);
      const std::uint8_t grey = std::uint8_t((pixel[0] + pixel[1] + pixel[2]) / 3);
      pixel[0] = pixel[1] = pixel[2] = grey;
    }
}

void CopyChannel(TBitmap* bmp32, TBitmap* bmp8, int channel, bool toBmp8) {
  TSkFast32 pixels;
  if (channel < 0 || channel > 3 || !pixels.Bind(bmp32) || !bmp8 || bmp8->PixelFormat() != pf8bit ||
      bmp8->Width() < pixels.Width || bmp8->Height() < pixels.Height)
    return;
  for (int y = 0; y < pixels.Height; ++y) {
    std::uint8_t* bytes = static_cast<std::uint8_t*>(bmp8->ScanLine(y));
    std::uint8_t* pixel = pixels.Row(y) + channel;
    for (int x = 0; x < pixels.Width; ++x, pixel += 4) {
      if (toBmp8)
        bytes[x] = *pixel;
      else
        *pixel = bytes[x];
    }
  }
}

void MergeByMask(TBitmap* out32, TBitmap* a, TBitmap* b, TBitmap* mask, int level) {
  TSkFast32 out;
  TSkFast24 first;
  TSkFast24 second;
  TSkFast24 weights;
  if (!out.Bind(out32) || !first.Bind(a) || !second.Bind(b) || !SameSize(*a, *b) || !SameSize(*a, *out32)) return;
  if (mask && (!weights.Bind(mask) || !SameSize(*a, *mask))) return;
  // weightOf(y) gives the row's weights: the mask's bytes, or level for every byte.
  auto merge = [&](auto weightOf) {
    for (int y = 0; y < out.Height; ++y) {
      std::uint8_t* to = out.Row(y);
      const std::uint8_t* fromA = first.Row(y);
      const std::uint8_t* fromB = second.Row(y);
      const auto weight = weightOf(y);
      for (int x = 0; x < out.Width; ++x, to += 4, fromA += 3, fromB += 3)
        for (int channel = 0; channel < 3; ++channel)
          to[channel] = std::uint8_t(((fromA[channel] - fromB[channel]) * weight(3 * x + channel) + fromB[channel] * 256) >> 8);
    }
  };
  if (mask) {
    merge([&](int y) { return [row = weights.Row(y)](int i) { return int(row[i]); }; });
  } else {
    const int m = std::clamp(level, 0, 255);
    merge([m](int) { return [m](int) { return m; }; });
  }
}

void CopyKeyedBitmap(TBitmap* dst, TBitmap* src, int x, int y, TColor keyColor) {
  TSkFast24 target;
  TSkFast24 source;
  if (!target.Bind(dst) || !source.Bind(src)) return;
  for (int row = std::max(0, -y); row < source.Height && y + row < target.Height; ++row)
    for (int column = std::max(0, -x); column < source.Width && x + column < target.Width; ++column)
      if (source.ReadPixel(column, row) != keyColor) {
        const std::uint8_t* from = source.PixelAt(column, row);
        std::copy(from, from + 3, target.PixelAt(x + column, y + row));
      }
}

void DimImage(TBitmap* bmp, TSkinDisabledKind kind, TWinControl* control, const TBackdropRef& backdrop,
              TPoint offset) {
  if (!bmp) return;
  if (kind & dkGrayed) DesaturateBitmap(bmp);
  if (!(kind & dkBlended)) return;
  TRect r{0, 0, bmp->Width(), bmp->Height()};
  if (backdrop.Ready) {
    OffsetRect(r, backdrop.X + offset.X, backdrop.Y + offset.Y);
    // A key colour with the top byte 0xFF: every backdrop pixel counts.
    BlendKeyedRect(bmp, 0, 0, backdrop.Bmp, r, 0.4, 0xFFFFFFFF);
    return;
  }
  const TColor color = backdrop.FillColor == clSkinKey ? ParentColorOf(control) : backdrop.FillColor;
  TintRect(bmp, r, 50, color);
}

std::unique_ptr<TBitmap> NewBitmap24(int width, int height) {
  return std::make_unique<TBitmap>(width, height, pf24bit);
}

std::unique_ptr<TBitmap> NewBitmap32(int width, int height) {
  return std::make_unique<TBitmap>(width, height, pf32bit);
}

std::unique_ptr<TBitmap> NewBitmapLike(const TBitmap& bmp) {
  return std::make_unique<TBitmap>(bmp.Width(), bmp.Height(), bmp.PixelFormat());
}

void ConvertTo32BitClear(TBitmap* bmp) {
  if (!bmp || bmp->PixelFormat() == pf32bit) return;
  bmp->SetPixelFormat(pf32bit);
  for (int y = 0; y < bmp->Height(); ++y) {
    auto* pixel = static_cast<std::uint8_t*>(bmp->ScanLine(y));
    for (int x = 0; x < bmp->Width(); ++x) pixel[4 * x + 3] = 0;
  }
}

TColor WeighColors(TColor color1, TColor color2, double factor) {
  const long double f = factor;
  TColor result = color1 & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int c1 = int(color1 >> shift & 0xFF);
    const int c2 = int(color2 >> shift & 0xFF);
    result |= TColor(RoundHalfEven(f * c1 + (1 - f) * c2) & 0xFF) << shift;
  }
  return result;
}

TColor AdjustSaturation(TColor color, int delta) {
  if (delta == 0) return color;
  const int red = GetRValue(color);
  const int green = GetGValue(color);
  const int blue = GetBValue(color);
  const long double average = (red + green + blue) / 3.0L;
  auto adjust = [&](int channel) {
    return std::clamp(RoundHalfEven(channel + delta * (average - channel) / 100), 0, 255);
  };
  return RGB(adjust(red), adjust(green), adjust(blue));
}

TColor RotateHue(int delta, TColor color) {
  const TColor rgb = ColorToRGB(color);
  const int red = GetRValue(rgb);
  const int green = GetGValue(rgb);
  const int blue = GetBValue(rgb);
  const int v = std::max({red, green, blue});
  const int d = v - std::min({red, green, blue});
  const long double s = v == 0 ? 0 : static_cast<long double>(d) / v;
  if (s == 0) return (rgb & ~TColor(0xFF)) | TColor(v);
  const long double k = 60.0L / d;
  long double hue = v == red ? (green - blue) * k : v == green ? 120 + (blue - red) * k : 240 + (red - green) * k;
  if (hue < 0) hue += 360;
  // A negative turn is brought into 0..359 before the sector is chosen.
  int turned = RoundHalfEven(delta + hue) % 360;
  if (turned < 0) turned += 360;
  const long double h = turned / 60.0L;
  const int sector = static_cast<int>(h);
  const long double f = h - sector;
  auto limited = [](long double value) { return std::clamp(value, 0.0L, 255.0L); };
  const long double p = limited(v * (1 - s));
  const long double q = limited(v * (1 - s * f));
  const long double t = limited(v * (1 - s * (1 - f)));
  const long double value = v;
  const std::array<long double, 3> channels = sector == 0   ? std::array{value, t, p}
                                              : sector == 1 ? std::array{q, value, p}
                                              : sector == 2 ? std::array{p, value, t}
                                              : sector == 3 ? std::array{p, q, value}
                                              : sector == 4 ? std::array{t, p, value}
                                                            : std::array{value, p, q};
  return RGB(RoundHalfEven(channels[0]), RoundHalfEven(channels[1]), RoundHalfEven(channels[2]));
}
