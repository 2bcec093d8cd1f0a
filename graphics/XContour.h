#pragma once
// Contour assembly in whole pixels: the tracer cuts each contour level into
// straight segments, one per triangle it crosses; a level joins them into
// polylines (contours) by exact equality of their end points, closes the
// open ones along the frame of the plotted area so that they can be filled,
// and the renderer orders the filling by how the contours nest.
//
// Frame sides are numbered 0 left, 1 bottom, 2 right, 3 top; y grows
// downwards, so Bottom is the larger y. A frame's Right and Bottom are the
// pixels of its right and bottom side (not one past them).

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TXCLevel;

struct TXSegment {
  TPoint P1;
  TPoint P2;
  // Joined into a contour.
  bool Used = false;
};

bool PointsEqual(TPoint A, TPoint B);

// A polyline of one level. Bounds is the bounding box of the points
// (Left, Top, Right, Bottom = min x, min y, max x, max y), valid once there
// is a point.
class TXContour {
public:
  explicit TXContour(TXCLevel* Level) : Level(Level) {}

  int Count() const { return int(storage_.size() - first_); }
  std::span<const TPoint> Points() const { return {storage_.data() + first_, storage_.size() - first_}; }
  // The index of the new point.
  int Append(TPoint P);
  // Inserts P before the first point, in amortised constant time.
  void Prepend(TPoint P);
  // Has points, and the first equals the last.
  bool IsClosed() const;
  // The side P lies on, in the order left, bottom, right, top (a corner
  // belongs to the first that matches); -1 when on none.
  static int SideOf(TPoint P, const TRect& Frame);
  // The corner reached by leaving Side forward (0 -> 1 -> 2 -> 3 -> 0) or backward.
  static TPoint CornerPoint(int Side, const TRect& Frame, bool Forward);
  // Closes an open contour the shorter way round the frame (backward on a
  // tie), through the corners between its ends, and appends its first point.
  // A contour with an end on no side is closed directly. False only when empty.
  bool CloseAlongFrame(const TRect& Frame);
  // This contour's bounds lie within Other's and overlap them with positive
  // width and height; equal bounds count.
  bool IsInside(const TXContour& Other) const;

  TRect Bounds;
  TXCLevel* Level;
  // How many other contours enclose this one, counted by the renderer.
  std::int32_t Nesting = 0;

private:
  void Include(TPoint P);

  // The points are storage_[first_ ..]; the slack before them makes Prepend cheap.
  std::vector<TPoint> storage_;
  std::size_t first_ = 0;
};

// One contour level: its value, the colour the renderer gives it, the
// tracer's segments (one contiguous array) and the contours joined from them.
class TXCLevel {
public:
  explicit TXCLevel(long double Level) : Level(Level) {}
  TXCLevel(const TXCLevel&) = delete;
  TXCLevel& operator=(const TXCLevel&) = delete;

  // A new segment from A to B, not yet joined; its index.
  int AddSegment(TPoint A, TPoint B);
  int SegmentCount() const { return int(Segments.size()); }
  const TXSegment& GetSegment(int I) const;
  int ContourCount() const { return int(Contours.size()); }
  TXContour& GetContour(int I) const;

  // Adds S to an empty contour, or at the end of C it touches (its first
  // point before its last, S's P1 before its P2); false when S touches neither end.
  static bool TryAppend(TXContour& C, const TXSegment& S);
  // Rebuilds the contours from every segment: each contour starts with the
  // first unused segment in list order, then takes, pass after pass, every
  // unused segment in list order that touches one of its ends, until it is
  // closed or a pass adds nothing. Open contours are then closed along Frame.
  void BuildContours(const TRect& Frame);

  long double Level;
  std::vector<TXSegment> Segments;
  std::vector<std::unique_ptr<TXContour>> Contours;
  TColor Color = 0;
};
