#pragma once
// Regions: sets of pixels kept as horizontal bands, each a list of disjoint
// spans. Invariants: bands are sorted by Top, do not overlap, are never
// empty, and no two touching bands have equal spans; a band's spans are
// sorted, disjoint and never touch. So two equal sets have equal bands.

#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/GdiObject.h"

// Region complexity, as the region operations report it.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Combine modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

class TRegion {
public:
  TRegion() = default;
  explicit TRegion(const TRect& rect);

  bool IsEmpty() const { return bands_.empty(); }
  // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
  int Complexity() const;
  TRect Bounds() const;
  bool Contains(TPoint p) const;
  bool Intersects(const TRect& rect) const;
  // The region as disjoint rectangles, top to bottom, left to right.
  std::vector<TRect> Rects() const;
  // Calls visit(TRect) for each part of the region inside area, in the same order.
  template <class Visit>
  void ForEachRectIn(const TRect& area, Visit visit) const;

  void Offset(int dx, int dy);
  // mode is RGN_AND, RGN_OR, RGN_XOR or RGN_DIFF (a minus b).
  static TRegion Combine(const TRegion& a, const TRegion& b, int mode);
  void Unite(const TRect& rect) { *this = Combine(*this, TRegion(rect), RGN_OR); }
  void Intersect(const TRect& rect) { *this = Combine(*this, TRegion(rect), RGN_AND); }
  void Subtract(const TRect& rect) { *this = Combine(*this, TRegion(rect), RGN_DIFF); }

  friend bool operator==(const TRegion&, const TRegion&) = default;

private:
  struct TBand {
    int Top = 0;
    int Bottom = 0;
    std::vector<int> Edges;  // span starts and ends in pairs: [x0, x1) [x2, x3) ...
    friend bool operator==(const TBand&, const TBand&) = default;
  };
  void AppendBand(int top, int bottom, std::vector<int>&& edges);
  const TBand* BandAt(int y) const;

  std::vector<TBand> bands_;
};

template <class Visit>
void TRegion::ForEachRectIn(const TRect& area, Visit visit) const {
  for (const TBand& band : bands_) {
    if (band.Bottom <= area.Top) continue;
    if (band.Top >= area.Bottom) break;
    const int top = band.Top > area.Top ? band.Top : area.Top;
    const int bottom = band.Bottom < area.Bottom ? band.Bottom : area.Bottom;
    for (std::size_t i = 0; i < band.Edges.size(); i += 2) {
      const int left = band.Edges[i] > area.Left ? band.Edges[i] : area.Left;
      const int right = band.Edges[i + 1] < area.Right ? band.Edges[i + 1] : area.Right;
      if (left < right) visit(TRect{left, top, right, bottom});
    }
  }
}

// A region as a GDI object (HRGN).
class TGdiRegion final : public TGdiObject {
public:
  explicit TGdiRegion(TRegion region = {}) : Region(std::move(region)) {}
  int ObjectType() const override { return OBJ_REGION; }
  TRegion Region;
};
using HRGN = TGdiRegion*;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& rect);
// dest = a <mode> b (RGN_COPY copies a); returns the result's complexity.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
bool PtInRegion(HRGN rgn, int x, int y);
bool RectInRegion(HRGN rgn, const TRect& rect);
int GetRgnBox(HRGN rgn, TRect* box);
bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
bool EqualRgn(HRGN a, HRGN b);
