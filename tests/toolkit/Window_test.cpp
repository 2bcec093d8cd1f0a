#include "toolkit/win/Window.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/win/Caret.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/WindowRegion.h"

namespace {

// Subclass procedures that tag the messages they pass on.
std::vector<std::string> Passed;
WNDPROC SavedByA = nullptr;
WNDPROC SavedByB = nullptr;

LRESULT SubclassA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) Passed.push_back("A");
  return CallWindowProc(SavedByA, window, message, wParam, lParam);
}

LRESULT SubclassB(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) Passed.push_back("B");
  return CallWindowProc(SavedByB, window, message, wParam, lParam);
}

WNDPROC Install(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

WNDPROC CurrentProcedure(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWL_WNDPROC)); }

using WindowCore = WindowTest;

TEST_F(WindowCore, SubclassesRemovedInEitherOrderLeaveNoDanglingProcedure) {
  for (const bool firstInstalledLeavesFirst : {false, true}) {
    const HWND window = Create(WS_OVERLAPPED, Bounds(0, 0, 50, 50));
    SavedByA = Install(window, &SubclassA);
    SavedByB = Install(window, &SubclassB);
    Passed.clear();
    SendMessage(window, WM_USER, 0, 0);
    EXPECT_EQ(Passed, (std::vector<std::string>{"B", "A"}));

    if (firstInstalledLeavesFirst) {
      Install(window, SavedByA);  // A leaves while B still sits on top of it
      Passed.clear();
      SendMessage(window, WM_USER, 0, 0);
      EXPECT_EQ(Passed, std::vector<std::string>{"B"}) << "B passes on past the removed A";
      Install(window, SavedByB);
    } else {
      Install(window, SavedByB);
      Install(window, SavedByA);
    }
    EXPECT_EQ(CurrentProcedure(window), &RecordingWindowProc) << "the class procedure is back";
    Passed.clear();
    TMessageLog::Current().Messages.clear();
    SendMessage(window, WM_USER, 0, 0);
    EXPECT_TRUE(Passed.empty());
    EXPECT_EQ(TMessageLog::Current().Count(WM_USER), 1u);
  }
}

TEST_F(WindowCore, ObjectInstanceCallsItsMethodAndUtilityWindowsTakeMessages) {
  std::vector<UINT> received;
  const HWND utility = AllocateHWnd([&received](TMessage& message) {
    received.push_back(message.Msg);
    message.Result = 42;
  });
  ASSERT_TRUE(IsWindow(utility));
  EXPECT_EQ(SendMessage(utility, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(received.back(), WM_USER + 1u);
  DeallocateHWnd(utility);
  EXPECT_FALSE(IsWindow(utility));
}

TEST_F(WindowCore, PropertiesAreFoundFromTheHandleAndGoWithTheWindow) {
  const HWND window = Create(WS_OVERLAPPED, Bounds(0, 0, 50, 50));
  int adapter = 0;
  EXPECT_TRUE(SetProp(window, "SKSBSC", &adapter));
  EXPECT_EQ(GetProp(window, "sksbsc"), &adapter) << "names ignore case";
  EXPECT_EQ(RemoveProp(window, "SKSBSC"), &adapter);
  EXPECT_EQ(GetProp(window, "SKSBSC"), nullptr);

  SetProp(window, "SKSBSC", &adapter);
  DestroyWindow(window);
  EXPECT_EQ(GetProp(window, "SKSBSC"), nullptr);
  EXPECT_FALSE(SetProp(window, "SKSBSC", &adapter));
}

std::vector<std::pair<HWND, std::string>> HookedCreations;
std::vector<HWND> HookedDestructions;
HHOOK CbtHook = nullptr;
bool RefuseCreation = false;

LRESULT WatchingHook(int code, WPARAM wParam, LPARAM lParam) {
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    HookedCreations.emplace_back(window, reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszClass);
    if (RefuseCreation) return 1;
  }
  if (code == HCBT_DESTROYWND) HookedDestructions.push_back(window);
  return CallNextHookEx(CbtHook, code, wParam, lParam);
}

TEST_F(WindowCore, CreationHookSeesEveryWindowWithItsClassNameAndMayRefuse) {
  HookedCreations.clear();
  HookedDestructions.clear();
  CbtHook = SetWindowsHookEx(WH_CBT, &WatchingHook, nullptr, 0);
  const HWND parent = Create(WS_OVERLAPPED, Bounds(0, 0, 100, 100));
  const HWND child = Create(WS_CHILD, Bounds(0, 0, 10, 10), parent);
  const HWND utility = AllocateHWnd(nullptr);
  ASSERT_EQ(HookedCreations.size(), 3u);
  EXPECT_EQ(HookedCreations[0], std::make_pair(parent, std::string(RecordingClass)));
  EXPECT_EQ(HookedCreations[1], std::make_pair(child, std::string(RecordingClass)));
  EXPECT_EQ(HookedCreations[2], std::make_pair(utility, std::string("TPUtilWindow")));

  RefuseCreation = true;
  EXPECT_EQ(Create(WS_OVERLAPPED, Bounds(0, 0, 10, 10)), nullptr);
  EXPECT_EQ(TMessageLog::Current().Count(WM_NCCREATE), 2u) << "a refused window gets no message";
  RefuseCreation = false;

  DeallocateHWnd(utility);
  EXPECT_EQ(HookedDestructions, std::vector<HWND>{utility});
  UnhookWindowsHookEx(CbtHook);
  Create(WS_OVERLAPPED, Bounds(0, 0, 10, 10));
  EXPECT_EQ(HookedCreations.size(), 4u) << "no calls after unhooking";
}

TEST_F(WindowCore, CreationAndDestructionSendTheirMessagesInOrder) {
  const HWND parent = Create(WS_OVERLAPPED, Bounds(0, 0, 100, 100));
  const HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(5, 5, 20, 20), parent);
  const auto childMessages = TMessageLog::Current().Of(child);
  const std::vector<UINT> creation{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE};
  ASSERT_GE(childMessages.size(), creation.size());
  EXPECT_EQ(std::vector<UINT>(childMessages.begin(), childMessages.begin() + 5), creation);
  EXPECT_EQ(TMessageLog::Current().Only(WM_PARENTNOTIFY).size(), 1u);

  TMessageLog::Current().Messages.clear();
  DestroyWindow(parent);
  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& m : TMessageLog::Current().Messages)
    if (m.Message == WM_DESTROY || m.Message == WM_NCDESTROY) order.emplace_back(m.Window, m.Message);
  const std::vector<std::pair<HWND, UINT>> expected{
      {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowCore, PostedMessageIsFoundByPeekAndDeliveredByTheLoop) {
  const HWND window = Create(WS_OVERLAPPED, Bounds(0, 0, 50, 50));
  PostMessage(window, WM_USER + 7, 1, 2);
  PostMessage(window, WM_USER + 8, 3, 4);
  EXPECT_EQ(TMessageLog::Current().Count(WM_USER + 7), 0u) << "posting does not deliver";

  MSG message;
  ASSERT_TRUE(PeekMessage(message, window, WM_USER + 8, WM_USER + 8, PM_NOREMOVE));
  EXPECT_EQ(message.wParam, 3u) << "the range filter skips the first message";
  ASSERT_TRUE(PeekMessage(message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_USER + 7u);

  Pump();
  const auto delivered = TMessageLog::Current().Only(WM_USER + 7);
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered[0].LParam, 2);
  EXPECT_EQ(TMessageLog::Current().Count(WM_USER + 8), 1u);
  EXPECT_FALSE(PeekMessage(message, nullptr, WM_USER, WM_USER + 100, PM_NOREMOVE));

  PostMessage(window, WM_USER + 9, 0, 0);
  DestroyWindow(window);
  Pump();
  EXPECT_EQ(TMessageLog::Current().Count(WM_USER + 9), 0u) << "a message to a destroyed window is dropped";

  PostQuitMessage(3);
  EXPECT_FALSE(GetMessage(message, nullptr, 0, 0));
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(WindowCore, SendMessageFromAnotherThreadWaitsForTheWindowThread) {
  const HWND window = Create(WS_OVERLAPPED, Bounds(0, 0, 50, 50));
  TMessageLog::Current().Handler = [](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_USER) return false;
    result = static_cast<LRESULT>(wParam * 2);
    return true;
  };
  LRESULT answer = 0;
  std::thread worker([&] { answer = SendMessage(window, WM_USER, 21, 0); });
  MSG message;
  while (TMessageLog::Current().Count(WM_USER) == 0) {
    WaitMessage();
    PeekMessage(message, nullptr, 0, 0, PM_NOREMOVE);
  }
  worker.join();
  EXPECT_EQ(answer, 42);
}

TEST_F(WindowCore, TimerFiresWhenItsIntervalHasPassedAndRearms) {
  const HWND window = Create(WS_OVERLAPPED, Bounds(0, 0, 50, 50));
  SetTimer(window, 5, 100, nullptr);
  const auto fired = [] { return TMessageLog::Current().Count(WM_TIMER); };

  clock.Advance(99);
  Pump();
  EXPECT_EQ(fired(), 0u);
  clock.Advance(1);
  Pump();
  ASSERT_EQ(fired(), 1u);
  EXPECT_EQ(TMessageLog::Current().Only(WM_TIMER)[0].WParam, 5u);
  clock.Advance(99);
  Pump();
  EXPECT_EQ(fired(), 1u) << "re-armed from its delivery";
  clock.Advance(1);
  Pump();
  EXPECT_EQ(fired(), 2u);
  clock.Advance(1000);
  Pump();
  EXPECT_EQ(fired(), 3u) << "a late timer is delivered once";

  KillTimer(window, 5);
  clock.Advance(1000);
  Pump();
  EXPECT_EQ(fired(), 3u);
}

TEST_F(WindowCore, TimerWithProcedureCallsItInsteadOfTheWindow) {
  static int calls = 0;
  calls = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
  clock.Advance(USER_TIMER_MINIMUM - 1);
  Pump();
  EXPECT_EQ(calls, 0) << "intervals are at least the minimum";
  clock.Advance(1);
  Pump();
  EXPECT_EQ(calls, 1);
  KillTimer(nullptr, id);
}

struct TClientCase {
  const char* Name;
  DWORD Style;
  DWORD ExStyle;
  TRect Client;  // in window coordinates, for a 100 x 80 child window
};

TEST_F(WindowCore, NonClientSizeFollowsBordersAndScrollBars) {
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const TClientCase cases[] = {
      {"plain", 0, 0, {0, 0, 100, 80}},
      {"border", WS_BORDER, 0, {1, 1, 99, 79}},
      {"border and both bars", WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, {1, 1, 99 - bar, 79 - bar}},
      {"client edge and vertical bar", WS_VSCROLL, WS_EX_CLIENTEDGE, {2, 2, 98 - bar, 78}},
      {"bar on the left", WS_VSCROLL, WS_EX_LEFTSCROLLBAR, {bar, 0, 100, 80}},
      {"thick frame", WS_THICKFRAME, 0, {4, 4, 96, 76}},
  };
  const HWND parent = Create(WS_OVERLAPPED, Bounds(0, 0, 300, 300));
  for (const auto& c : cases) {
    const HWND child = Create(WS_CHILD | c.Style, Bounds(10, 20, 100, 80), parent, c.ExStyle);
    TPoint origin{0, 0};
    ClientToScreen(child, origin);
    TRect window;
    GetWindowRect(child, window);
    TRect client;
    GetClientRect(child, client);
    OffsetRect(client, origin.X - window.Left, origin.Y - window.Top);
    EXPECT_EQ(client, c.Client) << c.Name;
  }
}

TEST_F(WindowCore, CoordinatesMapThroughParentsAndClientOrigins) {
  const HWND top = Create(WS_OVERLAPPED, Bounds(100, 50, 300, 200));
  const HWND child = Create(WS_CHILD | WS_BORDER | WS_VISIBLE, Bounds(10, 20, 100, 80), top);
  TPoint point{0, 0};
  ClientToScreen(child, point);
  EXPECT_EQ(point, (TPoint{111, 71}));
  ScreenToClient(top, point);
  EXPECT_EQ(point, (TPoint{11, 21}));
  ShowWindow(top, SW_SHOW);
  EXPECT_EQ(WindowFromPoint({111, 71}), child);
  EXPECT_EQ(WindowFromPoint({110, 70}), child) << "the child's border belongs to the child";
  EXPECT_EQ(WindowFromPoint({105, 55}), top);
  EnableWindow(child, false);
  EXPECT_EQ(WindowFromPoint({111, 71}), top) << "a disabled child is passed over";
}

TEST_F(WindowCore, ActivationBringsAWindowInFrontWithTheWindowsItOwns) {
  const HWND back = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 300, 200));
  const HWND owned = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(50, 50, 100, 100), back);
  const HWND front = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 300, 200));
  EXPECT_EQ(WindowFromPoint({10, 10}), front);
  SetActiveWindow(back);
  EXPECT_EQ(WindowFromPoint({10, 10}), back) << "the mouse reaches the window activated last";
  EXPECT_EQ(WindowFromPoint({60, 60}), owned) << "its own windows stay in front of it";
  SetActiveWindow(front);
  EXPECT_EQ(WindowFromPoint({60, 60}), front);
}

TEST_F(WindowCore, AWindowsRegionShapesItForTheMouse) {
  const HWND top = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(100, 50, 300, 200));
  const HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(10, 20, 100, 80), top);
  const HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(top, copy), RGN_ERROR) << "no shape yet";
  EXPECT_NE(SetWindowRgn(top, CreateRectRgn(0, 0, 150, 100), true), 0);
  EXPECT_EQ(GetWindowRgn(top, copy), SIMPLEREGION);
  EXPECT_EQ(copy->Region, TRegion(Rect(0, 0, 150, 100)));
  EXPECT_EQ(WindowFromPoint({105, 55}), top);
  EXPECT_EQ(WindowFromPoint({350, 200}), nullptr) << "outside the shape the window is not there";
  SetWindowRgn(child, CreateRectRgn(0, 0, 5, 5), false);
  EXPECT_EQ(WindowFromPoint({111, 71}), child);
  EXPECT_EQ(WindowFromPoint({150, 100}), top) << "the child's rectangle outside its shape is the parent's";
  SetWindowRgn(top, nullptr, false);
  EXPECT_EQ(WindowFromPoint({350, 200}), top) << "the whole rectangle again";
  EXPECT_EQ(SetWindowRgn(nullptr, nullptr, false), 0);
  DeleteObject(copy);
}

TEST_F(WindowCore, FocusMovesWithKillAndSetFocusAndActivatesTheTopLevelWindow) {
  const HWND top = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 300, 200));
  const HWND first = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 10, 10), top);
  const HWND second = Create(WS_CHILD | WS_VISIBLE, Bounds(20, 0, 10, 10), top);
  EXPECT_EQ(GetActiveWindow(), top);
  SetFocus(first);
  TMessageLog::Current().Messages.clear();
  EXPECT_EQ(SetFocus(second), first);
  const auto kill = TMessageLog::Current().Only(WM_KILLFOCUS);
  const auto set = TMessageLog::Current().Only(WM_SETFOCUS);
  ASSERT_EQ(kill.size(), 1u);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(kill[0].Window, first);
  EXPECT_EQ(reinterpret_cast<HWND>(kill[0].WParam), second);
  EXPECT_EQ(set[0].Window, second);
  DestroyWindow(second);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowCore, CaretShowsAfterAsManyShowsAsHidesAndBlinks) {
  const HWND window = Create(WS_OVERLAPPED | WS_VISIBLE | WS_BORDER, Bounds(0, 0, 100, 80));
  ASSERT_TRUE(CreateCaret(window, nullptr, 2, 14));
  SetCaretPos(10, 20);
  TRect rect;
  EXPECT_FALSE(VisibleCaretRect(window, rect)) << "a new caret is hidden";
  ShowCaret(window);
  ASSERT_TRUE(VisibleCaretRect(window, rect));
  EXPECT_EQ(rect, Bounds(11, 21, 2, 14)) << "window coordinates: the border comes first";
  HideCaret(window);
  HideCaret(window);
  ShowCaret(window);
  EXPECT_FALSE(VisibleCaretRect(window, rect));
  ShowCaret(window);
  EXPECT_TRUE(VisibleCaretRect(window, rect));
  clock.Advance(GetCaretBlinkTime());
  Pump();
  EXPECT_FALSE(VisibleCaretRect(window, rect)) << "blinked off";
  SetCaretPos(30, 20);
  EXPECT_TRUE(VisibleCaretRect(window, rect)) << "a moved caret shows at once";
  DestroyWindow(window);
  TPoint position;
  EXPECT_FALSE(GetCaretPos(position)) << "the caret goes with its window";
}

TEST_F(WindowCore, DeferredPlacementsApplyTogetherAndMessageNamesKeepTheirNumbers) {
  const HWND parent = Create(WS_OVERLAPPED, Bounds(0, 0, 200, 200));
  const HWND first = Create(WS_CHILD, Bounds(0, 0, 10, 10), parent);
  const HWND second = Create(WS_CHILD, Bounds(0, 20, 10, 10), parent);
  HDWP batch = BeginDeferWindowPos(2);
  batch = DeferWindowPos(batch, first, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  batch = DeferWindowPos(batch, second, nullptr, 5, 25, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  TRect bounds;
  GetWindowRect(first, bounds);
  EXPECT_EQ(bounds.TopLeft(), (TPoint{0, 0})) << "nothing moves before the batch ends";
  EXPECT_TRUE(EndDeferWindowPos(batch));
  GetWindowRect(second, bounds);
  EXPECT_EQ(bounds.TopLeft(), (TPoint{5, 25}));

  const UINT skinCommand = RegisterWindowMessage("SM_SKINCMD");
  EXPECT_GE(skinCommand, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("sm_skincmd"), skinCommand);
  EXPECT_NE(RegisterWindowMessage("another"), skinCommand);
}

}  // namespace
