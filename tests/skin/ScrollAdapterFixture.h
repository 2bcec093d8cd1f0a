#pragma once
// The form of SkinnedFormFixture under the test skin, with scroll-bar
// adapters on windows of the recording class (tests/toolkit/
// WindowTestSupport.h) or on controls: arrows and bars 17 pixels long and
// thick, as the skin layer's start-up leaves them, and a fake clock.

#include <vector>

#include "skin/SkinBase.h"
#include "skin/SkinGlobals.h"
#include "skin/adapters/ScrollTracking.h"
#include "skin/adapters/SkScrollWnd.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/ScrollBar.h"

class ScrollAdapterFixture : public SkinnedFormFixture {
protected:
  ScrollAdapterFixture() {
    ResetSkinLayerGlobals();
    ScrollArrowSize = 17;
    WNDCLASS windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &RecordingWindowProc;
    windowClass.lpszClassName = RecordingClass;
    RegisterClass(windowClass);
    TMessageLog::Current() = {};
    SetClock(&clock);
    LoadAndAnnounce();
    ShowForm();
  }
  ~ScrollAdapterFixture() override {
    adapters.clear();
    for (HWND window : windows) DestroyWindow(window);
    TMessageLog::Current() = {};
    SetClock(nullptr);
    ScrollArrowSize = savedArrowSize;
    ResetSkinLayerGlobals();
  }

  // A window of the recording class at bounds of the form's client area
  // (or the screen, without a parent).
  HWND RawWindow(const TRect& bounds, DWORD style, DWORD exStyle = 0, HWND parent = nullptr) {
    const HWND window = CreateWindowEx(exStyle, RecordingClass, "", style, bounds.Left, bounds.Top, bounds.Width(),
                                       bounds.Height(), parent, nullptr, nullptr);
    windows.push_back(window);
    return window;
  }
  HWND ChildWindow(const TRect& bounds, DWORD bars, DWORD exStyle = 0) {
    return RawWindow(bounds, WS_CHILD | WS_VISIBLE | bars, exStyle, form->Handle());
  }

  static void SetBar(HWND window, int kind, int nMin, int nMax, UINT nPage, int nPos) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = nMin;
    info.nMax = nMax;
    info.nPage = nPage;
    info.nPos = nPos;
    SetScrollInfo(window, kind, info, false);
  }

  // A scroll adapter on the window, painting from the test skin's "PANEL".
  TSkScrollWnd& Adapt(HWND window, TSkinCommonData* skinData = nullptr) {
    adapters.push_back(TSkMainWnd::Make<TSkScrollWnd>(window, skinData, &manager, "PANEL", true));
    return *adapters.back();
  }

  static TRect WindowRectOf(HWND window) {
    TRect r;
    GetWindowRect(window, r);
    return r;
  }
  // The bar's rectangle on the screen.
  static TRect ScreenBar(const TSkScrollWnd& adapter, int kind) {
    return *BarRect(adapter, kind, WindowRectOf(adapter.Handle));
  }
  // A screen point of the bar, `along` pixels from its start, in its middle across.
  static TPoint OnBar(const TSkScrollWnd& adapter, int kind, int along) {
    const TRect bar = ScreenBar(adapter, kind);
    return kind == SB_VERT ? TPoint{(bar.Left + bar.Right) / 2, bar.Top + along}
                           : TPoint{bar.Left + along, (bar.Top + bar.Bottom) / 2};
  }

  // The (code, position, lParam) of the scroll messages the window got.
  struct TScroll {
    int Code;
    int Position;
    LPARAM LParam;
    bool operator==(const TScroll&) const = default;
  };
  static std::vector<TScroll> Scrolls(UINT scrollMsg) {
    std::vector<TScroll> result;
    for (const TRecordedMessage& m : TMessageLog::Current().Only(scrollMsg))
      result.push_back({LOWORD(m.WParam), static_cast<int16_t>(HIWORD(m.WParam)), m.LParam});
    return result;
  }
  static size_t CountOf(UINT scrollMsg, int code) {
    size_t count = 0;
    for (const TScroll& s : Scrolls(scrollMsg)) count += s.Code == code;
    return count;
  }

  // The mouse at a screen point, as the desktop delivers it to the form.
  void Mouse(TSyntheticMouse action, TPoint screenPoint) {
    const TRect formRect = WindowRectOf(form->Handle());
    SynthesizeMouse(form->Handle(), {screenPoint.X - formRect.Left, screenPoint.Y - formRect.Top}, action,
                    TInputButton::Left);
    ProcessEverything();
  }
  // Time passes in steps of 5 ms, the messages handled after each.
  void Advance(int milliseconds) {
    for (int passed = 0; passed < milliseconds; passed += 5) {
      clock.Advance(5);
      ProcessEverything();
    }
  }

  TFakeClock clock;
  std::vector<TSkAdapterPtr<TSkScrollWnd>> adapters;
  std::vector<HWND> windows;

private:
  int savedArrowSize = ScrollArrowSize;
};
