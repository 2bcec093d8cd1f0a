#pragma once
// The window core's own record of a window, shared by the core's sources
// only. A record lives from CreateWindowEx until the end of DestroyWindow;
// handles are never reused, so a stale handle finds no record.

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ProcedureForwards.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

struct TWindowClass {
  WNDCLASS Definition;
  int WindowCount = 0;
};

// One subclass in a window's procedure chain: the procedure installed and
// the one it replaced (the one its installer passes messages on to).
struct TSubclass {
  WNDPROC Procedure;
  WNDPROC Replaced;
};

// A standard scroll bar. Info always holds a normalised range and position.
struct TScrollBarState {
  SCROLLINFO Info;
  bool ArrowsDisabled[2] = {false, false};
};

struct TWindowRecord {
  HWND Handle = nullptr;
  std::shared_ptr<TWindowClass> Class;
  std::thread::id Thread;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  LONG_PTR Id = 0;
  LONG_PTR UserData = 0;
  std::string Text;
  bool MessageOnly = false;
  bool Destroying = false;

  HWND Parent = nullptr;  // the parent of a child window
  HWND Owner = nullptr;   // the owner of a top-level window
  std::vector<HWND> Children;  // front of the z order first

  TRect Bounds;  // window rectangle: parent's client coordinates, or screen for top-level windows
  TRect Client;  // client rectangle in window coordinates

  std::vector<TSubclass> Subclasses;  // newest last
  // Procedures removed from below other subclasses, and where calls to them go now.
  TProcedureForwards<WNDPROC> Forwards;

  std::vector<std::pair<std::string, void*>> Properties;
  TScrollBarState HorzBar;
  TScrollBarState VertBar;
  bool FlatScrollBars = false;  // InitializeFlatSB: a flag only, the bars look the same

  // The window's pixels, non-client area included, when it keeps them in a
  // surface of its own (made when first drawn on); device contexts draw here.
  CountedPtr<TGdiBitmap> Surface;
  // The window keeps its pixels in its top-level window's surface instead
  // (Surfaces.cpp says when); Surface is then null.
  bool Shared = false;
  // The invalid part of the client area, in client coordinates.
  TRegion Invalid;
  bool EraseNeeded = false;
  bool FrameInvalid = false;
  bool InternalPaint = false;
  bool RedrawEnabled = true;
  bool Maximized = false;
  bool Minimized = false;
  // A top-level window that draws its caption and frame itself instead of
  // taking the desktop's (SetOwnFrame).
  bool OwnFrame = false;
  bool CaptionActive = false;  // the caption's look, as the last WM_NCACTIVATE set it
  int PressedCaptionButton = 0;  // HTCLOSE, HTMINBUTTON or HTMAXBUTTON pressed, or 0
  HMENU Menu = nullptr;  // the menu bar of a top-level window
  // The window's shape in window coordinates (SetWindowRgn); none: its rectangle.
  std::optional<TRegion> Shape;

  std::unique_ptr<IWindowHost> Host;

  WNDPROC Procedure() const;
  TScrollBarState& Bar(int bar) { return bar == SB_HORZ ? HorzBar : VertBar; }
  const TScrollBarState& Bar(int bar) const { return bar == SB_HORZ ? HorzBar : VertBar; }
  bool NeedsPaint() const { return !Invalid.IsEmpty() || FrameInvalid || InternalPaint; }
  int Width() const { return Bounds.Width(); }
  int Height() const { return Bounds.Height(); }
  bool IsChild() const { return (Style & WS_CHILD) != 0; }
};

// Follows the mouse while a button is held on a part of the window that the
// window core operates itself (a scroll bar): mouse input goes here instead
// of to any window until the button is released or the tracking cancelled.
class IMouseTracker {
public:
  virtual ~IMouseTracker() = default;
  virtual void MouseMove(TPoint screenPoint) = 0;
  virtual void ButtonUp(TPoint screenPoint) = 0;
  virtual void Cancel() = 0;
};
void BeginMouseTracking(std::unique_ptr<IMouseTracker> tracker);
void EndMouseTracking();
void CancelMouseTracking();

TWindowRecord* FindWindowRecord(HWND window);
// Whether a point in window coordinates lies in the window's shape.
bool ShapeContains(const TWindowRecord& record, TPoint windowPoint);
// Window rectangle in screen coordinates.
TRect ScreenBounds(const TWindowRecord& record);
// The window's client origin in screen coordinates.
TPoint ClientOrigin(const TWindowRecord& record);
// Every window record of the calling thread.
std::vector<HWND> ThreadWindows();

// Calls the window's current procedure in the calling thread.
LRESULT CallWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hooks between the core's sources.
void ReplaceWindowProcedure(TWindowRecord& record, WNDPROC procedure);
// Asks the window for its client rectangle (WM_NCCALCSIZE) and keeps it.
void RecalculateClient(HWND window);
void InvalidateWholeWindow(TWindowRecord& record);  // frame and client, with erasing
void WindowSizeChanged(TWindowRecord& record);       // the window rectangle changed size
// Where the window's pixels lie (its own surface made if it has none yet).
TWindowPixels PixelsOf(TWindowRecord& record);
// The places of the children sharing the window's surface, in window coordinates.
TRegion SharingChildrenArea(const TWindowRecord& record);
// Copies the pixels of from (clipped to source) to at on target (clipped to it).
void CopyPixels(const TGdiBitmap& source, const TRect& from, TGdiBitmap& target, TPoint at);
// The window moved, changed size, frame, visibility or shape (old: its
// rectangles and sharing before): who shares a surface is settled again.
void PlacementChanged(TWindowRecord& record, const TRect& oldBounds, const TRect& oldClient, bool wasShared);
// The window moved to another parent (its bounds kept).
void ParentChanged(TWindowRecord& record, HWND oldParent, bool wasShared);
void KillWindowTimers(HWND window);
// Retrieval of the generated messages: WM_TIMER of a due timer (re-armed when
// removed) and WM_PAINT of an invalid window, for the filter window or any.
bool TakeDueTimer(MSG& message, HWND filter, bool remove);
bool FindWindowToPaint(MSG& message, HWND filter);
void ForgetInputWindow(HWND window);
void ForgetCaretWindow(HWND window);
// While a menu loop runs it takes the desktop's input first: true when it did.
bool MenuLoopTakesMouse(UINT message, TPoint screenPoint);
bool MenuLoopTakesKey(WORD virtualKey, bool down, const std::u32string& characters);
