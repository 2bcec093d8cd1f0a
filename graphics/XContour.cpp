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

// The segments' ends grouped by point, each group in list order, so that
// "the next unused segment at or after a position that touches this point"
// is a binary search and a skip over used entries. Entry 2s + e is end e
// (0 for P1, 1 for P2) of segment s.
class TEndIndex {
public:
  explicit TEndIndex(const std::vector<TXSegment>& segments) {
    const std::size_t entries = 2 * segments.size();
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(entries);
    for (std::size_t s = 0; s < segments.size(); ++s) {
      keyed[2 * s] = {KeyOf(segments[s].P1), std::uint32_t(2 * s)};
      keyed[2 * s + 1] = {KeyOf(segments[s].P2), std::uint32_t(2 * s + 1)};
    }
    std::sort(keyed.begin(), keyed.end());
    entries_.resize(entries);
    groupOf_.resize(entries);
    placeOf_.resize(entries);
    nextLive_.resize(entries + 1);
    for (std::size_t place = 0; place < entries; ++place) {
      if (place == 0 || keyed[place].first != keyed[place - 1].first) groupStart_.push_back(std::uint32_t(place));
      const std::uint32_t entry = keyed[place].second;
      entries_[place] = entry;
      groupOf_[entry] = std::uint32_t(groupStart_.size() - 1);
      placeOf_[entry] = std::uint32_t(place);
      nextLive_[place] = std::uint32_t(place);
    }
    groupStart_.push_back(std::uint32_t(entries));
    nextLive_[entries] = std::uint32_t(entries);
  }

  std::uint32_t GroupOf(int segment, int end) const { return groupOf_[2 * std::size_t(segment) + std::size_t(end)]; }

  // The first unused segment at or after position from with an end in the group; -1 when none.
  int NextIn(std::uint32_t group, int from) {
    const auto begin = entries_.begin() + groupStart_[group], end = entries_.begin() + groupStart_[group + 1];
    const auto found = std::lower_bound(begin, end, std::uint32_t(from),
                                        [](std::uint32_t entry, std::uint32_t position) { return entry / 2 < position; });
    const std::uint32_t place = Live(std::uint32_t(found - entries_.begin()));
    return place < groupStart_[group + 1] ? int(entries_[place] / 2) : -1;
  }

  void Remove(int segment) {
    for (std::size_t end = 0; end < 2; ++end) {
      const std::uint32_t place = placeOf_[2 * std::size_t(segment) + end];
      nextLive_[place] = place + 1;
    }
  }

private:
  static std::uint64_t KeyOf(TPoint p) {
    return std::uint64_t(std::uint32_t(p.X) ^ 0x80000000u) << 32 | (std::uint32_t(p.Y) ^ 0x80000000u);
  }

  // The first live place at or after place, shortening the path behind it.
  std::uint32_t Live(std::uint32_t place) {
    std::uint32_t live = place;
    while (nextLive_[live] != live) live = nextLive_[live];
    while (nextLive_[place] != live) {
      const std::uint32_t next = nextLive_[place];
      nextLive_[place] = live;
      place = next;
    }
    return live;
  }

  std::vector<std::uint32_t> entries_;     // by place: grouped by point, in list order within a group
  std::vector<std::uint32_t> groupStart_;  // the first place of each group, and the end
  std::vector<std::uint32_t> groupOf_;     // by entry
  std::vector<std::uint32_t> placeOf_;     // by entry
  std::vector<std::uint32_t> nextLive_;    // by place: itself while live, else a later place; one sentinel
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
    std::uint32_t firstGroup = 0, lastGroup = 0;
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
