#pragma once
// The paint protocol. Each window keeps its pixels in its own surface; an
// invalid region marks what must be painted again. WM_PAINT comes when the
// thread retrieves messages and nothing else is waiting (or at once through
// UpdateWindow); BeginPaint paints the frame (WM_NCPAINT) and erases
// (WM_ERASEBKGND) when asked, and hands out a device context limited to the
// invalid region, which it validates. WM_SETREDRAW false holds painting back.

#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/DeviceContext.h"

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;  // the background still needs erasing (WM_ERASEBKGND answered 0)
  TRect rcPaint;        // bounds of the region being painted, client coordinates
};

HDC BeginPaint(HWND window, PAINTSTRUCT& paint);
bool EndPaint(HWND window, const PAINTSTRUCT& paint);

// A null rectangle or region means the whole client area.
bool InvalidateRect(HWND window, const TRect* rect, bool erase);
bool InvalidateRgn(HWND window, HRGN region, bool erase);
bool ValidateRect(HWND window, const TRect* rect);
bool GetUpdateRect(HWND window, TRect* rect, bool erase);
int GetUpdateRgn(HWND window, HRGN region, bool erase);
bool UpdateWindow(HWND window);
bool RedrawWindow(HWND window, const TRect* rect, HRGN region, UINT flags);

// A client DC (origin at the client area's top-left, drawing limited to it)
// and a window DC (the whole window); give both back with ReleaseDC.
HDC GetDC(HWND window);
HDC GetWindowDC(HWND window);
constexpr DWORD DCX_WINDOW = 0x0001;
constexpr DWORD DCX_CACHE = 0x0002;
constexpr DWORD DCX_CLIPCHILDREN = 0x0008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x0010;
constexpr DWORD DCX_EXCLUDERGN = 0x0040;
constexpr DWORD DCX_INTERSECTRGN = 0x0080;
constexpr DWORD DCX_VALIDATE = 0x200000;
// Region, in screen coordinates, for DCX_INTERSECTRGN or DCX_EXCLUDERGN.
HDC GetDCEx(HWND window, HRGN region, DWORD flags);
int ReleaseDC(HWND window, HDC dc);
// The window of a DC from GetDC, GetWindowDC, GetDCEx or BeginPaint not yet
// released; null for any other DC (a memory DC among them).
HWND WindowFromDC(HDC dc);

// Moves the client area's pixels (within scroll, limited to clip) and marks
// what was uncovered invalid; SW_SCROLLCHILDREN also moves the child windows.
bool ScrollWindow(HWND window, int dx, int dy, const TRect* scroll, const TRect* clip);
int ScrollWindowEx(HWND window, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update,
                   TRect* updateRect, UINT flags);

// Where a window's pixels lie: a surface and the window's top-left on it.
// A child window shown inside its parent's client area, overlapped by no
// shown sibling, keeps its pixels in its top-level window's surface.
struct TWindowPixels {
  CountedPtr<TGdiBitmap> Surface;
  TPoint Origin;
};
// Null surface for a window that no longer exists.
TWindowPixels WindowPixels(HWND window);
// The window's pixels as a bitmap of its size: its own surface, or a copy
// of its place in its top-level window's; null for a window that no longer
// exists.
CountedPtr<TGdiBitmap> WindowSurface(HWND window);
// Paints whatever is pending in the window and its descendants, at once.
void UpdateWindowTree(HWND window);
// Shows the window's painted surface on the desktop at once, without
// waiting for a message loop: for progress shown while the program is busy.
void PresentNow(HWND window);
// What the window and its visible descendants show, composed into a 32-bit
// bitmap of the window's size, after pending painting.
CountedPtr<TGdiBitmap> RenderWindow(HWND window);
// The screen's pixels in the rectangle (screen coordinates) as the
// application's own windows show them, after their pending painting: the
// visible top-level windows composed back to front, the desktop colour
// where none is. The windows in leftOut are not drawn (a hint or drag
// picture capturing what lies under itself). Other programs' windows are
// not seen: their pixels cannot be read on every desktop.
CountedPtr<TGdiBitmap> CaptureScreen(const TRect& rect, const std::vector<HWND>& leftOut = {});
// The part of the window's client area the screen shows, in screen
// coordinates: cut to its parents' client areas, less the visible top-level
// windows in front of its own (those in leftOut excepted). The caller
// deletes the region.
HRGN VisibleRegion(HWND window, const std::vector<HWND>& leftOut = {});
