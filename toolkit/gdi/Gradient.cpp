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

std::uint32_t PixelOf(const TChannels& c) {
  return 0xFF000000u | std::uint32_t(c[0] >> 8 & 0xFF) << 16 | std::uint32_t(c[1] >> 8 & 0xFF) << 8 |
         std::uint32_t(c[2] >> 8 & 0xFF);
}

// Exact floor(a / b) for b > 0. 64-bit values start from a floating-point
// estimate, which is off by at most one for the quotients here (colour
// channels and pixel columns), and correct it: a hardware division per
// row and channel would cost more than the row's pixels.
inline std::int64_t FloorDivide(std::int64_t a, std::int64_t b, double inverse) {
  std::int64_t q = std::int64_t(double(a) * inverse);
  std::int64_t r = a - q * b;
  while (r < 0) --q, r += b;
  while (r >= b) ++q, r -= b;
  return q;
}

inline __int128 FloorDivide(__int128 a, __int128 b, double) {
  const __int128 q = a / b;
  return q * b > a ? q - 1 : q;
}

// A barycentric weight, scaled so that it is not negative inside the
// triangle: w(x, y) = A x + B y + C, the cross product (a - o) x (p - o)
// of the edge from o to a and the point p.
template <class Int>
struct TWeight {
  Int A, B, C;
  double InverseA;  // 1 / |A|, for the row's span
  Int At(Int x, Int y) const { return A * x + B * y + C; }
};

template <class Int>
TWeight<Int> WeightOf(TPoint o, TPoint a, Int sign) {
  const Int dx = Int(a.X) - o.X, dy = Int(a.Y) - o.Y;
  return {sign * -dy, sign * dx, sign * (dy * o.X - dx * o.Y), dy == 0 ? 0.0 : 1.0 / double(dy < 0 ? -dy : dy)};
}

// Narrows [lo, hi] on row y to the columns where the weight is not negative.
template <class Int>
void KeepNonNegative(const TWeight<Int>& w, Int y, Int& lo, Int& hi) {
  const Int offset = w.B * y + w.C;
  if (w.A > 0)
    lo = std::max(lo, -FloorDivide(offset, w.A, w.InverseA));  // ceil(-offset / A)
  else if (w.A < 0)
    hi = std::min(hi, FloorDivide(offset, -w.A, w.InverseA));
  else if (offset < 0)
    hi = lo - 1;
}

// One colour channel along a row: (w0 c0 + w1 c1 + w2 c2) / area rounded
// down, carried from pixel to pixel as quotient and remainder.
template <class Int>
struct TChannelStep {
  Int Quotient, Remainder;  // at the current pixel
  Int StepQuotient, StepRemainder;  // per pixel to the right
};

template <class Int>
void TriangleRows(const std::array<TPoint, 3>& p, const std::array<TChannels, 3>& c, const TRect& area,
                  const TGradientRowVisitor& visit) {
  const Int doubleArea = (Int(p[1].X) - p[0].X) * (Int(p[2].Y) - p[0].Y) - (Int(p[1].Y) - p[0].Y) * (Int(p[2].X) - p[0].X);
  if (doubleArea == 0) return;
  const Int sign = doubleArea > 0 ? 1 : -1;
  const Int divisor = doubleArea * sign;
  const double inverse = 1.0 / double(divisor);
  const std::array<TWeight<Int>, 3> w = {WeightOf<Int>(p[1], p[2], sign), WeightOf<Int>(p[2], p[0], sign),
                                         WeightOf<Int>(p[0], p[1], sign)};
  std::array<TChannelStep<Int>, 3> channel;
  std::array<TWeight<Int>, 3> numerator;  // per channel, as a function of x and y
  for (int k = 0; k < 3; ++k) {
    numerator[k] = {0, 0, 0, 0};
    for (int i = 0; i < 3; ++i) {
      numerator[k].A += w[i].A * c[i][k];
      numerator[k].B += w[i].B * c[i][k];
      numerator[k].C += w[i].C * c[i][k];
    }
    channel[k].StepQuotient = FloorDivide(numerator[k].A, divisor, inverse);
    channel[k].StepRemainder = numerator[k].A - channel[k].StepQuotient * divisor;
  }
  const int top = std::max(std::min({p[0].Y, p[1].Y, p[2].Y}), area.Top);
  const int bottom = std::min(std::max({p[0].Y, p[1].Y, p[2].Y}), area.Bottom - 1);
  const Int left = std::max(std::min({p[0].X, p[1].X, p[2].X}), area.Left);
  const Int right = std::min(std::max({p[0].X, p[1].X, p[2].X}), area.Right - 1);
  static thread_local std::vector<std::uint32_t> row;
  for (int y = top; y <= bottom; ++y) {
    Int lo = left, hi = right;
    for (const TWeight<Int>& weight : w) KeepNonNegative(weight, Int(y), lo, hi);
    if (lo > hi) continue;
    for (int k = 0; k < 3; ++k) {
      const Int n = numerator[k].At(lo, y);
      channel[k].Quotient = FloorDivide(n, divisor, inverse);
      channel[k].Remainder = n - channel[k].Quotient * divisor;
    }
    row.resize(std::size_t(hi - lo + 1));
    // Locals, so that the six running values stay in registers.
    Int red = channel[0].Quotient, redRest = channel[0].Remainder;
    Int green = channel[1].Quotient, greenRest = channel[1].Remainder;
    Int blue = channel[2].Quotient, blueRest = channel[2].Remainder;
    const auto advance = [divisor](Int& quotient, Int& rest, const TChannelStep<Int>& step) {
      quotient += step.StepQuotient;
      rest += step.StepRemainder;
      if (rest >= divisor) {
        ++quotient;
        rest -= divisor;
      }
    };
    for (std::uint32_t& pixel : row) {
      pixel = 0xFF000000u | std::uint32_t(red >> 8 & 0xFF) << 16 | std::uint32_t(green >> 8 & 0xFF) << 8 |
              std::uint32_t(blue >> 8 & 0xFF);
      advance(red, redRest, channel[0]);
      advance(green, greenRest, channel[1]);
      advance(blue, blueRest, channel[2]);
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

// Stores the row pieces where the device context may draw; a clip of one
// rectangle, the usual case, cuts the row directly.
TGradientRowVisitor SurfaceWriter(HDC dc) {
  const TRegion& clip = dc->SurfaceClip();
  const bool simple = clip.Complexity() == SIMPLEREGION;
  const TRect bounds = clip.Bounds();
  return [dc, &clip, simple, bounds](int y, int left, std::span<const std::uint32_t> pixels) {
    TGdiBitmap& surface = dc->Surface();
    const TRect row = Rect(left, y, left + int(pixels.size()), y + 1);
    auto store = [&](const TRect& part) {
      surface.StoreRow(y, part.Left, part.Width(), pixels.data() + (part.Left - left));
    };
    TRect part;
    if (!simple)
      clip.ForEachRectIn(row, store);
    else if (IntersectRect(part, row, bounds))
      store(part);
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
