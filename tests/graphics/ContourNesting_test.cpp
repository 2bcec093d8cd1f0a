// Counting how many contours enclose each, against comparing every pair.

#include "graphics/ContourNesting.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "graphics/XContour.h"

namespace {

class ContourNestingTest : public testing::Test {
protected:
  TXContour& Add(TPoint a, TPoint b) {
    auto& contour = *contours.emplace_back(std::make_unique<TXContour>(&owner));
    contour.Append(a);
    contour.Append(b);
    return contour;
  }
  std::vector<TXContour*> All() const {
    std::vector<TXContour*> all;
    for (const auto& c : contours) all.push_back(c.get());
    return all;
  }
  std::vector<int> PairwiseCounts() const {
    std::vector<int> counts;
    for (const auto& a : contours) {
      int count = 0;
      for (const auto& b : contours)
        if (a != b && a->IsInside(*b)) ++count;
      counts.push_back(count);
    }
    return counts;
  }
  std::vector<int> IndexedCounts() {
    CountNesting(All());
    std::vector<int> counts;
    for (const auto& c : contours) counts.push_back(c->Nesting);
    return counts;
  }

  TXCLevel owner{0};
  std::vector<std::unique_ptr<TXContour>> contours;
};

TEST_F(ContourNestingTest, RingsInsideRings) {
  for (int k = 0; k < 5; ++k) Add({k, k}, {100 - k, 100 - k});
  Add({50, 50}, {50, 50});
  Add({0, 0}, {100, 100});
  Add({200, 200}, {300, 300});
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 1, 0}), IndexedCounts());
}

// Random bounds of every shape: wide, thin, points, equal copies, far apart.
TEST_F(ContourNestingTest, SameCountsAsEveryPairOnRandomBounds) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    contours.clear();
    const int span = round % 2 ? 40 : 5000;
    std::uniform_int_distribution<int> coordinate(-span, span);
    const int count = 50 + 100 * round;
    for (int k = 0; k < count; ++k) {
      TPoint a{coordinate(random), coordinate(random)}, b{coordinate(random), coordinate(random)};
      if (k % 7 == 0) b.X = a.X;
      if (k % 11 == 0) b = a;
      TXContour& c = Add(a, b);
      if (k % 13 == 0) Add(c.Points().front(), c.Points().back());
    }
    for (const auto& c : contours) c->Nesting = -5;
    ASSERT_EQ(PairwiseCounts(), IndexedCounts()) << "round " << round;
  }
}

TEST_F(ContourNestingTest, NoContours) { EXPECT_TRUE(IndexedCounts().empty()); }

}  // namespace
