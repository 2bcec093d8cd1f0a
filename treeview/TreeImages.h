#pragma once
// The check images of the tree: six strips we draw ourselves, each 25
// images of 16 x 16 (0 empty, 1-8 radio buttons, 9-20 check boxes, 21-24
// push buttons; in each group of four: normal, hot, pressed, disabled;
// radio buttons unchecked then checked, check boxes unchecked, checked,
// mixed), and two sets drawn by the system's frame-control painter.

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

class TBitmap;
class TImageList;

// The utility strip "DTREE_UTILITIES": 16 x 16 images on a magenta key.
enum TUtilityImage {
  UtilityDropLeft, UtilityDropRight, UtilitySortDescending, UtilitySortAscending, UtilityFlatSortDescending,
  UtilityFlatSortAscending, UtilityHotBarLeft, UtilityHotBarMiddle, UtilityHotBarRight, UtilityImageCount
};
// The header's column-split cursor "DTREE_HEADERSPLIT", 32 x 32 on a
// magenta key, its hot spot at (16, 16).
std::unique_ptr<TBitmap> DrawHeaderSplitCursor();
// The picture's pixels (0xAARRGGBB) row by row; 0 where the magenta key is.
std::vector<std::uint32_t> UnkeyedPixels(TBitmap& picture);
// A picture cursor of a drawing on the magenta key (DestroyCursor frees it).
HCURSOR CreateKeyedCursor(TBitmap& picture, TPoint hotSpot);

// The wheel panning pictures, 32 x 32 on the magenta key, arrows on a round
// plate: "DTREE_MOVEALL", "DTREE_MOVEEW" and "DTREE_MOVENS" (the panning
// window's images and cursors) and the cursors of one direction,
// "DTREE_MOVEN", "DTREE_MOVENE", "DTREE_MOVEE", "DTREE_MOVESE", "DTREE_MOVES",
// "DTREE_MOVESW", "DTREE_MOVEW", "DTREE_MOVENW"; nullptr for any other name.
// A cursor's hot spot is the centre, (16, 16).
std::unique_ptr<TBitmap> DrawPanningPicture(const std::string& name);

// The shaded 9 x 9 expand buttons "DTREE_XPBUTTONPLUS" and
// "DTREE_XPBUTTONMINUS" on the magenta key (corners cut); nullptr for any
// other name.
std::unique_ptr<TBitmap> DrawShadedButton(const std::string& name);

// The strip of the name ("DTREE_CHECK_LIGHT", "DTREE_CHECK_DARK",
// "DTREE_TICK_LIGHT", "DTREE_TICK_DARK", "DTREE_FLAT", "DTREE_XP") in the
// classic colours, its top-left pixel the transparent colour; nullptr for
// any other name.
std::unique_ptr<TBitmap> DrawCheckImageStrip(const std::string& name);

// Fills the list with the square images of a strip (a check strip or
// "DTREE_UTILITIES"). With RemapColors white
// becomes the window colour, silver the button face and grey the button
// shadow. An unknown strip is the tree error "Internal image "NAME" is
// missing or corrupt.".
void LoadImageStrip(TImageList& imageList, const std::string& resourceName, bool remapColors);

// The system's check images, (menu check width + 3) x (menu check height +
// 3) each, in the same order; images 21-24 come from the dark check strip
// (the flat strip for the flat set). Refills an existing list.
void BuildSystemCheckImages(std::unique_ptr<TImageList>& imageList, bool flat);
