// GradientFill: colours are interpolated per pixel from 16-bit channels.

#include <algorithm>
#include <array>
#include <vector>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GradientRows.h"
#include "toolkit/gdi/MetafileRecorder.h"

namespace {

using TChannels = std::array<std::int64_t, 3>;  // red, green, blue, 16 bits each

TChannels ChannelsOf(const TTriVertex& v) { return {v.Red, v.Green, v.Blue}; }

template <class Int>
std::uint32_t PixelOf(const std::array<Int, 3>& c) {
  return 0xFF000000u | std::uint32_t(c[0] >> 8 & 0xFF) << 16 | std::uint32_t(c[1] >> 8 & 0xFF) << 8 |
         std::uint32_t(c[2] >> 8 & 0xFF);
}

template <class Int>
Int FloorDiv(Int a, Int b) {  // b > 0
  const Int q = a / b;
  return q * b > a ? q - 1 : q;
}

template <class Int>
Int CeilDiv(Int a, Int b) {  // b > 0
  const Int q = a / b;
  return q * b < a ? q + 1 : q;
}

// One barycentric weight along a row: w(x) = Slope * x + Offset, scaled
// so that it is not negative inside the triangle.
template <class Int>
struct TWeight {
  Int Slope;
  Int Offset;
};

// The weight of the corner opposite the edge from o to a: the cross product
// (a - o) x (p - o) for p = (x, y), times sign.
template <class Int>
TWeight<Int> WeightOnRow(TPoint o, TPoint a, int y, Int sign) {
  const Int dx = Int(a.X) - o.X, dy = Int(a.Y) - o.Y;
  return {sign * -dy, sign * (dx * (Int(y) - o.Y) + dy * o.X)};
}

// Narrows [lo, hi] to the columns where the weight is not negative.
template <class Int>
void KeepNonNegative(const TWeight<Int>& w, Int& lo, Int& hi) {
  if (w.Slope > 0)
    lo = std::max(lo, CeilDiv<Int>(-w.Offset, w.Slope));
  else if (w.Slope < 0)
    hi = std::min(hi, FloorDiv<Int>(w.Offset, -w.Slope));
  else if (w.Offset < 0)
    hi = lo - 1;
}

// Each channel is (w0 c0 + w1 c1 + w2 c2) / area, rounded down; along a row
// the numerator grows by a constant, so quotient and remainder are carried
// from pixel to pixel instead of divided anew.
template <class Int>
void TriangleRows(const std::array<TPoint, 3>& p, const std::array<TChannels, 3>& c, const TRect& area,
                  const TGradientRowVisitor& visit) {
  const Int doubleArea = (Int(p[1].X) - p[0].X) * (Int(p[2].Y) - p[0].Y) - (Int(p[1].Y) - p[0].Y) * (Int(p[2].X) - p[0].X);
  if (doubleArea == 0) return;
  const Int sign = doubleArea > 0 ? 1 : -1;
  const Int divisor = doubleArea * sign;
  const int top = std::max(std::min({p[0].Y, p[1].Y, p[2].Y}), area.Top);
  const int bottom = std::min(std::max({p[0].Y, p[1].Y, p[2].Y}), area.Bottom - 1);
  const Int left = std::max(std::min({p[0].X, p[1].X, p[2].X}), area.Left);
  const Int right = std::min(std::max({p[0].X, p[1].X, p[2].X}), area.Right - 1);
  std::vector<std::uint32_t> row;
  for (int y = top; y <= bottom; ++y) {
    const std::array<TWeight<Int>, 3> w = {WeightOnRow<Int>(p[1], p[2], y, sign), WeightOnRow<Int>(p[2], p[0], y, sign),
                                           WeightOnRow<Int>(p[0], p[1], y, sign)};
    Int lo = left, hi = right;
    for (const TWeight<Int>& weight : w) KeepNonNegative(weight, lo, hi);
    if (lo > hi) continue;
    std::array<Int, 3> quotient, remainder, stepQuotient, stepRemainder;
    for (int k = 0; k < 3; ++k) {
      Int numerator = 0, step = 0;
      for (int i = 0; i < 3; ++i) {
        numerator += (w[i].Slope * lo + w[i].Offset) * c[i][k];
        step += w[i].Slope * c[i][k];
      }
      quotient[k] = numerator / divisor;
      remainder[k] = numerator % divisor;
      stepQuotient[k] = FloorDiv<Int>(step, divisor);
      stepRemainder[k] = step - stepQuotient[k] * divisor;
    }
    row.resize(std::size_t(hi - lo + 1));
    for (std::uint32_t& pixel : row) {
      pixel = PixelOf(quotient);
      for (int k = 0; k < 3; ++k) {
        quotient[k] += stepQuotient[k];
        remainder[k] += stepRemainder[k];
        if (remainder[k] >= divisor) {
          ++quotient[k];
          remainder[k] -= divisor;
        }
      }
    }
    visit(y, int(lo), row);
  }
}

TPoint SurfacePoint(HDC dc, const TTriVertex& v) {
  const TPoint p = dc->ToDevice(TPoint{v.x, v.y});
  return {p.X + dc->Origin().X, p.Y + dc->Origin().Y};
}

TTriVertex OnSurface(HDC dc, TTriVertex v) {
  const TPoint p = SurfacePoint(dc, v);
  v.x = p.X;
  v.y = p.Y;
  return v;
}

// Stores the row pieces where the device context may draw.
TGradientRowVisitor SurfaceWriter(HDC dc) {
  return [dc](int y, int left, std::span<const std::uint32_t> pixels) {
    TGdiBitmap& surface = dc->Surface();
    dc->SurfaceClip().ForEachRectIn(Rect(left, y, left + int(pixels.size()), y + 1), [&](const TRect& part) {
      surface.StoreRow(y, part.Left, part.Width(), pixels.data() + (part.Left - left));
    });
  };
}

}  // namespace

void ForEachGradientRectRow(const TTriVertex& a, const TTriVertex& b, bool horizontal, const TRect& area,
                            const TGradientRowVisitor& visit) {
  TRect fill = Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
  if (!IntersectRect(fill, fill, area)) return;
  // The colour runs from the vertex on the left (top) to the one on the right (bottom).
  const bool aFirst = horizontal ? a.x <= b.x : a.y <= b.y;
  const TChannels from = ChannelsOf(aFirst ? a : b);
  const TChannels to = ChannelsOf(aFirst ? b : a);
  const std::int64_t start = horizontal ? std::min(a.x, b.x) : std::min(a.y, b.y);
  const std::int64_t length = horizontal ? std::max(a.x, b.x) - start : std::max(a.y, b.y) - start;
  auto colourAt = [&](std::int64_t position) {
    TChannels c;
    for (int i = 0; i < 3; ++i) c[i] = from[i] + (to[i] - from[i]) * (position - start) / length;
    return PixelOf(c);
  };
  std::vector<std::uint32_t> row(std::size_t(fill.Width()));
  if (horizontal)
    for (int x = fill.Left; x < fill.Right; ++x) row[std::size_t(x - fill.Left)] = colourAt(x);
  for (int y = fill.Top; y < fill.Bottom; ++y) {
    if (!horizontal) std::fill(row.begin(), row.end(), colourAt(y));
    visit(y, fill.Left, row);
  }
}

void ForEachGradientTriangleRow(const TTriVertex& v0, const TTriVertex& v1, const TTriVertex& v2, const TRect& area,
                                const TGradientRowVisitor& visit) {
  const std::array<TPoint, 3> p = {TPoint{v0.x, v0.y}, TPoint{v1.x, v1.y}, TPoint{v2.x, v2.y}};
  const std::array<TChannels, 3> c = {ChannelsOf(v0), ChannelsOf(v1), ChannelsOf(v2)};
  // Within a million pixels the sums stay below 2^61; beyond, 128 bits.
  constexpr int small = 1 << 20;
  const bool fits = std::all_of(p.begin(), p.end(), [](TPoint q) {
    return q.X > -small && q.X < small && q.Y > -small && q.Y < small;
  });
  if (fits)
    TriangleRows<std::int64_t>(p, c, area, visit);
  else
    TriangleRows<__int128>(p, c, area, visit);
}

bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount, const TGradientRect* rects,
                  unsigned rectCount, unsigned mode) {
  if (!dc || !vertices || (!rects && rectCount > 0)) return false;
  if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return false;
  for (unsigned i = 0; i < rectCount; ++i)
    if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return false;
  if (TMetafileRecorder* recorder = dc->Recorder()) {
    recorder->GradientFill(*dc, {vertices, vertexCount}, {rects, rectCount}, mode);
    return true;
  }
  const TRect bounds = dc->SurfaceClip().Bounds();
  for (unsigned i = 0; i < rectCount; ++i)
    ForEachGradientRectRow(OnSurface(dc, vertices[rects[i].UpperLeft]), OnSurface(dc, vertices[rects[i].LowerRight]),
                           mode == GRADIENT_FILL_RECT_H, bounds, SurfaceWriter(dc));
  return true;
}

bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount, const TGradientTriangle* triangles,
                  unsigned triangleCount, unsigned mode) {
  if (!dc || !vertices || (!triangles && triangleCount > 0) || mode != GRADIENT_FILL_TRIANGLE) return false;
  for (unsigned i = 0; i < triangleCount; ++i) {
    const TGradientTriangle& t = triangles[i];
    if (t.Vertex1 >= vertexCount || t.Vertex2 >= vertexCount || t.Vertex3 >= vertexCount) return false;
  }
  if (TMetafileRecorder* recorder = dc->Recorder()) {
    recorder->GradientFill(*dc, {vertices, vertexCount}, {triangles, triangleCount});
    return true;
  }
  const TRect bounds = dc->SurfaceClip().Bounds();
  const TGradientRowVisitor writer = SurfaceWriter(dc);
  for (unsigned i = 0; i < triangleCount; ++i)
    ForEachGradientTriangleRow(OnSurface(dc, vertices[triangles[i].Vertex1]), OnSurface(dc, vertices[triangles[i].Vertex2]),
                               OnSurface(dc, vertices[triangles[i].Vertex3]), bounds, writer);
  return true;
}
