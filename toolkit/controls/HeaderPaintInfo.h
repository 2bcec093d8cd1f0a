#pragma once
// What an advanced owner draw of a header cell is told, and which parts of
// the cell it paints itself. Plain values, so that code reaching the header
// only by its published events (the skin layer) can read them; the column
// is the header's column object, whose "Text" is published.

#include "runtime/EnumSet.h"
#include "runtime/Object.h"
#include "toolkit/base/Rect.h"

class TCanvas;

enum TDTDropMarkMode { dmmNone, dmmLeft, dmmRight };

// One cell (Column nil: the background right of the columns).
struct THeaderPaintInfo {
  TCanvas* Canvas = nullptr;
  TPersistent* Column = nullptr;
  TRect CellRect;
  TRect TextRect;
  bool Hover = false;
  bool Pressed = false;
  bool Enabled = true;
  bool ShowImage = false;
  bool ShowSortGlyph = false;
  bool RightBorder = true;
  TDTDropMarkMode DropMark = dmmNone;
  TPoint ImagePos;
  TPoint SortGlyphPos;
};

enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
using THeaderPaintElements = TEnumSet<THeaderPaintElement>;
