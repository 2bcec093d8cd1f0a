#include "toolkit/win/ScrollBar.h"

#include <climits>

#include <gtest/gtest.h>

#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// A 200 x 117 window whose vertical bar runs over its whole height: arrows
// of 17 pixels leave a track of 83 pixels.
class ScrollBarTest : public WindowTest {
protected:
  ScrollBarTest() {
    window = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 300, 300));
    child = Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, Bounds(0, 0, 200, 117), window);
    SetRange(0, 99, 10, 0);
    TMessageLog::Current().Messages.clear();
  }

  void SetRange(int minimum, int maximum, UINT page, int position) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    SetScrollInfo(child, SB_VERT, info, true);
  }

  // A point on the bar at the given distance from its top, in screen coordinates.
  TPoint OnBar(int y) const {
    TRect bounds;
    GetWindowRect(child, bounds);
    return {bounds.Right - GetSystemMetrics(SM_CXVSCROLL) / 2, bounds.Top + y};
  }

  void Press(TPoint at) { InjectMouseButton(at, TInputButton::Left, true, false, {}); }
  void Release(TPoint at) { InjectMouseButton(at, TInputButton::Left, false, false, {}); }

  // The (code, position) pairs of the WM_VSCROLL messages so far.
  std::vector<std::pair<int, int>> Scrolls() const {
    std::vector<std::pair<int, int>> result;
    for (const auto& m : TMessageLog::Current().Only(WM_VSCROLL))
      result.emplace_back(LOWORD(m.WParam), static_cast<int16_t>(HIWORD(m.WParam)));
    return result;
  }

  HWND window;
  HWND child;
};

TEST_F(ScrollBarTest, HitTestFindsTheBarAndThePositionIsKeptInRange) {
  EXPECT_EQ(SendMessage(child, WM_NCHITTEST, 0, MAKELPARAM(OnBar(50).X, OnBar(50).Y)), HTVSCROLL);
  SetRange(0, 99, 10, 500);
  EXPECT_EQ(GetScrollPos(child, SB_VERT), 90) << "the last position shows the last page";
  SetRange(0, 99, 10, -5);
  EXPECT_EQ(GetScrollPos(child, SB_VERT), 0);
}

TEST_F(ScrollBarTest, RangesMayTakeInEveryInt) {
  for (const int minimum : {0, INT_MIN}) {
    SetRange(minimum, INT_MAX, 10, INT_MAX);
    SCROLLINFO info;
    info.fMask = SIF_PAGE | SIF_POS;
    GetScrollInfo(child, SB_VERT, info);
    EXPECT_EQ(info.nPage, 10u) << "from " << minimum;
    EXPECT_EQ(info.nPos, INT_MAX - 9) << "from " << minimum;
    SCROLLBARINFO bar;
    GetScrollBarInfo(child, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.xyThumbBottom, 117 - 17) << "the thumb at the end of the track, from " << minimum;
  }
}

TEST_F(ScrollBarTest, ClicksOnArrowsAndTrackSendTheirRequests) {
  struct TCase {
    int Y;
    int Code;
  };
  // Thumb: 10/100 of the 83-pixel track, at position 0 just below the top arrow.
  for (const TCase& c : {TCase{5, SB_LINEUP}, TCase{110, SB_LINEDOWN}, TCase{80, SB_PAGEDOWN}}) {
    TMessageLog::Current().Messages.clear();
    Press(OnBar(c.Y));
    Release(OnBar(c.Y));
    EXPECT_EQ(Scrolls(), (std::vector<std::pair<int, int>>{{c.Code, 0}, {SB_ENDSCROLL, 0}})) << "at " << c.Y;
  }
  SetRange(0, 99, 10, 90);
  TMessageLog::Current().Messages.clear();
  Press(OnBar(20));
  Release(OnBar(20));
  EXPECT_EQ(Scrolls().front().first, SB_PAGEUP);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsWhileTheMouseStaysOnIt) {
  Press(OnBar(110));
  EXPECT_EQ(Scrolls().size(), 1u) << "one request at once";
  clock.Advance(299);
  Pump();
  EXPECT_EQ(Scrolls().size(), 1u);
  clock.Advance(1);
  Pump();
  EXPECT_EQ(Scrolls().size(), 2u) << "the first repeat after 300 ms";
  clock.Advance(55);
  Pump();
  EXPECT_EQ(Scrolls().size(), 3u) << "then every 55 ms";
  InjectMouseMove(OnBar(50), {});
  clock.Advance(55);
  Pump();
  EXPECT_EQ(Scrolls().size(), 3u) << "no repeat while the mouse is off the arrow";
  Release(OnBar(50));
  EXPECT_EQ(Scrolls().back().first, SB_ENDSCROLL);
  clock.Advance(1000);
  Pump();
  EXPECT_EQ(Scrolls().back().first, SB_ENDSCROLL) << "the repeat stops with the release";
}

// The request at once and the first repeat both come from the tracking itself.
TEST_F(ScrollBarTest, WindowMayCancelTheTrackingWhileItScrolls) {
  for (const size_t cancelAt : {1u, 2u}) {
    TMessageLog::Current().Messages.clear();
    TMessageLog::Current().Handler = [cancelAt](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
      if (message == WM_VSCROLL && TMessageLog::Current().Count(WM_VSCROLL) == cancelAt)
        SendMessage(window, WM_CANCELMODE, 0, 0);
      return false;
    };
    Press(OnBar(110));
    clock.Advance(1000);
    Pump();
    Release(OnBar(110));
    EXPECT_EQ(Scrolls().size(), cancelAt) << "no repeat after the cancel";
    EXPECT_EQ(TMessageLog::Current().Count(WM_NCLBUTTONUP), 1u) << "the release is the window's again";
  }
}

TEST_F(ScrollBarTest, ThumbTrackingReportsPositionsThenTheFinalOne) {
  // Thumb of 8 pixels (83 * 10 / 100) at the track's top (y 17..25); one
  // pixel of thumb travel is 90 / 75 positions.
  Press(OnBar(20));
  EXPECT_TRUE(Scrolls().empty()) << "pressing the thumb does not scroll";
  InjectMouseMove(OnBar(20 + 25), {});
  InjectMouseMove(OnBar(20 + 25), {});
  InjectMouseMove(OnBar(20 + 200), {});
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS | SIF_POS;
  GetScrollInfo(child, SB_VERT, info);
  EXPECT_EQ(info.nTrackPos, 90) << "dragged past the end";
  EXPECT_EQ(info.nPos, 0) << "the position is the window's to set";
  Release(OnBar(20 + 200));
  const std::vector<std::pair<int, int>> expected{
      {SB_THUMBTRACK, 30}, {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}};
  EXPECT_EQ(Scrolls(), expected);
}

TEST_F(ScrollBarTest, PressWhileTrackingStartsAFreshTracking) {
  Press(OnBar(20));
  SendMessage(child, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(OnBar(20).X, OnBar(20).Y));
  InjectMouseMove(OnBar(20 + 25), {});
  SetScrollPos(child, SB_VERT, 0, true);
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(child, SB_VERT, info);
  EXPECT_EQ(info.nTrackPos, 30) << "the second thumb tracking keeps its own position";
}

TEST_F(ScrollBarTest, BarHidesWhenEverythingFitsUnlessAskedToStayDisabled) {
  TRect client;
  GetClientRect(child, client);
  EXPECT_EQ(client.Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));
  SetRange(0, 9, 10, 0);
  EXPECT_FALSE(GetWindowLongPtr(child, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(child, client);
  EXPECT_EQ(client.Width(), 200) << "the client area takes the bar's place";

  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMax = 9;
  info.nPage = 10;
  SetScrollInfo(child, SB_VERT, info, true);
  EXPECT_TRUE(GetWindowLongPtr(child, GWL_STYLE) & WS_VSCROLL);
  SCROLLBARINFO state;
  GetScrollBarInfo(child, OBJID_VSCROLL, state);
  EXPECT_TRUE(state.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  TMessageLog::Current().Messages.clear();
  Press(OnBar(5));
  Release(OnBar(5));
  EXPECT_TRUE(Scrolls().empty()) << "a disabled bar cannot be operated";
}

TEST_F(ScrollBarTest, FlatScrollBarsAreAFlagOnTheWindowOnly) {
  TRect clientBefore;
  GetClientRect(child, clientBefore);
  EXPECT_FALSE(FlatSBInitialized(child));
  EXPECT_TRUE(InitializeFlatSB(child));
  EXPECT_TRUE(FlatSBInitialized(child));
  EXPECT_FALSE(FlatSBInitialized(window)) << "the flag is the window's own";
  TRect client;
  GetClientRect(child, client);
  EXPECT_EQ(client, clientBefore);
  EXPECT_EQ(SendMessage(child, WM_NCHITTEST, 0, MAKELPARAM(OnBar(50).X, OnBar(50).Y)), HTVSCROLL);
  EXPECT_TRUE(UninitializeFlatSB(child));
  EXPECT_FALSE(FlatSBInitialized(child));
  DestroyWindow(child);
  EXPECT_FALSE(InitializeFlatSB(child));
  EXPECT_FALSE(UninitializeFlatSB(child));
}

}  // namespace
