#pragma once
// How a renderer's picture leaves it, the same for both renderers: painted
// into a window through the renderer's back buffer, or exported by the
// export format as a bitmap (0), a Windows metafile (1) or an enhanced
// metafile (2), to the clipboard or to a file.
//
// The bitmap picture is the back buffer, white over the rectangle and drawn
// for export; the buffer keeps the size of the last paint, and before any
// paint takes the rectangle's. A metafile picture is as wide and high as
// the rectangle and one pixel more, has no background, and draws with the
// buffer canvas's brush, pen and font to begin with. A metafile on the
// clipboard comes with the bitmap picture, for programs that paste only
// images. Any other export format fails an assertion.

#include <functional>
#include <string>

#include "toolkit/base/Rect.h"

class TBitmap;
class TCanvas;

// Draws a picture into a canvas's rectangle.
using TPictureDrawing = std::function<void(TCanvas& Canvas, const TRect& Rect)>;

// Resizes Buffer to Rect's width and height + 1 when they differ, fills
// Rect with Canvas's brush, draws, and shows the buffer on Canvas at
// (0, 0); false, with nothing drawn, when Rect has no width or height.
bool PaintThroughBuffer(TBitmap& Buffer, TCanvas& Canvas, const TRect& Rect, const TPictureDrawing& Draw);
// Nothing happens when the clipboard cannot be opened.
void CopyPictureToClipboard(TBitmap& Buffer, int Format, const TRect& Rect, const TPictureDrawing& Draw);
// Replaces the file whole or leaves it as it was; raises "Cannot create
// file" with the quoted name when it cannot be written.
void SavePictureToFile(TBitmap& Buffer, int Format, const std::string& FileName, const TRect& Rect,
                       const TPictureDrawing& Draw);
