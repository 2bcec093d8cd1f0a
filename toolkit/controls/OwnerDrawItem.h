#pragma once
// Owner-drawn items of lists and combo boxes: the parent's WM_DRAWITEM
// comes back to the control (CN_DRAWITEM), whose DrawItem paints the item
// on the control's canvas.

#include <functional>
#include <string>

#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Canvas.h"

struct DRAWITEMSTRUCT;

using TDrawItemEvent = std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;

// Sets the canvas on the item's DC with the control's font and the item's
// background (the highlight when selected); answers the item's state.
TOwnerDrawState BeginDrawItem(TCanvas& canvas, const DRAWITEMSTRUCT& item, TWinControl& control);
// An item drawn without OnDrawItem: its text on its background.
void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text);
