#include "graphics/XContour.h"

#include <algorithm>
#include <cstdint>

#include "runtime/Exceptions.h"

bool PointsEqual(TPoint A, TPoint B) { return A.X == B.X && A.Y == B.Y; }

void TXContour::Include(TPoint P) {
  if (Count() == 1) {
    Bounds = {P.X, P.Y, P.X, P.Y};
    return;
  }
  Bounds.Left = std::min(Bounds.Left, P.X);
  Bounds.Top = std::min(Bounds.Top, P.Y);
  Bounds.Right = std::max(Bounds.Right, P.X);
  Bounds.Bottom = std::max(Bounds.Bottom, P.Y);
}

int TXContour::Append(TPoint P) {
  storage_.push_back(P);
  Include(P);
  return Count() - 1;
}

void TXContour::Prepend(TPoint P) {
  if (first_ == 0) {
    // Room before the points as large as the points themselves.
    const std::size_t slack = std::max<std::size_t>(4, storage_.size());
    storage_.insert(storage_.begin(), slack, TPoint{});
    first_ = slack;
  }
  storage_[--first_] = P;
  Include(P);
}

bool TXContour::IsClosed() const { return Count() > 0 && PointsEqual(Points().front(), Points().back()); }

int TXContour::SideOf(TPoint P, const TRect& Frame) {
  if (P.X == Frame.Left) return 0;
  if (P.Y == Frame.Bottom) return 1;
  if (P.X == Frame.Right) return 2;
  if (P.Y == Frame.Top) return 3;
  return -1;
}

TPoint TXContour::CornerPoint(int Side, const TRect& Frame, bool Forward) {
  const TPoint leftBottom{Frame.Left, Frame.Bottom}, rightBottom{Frame.Right, Frame.Bottom};
  const TPoint rightTop{Frame.Right, Frame.Top}, leftTop{Frame.Left, Frame.Top};
  const TPoint forward[4] = {leftBottom, rightBottom, rightTop, leftTop};
  const TPoint backward[4] = {leftTop, leftBottom, rightBottom, rightTop};
  return Forward ? forward[Side & 3] : backward[Side & 3];
}

// An end on no side has no walk that reaches the other end: such a contour
// (from a hole in the data or an x or y that runs back) is closed directly.
bool TXContour::CloseAlongFrame(const TRect& Frame) {
  if (Count() == 0) return false;
  const TPoint first = Points().front(), last = Points().back();
  if (PointsEqual(first, last)) return true;
  const int firstSide = SideOf(first, Frame), lastSide = SideOf(last, Frame);
  if (firstSide >= 0 && lastSide >= 0 && firstSide != lastSide) {
    const int forwardSteps = (firstSide - lastSide + 4) % 4;
    const bool forward = forwardSteps < 4 - forwardSteps;
    for (int side = lastSide; side != firstSide; side = (side + (forward ? 1 : 3)) % 4)
      Append(CornerPoint(side, Frame, forward));
  }
  Append(first);
  return true;
}

bool TXContour::IsInside(const TXContour& Other) const {
  const TRect& a = Bounds;
  const TRect& b = Other.Bounds;
  const bool within = b.Left <= a.Left && a.Right <= b.Right && b.Top <= a.Top && a.Bottom <= b.Bottom;
  const bool overlap = a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
  return within && overlap;
}

int TXCLevel::AddSegment(TPoint A, TPoint B) {
  Segments.push_back({A, B, false});
  return SegmentCount() - 1;
}

const TXSegment& TXCLevel::GetSegment(int I) const {
  QASSERT(I >= 0 && I < SegmentCount(), "Assertion failure");
  return Segments[std::size_t(I)];
}

TXContour& TXCLevel::GetContour(int I) const {
  QASSERT(I >= 0 && I < ContourCount(), "Assertion failure");
  return *Contours[std::size_t(I)];
}

bool TXCLevel::TryAppend(TXContour& C, const TXSegment& S) {
  if (C.Count() == 0) {
    C.Append(S.P1);
    C.Append(S.P2);
    return true;
  }
  const TPoint first = C.Points().front(), last = C.Points().back();
  if (PointsEqual(S.P1, first))
    C.Prepend(S.P2);
  else if (PointsEqual(S.P2, first))
    C.Prepend(S.P1);
  else if (PointsEqual(S.P1, last))
    C.Append(S.P2);
  else if (PointsEqual(S.P2, last))
    C.Append(S.P1);
  else
    return false;
  return true;
}

namespace {

// The places Begin .. End - 1 of the ends at one point.
struct TGroup {
  std::uint32_t Begin = 0;
  std::uint32_t End = 0;
};

// The segments' ends grouped by point, each group in list order, so that
// "the next unused segment at or after a position that touches this point"
// is a binary search and a skip over used places. End e of segment s
// (0 for P1, 1 for P2) is entry 2s + e. Joining visits the segments in no
// order of the list, so what one join reads lies together, and the index
// is two arrays only: fresh memory costs as much as the joining.
class TEndIndex {
public:
  explicit TEndIndex(const std::vector<TXSegment>& segments)
      : places_(2 * segments.size() + 1), placeOf_(2 * segments.size()) {
    for (std::size_t s = 0; s < segments.size(); ++s) {
      places_[2 * s] = {KeyOf(segments[s].P1), std::uint32_t(2 * s), 0};
      places_[2 * s + 1] = {KeyOf(segments[s].P2), std::uint32_t(2 * s + 1), 0};
    }
    std::sort(places_.begin(), places_.end() - 1, [](const TPlace& a, const TPlace& b) {
      return a.Key != b.Key ? a.Key < b.Key : a.Entry < b.Entry;
    });
    const std::uint32_t count = std::uint32_t(placeOf_.size());
    for (std::uint32_t begin = 0, end = 0; begin < count; begin = end) {
      while (end < count && places_[end].Key == places_[begin].Key) ++end;
      for (std::uint32_t place = begin; place < end; ++place) {
        placeOf_[places_[place].Entry] = place;
        places_[place].NextLive = place;
      }
      // The key has served: the place keeps its group instead.
      for (std::uint32_t place = begin; place < end; ++place) places_[place].Key = std::uint64_t(begin) << 32 | end;
    }
    places_.back() = {0, 0, count};
  }

  TGroup GroupOf(int segment, int end) const {
    const std::uint64_t group = places_[placeOf_[2 * std::size_t(segment) + std::size_t(end)]].Key;
    return {std::uint32_t(group >> 32), std::uint32_t(group)};
  }

  // The first unused segment at or after position from with an end in the group; -1 when none.
  int NextIn(TGroup group, int from) {
    const auto found =
        std::lower_bound(places_.begin() + group.Begin, places_.begin() + group.End, std::uint32_t(from),
                         [](const TPlace& place, std::uint32_t position) { return place.Entry / 2 < position; });
    const std::uint32_t live = Live(std::uint32_t(found - places_.begin()));
    return live < group.End ? int(places_[live].Entry / 2) : -1;
  }

  void Remove(int segment) {
    for (std::size_t end = 0; end < 2; ++end) {
      const std::uint32_t place = placeOf_[2 * std::size_t(segment) + end];
      places_[place].NextLive = place + 1;
    }
  }

private:
  struct TPlace {
    std::uint64_t Key;  // the point while sorting, then the group (Begin << 32 | End)
    std::uint32_t Entry;
    // Itself while the segment is unused, else a later place.
    std::uint32_t NextLive;
  };

  static std::uint64_t KeyOf(TPoint p) {
    return std::uint64_t(std::uint32_t(p.X) ^ 0x80000000u) << 32 | (std::uint32_t(p.Y) ^ 0x80000000u);
  }

  // The first live place at or after place, shortening the path behind it.
  std::uint32_t Live(std::uint32_t place) {
    std::uint32_t live = place;
    while (places_[live].NextLive != live) live = places_[live].NextLive;
    while (places_[place].NextLive != live) {
      const std::uint32_t next = places_[place].NextLive;
      places_[place].NextLive = live;
      place = next;
    }
    return live;
  }

  std::vector<TPlace> places_;  // and one sentinel, live for ever
  std::vector<std::uint32_t> placeOf_;
};

}  // namespace

// The same contours, in the same order and with their points in the same
// order, as scanning the whole list on every pass, without its quadratic
// cost: the next segment a scan from some position would take is the first
// unused one at or after it that touches either end.
void TXCLevel::BuildContours(const TRect& Frame) {
  Contours.clear();
  for (TXSegment& segment : Segments) segment.Used = false;
  if (Segments.empty()) return;
  TEndIndex index(Segments);
  std::size_t remaining = Segments.size();
  int firstUnused = 0;
  while (remaining > 0) {
    TXContour& contour = *Contours.emplace_back(std::make_unique<TXContour>(this));
    TGroup firstGroup, lastGroup;
    auto join = [&](int s) {
      TXSegment& segment = Segments[std::size_t(s)];
      TryAppend(contour, segment);
      segment.Used = true;
      index.Remove(s);
      --remaining;
      const TPoint first = contour.Points().front(), last = contour.Points().back();
      for (int end = 0; end < 2; ++end) {
        const TPoint p = end == 0 ? segment.P1 : segment.P2;
        if (PointsEqual(p, first)) firstGroup = index.GroupOf(s, end);
        if (PointsEqual(p, last)) lastGroup = index.GroupOf(s, end);
      }
    };
    while (Segments[std::size_t(firstUnused)].Used) ++firstUnused;
    join(firstUnused);
    int position = firstUnused + 1;
    bool joinedInPass = true;
    while (remaining > 0 && !contour.IsClosed()) {
      const int atFirst = index.NextIn(firstGroup, position), atLast = index.NextIn(lastGroup, position);
      const int next = atFirst < 0 ? atLast : atLast < 0 ? atFirst : std::min(atFirst, atLast);
      if (next >= 0) {
        join(next);
        position = next + 1;
        joinedInPass = true;
      } else if (joinedInPass) {
        position = 0;
        joinedInPass = false;
      } else {
        break;
      }
    }
  }
  for (const auto& contour : Contours)
    if (!contour->IsClosed()) contour->CloseAlongFrame(Frame);
}
