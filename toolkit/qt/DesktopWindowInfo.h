#pragma once
// How the desktop shows a realised top-level window, for tests: which task
// bar lists it is the window manager's business, but these decide it.

#include "toolkit/win/Handles.h"

struct TDesktopWindowInfo {
  // A tool window's frame (a captioned WS_EX_TOOLWINDOW).
  bool ToolWindow = false;
  // The window it stays in front of (its owner), or null.
  HWND StaysWith = nullptr;
};

// False for a window that is not realised as a top-level window.
bool GetDesktopWindowInfo(HWND window, TDesktopWindowInfo& info);
