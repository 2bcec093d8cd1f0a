#pragma once
// Where a skinned tab control's pieces lie: its tabs (the selected one
// larger, reaching over the page frame), the page frame, the strip behind
// the tabs and the row of each tab, and the strip of a page that faces the
// tabs. Plain values in, plain values out: the tab and page adapters read
// the control's item rectangles and feed them.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

// In the order of the skin's tab sections: "TABTOP" ... "TABRIGHT".
enum TTabOrientation { toTop, toBottom, toLeft, toRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

TTabOrientation TabOrientationOf(DWORD style);
TTabStyle TabStyleOf(DWORD style);

// A tab's rectangle from the control's item rectangle: button tabs and
// empty items as they are; tabs grown to meet the frame, the active one
// further over it.
TRect AdjustTabRect(TRect item, TTabOrientation orientation, TTabStyle style, bool active);

// The control's display rectangle as the tab control reports it, lowered by 2.
TRect DisplayRectFromAdjusted(const TRect& adjusted);
// The page frame (its side toward the tabs reaching 4 or 1 pixels past the
// display rectangle) and the strip of the tabs beside it; with no tabs the
// frame is the whole window, and so is the strip.
TRect PageRectOf(TSize window, const TRect& display, TTabOrientation orientation, bool hasTabs);
TRect StripRectOf(TSize window, const TRect& display, TTabOrientation orientation, bool hasTabs);

// The row (1: the one nearest the control's top or left edge) of a tab
// whose item rectangle is item, among rows rows in the strip.
int TabRowOf(const TRect& item, const TRect& strip, TTabOrientation orientation, int rows);

// A page's 3-pixel strip along the side facing its control's tabs: where it
// lies in the page, and where it is taken from in the control's picture
// for a page at pos in the control.
struct TPageStrip {
  TRect Dest;
  TPoint Source;
};
TPageStrip PageStripOf(TTabOrientation orientation, TSize page, TPoint pos);
