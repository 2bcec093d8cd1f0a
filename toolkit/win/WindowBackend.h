#pragma once
// The seam between the window core and the desktop it runs on. The core
// keeps every window's state and speaks in messages; a backend realises
// windows on screen, reports input and wakes the message loop. Without a
// backend (core tests) windows exist, paint into their surfaces and take
// messages, but nothing is shown.

#include <memory>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Monitors.h"

struct SCROLLINFO;
class TRegion;

// The on-screen body of one window.
class IWindowHost {
public:
  virtual ~IWindowHost() = default;
  // Bounds: the window rectangle in its parent's client coordinates, or in
  // screen coordinates for a top-level window.
  virtual void SetBounds(const TRect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetTitle(const char* title) = 0;
  // The window moved to another parent (nullptr: it became top-level).
  virtual void Reparent(HWND parent) = 0;
  // Places this window directly behind the given sibling (nullptr: in front of all).
  virtual void PlaceBehind(HWND sibling) = 0;
  // The window's surface changed inside this rectangle (window coordinates).
  virtual void Present(const TRect& changed) = 0;
  // Shows the surface on the desktop now rather than at the next loop.
  virtual void PresentNow() = 0;
  virtual void Activate() = 0;
  virtual void SetMaximized(bool maximized) = 0;
  virtual void SetMinimized(bool minimized) = 0;
  // A top-level window took or gave back a frame of its own (HasOwnFrame):
  // the desktop frames it again, and shows it again if it was shown.
  virtual void FrameOwnerChanged() = 0;
  // The desktop moves (HTCAPTION) or sizes (HTLEFT ... HTBOTTOMRIGHT) the
  // window while the pressed button is held, for a frame of its own.
  virtual void BeginDesktopMoveOrSize(int hit) = 0;
  virtual void SetMouseGrab(bool grab) = 0;
  // A top-level window stays in front of the others (WS_EX_TOPMOST).
  virtual void SetStayOnTop(bool stayOnTop) = 0;
  // Only the shape's pixels (window coordinates) are shown; nullptr shows the whole window.
  virtual void SetShape(const TRegion* shape) = 0;
  // The native widget's answer to a message reaching NativeWindowProc;
  // false when the host has no widget or the widget leaves the message alone.
  virtual bool NativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // The state of the native widget's own scroll bar (SB_HORZ, SB_VERT); false without one.
  virtual bool NativeScrollInfo(int bar, SCROLLINFO& info) = 0;
};

class IWindowBackend {
public:
  virtual ~IWindowBackend() = default;
  // Parent: the window this one is a child of, nullptr for a top-level window.
  virtual std::unique_ptr<IWindowHost> CreateHost(HWND window, HWND parent) = 0;
  // Something was queued for the window thread (may be called from any thread).
  virtual void Wake() = 0;
  // Delivers pending desktop events; with Wait, blocks until there is one or
  // TimeoutMilliseconds have passed (negative: no limit).
  virtual void ProcessEvents(bool wait, int timeoutMilliseconds) = 0;
  // The next timer falls due after this many milliseconds of real time.
  virtual void ScheduleWake(int milliseconds) = 0;
  virtual TRect ScreenRect() = 0;
  virtual TRect WorkArea() = 0;
  // Every monitor; a backend that knows one screen reports that one.
  virtual std::vector<TMonitor> Monitors() { return {{ScreenRect(), WorkArea(), true}}; }
  virtual void SetCursorShape(HCURSOR cursor) = 0;
};

// The default procedure of classes that name a native widget. The window
// stays the core's (handle, styles, frame, procedures, properties); the
// widget fills its client area. Input on the widget travels the window's
// procedure chain as messages first, and this procedure hands each input
// message on to the widget (as it stands then: a procedure may change or
// swallow it, and a message sent by code is input too). The widget answers
// text, font, enabling and its control protocol (ControlMessages.h), and
// reports to the parent with WM_COMMAND and WM_NOTIFY. Without a backend,
// or for messages the widget leaves alone, it is DefWindowProc.
LRESULT NativeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Messages only NativeWindowProc answers: the look the control gives its widget.
// CM_NATIVECOLORS: WParam the background, LParam the text colour (RGB values).
constexpr UINT CM_NATIVECOLORS = 0xB100;
// A check list's item checks: CM_NATIVEGETCHECK (WParam the index) answers
// BST_CHECKED or BST_UNCHECKED, CM_NATIVESETCHECK (WParam the index, LParam
// the check) sets one. The user's change of a check reaches the parent as
// WM_COMMAND with LBN_NATIVECHECK; the item is the caret's (LB_GETCARETINDEX).
constexpr UINT CM_NATIVEGETCHECK = 0xB101;
constexpr UINT CM_NATIVESETCHECK = 0xB102;
constexpr WORD LBN_NATIVECHECK = 0x0100;

// Installs the backend (nullptr removes it); the caller keeps ownership.
void SetWindowBackend(IWindowBackend* backend);
IWindowBackend* WindowBackend();

// What the backend reports about windows (input goes through Input.h).
// The user activated a top-level window on the desktop.
void DesktopActivated(HWND window);
// The desktop moved or resized a top-level window (bounds in screen coordinates).
void DesktopMovedWindow(HWND window, const TRect& bounds);
// The desktop minimized or restored a top-level window.
void DesktopMinimized(HWND window, bool minimized);
// The user asked to close a top-level window (the desktop's close button).
void DesktopCloseRequest(HWND window);
// The desktop needs to show the window's pixels: pending painting runs first.
void DesktopPaint(HWND window);
