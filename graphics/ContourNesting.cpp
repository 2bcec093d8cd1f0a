#include "graphics/ContourNesting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "graphics/XContour.h"

namespace {

// The grid: side x side buckets over the extent of every contour's bounds.
// A contour that can hold others is listed in each bucket its bounds touch,
// so every contour enclosing A is listed in the bucket of A's top-left
// corner (which lies within it).
class TBucketGrid {
public:
  TBucketGrid(std::span<TXContour* const> contours, int side) : side_(side) {
    for (const TXContour* c : contours) {
      left_ = std::min<std::int64_t>(left_, c->Bounds.Left);
      top_ = std::min<std::int64_t>(top_, c->Bounds.Top);
      right_ = std::max<std::int64_t>(right_, c->Bounds.Right);
      bottom_ = std::max<std::int64_t>(bottom_, c->Bounds.Bottom);
    }
  }

  int Column(int x) const { return int((x - left_) * side_ / (right_ - left_ + 1)); }
  int Row(int y) const { return int((y - top_) * side_ / (bottom_ - top_ + 1)); }
  int BucketOf(int x, int y) const { return Row(y) * side_ + Column(x); }
  int Buckets() const { return side_ * side_; }
  std::size_t BucketsTouched(const TRect& r) const {
    return std::size_t(Column(r.Right) - Column(r.Left) + 1) * std::size_t(Row(r.Bottom) - Row(r.Top) + 1);
  }
  template <class Visit>
  void ForEachBucket(const TRect& r, Visit visit) const {
    for (int row = Row(r.Top); row <= Row(r.Bottom); ++row)
      for (int column = Column(r.Left); column <= Column(r.Right); ++column) visit(row * side_ + column);
  }

private:
  int side_;
  std::int64_t left_ = std::numeric_limits<int>::max(), top_ = std::numeric_limits<int>::max();
  std::int64_t right_ = std::numeric_limits<int>::min(), bottom_ = std::numeric_limits<int>::min();
};

// Bounds without width or height hold nothing (nothing overlaps them with
// positive width and height).
bool CanHold(const TXContour& c) { return c.Bounds.Left < c.Bounds.Right && c.Bounds.Top < c.Bounds.Bottom; }

// The finest grid whose listings stay within a budget: large contours are
// listed in many buckets.
int GridSide(std::span<TXContour* const> contours) {
  const std::size_t budget = 16 * contours.size() + (std::size_t(1) << 20);
  int side = std::clamp(int(std::sqrt(double(contours.size()))) / 2, 1, 128);
  for (; side > 1; side /= 2) {
    const TBucketGrid grid(contours, side);
    std::size_t listings = 0;
    for (const TXContour* c : contours)
      if (CanHold(*c)) listings += grid.BucketsTouched(c->Bounds);
    if (listings <= budget) break;
  }
  return side;
}

}  // namespace

void CountNesting(std::span<TXContour* const> Contours) {
  for (TXContour* c : Contours) c->Nesting = 0;
  if (Contours.empty()) return;
  const TBucketGrid grid(Contours, GridSide(Contours));
  // The holders of each bucket, bucket after bucket.
  std::vector<std::size_t> start(std::size_t(grid.Buckets()) + 1, 0);
  for (const TXContour* c : Contours)
    if (CanHold(*c)) grid.ForEachBucket(c->Bounds, [&](int bucket) { ++start[std::size_t(bucket) + 1]; });
  for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
  std::vector<TXContour*> holders(start.back());
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (TXContour* c : Contours)
    if (CanHold(*c)) grid.ForEachBucket(c->Bounds, [&](int bucket) { holders[next[std::size_t(bucket)]++] = c; });
  for (TXContour* a : Contours) {
    const std::size_t bucket = std::size_t(grid.BucketOf(a->Bounds.Left, a->Bounds.Top));
    for (std::size_t k = start[bucket]; k < start[bucket + 1]; ++k)
      if (holders[k] != a && a->IsInside(*holders[k])) ++a->Nesting;
  }
}
