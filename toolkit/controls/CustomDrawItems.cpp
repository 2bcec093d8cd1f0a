#include "toolkit/controls/CustomDrawItems.h"

#include "toolkit/win/ControlMessages.h"

namespace {

TCustomDrawState StateOf(UINT itemState) {
  TCustomDrawState state = 0;
  if (itemState & CDIS_SELECTED) state |= cdsSelected;
  if (itemState & CDIS_FOCUS) state |= cdsFocused;
  if (itemState & CDIS_HOT) state |= cdsHot;
  return state;
}

}  // namespace

LRESULT CustomDrawItems(TWinControl& control, TCanvas& canvas, NMCUSTOMDRAW& draw, TColor& textColor,
                        const TAdvancedCustomDrawEvent& onWhole, const TItemDrawHandler& onItem) {
  bool defaultDraw = true;
  canvas.SetHandle(draw.hdc);
  canvas.Font().Assign(control.Font());
  canvas.Brush().SetColor(control.Color());
  LRESULT result = CDRF_DODEFAULT;
  if (draw.dwDrawStage == CDDS_PREPAINT) {
    if (onWhole) onWhole(&control, draw.rc, cdPrePaint, defaultDraw);
    result = defaultDraw ? CDRF_NOTIFYITEMDRAW : CDRF_SKIPDEFAULT;
  } else if (draw.dwDrawStage == CDDS_ITEMPREPAINT && onItem) {
    onItem(StateOf(draw.uItemState), defaultDraw);
    textColor = ColorToRGB(canvas.Font().Color());
    SelectObject(draw.hdc, canvas.Font().Handle());
    result = defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
  }
  canvas.SetHandle(nullptr);
  return result;
}
