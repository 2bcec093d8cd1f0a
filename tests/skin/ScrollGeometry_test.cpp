#include "skin/adapters/ScrollGeometry.h"

#include <gtest/gtest.h>

#include "skin/SkinBase.h"
#include "tests/skin/TestSkinManager.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

// Arrows and bars 17 pixels long and thick, as the skin layer's start-up
// leaves them with the toolkit's metrics.
class ScrollGeometryTest : public testing::Test {
protected:
  ScrollGeometryTest() { ScrollArrowSize = 17; }
  ~ScrollGeometryTest() override { ScrollArrowSize = savedArrowSize; }

  static TSkScrollBar GeometryBar(WORD kind, int nMin, int nMax, UINT nPage, int nPos) {
    TSkScrollBar bar{.Kind = kind};
    bar.Info.nMin = nMin;
    bar.Info.nMax = nMax;
    bar.Info.nPage = nPage;
    bar.Info.nPos = nPos;
    return bar;
  }

private:
  int savedArrowSize = ScrollArrowSize;
};

// A bar 200 long at 0 and 17 thick; a vertical bar swaps the axes.
TRect GeometryBarRect(WORD kind, int length = 200) {
  return kind == SB_VERT ? Rect(0, 0, 17, length) : Rect(0, 0, length, 17);
}
TPoint GeometryPointAlong(WORD kind, int along) { return kind == SB_VERT ? Point(8, along) : Point(along, 8); }

struct ThumbCase {
  int nMin, nMax;
  UINT nPage;
  int nPos;
  int start, length;  // length 0: no thumb
  int parts[4];       // at 5, 20, 100 and 190 along the bar
};

const ThumbCase GeometryThumbCases[] = {
    {0, 99, 10, 0, 17, 17, {spFirstArrow, spThumb, spTrackAfter, spSecondArrow}},
    {0, 99, 10, 45, 92, 17, {spFirstArrow, spTrackBefore, spThumb, spSecondArrow}},
    {0, 99, 10, 90, 166, 17, {spFirstArrow, spTrackBefore, spTrackBefore, spSecondArrow}},
    {0, 99, 0, 99, 166, 17, {spFirstArrow, spTrackBefore, spTrackBefore, spSecondArrow}},
    {0, 99, 1, 99, 173, 10, {spFirstArrow, spTrackBefore, spTrackBefore, spSecondArrow}},
    {0, -1, 5, 0, 0, 0, {spFirstArrow, spNone, spNone, spSecondArrow}},
    {0, -1, 0, 0, 0, 0, {spFirstArrow, spNone, spNone, spSecondArrow}},
    {0, 99, 100, 0, 17, 166, {spFirstArrow, spNone, spNone, spSecondArrow}},
};

TEST_F(ScrollGeometryTest, ThumbAndPartsFollowRangePageAndPosition) {
  const int probes[4] = {5, 20, 100, 190};
  for (WORD kind : {WORD(SB_HORZ), WORD(SB_VERT)})
    for (const ThumbCase& c : GeometryThumbCases) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << ", range " << c.nMin << ".." << c.nMax << ", page "
                                      << c.nPage << ", position " << c.nPos);
      const TSkScrollBar bar = GeometryBar(kind, c.nMin, c.nMax, c.nPage, c.nPos);
      const TThumbPlace thumb = CalcThumb(bar, GeometryBarRect(kind));
      EXPECT_EQ(thumb.Length, c.length);
      if (c.length > 0) {
        EXPECT_EQ(thumb.Start, c.start);
      }
      for (int i = 0; i < 4; ++i)
        EXPECT_EQ(HitTestBar(bar, GeometryBarRect(kind), GeometryPointAlong(kind, probes[i])), c.parts[i])
            << "at " << probes[i];
    }
}

TEST_F(ScrollGeometryTest, HitTestingAnswersNothingOffTheBarOrForAnotherKind) {
  const TSkScrollBar horizontal = GeometryBar(SB_HORZ, 0, 99, 10, 0);
  EXPECT_EQ(HitTestBar(horizontal, GeometryBarRect(SB_HORZ), Point(100, 17)), spNone);
  EXPECT_EQ(HitTestBar(horizontal, GeometryBarRect(SB_HORZ), Point(100, -1)), spNone);
  EXPECT_EQ(HitTestBar(horizontal, GeometryBarRect(SB_HORZ), Point(200, 8)), spNone);
  const TSkScrollBar vertical = GeometryBar(SB_VERT, 0, 99, 10, 0);
  EXPECT_EQ(HitTestBar(vertical, GeometryBarRect(SB_VERT), Point(17, 100)), spNone);
  EXPECT_EQ(HitTestBar(GeometryBar(SB_CTL, 0, 99, 10, 0), GeometryBarRect(SB_HORZ), Point(5, 8)), spNone);
}

TEST_F(ScrollGeometryTest, BarShorterThanTwoArrowsIsTwoHalfArrows) {
  for (WORD kind : {WORD(SB_HORZ), WORD(SB_VERT)}) {
    const TSkScrollBar bar = GeometryBar(kind, 0, 99, 10, 0);
    EXPECT_EQ(HitTestBar(bar, GeometryBarRect(kind, 30), GeometryPointAlong(kind, 5)), spFirstArrow);
    EXPECT_EQ(HitTestBar(bar, GeometryBarRect(kind, 30), GeometryPointAlong(kind, 14)), spFirstArrow);
    EXPECT_EQ(HitTestBar(bar, GeometryBarRect(kind, 30), GeometryPointAlong(kind, 15)), spSecondArrow);
    EXPECT_EQ(HitTestBar(bar, GeometryBarRect(kind, 30), GeometryPointAlong(kind, 20)), spSecondArrow);
  }
}

// The thumb keeps within the track, its position runs from nMin at the
// track's start to the last position a page can start at, and it stands
// for the position CalcThumb drew it at.
TEST_F(ScrollGeometryTest, DraggedThumbStandsForThePositionItIsDrawnAt) {
  const TSkScrollBar vertical = GeometryBar(SB_VERT, 0, 99, 10, 0);
  const TRect verticalRect = GeometryBarRect(SB_VERT);
  EXPECT_EQ(DragThumb(vertical, verticalRect, 17, 17 + 75).Position, 45);
  const TThumbDrag end = DragThumb(vertical, verticalRect, 17, 500);
  EXPECT_EQ(end.Start, 166);
  EXPECT_EQ(end.Position, 90);
  const TThumbDrag before = DragThumb(vertical, verticalRect, 17, -40);
  EXPECT_EQ(before.Start, 17);
  EXPECT_EQ(before.Position, 0);

  const TSkScrollBar horizontal = GeometryBar(SB_HORZ, 10, 109, 10, 10);
  EXPECT_EQ(DragThumb(horizontal, GeometryBarRect(SB_HORZ), 17, 183).Position, 100);
  EXPECT_EQ(DragThumb(horizontal, GeometryBarRect(SB_HORZ), 17, 0).Position, 10);

  for (int position = 0; position <= 90; ++position) {
    TSkScrollBar bar = vertical;
    bar.Info.nPos = position;
    const TThumbPlace thumb = CalcThumb(bar, verticalRect);
    EXPECT_EQ(DragThumb(bar, verticalRect, thumb.Length, thumb.Start).Position, position);
  }
}

TEST_F(ScrollGeometryTest, DraggingWithoutRoomOrRangeStaysAtTheMinimum) {
  const TSkScrollBar empty = GeometryBar(SB_HORZ, 5, 4, 0, 5);
  EXPECT_EQ(DragThumb(empty, GeometryBarRect(SB_HORZ), 17, 100).Position, 5);
  const TSkScrollBar pageWide = GeometryBar(SB_HORZ, 5, 104, 100, 5);
  EXPECT_EQ(DragThumb(pageWide, GeometryBarRect(SB_HORZ), 166, 100).Position, 5);
  const TSkScrollBar longThumb = GeometryBar(SB_HORZ, 5, 104, 10, 5);
  const TThumbDrag drag = DragThumb(longThumb, GeometryBarRect(SB_HORZ), 180, 100);
  EXPECT_EQ(drag.Start, 17);
  EXPECT_EQ(drag.Position, 5);
}

// A 200 x 150 window at (100, 100) with a client edge, measured by its own
// procedure with the bars hidden from it; then the bars take their space.
struct GeometryFrame {
  TScrollBarLayout layout;
  TRect window;
  TRect client;

  GeometryFrame(DWORD style, bool leftScrollBar, int height = 150) {
    window = Bounds(100, 100, 200, height);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    client = Rect(window.Left + edge, window.Top + edge, window.Right - edge, window.Bottom - edge);
    layout.LeftScrollBar = leftScrollBar;
    ReserveScrollBars(layout, style, window, client);
  }
  TRect ClientInWindow() const {
    return Rect(client.Left - window.Left, client.Top - window.Top, client.Right - window.Left,
                client.Bottom - window.Top);
  }
};

TEST_F(ScrollGeometryTest, BarsTakeTheirSpaceInsideTheFrame) {
  const GeometryFrame right(WS_HSCROLL | WS_VSCROLL, false);
  EXPECT_EQ(right.ClientInWindow(), Rect(2, 2, 181, 131));
  EXPECT_EQ(HorzBarRect(right.layout, right.window), Rect(102, 231, 281, 248));
  EXPECT_EQ(VertBarRect(right.layout, right.window), Rect(281, 102, 298, 231));
  EXPECT_EQ(BarRect(right.layout, SB_VERT, right.window), VertBarRect(right.layout, right.window));
  EXPECT_EQ(BarRect(right.layout, SB_BOTH, right.window), std::nullopt);

  const GeometryFrame left(WS_HSCROLL | WS_VSCROLL, true);
  EXPECT_EQ(left.ClientInWindow(), Rect(19, 2, 198, 131));
  EXPECT_EQ(VertBarRect(left.layout, left.window), Rect(102, 102, 119, 231));
  EXPECT_EQ(HorzBarRect(left.layout, left.window), Rect(119, 231, 298, 248));
}

TEST_F(ScrollGeometryTest, BarsOutsideTheStyleOrTooThickTakeNoSpace) {
  const GeometryFrame none(0, false);
  EXPECT_EQ(none.ClientInWindow(), Rect(2, 2, 198, 148));
  EXPECT_FALSE(none.layout.HorzBar.Shown);
  EXPECT_FALSE(none.layout.VertBar.Shown);
  EXPECT_EQ(HorzBarRect(none.layout, none.window).Height(), 0);
  EXPECT_EQ(VertBarRect(none.layout, none.window).Width(), 0);

  // A client 16 high has no room for the horizontal bar; the vertical one still fits.
  const GeometryFrame flat(WS_HSCROLL | WS_VSCROLL, false, 20);
  EXPECT_EQ(flat.layout.HorzBar.StyleFlags, 8);
  EXPECT_FALSE(flat.layout.HorzBar.Shown);
  EXPECT_TRUE(flat.layout.VertBar.Shown);
  EXPECT_EQ(flat.ClientInWindow(), Rect(2, 2, 181, 18));
}

TEST_F(ScrollGeometryTest, BarMetricsScaleTheStandardSizesOrTakeTheSkinArrows) {
  TSkScrollBar horizontal{.Kind = SB_HORZ};
  TSkScrollBar vertical{.Kind = SB_VERT};
  EXPECT_EQ(BarMetric(horizontal, bmThickness), GetSystemMetrics(SM_CYHSCROLL));
  vertical.BarWidth = -2;
  EXPECT_EQ(BarMetric(vertical, bmThickness), 2 * GetSystemMetrics(SM_CXVSCROLL));
  vertical.BarWidth = 12;
  EXPECT_EQ(BarMetric(vertical, bmThickness), 12);
  vertical.ArrowLength = 9;
  EXPECT_EQ(BarMetric(vertical, bmArrowLength), 9);
  vertical.ArrowLength = -1;

  // Left arrow frames 20 wide, top arrow frames 22 high (an alpha band below each).
  TTestSkinManager skin;
  skin.AddSection("SCROLLBTNTOP");
  skin.AddSection("SCROLLBTNLEFT");
  skin.AddMask("SCROLLBTNTOP", "BORDERSMASK", Rect(0, 0, 66, 44), 3, 1);
  skin.AddMask("SCROLLBTNLEFT", "BORDERSMASK", Rect(0, 0, 60, 16), 3, 0);
  skin.RefreshCachedIndexes();
  EXPECT_EQ(BarMetric(horizontal, bmArrowLength, &skin), 17) << "the left arrow does not ask for its size";
  skin.SectionData[1].ReservedBoolean = true;
  EXPECT_EQ(BarMetric(horizontal, bmArrowLength, &skin), 20);
  EXPECT_EQ(BarMetric(vertical, bmArrowLength, &skin), 22);
  EXPECT_EQ(BarMetric(horizontal, bmArrowLength), 17) << "geometry takes the plain length";
  horizontal.ArrowLength = -2;
  EXPECT_EQ(BarMetric(horizontal, bmArrowLength, &skin), 40);
  skin.Masks[1].SourceRect = Rect(0, 0, 30, 16);
  EXPECT_EQ(BarMetric(horizontal, bmArrowLength, &skin), 34) << "never shorter than the standard";
}

// A top-level window whose client area is 300 x 200 at (100, 100) on
// screen, and windows on it with a two-pixel frame and both bars.
class GripCornerTest : public ScrollGeometryTest {
protected:
  GripCornerTest() {
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "GripCornerTestWindow";
    RegisterClass(windowClass);
    topLevel = CreateWindowEx(0, "GripCornerTestWindow", "", WS_POPUP, 100, 100, 300, 200, nullptr, nullptr,
                              nullptr);
  }
  ~GripCornerTest() override { DestroyWindow(topLevel); }

  HWND Child(HWND parent, const TRect& bounds) {
    return CreateWindowEx(0, "GripCornerTestWindow", "", WS_CHILD, bounds.Left, bounds.Top, bounds.Width(),
                          bounds.Height(), parent, nullptr, nullptr);
  }
  // Whether the window's corner between its bars gets a grip.
  static bool GripAt(HWND window, bool leftScrollBar) {
    TScrollBarLayout layout;
    layout.LeftScrollBar = leftScrollBar;
    TRect w;
    GetWindowRect(window, w);
    TRect client = Rect(w.Left + 2, w.Top + 2, w.Right - 2, w.Bottom - 2);
    ReserveScrollBars(layout, WS_HSCROLL | WS_VSCROLL, w, client);
    const TRect horizontal = HorzBarRect(layout, w), vertical = VertBarRect(layout, w);
    return GripCornerApplies(layout, window, Rect(vertical.Left, horizontal.Top, vertical.Right, horizontal.Bottom));
  }

  HWND topLevel = nullptr;
};

TEST_F(GripCornerTest, GripShowsWhereTheCornerMeetsTheTopLevelClientCorner) {
  TRect client;
  GetClientRect(topLevel, client);
  ASSERT_EQ(client, Rect(0, 0, 300, 200));
  EXPECT_TRUE(GripAt(Child(topLevel, Rect(100, 100, 300, 200)), false));
  EXPECT_FALSE(GripAt(Child(topLevel, Rect(100, 100, 299, 200)), false));
  EXPECT_FALSE(GripAt(Child(topLevel, Rect(100, 100, 300, 199)), false));
  const HWND atLeft = Child(topLevel, Rect(0, 100, 200, 200));
  EXPECT_TRUE(GripAt(atLeft, true));
  EXPECT_FALSE(GripAt(atLeft, false));
}

TEST_F(GripCornerTest, NestedAndTopLevelWindowsGetNoGrip) {
  const HWND panel = Child(topLevel, Rect(0, 0, 300, 200));
  EXPECT_FALSE(GripAt(Child(panel, Rect(100, 100, 300, 200)), false));
  EXPECT_FALSE(GripAt(topLevel, false));
}

}  // namespace
