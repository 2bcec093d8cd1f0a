// GradientFill: colours are interpolated per pixel from 16-bit channels.

#include <algorithm>
#include <array>
#include <optional>

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

// Calls paint(row, left, count, pixels) with the colours of each clipped
// row piece of area; colourAt(x, y) gives a pixel's colour or nothing.
template <class ColourAt>
void PaintArea(HDC dc, const TRect& area, ColourAt colourAt) {
  TGdiBitmap& surface = dc->Surface();
  std::vector<std::uint32_t> row;
  dc->SurfaceClip().ForEachRectIn(area, [&](const TRect& part) {
    row.resize(part.Width());
    for (int y = part.Top; y < part.Bottom; ++y) {
      surface.FetchRow(y, part.Left, part.Width(), row.data());
      for (int x = part.Left; x < part.Right; ++x)
        if (auto colour = colourAt(x, y)) row[x - part.Left] = *colour;
      surface.StoreRow(y, part.Left, part.Width(), row.data());
    }
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
  PaintArea(dc, area, [&](int x, int y) -> std::optional<std::uint32_t> {
    const std::int64_t t = (horizontal ? x : y) - start;
    TChannels c;
    for (int i = 0; i < 3; ++i) c[i] = from[i] + (to[i] - from[i]) * t / length;
    return PixelOf(c);
  });
}

std::int64_t Cross(TPoint o, TPoint a, TPoint b) {
  return std::int64_t(a.X - o.X) * (b.Y - o.Y) - std::int64_t(a.Y - o.Y) * (b.X - o.X);
}

void FillGradientTriangle(HDC dc, const TTriVertex& v0, const TTriVertex& v1, const TTriVertex& v2) {
  const TPoint p0 = SurfacePoint(dc, v0);
  const TPoint p1 = SurfacePoint(dc, v1);
  const TPoint p2 = SurfacePoint(dc, v2);
  const std::int64_t area = Cross(p0, p1, p2);
  if (area == 0) return;
  const TChannels c0 = ChannelsOf(v0);
  const TChannels c1 = ChannelsOf(v1);
  const TChannels c2 = ChannelsOf(v2);
  const TRect bounds = Rect(std::min({p0.X, p1.X, p2.X}), std::min({p0.Y, p1.Y, p2.Y}),
                            std::max({p0.X, p1.X, p2.X}) + 1, std::max({p0.Y, p1.Y, p2.Y}) + 1);
  PaintArea(dc, bounds, [&](int x, int y) -> std::optional<std::uint32_t> {
    const TPoint p{x, y};
    // Barycentric weights scaled by the area; a pixel on an edge has a weight of 0.
    const std::int64_t w0 = Cross(p1, p2, p);
    const std::int64_t w1 = Cross(p2, p0, p);
    const std::int64_t w2 = Cross(p0, p1, p);
    const bool inside = area > 0 ? (w0 >= 0 && w1 >= 0 && w2 >= 0) : (w0 <= 0 && w1 <= 0 && w2 <= 0);
    if (!inside) return std::nullopt;
    TChannels c;
    for (int i = 0; i < 3; ++i) c[i] = (w0 * c0[i] + w1 * c1[i] + w2 * c2[i]) / area;
    return PixelOf(c);
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
