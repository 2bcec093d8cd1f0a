#pragma once
// Small routines every part of the tree control uses.

#include <string>
#include <string_view>

#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/DeviceContext.h"
#include "treeview/DataNode.h"

class TBaseDataTree;

// The tree that owns a node: up the parents to the hidden root, whose Parent field holds the tree.
TBaseDataTree* TreeOfNode(PDataNode node);

// Right-to-left cells place their content from the right: left and right swap.
TAlignment Mirrored(TAlignment alignment);

// R with left/right and top/bottom exchanged where the first is the greater.
TRect NormalizeRect(const TRect& r);

// Narrows R to a content of the width, placed by the alignment.
void NarrowTo(TRect& r, int width, TAlignment alignment);

// Sorts nodes[low..high] by ascending address.
void SortNodeArray(TNodeArray& nodes, int low, int high);

// The longest start of the UTF-8 text that fits the width together with
// "..." (ellipsisWidth 0: measured), followed by "..."; empty when not even
// the ellipsis fits. Characters are never split: a letter keeps its
// combining marks, and an emoji sequence stays whole.
std::string ElideText(HDC dc, std::string_view text, int width, int ellipsisWidth);

// Blends the rectangle R of the source into the destination at Target, in
// both 32-bit bitmaps, channel by channel: mode 0 with ConstantAlpha, mode 1
// with each source pixel's alpha, mode 2 with their product; Bias is added
// with saturation. Mode 3 mixes the colour given in Bias into the
// destination's R at ConstantAlpha.
void BlendRect(HDC source, HDC destination, const TRect& r, TPoint target, int mode, int constantAlpha, int bias);

// What a small move of the drag picture by (DeltaX, DeltaY) (old position
// minus new) keeps and what it must sample anew. Clip is the picture
// (0, 0, width, height); Scroll the part of the old background, in the old
// picture's coordinates, that stays under the picture and moves by the
// delta; Draw1 (whole columns) and Draw2 (rows beside them) the newly
// covered strips in the new picture's coordinates, and Sample1 and Sample2
// the same strips relative to the old position, where the screen is read.
struct TDragRectangles {
  TRect Clip, Scroll, Sample1, Sample2, Draw1, Draw2;
};
TDragRectangles ComputeDragRectangles(int dragWidth, int dragHeight, int deltaX, int deltaY);

// The platform's value of a colour: clNone gives all bits set, clDefault 0xFF000000.
uint32_t ColorToRgbValue(TColor color);
