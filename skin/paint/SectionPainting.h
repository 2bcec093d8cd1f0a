#pragma once
// Painting a skin section into a rectangle r of a 24-bit bitmap, in layers:
// the texture (its "PATTERN", "HOTPATTERN" in a hot state), the gradient
// and the colour's share over it, all seen through the section's
// transparency over what lies behind (the backdrop); then the corner images
// ("IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT") and the borders
// mask ("BORDERSMASK"). State 0 is the normal look, any other the hot one.
//
// offset is where r's top-left lies on the backdrop, counted from the
// backdrop's own X and Y. A manager of null is the default manager.
// Texture indexes of -1 look the texture up by name. Every painter paints
// nothing, silently, for a missing manager or bitmap, a section index the
// manager lacks, or a rectangle off the bitmap.

#include <string>

#include "skin/SkinCommonData.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;
class TControl;
class TDeviceContext;
using HDC = TDeviceContext*;
class TSkinManager;

// Colour, texture, gradient and transparency. A customColor other than
// magenta is painted plain and opaque instead of the section's look.
void PaintSectionBackground(int skinIndex, const std::string& section, const TBackdropRef& backdrop, int state,
                            const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager, int textureIndex,
                            int hotTextureIndex, TColor customColor);
// The control's section, its textures, and with CustomColor set the
// colour of its host (of a form provider's form).
void PaintControlBackground(TSkinCommonData& skinData, const TBackdropRef& backdrop, int state, const TRect& r,
                            TPoint offset, TBitmap* itemBmp);
// The background with the texture pieces given (never looked up, never a
// pattern picture), for painters that keep their indexes.
void PaintSectionBackgroundQuick(int skinIndex, int textureIndex, int hotTextureIndex, const std::string& section,
                                 const TBackdropRef& backdrop, int state, const TRect& r, TPoint offset,
                                 TBitmap* itemBmp, TSkinManager* manager);
// Background, corner images, then the borders mask (its centre with
// filling), whose transparent corners show the backdrop.
void PaintSection(int skinIndex, const std::string& section, const TBackdropRef& backdrop, bool filling, int state,
                  const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager, int textureIndex = -1,
                  int hotTextureIndex = -1);
// PaintSection through a bitmap of r's size, copied to r of dc.
void PaintSectionToDC(int skinIndex, const std::string& section, const TBackdropRef& backdrop, bool filling,
                      int state, const TRect& r, TPoint offset, HDC dc, TSkinManager* manager);
// The quick background, then the borders mask of borderIndex.
void PaintSectionQuick(int skinIndex, int borderIndex, int textureIndex, int hotTextureIndex,
                       const std::string& section, const TBackdropRef& backdrop, bool filling, int state,
                       const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager);
// A skinnable control's picture: background, borders mask (none in the
// normal state for masks that say so), then the corner images.
void PaintControl(TSkinCommonData& skinData, const TBackdropRef& backdrop, bool filling, int state, const TRect& r,
                  TPoint offset, TBitmap* itemBmp, bool updateCorners);
// PaintControl over what parent answers lies behind it.
void PaintControlOnParent(TSkinCommonData& skinData, TControl* parent, bool filling, int state, const TRect& r,
                          TPoint offset, TBitmap* itemBmp, bool updateCorners);
