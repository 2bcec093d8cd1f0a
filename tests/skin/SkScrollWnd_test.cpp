#include "skin/adapters/SkScrollWnd.h"

#include <gtest/gtest.h>

#include "tests/skin/ScrollAdapterFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/win/Input.h"

namespace {

using ScrollAdapterTest = ScrollAdapterFixture;

// A 200 x 150 window at screen (100, 100) with a client edge, adapted.
struct FrameCase {
  DWORD Bars;
  DWORD ExStyle;
  TRect Horizontal;  // screen; empty across: none
  TRect Vertical;
  TRect Client;      // window coordinates
};

TEST_F(ScrollAdapterTest, TheAdapterReservesTheBarsInsideTheFrame) {
  const FrameCase cases[] = {
      {WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, {102, 231, 281, 248}, {281, 102, 298, 231}, {2, 2, 181, 131}},
      {WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR, {119, 231, 298, 248}, {102, 102, 119, 231},
       {19, 2, 198, 131}},
      {0, WS_EX_CLIENTEDGE, {102, 248, 298, 248}, {298, 102, 298, 248}, {2, 2, 198, 148}},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << std::hex << c.Bars << ", extended " << c.ExStyle);
    const HWND window = RawWindow(Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE | c.Bars, c.ExStyle);
    TSkScrollWnd& adapter = Adapt(window);
    EXPECT_EQ(HorzBarRect(adapter, WindowRectOf(window)), c.Horizontal);
    EXPECT_EQ(VertBarRect(adapter, WindowRectOf(window)), c.Vertical);
    TPoint origin{0, 0};
    ClientToScreen(window, origin);
    TRect client;
    GetClientRect(window, client);
    OffsetRect(client, origin.X - 100, origin.Y - 100);
    EXPECT_EQ(client, c.Client);
    EXPECT_EQ(AdapterOf(window), &adapter);
    EXPECT_EQ(GetScrollBarOf(window, SB_HORZ), &adapter.HorzBar);
    EXPECT_EQ(GetScrollBarOf(window, SB_VERT), &adapter.VertBar);
    EXPECT_EQ(GetScrollBarOf(window, SB_BOTH), nullptr);
  }
}

TEST_F(ScrollAdapterTest, TheAdaptersOwnStyleChangeNeverReachesTheWindow) {
  const HWND window = ChildWindow(Bounds(10, 10, 200, 150), WS_HSCROLL | WS_VSCROLL);
  TSkScrollWnd& adapter = Adapt(window);
  EXPECT_GT(TMessageLog::Current().Count(WM_NCCALCSIZE), 0u);
  EXPECT_EQ(TMessageLog::Current().Count(WM_STYLECHANGED), 0u);
  EXPECT_EQ(GetWindowLongPtr(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), LONG_PTR(WS_HSCROLL | WS_VSCROLL));

  SetWindowLongPtr(window, GWL_EXSTYLE, WS_EX_LEFTSCROLLBAR);
  EXPECT_TRUE(adapter.LeftScrollBar) << "a change from outside is followed";
  EXPECT_EQ(TMessageLog::Current().Count(WM_STYLECHANGED), 1u) << "and reaches the window";
}

TEST_F(ScrollAdapterTest, MinimumThumbSizesAreSetPerBarOrForBoth) {
  const HWND window = ChildWindow(Bounds(10, 10, 200, 150), WS_HSCROLL | WS_VSCROLL);
  TSkScrollWnd& adapter = Adapt(window);
  EXPECT_EQ(adapter.HorzBar.MinThumbSize, 10);
  EXPECT_TRUE(SetMinThumbSize(window, SB_VERT, 30));
  EXPECT_EQ(adapter.HorzBar.MinThumbSize, 10);
  EXPECT_EQ(adapter.VertBar.MinThumbSize, 30);
  EXPECT_TRUE(SetMinThumbSize(window, SB_BOTH, 12));
  EXPECT_EQ(adapter.HorzBar.MinThumbSize, 12);
  EXPECT_EQ(adapter.VertBar.MinThumbSize, 12);
  EXPECT_FALSE(SetMinThumbSize(form->Handle(), SB_BOTH, 12)) << "no adapter there";
}

TEST_F(ScrollAdapterTest, AnInactiveBarAnswersNowhereAndCannotBePressed) {
  const HWND window = ChildWindow(Bounds(10, 10, 200, 150), WS_VSCROLL);
  SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& adapter = Adapt(window);
  const TPoint arrow = OnBar(adapter, SB_VERT, 5);
  const LPARAM at = MAKELPARAM(arrow.X, arrow.Y);
  EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, at), HTVSCROLL);
  EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH);
  EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, at), HTNOWHERE);
  SendMessage(window, WM_NCLBUTTONDOWN, HTVSCROLL, at);
  EXPECT_TRUE(Scrolls(WM_VSCROLL).empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ScrollTracking.PressedPart, spNone);
}

TEST_F(ScrollAdapterTest, RightAndMiddleClicksOnABarDoNothingADoubleClickPresses) {
  const HWND window = ChildWindow(Bounds(10, 10, 200, 150), WS_VSCROLL);
  SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& adapter = Adapt(window);
  const TPoint arrow = OnBar(adapter, SB_VERT, 145);
  const LPARAM at = MAKELPARAM(arrow.X, arrow.Y);
  TMessageLog::Current().Messages.clear();
  for (UINT click : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP})
    SendMessage(window, click, HTVSCROLL, at);
  for (UINT click : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP})
    EXPECT_EQ(TMessageLog::Current().Count(click), 0u) << "message " << click;
  EXPECT_TRUE(Scrolls(WM_VSCROLL).empty());

  SendMessage(window, WM_NCLBUTTONDBLCLK, HTVSCROLL, at);
  ASSERT_EQ(Scrolls(WM_VSCROLL), (std::vector<TScroll>{{SB_LINEDOWN, 0, 0}}));
  EXPECT_EQ(GetCapture(), window);
  SendMessage(window, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Scrolls(WM_VSCROLL).back(), (TScroll{SB_ENDSCROLL, 0, 0}));
  EXPECT_EQ(GetCapture(), nullptr);
}

// The thumb of a 200-long bar: track 166, thumb 17 for a page of 10.
struct DragCase {
  WORD Kind;
  int nMin, nMax;
  int Along;      // where the drag ends, from the thumb's start at the press
  int LastPosition;
};

TEST_F(ScrollAdapterTest, ADraggedThumbSendsEachNewPositionThenItsLastOne) {
  const DragCase cases[] = {
      {SB_VERT, 0, 99, 200, 90},
      {SB_HORZ, 10, 109, 200, 100},
      {SB_VERT, 0, 99, 75, 45},
      {SB_HORZ, 0, 99, -50, 0},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.Kind << ", range " << c.nMin << ".." << c.nMax << ", to "
                                    << c.Along);
    const HWND window = ChildWindow(c.Kind == SB_VERT ? Bounds(10, 10, 100, 200) : Bounds(10, 10, 200, 100),
                                    c.Kind == SB_VERT ? WS_VSCROLL : WS_HSCROLL);
    SetBar(window, c.Kind, c.nMin, c.nMax, 10, c.nMin);
    TSkScrollWnd& adapter = Adapt(window);
    const UINT scrollMsg = c.Kind == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    TMessageLog::Current().Messages.clear();
    const TPoint thumb = OnBar(adapter, c.Kind, 17 + 8);
    SendMessage(window, WM_NCLBUTTONDOWN, c.Kind == SB_VERT ? HTVSCROLL : HTHSCROLL, MAKELPARAM(thumb.X, thumb.Y));
    EXPECT_TRUE(adapter.ThumbTracking);
    for (int step = 1; step <= 20; ++step) {
      TPoint to = thumb;
      (c.Kind == SB_VERT ? to.Y : to.X) += c.Along * step / 20;
      ScreenToClient(window, to);
      SendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
    }
    SendMessage(window, WM_LBUTTONUP, 0, 0);
    const std::vector<TScroll> scrolls = Scrolls(scrollMsg);
    ASSERT_GE(scrolls.size(), 2u);
    int previous = c.nMin;
    for (size_t i = 0; i + 2 < scrolls.size(); ++i) {
      EXPECT_EQ(scrolls[i].Code, SB_THUMBTRACK);
      EXPECT_NE(scrolls[i].Position, previous) << "a track message only for a new position";
      previous = scrolls[i].Position;
    }
    EXPECT_EQ(scrolls[scrolls.size() - 2], (TScroll{SB_THUMBPOSITION, c.LastPosition, 0}));
    EXPECT_EQ(scrolls.back(), (TScroll{SB_ENDSCROLL, c.LastPosition, 0}));
    EXPECT_FALSE(adapter.ThumbTracking);
    EXPECT_EQ(GetScrollPos(window, c.Kind), c.LastPosition) << "the positions went through the scroll information";
  }
}

TEST_F(ScrollAdapterTest, AWindowKeepingItsOwnPositionsGetsThemInLParam) {
  const HWND window = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL);
  SetBar(window, SB_VERT, 0, 99, 10, 0);
  TSkScrollWnd& adapter = Adapt(window);
  std::vector<std::pair<UINT, WORD>> order;  // messages and sub-commands in their order
  TMessageLog::Current().Handler = [&order](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_VSCROLL) order.emplace_back(message, 0);
    if (message != SM_SKINCMD) return false;
    const WORD sub = SubCommandOf(wParam);
    if (sub == scBeforeScroll || sub == scAfterScroll) order.emplace_back(message, sub);
    result = sub == scBeforeScroll ? 1 : 0;
    return true;
  };
  TMessageLog::Current().Messages.clear();
  const TPoint thumb = OnBar(adapter, SB_VERT, 25);
  SendMessage(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.X, thumb.Y));
  TPoint to{thumb.X, thumb.Y + 75};
  ScreenToClient(window, to);
  SendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
  SendMessage(window, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Scrolls(WM_VSCROLL), (std::vector<TScroll>{{SB_THUMBTRACK, 45, 45},
                                                      {SB_THUMBPOSITION, 45, 45},
                                                      {SB_ENDSCROLL, 45, 45}}));
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 0) << "its scroll information is its own";
  const std::pair<UINT, WORD> framed[] = {{SM_SKINCMD, scBeforeScroll}, {WM_VSCROLL, 0}, {SM_SKINCMD, scAfterScroll}};
  ASSERT_EQ(order.size(), 9u);
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], framed[i % 3]) << "at " << i;
}

TEST_F(ScrollAdapterTest, WindowsAreGivenBackAtTheirEndWithoutLeakingStubs) {
  const WNDPROC classProcedure = &RecordingWindowProc;
  for (int cycle = 0; cycle < 1000; ++cycle) {
    const HWND window = ChildWindow(Bounds(10, 10, 100, 100), WS_VSCROLL);
    TSkScrollWnd& adapter = Adapt(window);
    ASSERT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWL_WNDPROC)), classProcedure) << "cycle " << cycle;
    DestroyWindow(window);
    EXPECT_TRUE(adapter.Detached);
    adapters.clear();
    windows.clear();
  }
}

TEST_F(ScrollAdapterTest, AWindowRealisedByADesktopWidgetKeepsItsOwnBars) {
  auto* memo = new TMemo(form);
  memo->SetBounds(10, 10, 200, 120);
  memo->SetScrollBars(ssBoth);
  memo->SetParent(form);
  ProcessEverything();
  TRect before;
  GetClientRect(memo->Handle(), before);
  TSkScrollWnd& adapter = Adapt(memo->Handle());
  TRect after;
  GetClientRect(memo->Handle(), after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(adapter.HorzBar.Shown);
  EXPECT_FALSE(adapter.VertBar.Shown);
}

TEST_F(ScrollAdapterTest, UpdatingFollowsTheSkinAndFlatBarsGoTheOtherWay) {
  auto* box = new TScrollBox(form);
  box->SetBounds(10, 10, 200, 150);
  box->SetParent(form);
  TSkinCommonData data(box, false);
  data.SetSkinManager(&manager);
  data.SetSkinSection("PANEL");
  data.ResolveIndexes();
  TSkAdapterPtr<TSkScrollWnd> adapter;
  UpdateScrollAdapter(data, adapter);
  ASSERT_TRUE(adapter);
  EXPECT_EQ(AdapterOf(box->Handle()), adapter.get());
  EXPECT_FALSE(FlatSBInitialized(box->Handle()));
  TSkScrollWnd* first = adapter.get();
  UpdateScrollAdapter(data, adapter);
  EXPECT_EQ(adapter.get(), first) << "kept while it is attached";

  SwitchOff();
  data.ResolveIndexes();
  UpdateScrollAdapter(data, adapter);
  EXPECT_FALSE(adapter);
  EXPECT_EQ(AdapterOf(box->Handle()), nullptr);
  EXPECT_TRUE(FlatSBInitialized(box->Handle()));
}

}  // namespace
