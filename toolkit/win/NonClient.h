#pragma once
// The standard non-client area, shared by DefWindowProc and the scroll
// bars: borders from the styles, then the scroll bars inside them. A
// top-level window with a caption is framed by the desktop, so its caption
// and frame take no space here, unless it has a frame of its own: then the
// caption and its buttons lie inside the borders, above the menu bar.

#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/WindowRecord.h"

struct TFrameLayout {
  TRect Inner;  // inside the borders and edges, window coordinates
  bool HorzShown = false;
  bool VertShown = false;
  TRect HorzBar;
  TRect VertBar;
  TRect SizeBox;
  TRect Caption;  // the caption of a window with its own frame
  TRect CloseButton;  // caption buttons its styles allow (empty: none)
  TRect MaxButton;
  TRect MinButton;
  TRect MenuBar;  // the menu bar of a top-level window with a menu
  TRect Client;  // the client rectangle DefWindowProc proposes, window coordinates
};

TFrameLayout FrameLayout(const TWindowRecord& record);

// Non-client painting into a DC whose origin is the window's top-left.
void PaintFrame(const TWindowRecord& record, HDC dc);
void PaintScrollBars(const TWindowRecord& record, HDC dc);
LRESULT HitTestFrame(const TWindowRecord& record, TPoint screenPoint);

// Starts following the mouse on a standard scroll bar pressed at the point.
void BeginScrollBarTracking(HWND window, int bar, TPoint screenPoint);
