#pragma once
// Device-context routines around the skin painters: copying only the
// border bands of a picture, keeping graphic child controls out of a
// painted area, nested bevel frames and a dotted grip frame.

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TCanvas;
class TDeviceContext;
using HDC = TDeviceContext*;
class TWinControl;

// Copies the four bands, border pixels wide, of the rectangle (x, y,
// width, height) from the same places at (srcX, srcY) in srcDC: the inside
// is left to what the control paints itself.
void BlitFrame(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int border);
// Leaves every visible graphic child of parent, moved by the offset, out of
// dc's clip region; windowed children stay in.
void ExcludeGraphicChildren(HDC dc, TWinControl* parent, int offsetX, int offsetY);
// Draws width nested one-pixel frames inside r: top and left lines in
// topLeftColor, bottom and right ones in bottomRightColor. r comes back
// shrunk by the frames drawn, width as 0.
void DrawBevelFrames(HDC dc, TRect& r, TColor topLeftColor, TColor bottomRightColor, int& width);
// Black dots every third pixel along r's edges, each with a white one up and to the left.
void DrawDottedFrame(TCanvas& canvas, const TRect& r);
