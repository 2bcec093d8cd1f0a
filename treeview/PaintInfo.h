#pragma once
// What the tree hands to the pieces of its painting and to OnDrawNode: the
// cell being painted, its content rectangle and its images.

#include <vector>

#include "runtime/EnumSet.h"
#include "toolkit/base/Rect.h"
#include "toolkit/controls/Control.h"
#include "treeview/DataNode.h"
#include "treeview/DataTreeTypes.h"

class TCanvas;
class TImageList;

enum TPaintTreeOption {
  ptoBackground, ptoColumnColor, ptoFocusRect, ptoSelection, ptoDropIndicator, ptoGridLines,
  ptoMainColumnOnly, ptoSelectedOnly,
};
using TPaintTreeOptions = TEnumSet<TPaintTreeOption>;

// Which tree line one indentation level of a row shows.
enum TDTLineType { ltNone, ltBottomRight, ltTopDown, ltTopDownRight, ltRight, ltTopRight, ltLeft, ltLeftBottom };
using TLineImage = std::vector<TDTLineType>;

enum TPaintImageSlot { pisNormal, pisState, pisCheck, pisOverlay };

struct TPaintImageEntry {
  int Index = -1;
  int XPos = 0;
  int YPos = 0;
  bool Ghosted = false;
  TImageList* Images = nullptr;
};

struct TDTPaintInfo {
  TCanvas* Canvas = nullptr;
  TPaintTreeOptions PaintOptions;
  PDataNode Node = nullptr;
  TColumnIndex Column = ColumnNone;
  int ColumnPosition = 0;
  TRect CellRect;
  TRect ContentRect;
  int ContentWidth = 0;
  TAlignment Alignment = taLeftJustify;
  bool RightToLeft = false;
  TPoint PatternOrigin;
  TPaintImageEntry ImageSlots[4];
};
