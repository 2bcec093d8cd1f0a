#include "toolkit/base/Rect.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect, ExcludesRightAndBottomEdges) {
  const TRect r = Rect(0, 0, 10, 5);
  EXPECT_TRUE(PtInRect(r, {0, 0}));
  EXPECT_TRUE(PtInRect(r, {9, 4}));
  EXPECT_FALSE(PtInRect(r, {10, 4}));
  EXPECT_FALSE(PtInRect(r, {9, 5}));
  EXPECT_EQ(r.Width(), 10);
  EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
}

TEST(Rect, IntersectionAndUnionIgnoreEmptyRectangles) {
  TRect r;
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
  EXPECT_EQ(r, TRect{});
  EXPECT_TRUE(UnionRect(r, Rect(4, 4, 4, 4), Rect(1, 2, 3, 4)));
  EXPECT_EQ(r, Rect(1, 2, 3, 4));
  EXPECT_TRUE(UnionRect(r, Rect(0, 0, 1, 1), Rect(5, 5, 6, 6)));
  EXPECT_EQ(r, Rect(0, 0, 6, 6));
}

TEST(Rect, OffsetAndInflateMoveEveryEdge) {
  TRect r = Rect(1, 2, 3, 4);
  OffsetRect(r, 10, 20);
  EXPECT_EQ(r, Rect(11, 22, 13, 24));
  InflateRect(r, 1, -1);
  EXPECT_EQ(r, Rect(10, 23, 14, 23));
}

}  // namespace
