#include "skin/adapters/ScrollTracking.h"

#include <gtest/gtest.h>

#include "tests/skin/ScrollAdapterFixture.h"
#include "toolkit/win/Timers.h"

namespace {

using ScrollTrackingTest = ScrollAdapterFixture;

constexpr UINT_PTR OwnTimer = 7;

size_t OwnTimerCount() {
  size_t count = 0;
  for (const TRecordedMessage& m : TMessageLog::Current().Only(WM_TIMER)) count += m.WParam == OwnTimer;
  return count;
}

TEST_F(ScrollTrackingTest, AHeldArrowRepeatsOnTheClockWhileTheMouseStaysOnIt) {
  const HWND window = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL);
  SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& adapter = Adapt(window);
  SetTimer(window, OwnTimer, 100, nullptr);
  TMessageLog::Current().Messages.clear();
  const TPoint downArrow = OnBar(adapter, SB_VERT, 190);
  const TPoint offArrow = OnBar(adapter, SB_VERT, 150);

  Mouse(TSyntheticMouse::Press, downArrow);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 1u) << "one at once";
  EXPECT_EQ(GetCapture(), window);
  Advance(300);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 1u) << "nothing before the first delay";
  Advance(55);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 2u) << "at 355 ms";
  Advance(55);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 3u) << "at 410 ms";
  Advance(10);
  Mouse(TSyntheticMouse::Move, offArrow);
  EXPECT_EQ(ScrollTracking.DrawnPressedPart, spNone);
  Advance(180);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 3u) << "none while the mouse is off the arrow";
  Mouse(TSyntheticMouse::Move, downArrow);
  EXPECT_EQ(ScrollTracking.DrawnPressedPart, spSecondArrow);
  Advance(55);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 4u) << "and again once it is back";

  Advance(45);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 5u) << "every 55 ms";
  Mouse(TSyntheticMouse::Release, downArrow);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_ENDSCROLL), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ScrollTracking.PressedPart, spNone);
  Advance(300);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEDOWN), 5u) << "the repeat ends with the release";
  EXPECT_EQ(OwnTimerCount(), 10u) << "the window's own timer once in each of its 100 ms";
}

TEST_F(ScrollTrackingTest, ATrackPressRepeatsPagesAndTheHoverEndsWhenTheMouseLeaves) {
  const HWND window = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL);
  SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& adapter = Adapt(window);
  TMessageLog::Current().Messages.clear();
  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 100));
  EXPECT_EQ(ScrollTracking.HotBarKind, SB_VERT);
  Advance(20);
  EXPECT_EQ(ScrollTracking.HotPart, spTrackAfter);
  Mouse(TSyntheticMouse::Press, OnBar(adapter, SB_VERT, 100));
  Advance(360);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_PAGEDOWN), 2u);
  Mouse(TSyntheticMouse::Release, OnBar(adapter, SB_VERT, 100));

  Mouse(TSyntheticMouse::Move, {20, 20});
  Advance(20);
  EXPECT_EQ(ScrollTracking.HotBarKind, -1) << "the hover check saw the mouse go";
  EXPECT_EQ(ScrollTracking.HoverTimer, 0u);
}

TEST_F(ScrollTrackingTest, TheHoverFollowsTheMouseFromOneWindowsBarToAnothers) {
  const HWND first = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL);
  const HWND second = ChildWindow(Bounds(150, 10, 100, 200), WS_VSCROLL);
  for (HWND window : {first, second}) SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& firstAdapter = Adapt(first);
  TSkScrollWnd& secondAdapter = Adapt(second);
  Mouse(TSyntheticMouse::Move, OnBar(firstAdapter, SB_VERT, 5));
  Mouse(TSyntheticMouse::Move, OnBar(secondAdapter, SB_VERT, 190));
  Advance(40);
  EXPECT_EQ(ScrollTracking.CurrentWindow, second);
  EXPECT_EQ(ScrollTracking.HotBarKind, SB_VERT) << "the first window's check left the second's hover alone";
  EXPECT_EQ(ScrollTracking.HotPart, spSecondArrow);
}

TEST_F(ScrollTrackingTest, ALeftHandBarRepeatsThoughTheMouseIsLeftOfTheClientArea) {
  const HWND window = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
  SetBar(window, SB_VERT, 0, 99, 10, 50);
  TSkScrollWnd& adapter = Adapt(window);
  TMessageLog::Current().Messages.clear();
  Mouse(TSyntheticMouse::Press, OnBar(adapter, SB_VERT, 5));
  Advance(410);
  EXPECT_EQ(CountOf(WM_VSCROLL, SB_LINEUP), 3u);
  Mouse(TSyntheticMouse::Release, OnBar(adapter, SB_VERT, 5));
}

}  // namespace
