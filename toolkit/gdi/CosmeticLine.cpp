#include "toolkit/gdi/CosmeticLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "toolkit/gdi/RasterOp.h"

namespace {

// Reads and writes single pixels; straight through memory for 32-bit and
// 24-bit (B, G, R) surfaces, the formats of windows and back buffers.
class TPixelAccess {
public:
  explicit TPixelAccess(TGdiBitmap& surface) : surface_(surface) {
    if (surface.IsEmpty()) return;
    if (surface.Format() == pf32bit) bytesPerPixel_ = 4;
    if (surface.Format() == pf24bit) bytesPerPixel_ = 3;
    if (bytesPerPixel_ == 0) return;
    bits_ = surface.ScanLine(0);
    stride_ = surface.Stride();
  }
  std::uint32_t Get(int x, int y) const {
    if (bytesPerPixel_ == 4) return *reinterpret_cast<const std::uint32_t*>(Address(x, y));
    if (bytesPerPixel_ == 3) {
      const std::uint8_t* p = Address(x, y);
      return 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
    std::uint32_t pixel;
    surface_.FetchRow(y, x, 1, &pixel);
    return pixel;
  }
  void Set(int x, int y, std::uint32_t pixel) {
    if (bytesPerPixel_ == 4) {
      *reinterpret_cast<std::uint32_t*>(Address(x, y)) = pixel;
    } else if (bytesPerPixel_ == 3) {
      std::uint8_t* p = Address(x, y);
      p[0] = std::uint8_t(pixel);
      p[1] = std::uint8_t(pixel >> 8);
      p[2] = std::uint8_t(pixel >> 16);
    } else {
      surface_.StoreRow(y, x, 1, &pixel);
    }
  }

private:
  std::uint8_t* Address(int x, int y) const {
    return bits_ + std::size_t(y) * stride_ + std::size_t(x) * bytesPerPixel_;
  }
  TGdiBitmap& surface_;
  std::uint8_t* bits_ = nullptr;
  int stride_ = 0;
  int bytesPerPixel_ = 0;  // 0: through the bitmap's row access
};

constexpr std::uint8_t CopyPen = 0xF0;

// Walks a dash pattern one pixel at a time.
class TDashes {
public:
  explicit TDashes(std::span<const int> dashes) : dashes_(dashes) {}
  bool On() const { return dashes_.empty() || index_ % 2 == 0; }
  void Advance() {
    if (dashes_.empty() || ++run_ < dashes_[index_]) return;
    run_ = 0;
    index_ = (index_ + 1) % dashes_.size();
  }
  void Skip(std::int64_t pixels) {
    if (dashes_.empty()) return;
    for (pixels %= std::accumulate(dashes_.begin(), dashes_.end(), std::int64_t(0)); pixels > 0; --pixels) Advance();
  }

private:
  std::span<const int> dashes_;
  std::size_t index_ = 0;
  int run_ = 0;
};

// Bresenham's walk from a start pixel towards an end pixel (left out), one
// step along the major axis at a time. Step k lies k pixels along the major
// axis from the start, and (2 * minor * k + major) / (2 * major) pixels,
// rounded down, along the minor one; so the walk can begin at any step, and
// a long line is walked only where it crosses the clip. Coordinates are
// 64-bit: the ends may lie anywhere in the int range.
class TLineWalk {
public:
  TLineWalk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
      : x0_(x0), y0_(y0), dx_(std::abs(x1 - x0)), dy_(std::abs(y1 - y0)), stepX_(x0 < x1 ? 1 : -1),
        stepY_(y0 < y1 ? 1 : -1) {}

  // The steps [first, last) whose major coordinate lies inside bounds.
  std::pair<std::int64_t, std::int64_t> StepsWithin(const TRect& bounds) const {
    const bool xMajor = dx_ >= dy_;
    const std::int64_t start = xMajor ? x0_ : y0_;
    const std::int64_t low = xMajor ? bounds.Left : bounds.Top;
    const std::int64_t high = xMajor ? bounds.Right : bounds.Bottom;
    const bool forward = (xMajor ? stepX_ : stepY_) > 0;
    const std::int64_t first = forward ? low - start : start - high + 1;
    const std::int64_t last = forward ? high - start : start - low + 1;
    return {std::max<std::int64_t>(first, 0), std::min(last, std::max(dx_, dy_))};
  }

  void Seek(std::int64_t step) {
    const bool xMajor = dx_ >= dy_;
    const std::int64_t minor = xMajor ? MinorAt(dy_, dx_, step) : MinorAt(dx_, dy_, step);
    x_ = x0_ + stepX_ * (xMajor ? step : minor);
    y_ = y0_ + stepY_ * (xMajor ? minor : step);
    error_ = std::int64_t(__int128(dx_) - dy_ - __int128(std::abs(x_ - x0_)) * dy_ + __int128(std::abs(y_ - y0_)) * dx_);
  }

  void Step() {
    const std::int64_t doubled = 2 * error_;
    if (doubled >= -dy_) {
      error_ -= dy_;
      x_ += stepX_;
    }
    if (doubled <= dx_) {
      error_ += dx_;
      y_ += stepY_;
    }
  }

  std::int64_t X() const { return x_; }
  std::int64_t Y() const { return y_; }
  // Horizontal or vertical: every step moves one pixel along one axis.
  bool Straight() const { return dx_ == 0 || dy_ == 0; }
  int UnitX() const { return dx_ == 0 ? 0 : stepX_; }
  int UnitY() const { return dx_ == 0 ? stepY_ : 0; }

private:
  static std::int64_t MinorAt(std::int64_t minor, std::int64_t major, std::int64_t step) {
    return std::int64_t((__int128(2) * minor * step + major) / (2 * major));
  }

  std::int64_t x0_, y0_, dx_, dy_;
  int stepX_, stepY_;
  std::int64_t x_ = 0, y_ = 0, error_ = 0;
};

bool Inside(const TRect& bounds, std::int64_t x, std::int64_t y) {
  return x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom;
}

}  // namespace

// Windows' dash patterns of cosmetic pens.
std::span<const int> CosmeticDashes(int style) {
  static constexpr int Dash[] = {18, 6};
  static constexpr int Dot[] = {3, 3};
  static constexpr int DashDot[] = {9, 6, 3, 6};
  static constexpr int DashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return Dash;
    case PS_DOT: return Dot;
    case PS_DASHDOT: return DashDot;
    case PS_DASHDOTDOT: return DashDotDot;
    default: return {};
  }
}

void DrawCosmeticLine(HDC dc, TPoint from, TPoint to) {
  const TDCState& state = dc->State();
  if (state.Pen->Style == PS_NULL || state.Rop2 == R2_NOP) return;
  const std::uint8_t code = CodeOfRop2(state.Rop2);
  const std::uint32_t penPixel = ColorToPixel(state.Pen->Color);
  const std::uint32_t gapPixel = ColorToPixel(state.BkColor);
  const bool fillsGaps = state.BkMode == OPAQUE;
  TDashes dashes(CosmeticDashes(state.Pen->Style));
  const TRegion& clip = dc->SurfaceClip();
  const TRect bounds = clip.Bounds();
  const bool clipIsRect = clip.Complexity() == SIMPLEREGION;
  TPixelAccess pixels(dc->Surface());

  const TPoint device0 = dc->ToDevice(from);
  const TPoint device1 = dc->ToDevice(to);
  const TPoint origin = dc->Origin();
  TLineWalk walk(std::int64_t(device0.X) + origin.X, std::int64_t(device0.Y) + origin.Y,
                 std::int64_t(device1.X) + origin.X, std::int64_t(device1.Y) + origin.Y);
  const auto [first, last] = walk.StepsWithin(bounds);
  if (first >= last) return;
  dashes.Skip(first);
  walk.Seek(first);
  const auto plot = [&](bool on, std::int64_t x, std::int64_t y) {
    if ((!on && !fillsGaps) || !Inside(bounds, x, y)) return;
    const TPoint p{int(x), int(y)};
    if (!clipIsRect && !clip.Contains(p)) return;
    const std::uint32_t pen = on ? penPixel : gapPixel;
    pixels.Set(p.X, p.Y, code == CopyPen ? pen : ApplyCode(code, pen, 0, pixels.Get(p.X, p.Y)) | 0xFF000000u);
  };
  if (walk.Straight() && clipIsRect && code == CopyPen) {
    // Grid lines and frames: no minor steps, and the major range is inside the clip already.
    if (!Inside(bounds, walk.X(), walk.Y())) return;
    const int dx = walk.UnitX(), dy = walk.UnitY();
    int x = int(walk.X()), y = int(walk.Y());
    for (std::int64_t step = first; step < last; ++step, x += dx, y += dy) {
      const bool on = dashes.On();
      if (on || fillsGaps) pixels.Set(x, y, on ? penPixel : gapPixel);
      dashes.Advance();
    }
    return;
  }
  for (std::int64_t step = first; step < last; ++step) {
    plot(dashes.On(), walk.X(), walk.Y());
    dashes.Advance();
    walk.Step();
  }
}
