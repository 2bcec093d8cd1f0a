#pragma once
// The window core: window classes, windows with their styles, parents,
// children and z order, rectangles and coordinate mapping, window
// procedures, properties, focus, capture and activation. Functions taking a
// handle of a window that no longer exists do nothing and answer 0/false.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Styles.h"

// A window class. hbrBackground is a system colour index + 1 (COLOR_WINDOW + 1)
// that DefWindowProc erases with, or 0 for no erasing. NativeWidget names
// the desktop's widget that realises windows of the class ("QLineEdit"; see
// NativeWindowProc); empty, the window paints itself.
struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  HCURSOR hCursor = nullptr;
  int hbrBackground = 0;
  std::string lpszClassName;
  std::string NativeWidget;
};

bool RegisterClass(const WNDCLASS& windowClass);
// Fails while windows of the class exist.
bool UnregisterClass(const std::string& className);
bool GetClassInfo(const std::string& className, WNDCLASS& windowClass);
std::string GetClassName(HWND window);

// Position or size that the system chooses.
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* param);
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

// The old and new styles of WM_STYLECHANGING / WM_STYLECHANGED (WParam: GWL_STYLE or GWL_EXSTYLE).
struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

LONG_PTR GetWindowLongPtr(HWND window, int index);
// Setting GWL_WNDPROC to the procedure that a subclass replaced removes that
// subclass wherever it sits in the chain, so subclasses may be removed in any
// order; calls through CallWindowProc to a removed procedure go on down the chain.
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);

bool SetWindowText(HWND window, const std::string& text);
std::string GetWindowText(HWND window);

// The parent of a child window, the owner of a top-level one.
HWND GetParent(HWND window);
HWND SetParent(HWND window, HWND newParent);
HWND GetWindow(HWND window, UINT relation);
HWND GetAncestor(HWND window, UINT flags);
HWND GetTopWindow(HWND parent);
// The first child of parent after childAfter (nullptr: from the first) whose
// class name is className (ignoring case) and, unless windowName is null,
// whose text is *windowName; nullptr when none.
HWND FindWindowEx(HWND parent, HWND childAfter, const std::string& className, const std::string* windowName = nullptr);
bool IsChild(HWND parent, HWND window);
// Calls back for every descendant, parents before children, front to back;
// stops when the callback answers false.
void EnumChildWindows(HWND parent, const std::function<bool(HWND)>& callback);
// Top-level windows of the calling thread, front to back.
std::vector<HWND> TopLevelWindows();
// Puts a top-level window in front of the others, as activation does: the
// windows it owns stay in front of it, and stay-on-top windows in front of
// all. With raise, the desktop stacks the shown ones so as well (it did
// already when it activated the window itself).
void BringTopLevelToFront(HWND window, bool raise);

bool ShowWindow(HWND window, int command);
// AnimateWindow's flags: the desktop here shows and hides at once.
constexpr DWORD AW_HOR_POSITIVE = 0x00000001;
constexpr DWORD AW_HOR_NEGATIVE = 0x00000002;
constexpr DWORD AW_VER_POSITIVE = 0x00000004;
constexpr DWORD AW_VER_NEGATIVE = 0x00000008;
constexpr DWORD AW_CENTER = 0x00000010;
constexpr DWORD AW_HIDE = 0x00010000;
constexpr DWORD AW_ACTIVATE = 0x00020000;
constexpr DWORD AW_SLIDE = 0x00040000;
constexpr DWORD AW_BLEND = 0x00080000;
bool AnimateWindow(HWND window, DWORD time, DWORD flags);
// Told of every AnimateWindow call, since the animation itself leaves no trace
// (nullptr: nobody).
using TAnimationObserver = std::function<void(HWND window, DWORD time, DWORD flags)>;
void SetAnimationObserver(TAnimationObserver observer);
bool IsWindowVisible(HWND window);
bool IsZoomed(HWND window);
bool IsIconic(HWND window);
// A top-level window with a caption takes the desktop's frame unless it has
// its own: then DefWindowProc reserves, paints and hit-tests caption and
// borders. Switching keeps the client area's size and place on the screen.
void SetOwnFrame(HWND window, bool own);
bool HasOwnFrame(HWND window);
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);

bool GetWindowRect(HWND window, TRect& rect);
bool GetClientRect(HWND window, TRect& rect);
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// A batch of placements applied together by EndDeferWindowPos.
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool EndDeferWindowPos(HDWP batch);
bool ClientToScreen(HWND window, TPoint& point);
bool ScreenToClient(HWND window, TPoint& point);
// Maps points from one window's client coordinates to another's (nullptr: the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
// The deepest visible window at a screen point; disabled children are passed over.
HWND WindowFromPoint(TPoint screenPoint);
HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint);

// Window properties; names compare ignoring case.
bool SetProp(HWND window, const std::string& name, void* value);
void* GetProp(HWND window, const std::string& name);
void* RemoveProp(HWND window, const std::string& name);

HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetCapture(HWND window);
bool ReleaseCapture();
HWND GetCapture();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window procedure that calls an object's window method; free it with
// FreeObjectInstance once no window uses it.
WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC procedure);
// A hidden message-only window whose messages go to the method.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);
