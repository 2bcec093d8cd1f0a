#pragma once
// Textures of skin sections: a large pattern picture (a bitmap or a JPEG),
// a texture piece of the skin's pictures, or such a piece with alpha rows.
// Each routine draws the texture over a rectangle in its draw mode and
// hands back through the rectangle the part it left for the section's
// colour; NoRest when it left none.
//
// Draw modes of a texture piece (TW x TH its size):
//   0 tiled over all of it          1 stretched over all of it
//   2 tiled along the top, TH high  3 tiled down the left side, TW wide
//   4 stretched across the top      5 stretched down the left side
//   6 tiled along the bottom        7 tiled down the right side
//   10 whole tiles only, nothing handed back
// Any other mode draws as 7 and hands back that right band itself. A band
// is drawn in pieces as long as the band is wide or high, so that master
// pixels beyond the texture land in the rest, which the caller paints over.

#include "skin/SkinCommonData.h"
#include "toolkit/base/Rect.h"

class TBitmap;
class TCanvas;
class TGraphic;
struct TSkinMaskData;

// The rest of a texture that covered everything.
inline constexpr TRect NoRest{-1, -1, -1, -1};

// A bitmap tiled over r (the last column and row cut), or a JPEG drawn
// from r's top-left under a clip to r, the canvas's clip given back after.
// Nothing for any other picture or an empty one.
void TileGraphic(TCanvas& canvas, const TRect& r, TGraphic* graphic);
// A texture without alpha rows: an own picture (image) tiled over r, else
// the mask's piece of its manager's master bitmap in the mode.
void TileTexture(TCanvas& canvas, TRect& r, TGraphic* image, int mode, const TSkinMaskData& mask);
// A texture with alpha rows, frame 0 of the mask, in mode 0 (whole rows of
// tiles, the last column cut) or 10 (whole tiles only; the bands right of
// and below them take the backdrop). r becomes NoRest; any other mode
// draws nothing and leaves r.
void TileMaskTexture(TBitmap* bmp, TRect& r, const TBackdropRef& backdrop, int mode, const TSkinMaskData& mask);
// One tile: srcRect's top-left piece of dstRect's size blended through its
// alpha rows. Its key pixels take the backdrop pixel under them, or the
// FillColor of a backdrop that is not ready (unless that is magenta).
void BlendMaskTile(const TRect& dstRect, const TRect& srcRect, TBitmap* bmp, const TSkinMaskData& mask,
                   const TBackdropRef& backdrop);
