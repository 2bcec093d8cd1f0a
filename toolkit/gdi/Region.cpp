#include "toolkit/gdi/Region.h"

#include <algorithm>

namespace {

bool Applies(int mode, bool inA, bool inB) {
  switch (mode) {
    case RGN_AND: return inA && inB;
    case RGN_OR: return inA || inB;
    case RGN_XOR: return inA != inB;
    default: return inA && !inB;  // RGN_DIFF
  }
}

// Merges two sorted span lists into the spans where mode holds.
std::vector<int> CombineSpans(const std::vector<int>& a, const std::vector<int>& b, int mode) {
  std::vector<int> result;
  std::size_t ia = 0;
  std::size_t ib = 0;
  bool inA = false;
  bool inB = false;
  bool inResult = false;
  while (ia < a.size() || ib < b.size()) {
    const int x = std::min(ia < a.size() ? a[ia] : INT32_MAX, ib < b.size() ? b[ib] : INT32_MAX);
    while (ia < a.size() && a[ia] == x) {
      inA = !inA;
      ++ia;
    }
    while (ib < b.size() && b[ib] == x) {
      inB = !inB;
      ++ib;
    }
    if (Applies(mode, inA, inB) != inResult) {
      inResult = !inResult;
      result.push_back(x);
    }
  }
  return result;
}

}  // namespace

TRegion::TRegion(const TRect& rect) {
  if (!IsRectEmpty(rect)) bands_.push_back({rect.Top, rect.Bottom, {rect.Left, rect.Right}});
}

int TRegion::Complexity() const {
  if (bands_.empty()) return NULLREGION;
  return bands_.size() == 1 && bands_[0].Edges.size() == 2 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TRegion::Bounds() const {
  if (bands_.empty()) return {};
  TRect bounds{INT32_MAX, bands_.front().Top, INT32_MIN, bands_.back().Bottom};
  for (const TBand& band : bands_) {
    bounds.Left = std::min(bounds.Left, band.Edges.front());
    bounds.Right = std::max(bounds.Right, band.Edges.back());
  }
  return bounds;
}

const TRegion::TBand* TRegion::BandAt(int y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                             [](int value, const TBand& band) { return value < band.Bottom; });
  return it != bands_.end() && it->Top <= y ? &*it : nullptr;
}

bool TRegion::Contains(TPoint p) const {
  const TBand* band = BandAt(p.Y);
  if (!band) return false;
  for (std::size_t i = 0; i < band->Edges.size(); i += 2)
    if (p.X >= band->Edges[i] && p.X < band->Edges[i + 1]) return true;
  return false;
}

bool TRegion::Intersects(const TRect& rect) const {
  bool found = false;
  ForEachRectIn(rect, [&](const TRect&) { found = true; });
  return found;
}

std::vector<TRect> TRegion::Rects() const {
  std::vector<TRect> rects;
  for (const TBand& band : bands_)
    for (std::size_t i = 0; i < band.Edges.size(); i += 2)
      rects.push_back({band.Edges[i], band.Top, band.Edges[i + 1], band.Bottom});
  return rects;
}

void TRegion::Offset(int dx, int dy) {
  for (TBand& band : bands_) {
    band.Top += dy;
    band.Bottom += dy;
    for (int& x : band.Edges) x += dx;
  }
}

void TRegion::AppendBand(int top, int bottom, std::vector<int>&& edges) {
  if (edges.empty()) return;
  if (!bands_.empty() && bands_.back().Bottom == top && bands_.back().Edges == edges)
    bands_.back().Bottom = bottom;
  else
    bands_.push_back({top, bottom, std::move(edges)});
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, int mode) {
  std::vector<int> ys;
  for (const TRegion* region : {&a, &b})
    for (const TBand& band : region->bands_) {
      ys.push_back(band.Top);
      ys.push_back(band.Bottom);
    }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  static const std::vector<int> none;
  TRegion result;
  std::size_t ia = 0;
  std::size_t ib = 0;
  for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
    const int top = ys[i];
    while (ia < a.bands_.size() && a.bands_[ia].Bottom <= top) ++ia;
    while (ib < b.bands_.size() && b.bands_[ib].Bottom <= top) ++ib;
    const bool hasA = ia < a.bands_.size() && a.bands_[ia].Top <= top;
    const bool hasB = ib < b.bands_.size() && b.bands_[ib].Top <= top;
    result.AppendBand(top, ys[i + 1],
                      CombineSpans(hasA ? a.bands_[ia].Edges : none, hasB ? b.bands_[ib].Edges : none, mode));
  }
  return result;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return CreateRectRgnIndirect({std::min(left, right), std::min(top, bottom), std::max(left, right),
                                std::max(top, bottom)});
}

HRGN CreateRectRgnIndirect(const TRect& rect) {
  auto* rgn = new TGdiRegion(TRegion(rect));
  rgn->AddRef();
  return rgn;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  if (!dest || !a || mode < RGN_AND || mode > RGN_COPY || (mode != RGN_COPY && !b)) return RGN_ERROR;
  dest->Region = mode == RGN_COPY ? a->Region : TRegion::Combine(a->Region, b->Region, mode);
  return dest->Region.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  if (!rgn) return RGN_ERROR;
  rgn->Region.Offset(dx, dy);
  return rgn->Region.Complexity();
}

bool PtInRegion(HRGN rgn, int x, int y) { return rgn && rgn->Region.Contains({x, y}); }

bool RectInRegion(HRGN rgn, const TRect& rect) { return rgn && rgn->Region.Intersects(rect); }

int GetRgnBox(HRGN rgn, TRect* box) {
  if (!rgn || !box) return RGN_ERROR;
  *box = rgn->Region.Bounds();
  return rgn->Region.Complexity();
}

bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  if (!rgn) return false;
  rgn->Region = TRegion({left, top, right, bottom});
  return true;
}

bool EqualRgn(HRGN a, HRGN b) { return a && b && a->Region == b->Region; }
