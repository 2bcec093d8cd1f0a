#pragma once
// Drawing skin masks into 24-bit bitmaps. A mask holds one frame per
// control state side by side (frame F for state S is min(S, ImageCount - 1));
// with MaskType n > 0 a frame is height div (n + 1) high and the rows below
// the picture hold its alpha mask, one byte per channel: 0 shows the
// picture, 255 what lies under it. Key pixels (magenta) are transparent.
//
// DrawMaskRect spreads a borders mask over a rectangle as a nine-grid:
// corners unscaled, edges and centre tiled or stretched. The key pixels of
// corners show the backdrop (what lies behind the control) when asked to.
// Every routine draws nothing, silently, for a missing manager or source, a
// mask without frames, or a rectangle off the bitmap; none changes the mask.

#include <vector>

#include "skin/SkinCommonData.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;
struct TSkinMaskData;

// Rectangles cut out of a window region.
using TAOR = std::vector<TRect>;

// The backdrop of painters that have nothing underneath.
inline constexpr TBackdropRef EmptyBackdrop{nullptr, -99, -99, 0, false};

// Clips a pair of starts that go together (a target's and a source's):
// the more negative one becomes 0, the other moves on as far, and count
// loses as many.
void ClipPair(int& dst, int& src, int& count);
// The mask's pixels: its own image, else its manager's master bitmap; null without either.
TBitmap* MaskSource(const TSkinMaskData& mask);
// One frame's width and height; 0 for a mask without frames.
int MaskFrameWidth(const TSkinMaskData& mask);
int MaskFrameHeight(const TSkinMaskData& mask);
// The frame drawn for the state.
int MaskFrameOf(const TSkinMaskData& mask, int state);

// The state's frame over r (exclusive) as a nine-grid of the mask's
// widths, narrowed evenly when r is narrower than they add up to. filling
// asks for the centre (drawn only for masks whose centre belongs to them).
// With updateCorners a corner's key pixels take the backdrop pixel at
// (x + backdrop.X, y + backdrop.Y); a backdrop that is not ready gives its
// FillColor instead.
void DrawMaskRect(TBitmap* bmp, const TRect& r, bool filling, const TBackdropRef& backdrop,
                  const TSkinMaskData& mask, int state, bool updateCorners);
// Copies srcRect of srcBmp to dstRect of dstBmp through the alpha rows
// height(mask.SourceRect) div 2 below the picture, per channel
// dst := ((dst - src) x m + src x 256) shr 8. Key pixels are blended as
// well over a ready backdrop without updateCorners; with updateCorners they
// take the backdrop (a ready one read as 24 or 32 bits, else nothing is
// drawn at all) or its FillColor; over a backdrop that is not ready and
// without updateCorners they stay.
void BlendByMaskRect(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                     bool updateCorners, const TSkinMaskData& mask);
// What the key pixels of a piece blended through its alpha rows become:
// blended like the others, kept, the backdrop's pixel under them (nothing
// is drawn when the backdrop cannot be read), or its FillColor.
enum class TKeyPixels { Blended, Kept, Backdrop, Filled };
// The blend under BlendByMaskRect and the textures' tiles: the alpha rows
// lie maskShift below the picture rows. Rows and columns are cut to both
// rectangles and bitmaps; negative starts are clipped in pairs.
void BlendPieceByMask(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, int maskShift, TKeyPixels keys,
                      const TBackdropRef& backdrop);
// Copies srcRect (inclusive, cut to srcBmp) to (x, y). Key pixels take the
// backdrop with updateCorners, stay when drawing into the backdrop's own
// bitmap or over a ready backdrop otherwise, and take the FillColor of a
// backdrop that is not ready.
void CopyKeyedRect(TBitmap* dstBmp, TBitmap* srcBmp, int x, int y, TRect srcRect, TColor keyColor,
                   const TBackdropRef& backdrop, bool updateCorners);
// As CopyKeyedRect, the key pixels always left as they are.
void CopyKeyedRectPlain(TBitmap* dstBmp, TBitmap* srcBmp, int x, int y, TRect srcRect, TColor keyColor);
// The state's frame unscaled with its top-left at p; what falls left of or
// above the bitmap is cut off. mode 1 is the normal look, any other the
// faded one (disabled).
void DrawMaskImage(TBitmap* bmp, TPoint p, int state, int mode, const TSkinMaskData& mask,
                   const TBackdropRef& backdrop);
// Appends the key-colour runs of frame 0's top corners (bottom ones with
// bottom) as one-pixel-high rectangles from row y, the right corner's
// placed at the right end of a target width pixels wide.
void CollectKeyRects(TAOR& rects, int width, const TSkinMaskData& mask, int y, bool bottom);
