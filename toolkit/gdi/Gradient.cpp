// GradientFill: colours are interpolated per pixel from 16-bit channels.

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "toolkit/gdi/Gdi.h"

namespace {

using TChannels = std::array<std::int64_t, 3>;  // red, green, blue, 16 bits each

TChannels ChannelsOf(const TTriVertex& v) { return {v.Red, v.Green, v.Blue}; }

std::uint32_t PixelOf(const TChannels& c) {
  return 0xFF000000u | std::uint32_t(c[0] >> 8 & 0xFF) << 16 | std::uint32_t(c[1] >> 8 & 0xFF) << 8 |
         std::uint32_t(c[2] >> 8 & 0xFF);
}

TPoint SurfacePoint(HDC dc, const TTriVertex& v) {
  const TPoint p = dc->ToDevice(TPoint{v.x, v.y});
  return {p.X + dc->Origin().X, p.Y + dc->Origin().Y};
}

// Calls paint(y, left, right) for each row piece of area inside the clip
// (right excluded). Gradients cover their pixels whole: nothing is read.
template <class Paint>
void ForEachClippedRow(HDC dc, const TRect& area, Paint paint) {
  dc->SurfaceClip().ForEachRectIn(area, [&](const TRect& part) {
    for (int y = part.Top; y < part.Bottom; ++y) paint(y, part.Left, part.Right);
  });
}

void FillGradientRect(HDC dc, const TTriVertex& a, const TTriVertex& b, bool horizontal) {
  const TPoint pa = SurfacePoint(dc, a);
  const TPoint pb = SurfacePoint(dc, b);
  const TRect area = Rect(std::min(pa.X, pb.X), std::min(pa.Y, pb.Y), std::max(pa.X, pb.X), std::max(pa.Y, pb.Y));
  // The colour runs from the vertex on the left (top) to the one on the right (bottom).
  const bool aFirst = horizontal ? pa.X <= pb.X : pa.Y <= pb.Y;
  const TChannels from = ChannelsOf(aFirst ? a : b);
  const TChannels to = ChannelsOf(aFirst ? b : a);
  const int start = horizontal ? area.Left : area.Top;
  const int length = horizontal ? area.Width() : area.Height();
  std::vector<std::uint32_t> row;
  ForEachClippedRow(dc, area, [&](int y, int left, int right) {
    row.resize(right - left);
    for (int x = left; x < right; ++x) {
      const std::int64_t t = (horizontal ? x : y) - start;
      TChannels c;
      for (int i = 0; i < 3; ++i) c[i] = from[i] + (to[i] - from[i]) * t / length;
      row[x - left] = PixelOf(c);
    }
    dc->Surface().StoreRow(y, left, right - left, row.data());
  });
}

std::int64_t Cross(TPoint o, TPoint a, TPoint b) {
  return std::int64_t(a.X - o.X) * (b.Y - o.Y) - std::int64_t(a.Y - o.Y) * (b.X - o.X);
}

// A quotient n / divisor (divisor > 0) rounded down, kept exact as n moves
// by a fixed step: no division per pixel.
class TSteppedQuotient {
public:
  TSteppedQuotient(std::int64_t n, std::int64_t step, std::int64_t divisor) : divisor_(divisor) {
    Split(n, quotient_, remainder_);
    Split(step, stepQuotient_, stepRemainder_);
  }
  std::int64_t Value() const { return quotient_; }
  void Step() {
    quotient_ += stepQuotient_;
    remainder_ += stepRemainder_;
    if (remainder_ >= divisor_) {
      remainder_ -= divisor_;
      ++quotient_;
    }
  }

private:
  void Split(std::int64_t n, std::int64_t& quotient, std::int64_t& remainder) const {
    quotient = n / divisor_;
    remainder = n % divisor_;
    if (remainder < 0) {
      remainder += divisor_;
      --quotient;
    }
  }

  std::int64_t divisor_;
  std::int64_t quotient_ = 0;
  std::int64_t remainder_ = 0;
  std::int64_t stepQuotient_ = 0;
  std::int64_t stepRemainder_ = 0;
};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Narrows [from, to] to the steps t at which every weight + t x its step is >= 0; false when none are left.
bool InsideSpan(const std::int64_t (&weights)[3], const std::int64_t (&steps)[3], std::int64_t& from, std::int64_t& to) {
  for (int k = 0; k < 3; ++k) {
    if (steps[k] > 0)
      from = std::max(from, -FloorDiv(weights[k], steps[k]));
    else if (steps[k] < 0)
      to = std::min(to, FloorDiv(weights[k], -steps[k]));
    else if (weights[k] < 0)
      return false;
  }
  return from <= to;
}

void FillGradientTriangle(HDC dc, const TTriVertex& v0, const TTriVertex& v1, const TTriVertex& v2) {
  TPoint p[3] = {SurfacePoint(dc, v0), SurfacePoint(dc, v1), SurfacePoint(dc, v2)};
  TChannels c[3] = {ChannelsOf(v0), ChannelsOf(v1), ChannelsOf(v2)};
  std::int64_t area = Cross(p[0], p[1], p[2]);
  if (area == 0) return;
  // Counter-clockwise: every weight of a pixel inside is then >= 0 and the
  // colours are quotients of non-negative numbers, exactly as before.
  if (area < 0) {
    std::swap(p[1], p[2]);
    std::swap(c[1], c[2]);
    area = -area;
  }
  const TRect bounds = Rect(std::min({p[0].X, p[1].X, p[2].X}), std::min({p[0].Y, p[1].Y, p[2].Y}),
                            std::max({p[0].X, p[1].X, p[2].X}) + 1, std::max({p[0].Y, p[1].Y, p[2].Y}) + 1);
  // Weight i is the area spanned with the edge facing vertex i; a pixel on an edge weighs 0.
  const std::int64_t weightSteps[3] = {p[1].Y - p[2].Y, p[2].Y - p[0].Y, p[0].Y - p[1].Y};
  std::vector<std::uint32_t> row;
  ForEachClippedRow(dc, bounds, [&](int y, int left, int right) {
    const TPoint first{left, y};
    const std::int64_t weights[3] = {Cross(p[1], p[2], first), Cross(p[2], p[0], first), Cross(p[0], p[1], first)};
    std::int64_t from = 0;
    std::int64_t to = right - left - 1;
    if (!InsideSpan(weights, weightSteps, from, to)) return;
    auto channel = [&](int i) {
      std::int64_t n = 0;
      std::int64_t step = 0;
      for (int k = 0; k < 3; ++k) {
        n += (weights[k] + weightSteps[k] * from) * c[k][i];
        step += weightSteps[k] * c[k][i];
      }
      return TSteppedQuotient(n, step, area);
    };
    TSteppedQuotient channels[3] = {channel(0), channel(1), channel(2)};
    row.resize(to - from + 1);
    for (std::uint32_t& pixel : row) {
      pixel = PixelOf({channels[0].Value(), channels[1].Value(), channels[2].Value()});
      for (auto& quotient : channels) quotient.Step();
    }
    dc->Surface().StoreRow(y, left + int(from), int(row.size()), row.data());
  });
}

}  // namespace

bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount, const TGradientRect* rects,
                  unsigned rectCount, unsigned mode) {
  if (!dc || !vertices || (!rects && rectCount > 0)) return false;
  if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return false;
  for (unsigned i = 0; i < rectCount; ++i)
    if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return false;
  for (unsigned i = 0; i < rectCount; ++i)
    FillGradientRect(dc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight], mode == GRADIENT_FILL_RECT_H);
  return true;
}

bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount, const TGradientTriangle* triangles,
                  unsigned triangleCount, unsigned mode) {
  if (!dc || !vertices || (!triangles && triangleCount > 0) || mode != GRADIENT_FILL_TRIANGLE) return false;
  for (unsigned i = 0; i < triangleCount; ++i) {
    const TGradientTriangle& t = triangles[i];
    if (t.Vertex1 >= vertexCount || t.Vertex2 >= vertexCount || t.Vertex3 >= vertexCount) return false;
  }
  for (unsigned i = 0; i < triangleCount; ++i)
    FillGradientTriangle(dc, vertices[triangles[i].Vertex1], vertices[triangles[i].Vertex2],
                         vertices[triangles[i].Vertex3]);
  return true;
}
