// Joining contour segments, closing contours along the frame, and nesting.
// The frame is (0, 0, 100, 100) unless a case says otherwise.

#include "graphics/XContour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "runtime/Exceptions.h"

namespace {

using TPoints = std::vector<TPoint>;

const TRect Frame{0, 0, 100, 100};

TPoints PointsOf(const TXContour& contour) { return TPoints(contour.Points().begin(), contour.Points().end()); }

std::vector<TPoints> ContoursOf(const TXCLevel& level) {
  std::vector<TPoints> contours;
  for (const auto& contour : level.Contours) contours.push_back(PointsOf(*contour));
  return contours;
}

// The joining loop as first written, scanning the whole list on every pass:
// the reference the indexed BuildContours must match contour for contour.
std::vector<TPoints> ReferenceContours(std::vector<TXSegment> segments, const TRect& frame) {
  TXCLevel owner(0);
  std::vector<std::unique_ptr<TXContour>> contours;
  if (segments.empty()) return {};
  std::size_t remaining = segments.size();
  contours.push_back(std::make_unique<TXContour>(&owner));
  TXContour* c = contours.back().get();
  while (remaining > 0) {
    const std::size_t before = remaining;
    for (TXSegment& s : segments) {
      if (s.Used || !TXCLevel::TryAppend(*c, s)) continue;
      s.Used = true;
      --remaining;
      if (c->IsClosed() || remaining == 0) break;
    }
    if (remaining == 0) break;
    if (remaining == before || c->IsClosed()) {
      contours.push_back(std::make_unique<TXContour>(&owner));
      c = contours.back().get();
    }
  }
  std::vector<TPoints> result;
  for (const auto& contour : contours) {
    if (!contour->IsClosed()) contour->CloseAlongFrame(frame);
    result.push_back(PointsOf(*contour));
  }
  return result;
}

std::vector<TPoints> Built(const std::vector<TXSegment>& segments, const TRect& frame = Frame) {
  TXCLevel level(1);
  for (const TXSegment& s : segments) level.AddSegment(s.P1, s.P2);
  level.BuildContours(frame);
  for (int i = 0; i < level.ContourCount(); ++i) EXPECT_EQ(&level, level.GetContour(i).Level);
  return ContoursOf(level);
}

TXContour ContourThrough(TXCLevel& owner, const TPoints& points) {
  TXContour contour(&owner);
  for (TPoint p : points) contour.Append(p);
  return contour;
}

TEST(XContour, SegmentsJoinByTheirEnds) {
  EXPECT_EQ((std::vector<TPoints>{{{5, 5}, {0, 0}, {5, 0}, {5, 5}}}),
            Built({{{0, 0}, {5, 0}}, {{5, 0}, {5, 5}}, {{5, 5}, {0, 0}}}));

  // In every order, and with a segment that fits no end in one pass and joins in a later one.
  std::vector<TXSegment> triangle = {{{0, 0}, {5, 0}}, {{5, 0}, {5, 5}}, {{5, 5}, {0, 0}}};
  auto byFirstPoint = [](const TXSegment& a, const TXSegment& b) {
    return std::make_pair(a.P1.X, a.P1.Y) < std::make_pair(b.P1.X, b.P1.Y);
  };
  std::sort(triangle.begin(), triangle.end(), byFirstPoint);
  do {
    const std::vector<TPoints> contours = Built(triangle);
    ASSERT_EQ(1u, contours.size());
    EXPECT_EQ(4u, contours[0].size());
    EXPECT_EQ(contours[0].front(), contours[0].back());
  } while (std::next_permutation(triangle.begin(), triangle.end(), byFirstPoint));
  EXPECT_EQ((std::vector<TPoints>{{{0, 0}, {5, 0}, {5, 5}, {0, 0}}}),
            Built({{{5, 5}, {0, 0}}, {{5, 0}, {5, 5}}, {{0, 0}, {5, 0}}}));

  // Two unconnected segments: two open contours, closed through the corners between their ends.
  EXPECT_EQ((std::vector<TPoints>{{{0, 40}, {40, 0}, {0, 0}, {0, 40}}, {{60, 100}, {100, 60}, {100, 100}, {60, 100}}}),
            Built({{{0, 40}, {40, 0}}, {{60, 100}, {100, 60}}}));
  // A segment of length zero is a closed contour of two equal points.
  EXPECT_EQ((std::vector<TPoints>{{{7, 7}, {7, 7}}}), Built({{{7, 7}, {7, 7}}}));
  EXPECT_TRUE(Built({}).empty());
}

TEST(XContour, TryAppendTakesTheFirstRuleThatMatches) {
  TXCLevel owner(0);
  struct Case {
    TXSegment segment;
    bool joins;
    TPoints expected;
  };
  // The contour runs (1, 1) .. (2, 2); a segment touching both ends goes before the first.
  const Case cases[] = {
      {{{1, 1}, {0, 0}}, true, {{0, 0}, {1, 1}, {2, 2}}}, {{{0, 0}, {1, 1}}, true, {{0, 0}, {1, 1}, {2, 2}}},
      {{{2, 2}, {3, 3}}, true, {{1, 1}, {2, 2}, {3, 3}}}, {{{3, 3}, {2, 2}}, true, {{1, 1}, {2, 2}, {3, 3}}},
      {{{2, 2}, {1, 1}}, true, {{2, 2}, {1, 1}, {2, 2}}}, {{{5, 5}, {6, 6}}, false, {{1, 1}, {2, 2}}},
  };
  for (const Case& c : cases) {
    TXContour contour = ContourThrough(owner, {{1, 1}, {2, 2}});
    EXPECT_EQ(c.joins, TXCLevel::TryAppend(contour, c.segment));
    EXPECT_EQ(c.expected, PointsOf(contour));
  }
  TXContour empty(&owner);
  EXPECT_TRUE(TXCLevel::TryAppend(empty, {{4, 3}, {2, 1}}));
  EXPECT_EQ((TPoints{{4, 3}, {2, 1}}), PointsOf(empty));
}

TEST(XContour, OpenContoursCloseTheShorterWayRoundTheFrame) {
  TXCLevel owner(0);
  struct Case {
    TPoints open;
    TPoints added;
  };
  const Case cases[] = {
      // first on the left, last on the bottom
      {{{0, 30}, {40, 100}}, {{0, 100}, {0, 30}}},
      // left and right: two steps either way, so backward
      {{{0, 30}, {100, 60}}, {{100, 100}, {0, 100}, {0, 30}}},
      // top to left: one step forward
      {{{0, 30}, {40, 0}}, {{0, 0}, {0, 30}}},
      // both ends on one side
      {{{0, 30}, {50, 50}, {0, 70}}, {{0, 30}}},
      // an end off the frame: closed directly, whichever end it is
      {{{50, 50}, {0, 70}}, {{50, 50}}},
      {{{0, 70}, {50, 50}}, {{0, 70}}},
  };
  for (const Case& c : cases) {
    TXContour contour = ContourThrough(owner, c.open);
    EXPECT_TRUE(contour.CloseAlongFrame(Frame));
    TPoints expected = c.open;
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(expected, PointsOf(contour));
  }
  TXContour closed = ContourThrough(owner, {{1, 1}, {5, 1}, {1, 1}});
  EXPECT_TRUE(closed.CloseAlongFrame(Frame));
  EXPECT_EQ(3, closed.Count());
  TXContour empty(&owner);
  EXPECT_FALSE(empty.CloseAlongFrame(Frame));
  EXPECT_FALSE(empty.IsClosed());

  EXPECT_EQ(0, TXContour::SideOf({0, 100}, Frame));
  EXPECT_EQ(1, TXContour::SideOf({100, 100}, Frame));
  EXPECT_EQ(2, TXContour::SideOf({100, 0}, Frame));
  EXPECT_EQ(3, TXContour::SideOf({50, 0}, Frame));
  EXPECT_EQ(-1, TXContour::SideOf({50, 50}, Frame));
  const TPoint forward[] = {{0, 100}, {100, 100}, {100, 0}, {0, 0}};
  const TPoint backward[] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
  for (int side = 0; side < 4; ++side) {
    EXPECT_EQ(forward[side], TXContour::CornerPoint(side, Frame, true));
    EXPECT_EQ(backward[side], TXContour::CornerPoint(side, Frame, false));
  }
}

TEST(XContour, BoundsFollowAppendedAndPrependedPoints) {
  TXCLevel owner(0);
  TXContour contour(&owner);
  contour.Append({5, 6});
  EXPECT_EQ(Rect(5, 6, 5, 6), contour.Bounds);
  for (int k = 0; k < 100; ++k) contour.Prepend({-k, k});
  contour.Append({50, -3});
  EXPECT_EQ(Rect(-99, -3, 50, 99), contour.Bounds);
  ASSERT_EQ(102, contour.Count());
  EXPECT_EQ((TPoint{-99, 99}), contour.Points().front());
  EXPECT_EQ((TPoint{5, 6}), contour.Points()[100]);
  EXPECT_EQ(102, contour.Append({1, 1}));
}

TEST(XContour, InsideMeansWithinAndOverlappingWithArea) {
  TXCLevel owner(0);
  const TXContour box = ContourThrough(owner, {{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 10}});
  const TXContour copy = ContourThrough(owner, PointsOf(box));
  struct Case {
    TPoints inner;
    bool inside;
  };
  const Case cases[] = {
      {{{20, 20}, {30, 30}}, true},
      {{{10, 10}, {50, 50}}, true},   // equal bounds
      {{{10, 20}, {10, 30}}, false},  // along the left edge, no width inside
      {{{20, 20}, {20, 30}}, true},   // a vertical line strictly inside
      {{{50, 10}, {60, 50}}, false},  // touching the right edge from outside
      {{{20, 20}, {60, 30}}, false},  // reaching out
      {{{30, 30}, {30, 30}}, true},   // a point strictly inside
      {{{10, 30}, {10, 30}}, false},  // a point on the edge
  };
  EXPECT_TRUE(copy.IsInside(box));
  for (const Case& c : cases) EXPECT_EQ(c.inside, ContourThrough(owner, c.inner).IsInside(box)) << c.inner[0].X;
  EXPECT_FALSE(box.IsInside(ContourThrough(owner, {{20, 20}, {30, 30}})));
}

TEST(XContour, LevelsKeepTheirSegmentsAndContours) {
  TXCLevel level(2.5L);
  EXPECT_EQ(0, level.Color);
  EXPECT_EQ(0, level.AddSegment({1, 2}, {3, 4}));
  EXPECT_EQ(1, level.AddSegment({3, 4}, {5, 6}));
  EXPECT_EQ(2, level.SegmentCount());
  EXPECT_EQ((TPoint{3, 4}), level.GetSegment(1).P1);
  EXPECT_FALSE(level.GetSegment(1).Used);
  EXPECT_THROW(level.GetSegment(2), EAssertionFailed);
  level.BuildContours(Frame);
  ASSERT_EQ(1, level.ContourCount());
  EXPECT_TRUE(level.GetSegment(0).Used);
  EXPECT_THROW(level.GetContour(1), EAssertionFailed);
  // A second build starts from unused segments again.
  const std::vector<TPoints> first = ContoursOf(level);
  level.BuildContours(Frame);
  EXPECT_EQ(first, ContoursOf(level));
}

// Rings, open chains ending on the frame and off it, branch points shared by
// several segments, repeated segments and points: in a shuffled order, with
// each segment's direction at random.
std::vector<TXSegment> ShuffledFixture(std::mt19937& random) {
  std::vector<TXSegment> segments;
  auto add = [&](TPoint a, TPoint b) {
    if (random() % 2) std::swap(a, b);
    segments.push_back({a, b, false});
  };
  std::uniform_int_distribution<int> coordinate(0, 100), length(1, 12);
  for (int ring = 0; ring < 6; ++ring) {
    const int cx = coordinate(random), cy = coordinate(random), n = length(random) + 2;
    auto corner = [&](int k) { return TPoint{cx + k % n, cy + k % n % 2 + (k % n == 1 ? 3 : 0)}; };
    for (int k = 0; k < n; ++k) add(corner(k), corner(k + 1));
  }
  for (int chain = 0; chain < 6; ++chain) {
    TPoint p{0, coordinate(random)};
    for (int k = length(random); k > 0; --k) {
      const TPoint next{p.X + 3, p.Y + int(random() % 3) - 1};
      add(p, next);
      p = next;
    }
    add(p, {p.X, 100});
  }
  const TPoint hub{50, 50};
  for (int spoke = 0; spoke < 5; ++spoke) add(hub, {coordinate(random), coordinate(random)});
  for (int k = 0; k < 4; ++k) {
    const TXSegment twice = segments[random() % segments.size()];
    segments.push_back(twice);
    add({k, k}, {k, k});
  }
  std::shuffle(segments.begin(), segments.end(), random);
  return segments;
}

TEST(XContour, BuildContoursMatchesTheFullScanOnShuffledSegments) {
  std::mt19937 random(51);
  for (int fixture = 0; fixture < 200; ++fixture) {
    const std::vector<TXSegment> segments = ShuffledFixture(random);
    ASSERT_EQ(ReferenceContours(segments, Frame), Built(segments)) << "fixture " << fixture;
  }
}

}  // namespace
