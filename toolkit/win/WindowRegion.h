#pragma once
// The shape of a window: only the pixels of its region are shown, and only
// they belong to the window for the mouse. The region is in the window's
// own coordinates (its top-left corner is (0, 0)).

#include "toolkit/base/Handles.h"
#include "toolkit/gdi/Region.h"

// The window takes the region over and deletes it; nullptr gives the window
// its whole rectangle back. Redraw shows the new shape at once. Answers 0
// for an unknown window.
int SetWindowRgn(HWND window, HRGN region, bool redraw);
// Copies the window's shape into Region: RGN_ERROR when the window has none,
// else the shape's complexity.
int GetWindowRgn(HWND window, HRGN region);
