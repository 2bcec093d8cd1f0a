#pragma once
// Pieces of the classic look that several controls draw.

#include "toolkit/gdi/Canvas.h"

// Width one-pixel frames inside rect, each lit (topColor) on the top and
// left edges and shaded (bottomColor) on the bottom and right ones; rect
// shrinks by width.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
// The face of a button that is checked (down) but not pressed: button face
// and highlight pixels alternating.
void FillCheckedPattern(TCanvas& canvas, const TRect& rect);
