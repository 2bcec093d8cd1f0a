#pragma once
// What the mouse does with the emulated scroll bars: one mouse and one
// capture, so one state shared by every scroll-bar adapter. Only the bars
// of CurrentWindow are drawn hot or pressed.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

// Timer identifiers on the adapted window: the hover check, the first
// delay of a held arrow or track, and its repeat.
constexpr UINT_PTR HoverTimerId = 0xFFF2;
constexpr UINT_PTR FirstDelayTimerId = 0xFFFD;
constexpr UINT_PTR RepeatTimerId = 0xFFFE;
constexpr UINT HoverInterval = 20;
constexpr UINT FirstDelay = 300;
constexpr UINT RepeatInterval = 55;

struct TScrollTracking {
  HWND CurrentWindow = nullptr;  // the window the mouse last moved over or pressed a bar of
  int HotBarKind = -1;           // SB_HORZ or SB_VERT under the mouse, -1 none
  int HotPart = -1;
  int LastHotPart = -1;
  TRect HotBarRect;              // screen coordinates
  UINT_PTR HoverTimer = 0;
  int PressedBarKind = -1;
  int PressedPart = -1;
  int DrawnPressedPart = -1;     // -1 while the mouse is off the pressed part
  UINT_PTR RepeatTimer = 0;
  UINT ScrollMsg = 0;            // WM_HSCROLL or WM_VSCROLL of the pressed bar
  TRect TrackRect;               // screen rectangle of the bar whose thumb is dragged
  int ThumbSizeAtPress = 0;
  int ThumbStartAtPress = 0;
  int ThumbGrabOffset = 0;       // the mouse along the bar less the thumb's start, at the press
  int LastTrackPos = 0;          // the last position sent with SB_THUMBTRACK
};

extern TScrollTracking ScrollTracking;

// Back to nothing hot and nothing pressed.
void ResetScrollTracking();

// Whether window is the one whose bars may look hot or pressed.
inline bool IsTrackedWindow(HWND window) { return window && ScrollTracking.CurrentWindow == window; }
