#include "toolkit/gdi/Region.h"

#include <gtest/gtest.h>

namespace {

TRegion Of(std::initializer_list<TRect> rects) {
  TRegion region;
  for (const TRect& r : rects) region.Unite(r);
  return region;
}

TEST(Region, CombinesByEveryMode) {
  const TRegion a(Rect(0, 0, 10, 10));
  const TRegion b(Rect(5, 5, 15, 15));
  struct Case {
    int mode;
    TRegion expected;
  };
  const Case cases[] = {
      {RGN_AND, TRegion(Rect(5, 5, 10, 10))},
      {RGN_OR, Of({Rect(0, 0, 10, 5), Rect(0, 5, 15, 10), Rect(5, 10, 15, 15)})},
      {RGN_XOR, Of({Rect(0, 0, 10, 5), Rect(0, 5, 5, 10), Rect(10, 5, 15, 10), Rect(5, 10, 15, 15)})},
      {RGN_DIFF, Of({Rect(0, 0, 10, 5), Rect(0, 5, 5, 10)})},
  };
  for (const Case& c : cases) EXPECT_EQ(TRegion::Combine(a, b, c.mode), c.expected) << "mode " << c.mode;
}

TEST(Region, EqualSetsHaveEqualRegionsWhateverTheirHistory) {
  EXPECT_EQ(Of({Rect(0, 0, 5, 10), Rect(5, 0, 10, 10)}), TRegion(Rect(0, 0, 10, 10)));
  EXPECT_EQ(Of({Rect(0, 0, 10, 4), Rect(0, 4, 10, 10)}).Complexity(), SIMPLEREGION);
  TRegion hole(Rect(0, 0, 10, 10));
  hole.Subtract(Rect(3, 3, 6, 6));
  EXPECT_EQ(hole.Complexity(), COMPLEXREGION);
  hole.Unite(Rect(3, 3, 6, 6));
  EXPECT_EQ(hole, TRegion(Rect(0, 0, 10, 10)));
  hole.Subtract(Rect(0, 0, 10, 10));
  EXPECT_TRUE(hole.IsEmpty());
  EXPECT_EQ(hole.Complexity(), NULLREGION);
}

TEST(Region, PointAndRectangleTestsExcludeRightAndBottom) {
  TRegion ring(Rect(0, 0, 10, 10));
  ring.Subtract(Rect(2, 2, 8, 8));
  EXPECT_TRUE(ring.Contains({0, 0}));
  EXPECT_TRUE(ring.Contains({9, 9}));
  EXPECT_FALSE(ring.Contains({10, 5}));
  EXPECT_FALSE(ring.Contains({5, 5}));
  EXPECT_TRUE(ring.Contains({8, 5}));
  EXPECT_FALSE(ring.Intersects(Rect(3, 3, 7, 7)));
  EXPECT_TRUE(ring.Intersects(Rect(7, 7, 9, 9)));
  EXPECT_EQ(ring.Bounds(), Rect(0, 0, 10, 10));
  EXPECT_EQ(ring.Rects().size(), 4u);
}

TEST(Region, OffsetAndVisitInsideAnArea) {
  TRegion region = Of({Rect(0, 0, 4, 4), Rect(10, 0, 14, 4)});
  region.Offset(1, 2);
  EXPECT_EQ(region.Bounds(), Rect(1, 2, 15, 6));
  std::vector<TRect> parts;
  region.ForEachRectIn(Rect(3, 0, 12, 3), [&](const TRect& r) { parts.push_back(r); });
  EXPECT_EQ(parts, (std::vector<TRect>{Rect(3, 2, 5, 3), Rect(11, 2, 12, 3)}));
}

TEST(Region, HandlesCopyAndCombine) {
  HRGN a = CreateRectRgn(10, 10, 0, 0);  // corners in any order
  HRGN b = CreateRectRgnIndirect(Rect(5, 0, 20, 5));
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
  TRect box;
  EXPECT_EQ(GetRgnBox(result, &box), SIMPLEREGION);
  EXPECT_EQ(box, Rect(5, 0, 10, 5));
  EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(result, a));
  EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_OR), RGN_ERROR);
  EXPECT_TRUE(PtInRegion(a, 9, 9));
  OffsetRgn(a, 1, 0);
  EXPECT_FALSE(PtInRegion(a, 0, 0));
  for (HRGN rgn : {a, b, result}) EXPECT_TRUE(DeleteObject(rgn));
}

}  // namespace
