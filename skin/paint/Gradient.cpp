#include "skin/paint/Gradient.h"

#include <algorithm>

#include "runtime/NumberText.h"
#include "skin/GeneralRoutines.h"
#include "skin/paint/FastPixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr std::string_view Separator = ";";

// A colour moving from one end of a band to the other in single-precision steps.
class TBandColor {
public:
  TBandColor(TColor from, TColor to, int steps) {
    const auto start = SplitColor(from);
    const auto end = SplitColor(to);
    for (int i = 0; i < 3; ++i) {
      channels_[i] = start[i];
      increments_[i] = static_cast<float>(static_cast<long double>(end[i] - start[i]) / steps);
    }
  }
  // The rounded channels in scan-line order.
  std::array<std::uint8_t, 3> Bytes() const {
    std::array<std::uint8_t, 3> bytes;
    for (int i = 0; i < 3; ++i) bytes[i] = std::uint8_t(RoundHalfEven(channels_[i]));
    return bytes;
  }
  void Advance() {
    for (int i = 0; i < 3; ++i) channels_[i] += increments_[i];
  }

private:
  std::array<float, 3> channels_;
  std::array<float, 3> increments_;
};

void FillRow(const TSkFast24& pixels, int row, int left, int right, const std::array<std::uint8_t, 3>& bytes) {
  for (std::uint8_t* pixel = pixels.PixelAt(left, row); left < right; ++left, pixel += 3)
    std::copy(bytes.begin(), bytes.end(), pixel);
}

void PaintVerticalBands(const TSkFast24& pixels, const TRect& r, const TSkinGradArray& steps, int offset) {
  const int lastRow = std::min(r.Bottom, pixels.Height) - 1;
  const int right = std::min(r.Left + r.Width(), pixels.Width);
  int y = offset + r.Top;
  for (size_t i = 0; i < steps.size(); ++i) {
    const int start = y;
    y = start + steps[i].Percent * (offset + r.Height()) / 100;
    y = i + 1 == steps.size() ? lastRow : std::min(y, lastRow);
    if (y - start <= 0) continue;
    TBandColor color(steps[i].Color1, steps[i].Color2, y - start);
    for (int row = start; row <= y; ++row, color.Advance())
      if (row >= 0) FillRow(pixels, row, r.Left, right, color.Bytes());
  }
}

// Every row is the same: the first is painted and copied to the others.
// The bands follow each other from r.Left, so what they paint is the
// columns from r.Left to the last one reached.
void PaintHorizontalBands(const TSkFast24& pixels, const TRect& r, const TSkinGradArray& steps) {
  const int lastColumn = std::min(r.Right, pixels.Width) - 1;
  int x = r.Left;
  int painted = r.Left - 1;
  for (size_t i = 0; i < steps.size(); ++i) {
    const int start = x;
    x = RoundHalfEven(steps[i].Percent * r.Width() / 100.0L + start);
    x = i + 1 == steps.size() ? lastColumn : std::min(x, lastColumn);
    if (x - start <= 0) continue;
    TBandColor color(steps[i].Color1, steps[i].Color2, x - start);
    for (int column = start; column <= x; ++column, color.Advance())
      FillRow(pixels, r.Top, column, column + 1, color.Bytes());
    painted = std::max(painted, x);
  }
  const std::uint8_t* first = pixels.PixelAt(r.Left, r.Top);
  const std::uint8_t* end = pixels.PixelAt(painted + 1, r.Top);
  for (int row = r.Top + 1; row < r.Bottom; ++row) std::copy(first, end, pixels.PixelAt(r.Left, row));
}

TTriVertex Vertex(int x, int y, TColor color) {
  return {x, y, std::uint16_t(GetRValue(color) << 8), std::uint16_t(GetGValue(color) << 8),
          std::uint16_t(GetBValue(color) << 8), 0};
}

void PaintTriangles(TBitmap& bmp, const TRect& r, const TSkinGradArray& steps) {
  const TPoint corners[5] = {{r.Left, r.Top},
                             {r.Left + r.Width() / 2, r.Top + r.Height() / 2},
                             {r.Right, r.Top},
                             {r.Right, r.Bottom},
                             {r.Left, r.Bottom}};
  TTriVertex vertices[5];
  TColor color = steps[0].Color1;
  for (size_t i = 0; i < 5; ++i) {
    if (i < steps.size()) color = steps[i].Color1;
    vertices[i] = Vertex(corners[i].X, corners[i].Y, color);
  }
  const TGradientTriangle triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  const HDC dc = bmp.Canvas().Handle();
  // The triangles' right and bottom corners lie just outside r.
  const int level = SaveDC(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  GradientFill(dc, vertices, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
  RestoreDC(dc, level);
}

}  // namespace

void ParseGradientData(const std::string& data, TSkinGradArray& steps) {
  steps.clear();
  if (data.empty()) return;
  steps.resize(static_cast<size_t>(WordCount(data, Separator) / 5));
  for (size_t i = 0; i < steps.size(); ++i) {
    auto number = [&](int field) { return StrToInt(ExtractNthWord(int(5 * i) + field, data, Separator)); };
    steps[i].Color1 = TColor(number(1));
    steps[i].Color2 = TColor(number(2));
    // A negative share would wrap around in the byte.
    steps[i].Percent = std::uint8_t(std::clamp(number(3), 0, 100));
    steps[i].Mode = number(4);
  }
}

void PaintGradient(TBitmap* bmp, TRect r, const TSkinGradArray& steps, int offset) {
  if (!bmp || steps.empty()) return;
  r.Right = std::min(r.Right, bmp->Width());
  r.Bottom = std::min(r.Bottom, bmp->Height());
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (IsRectEmpty(r)) return;
  const int mode = steps[0].Mode;
  if (mode == 2) {
    PaintTriangles(*bmp, r, steps);
    return;
  }
  TSkFast24 pixels;
  if ((mode != 0 && mode != 1) || !pixels.Bind(bmp)) return;
  if (mode == 0)
    PaintVerticalBands(pixels, r, steps, offset);
  else
    PaintHorizontalBands(pixels, r, steps);
}

std::array<std::uint8_t, 3> SplitColor(TColor color) {
  return {std::uint8_t(GetBValue(color)), std::uint8_t(GetGValue(color)), std::uint8_t(GetRValue(color))};
}
