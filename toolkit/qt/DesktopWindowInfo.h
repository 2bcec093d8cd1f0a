#pragma once
// How the desktop shows a realised top-level window, for tests: which task
// bar lists it is the window manager's business, but these decide it.

#include <string>

#include "toolkit/base/Handles.h"

struct TDesktopWindowInfo {
  // A tool window (a WS_EX_TOOLWINDOW that may activate): with a caption
  // in the small frame, without one frameless.
  bool ToolWindow = false;
  // The desktop gives it the keyboard when it is active (tool tips never).
  bool TakesKeys = true;
  // The desktop draws no frame around it (the window draws its own, if any).
  bool Frameless = false;
  // The window it stays in front of (its owner), or null.
  HWND StaysWith = nullptr;
  // The title the desktop shows (and finds the window by).
  std::string Title;
};

// False for a window that is not realised as a top-level window.
bool GetDesktopWindowInfo(HWND window, TDesktopWindowInfo& info);
