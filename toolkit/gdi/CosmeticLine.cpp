#include "toolkit/gdi/CosmeticLine.h"

#include <cstdlib>

#include "toolkit/gdi/RasterOp.h"

namespace {

// Reads and writes single pixels; straight through memory for 32-bit surfaces.
class TPixelAccess {
public:
  explicit TPixelAccess(TGdiBitmap& surface) : surface_(surface) {
    if (surface.Format() == pf32bit && !surface.IsEmpty()) {
      bits_ = surface.ScanLine(0);
      stride_ = surface.Stride();
    }
  }
  std::uint32_t Get(int x, int y) const {
    if (bits_) return *Address(x, y);
    std::uint32_t pixel;
    surface_.FetchRow(y, x, 1, &pixel);
    return pixel;
  }
  void Set(int x, int y, std::uint32_t pixel) {
    if (bits_) *Address(x, y) = pixel;
    else surface_.StoreRow(y, x, 1, &pixel);
  }

private:
  std::uint32_t* Address(int x, int y) const {
    return reinterpret_cast<std::uint32_t*>(bits_ + std::size_t(y) * stride_) + x;
  }
  TGdiBitmap& surface_;
  std::uint8_t* bits_ = nullptr;
  int stride_ = 0;
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

private:
  std::span<const int> dashes_;
  std::size_t index_ = 0;
  int run_ = 0;
};

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
  int x = device0.X + dc->Origin().X;
  int y = device0.Y + dc->Origin().Y;
  const int endX = device1.X + dc->Origin().X;
  const int endY = device1.Y + dc->Origin().Y;
  const int dx = std::abs(endX - x);
  const int dy = -std::abs(endY - y);
  const int stepX = x < endX ? 1 : -1;
  const int stepY = y < endY ? 1 : -1;
  int error = dx + dy;
  while (x != endX || y != endY) {
    const bool on = dashes.On();
    const bool visible = clipIsRect ? PtInRect(bounds, {x, y}) : clip.Contains({x, y});
    if (visible && (on || fillsGaps)) {
      const std::uint32_t pen = on ? penPixel : gapPixel;
      pixels.Set(x, y, code == CopyPen ? pen : ApplyCode(code, pen, 0, pixels.Get(x, y)) | 0xFF000000u);
    }
    dashes.Advance();
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y += stepY;
    }
  }
}
