#include "skin/adapters/TabGeometry.h"

#include <gtest/gtest.h>

#include "toolkit/win/ControlMessages.h"

namespace {

TEST(TabGeometryTest, StylesGiveOrientationAndTabStyle) {
  EXPECT_EQ(TabOrientationOf(0), toTop);
  EXPECT_EQ(TabOrientationOf(TCS_BOTTOM), toBottom);
  EXPECT_EQ(TabOrientationOf(TCS_VERTICAL), toLeft);
  EXPECT_EQ(TabOrientationOf(TCS_VERTICAL | TCS_RIGHT), toRight);
  EXPECT_EQ(TabStyleOf(0), tsTabs);
  EXPECT_EQ(TabStyleOf(TCS_BUTTONS), tsButtons);
  EXPECT_EQ(TabStyleOf(TCS_BUTTONS | TCS_FLATBUTTONS), tsFlatButtons);
}

// Item rectangle (10, 2, 70, 22).
TEST(TabGeometryTest, TabsGrowToMeetTheFrameTheActiveOneOverIt) {
  const TRect item{10, 2, 70, 22};
  const struct {
    TTabOrientation Orientation;
    TRect Active, Inactive;
  } cases[] = {
      {toTop, {8, 0, 72, 24}, {10, 2, 69, 26}},
      {toBottom, {8, -1, 72, 23}, {10, 0, 69, 22}},
      {toLeft, {9, 0, 73, 23}, {10, 1, 73, 22}},
      {toRight, {7, 0, 71, 24}, {8, 1, 69, 22}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AdjustTabRect(item, c.Orientation, tsTabs, true), c.Active) << c.Orientation;
    EXPECT_EQ(AdjustTabRect(item, c.Orientation, tsTabs, false), c.Inactive) << c.Orientation;
    for (TTabStyle style : {tsButtons, tsFlatButtons})
      for (bool active : {true, false}) EXPECT_EQ(AdjustTabRect(item, c.Orientation, style, active), item);
  }
  EXPECT_EQ(AdjustTabRect({5, 2, 5, 22}, toTop, tsTabs, true), Rect(5, 2, 5, 22)) << "an empty item stays";
}

// A control 300 x 200 whose tab control insets its display area by (2, 24, 2, 2).
TEST(TabGeometryTest, PageFrameAndStripShareTheSideTowardTheTabs) {
  const TSize window{300, 200};
  const TRect display = DisplayRectFromAdjusted({2, 24, 298, 198});
  EXPECT_EQ(display, Rect(2, 26, 298, 198));
  const struct {
    TTabOrientation Orientation;
    TRect Page, Strip;
  } cases[] = {
      {toTop, {0, 22, 300, 200}, {0, 0, 300, 22}},
      {toBottom, {0, 0, 300, 199}, {0, 199, 300, 200}},
      {toLeft, {1, 0, 300, 200}, {0, 0, 1, 200}},
      {toRight, {0, 0, 299, 200}, {299, 0, 300, 200}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PageRectOf(window, display, c.Orientation, true), c.Page) << c.Orientation;
    EXPECT_EQ(StripRectOf(window, display, c.Orientation, true), c.Strip) << c.Orientation;
    EXPECT_EQ(PageRectOf(window, display, c.Orientation, false), Rect(0, 0, 300, 200)) << "no tabs";
  }
}

TEST(TabGeometryTest, RowsCountFromTheEdgeNearestTheTopOrLeft) {
  const TRect strip{0, 0, 300, 40};
  EXPECT_EQ(TabRowOf({0, 0, 60, 20}, strip, toTop, 1), 1) << "one row";
  EXPECT_EQ(TabRowOf({0, 0, 60, 20}, strip, toTop, 2), 1);
  EXPECT_EQ(TabRowOf({0, 20, 60, 40}, strip, toTop, 2), 2);
  EXPECT_EQ(TabRowOf({0, 160, 60, 180}, {0, 160, 300, 200}, toBottom, 2), 2);
  EXPECT_EQ(TabRowOf({0, 180, 60, 200}, {0, 160, 300, 200}, toBottom, 2), 1);
  EXPECT_EQ(TabRowOf({0, 0, 20, 60}, {0, 0, 40, 200}, toLeft, 2), 1);
  EXPECT_EQ(TabRowOf({20, 0, 40, 60}, {0, 0, 40, 200}, toLeft, 2), 2);
  EXPECT_EQ(TabRowOf({260, 0, 280, 60}, {260, 0, 300, 200}, toRight, 2), 2);
  EXPECT_EQ(TabRowOf({10, 0, 10, 0}, strip, toTop, 2), 1) << "an empty item divides by nothing";
}

TEST(TabGeometryTest, PageStripFacesTheTabs) {
  const TSize page{100, 80};
  const TPoint pos{4, 30};
  const struct {
    TTabOrientation Orientation;
    TRect Dest;
    TPoint Source;
  } cases[] = {
      {toTop, {0, 0, 100, 3}, {4, 30}},
      {toBottom, {0, 77, 100, 80}, {4, 107}},
      {toLeft, {0, 0, 3, 80}, {4, 30}},
      {toRight, {97, 0, 100, 80}, {101, 30}},
  };
  for (const auto& c : cases) {
    const TPageStrip strip = PageStripOf(c.Orientation, page, pos);
    EXPECT_EQ(strip.Dest, c.Dest) << c.Orientation;
    EXPECT_EQ(strip.Source, c.Source) << c.Orientation;
  }
}

}  // namespace
