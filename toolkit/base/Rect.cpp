#include "toolkit/base/Rect.h"

#include <algorithm>

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool PtInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
  if (!IsRectEmpty(result)) return true;
  result = {};
  return false;
}

bool UnionRect(TRect& result, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) result = b;
  else if (IsRectEmpty(b)) result = a;
  else
    result = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
              std::max(a.Bottom, b.Bottom)};
  if (!IsRectEmpty(result)) return true;
  result = {};
  return false;
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}
