#pragma once
// The system caret: one per application, in one window, blinking. It is
// drawn over the window's pixels when they are shown (inverting them), never
// into the window's surface, so painting need not hide it.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/GdiBitmap.h"

// The bitmap is accepted for the platform's signature; the caret is solid.
// A new caret starts hidden: ShowCaret shows it.
bool CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
bool DestroyCaret();
// Hiding counts: the caret shows again after as many ShowCaret calls.
bool HideCaret(HWND window);
bool ShowCaret(HWND window);
// Client coordinates of the caret's window.
bool SetCaretPos(int x, int y);
bool GetCaretPos(TPoint& point);
// The caret's rectangle in window coordinates while it shows in the window.
bool VisibleCaretRect(HWND window, TRect& rect);
