#pragma once
// Pictures that carry their own transparency, drawn over a skin picture:
// glyphs whose lower half is their mask or which have an alpha channel,
// the skin layer's PNG images (recoloured and faded on request), and a
// soft, rounded shade laid over a rectangle.
//
// Over a ready backdrop the key-colour (magenta) pixels of a picture are
// not blended: with updateCorners they take the backdrop's pixel under
// them, read through its canvas, else they stay. Over a backdrop that is
// not ready every pixel is blended. The destination must be 24-bit.

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;
struct TBackdropRef;

// A 24-bit source is a picture over its mask (the mask half the bitmap's
// height lower; mask 0 shows the picture, 255 the destination); a 32-bit
// one blends by its alpha bytes. Other formats draw nothing.
void DrawAlphaImage(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                    bool updateCorners);
// A picture with alpha bytes. A color other than clNone recolours every
// pixel but white to its grey times color; blend (percent) fades it. The
// caller's picture is never changed.
void DrawPngImage(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                  bool updateCorners, TColor color, int blend);
// Shades r toward color: percent of the picture stays in the middle,
// rings depth pixels deep fade to the untouched edge, corners rounded by radius.
void PaintSoftRect(TBitmap* bmp, const TRect& r, int percent, TColor color, int depth, int radius);
