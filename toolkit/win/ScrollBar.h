#pragma once
// The standard scroll bars of a window (WS_HSCROLL, WS_VSCROLL): their
// range, page, position and track position. DefWindowProc draws them in the
// non-client area and turns clicks on them into WM_HSCROLL / WM_VSCROLL.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

constexpr UINT SIF_RANGE = 0x01;
constexpr UINT SIF_PAGE = 0x02;
constexpr UINT SIF_POS = 0x04;
constexpr UINT SIF_DISABLENOSCROLL = 0x08;
constexpr UINT SIF_TRACKPOS = 0x10;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_LTUP = 1;
constexpr UINT ESB_DISABLE_RTDN = 2;
constexpr UINT ESB_DISABLE_BOTH = 3;
constexpr int OBJID_VSCROLL = -5;
constexpr int OBJID_HSCROLL = -6;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x0001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x0008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x8000;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// rgstate[0] is the bar as a whole; 1 the first arrow, 2 the page area
// before the thumb, 3 the thumb, 4 the page area after it, 5 the second arrow.
struct SCROLLBARINFO {
  TRect rcScrollBar;  // screen coordinates
  int dxyLineButton = 0;
  int xyThumbTop = 0;  // relative to the bar's top (left)
  int xyThumbBottom = 0;
  DWORD rgstate[6] = {};
};

// Answers the new position; the position is kept within nMin..nMax - nPage + 1.
int SetScrollInfo(HWND window, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND window, int bar, SCROLLINFO& info);
int SetScrollPos(HWND window, int bar, int position, bool redraw);
int GetScrollPos(HWND window, int bar);
bool SetScrollRange(HWND window, int bar, int minimum, int maximum, bool redraw);
bool ShowScrollBar(HWND window, int bar, bool show);
bool EnableScrollBar(HWND window, UINT bar, UINT arrows);
bool GetScrollBarInfo(HWND window, int objectId, SCROLLBARINFO& info);

// Flat scroll bars: the window is marked, and unmarked again, and nothing
// else changes (the standard bars have no flat look). False for a window
// that no longer exists.
bool InitializeFlatSB(HWND window);
bool UninitializeFlatSB(HWND window);
bool FlatSBInitialized(HWND window);

// Ends the operation of a scroll bar with the mouse, if one is going on
// (ResetToolkitState).
void ResetScrollBarTracking();
