#pragma once
// Device and window geometry in whole pixels. A rectangle includes its left
// and top edge and excludes its right and bottom edge, so Right - Left is
// its width and an empty rectangle has Right <= Left or Bottom <= Top.

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

bool IsRectEmpty(const TRect& r);
bool PtInRect(const TRect& r, TPoint p);
// Both return false and give an empty (all zero) rectangle when the result is empty.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
bool UnionRect(TRect& result, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, int dx, int dy);
void InflateRect(TRect& r, int dx, int dy);
