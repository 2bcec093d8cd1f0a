#pragma once
// Custom drawing of the items of a tree view or a list view: the control's
// NM_CUSTOMDRAW, back as CN_NOTIFY, runs its handler for the whole client
// area before the items, then its handler for each item, on the control's
// canvas over the record's device context. The canvas starts with the
// control's font and colour; a handler that leaves default drawing on
// gives the item's text the canvas font and its colour.

#include <functional>

#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Canvas.h"

struct NMCUSTOMDRAW;

using TAdvancedCustomDrawEvent =
    std::function<void(TObject* sender, const TRect& rect, TCustomDrawStage stage, bool& defaultDraw)>;
// An item's handler, given the item's state.
using TItemDrawHandler = std::function<void(TCustomDrawState state, bool& defaultDraw)>;

// Answers the record's CDRF_*; textColor is the record's text colour.
LRESULT CustomDrawItems(TWinControl& control, TCanvas& canvas, NMCUSTOMDRAW& draw, TColor& textColor,
                        const TAdvancedCustomDrawEvent& onWhole, const TItemDrawHandler& onItem);
