#include "toolkit/controls/OwnerDrawItem.h"

#include "toolkit/win/ControlMessages.h"

TOwnerDrawState BeginDrawItem(TCanvas& canvas, const DRAWITEMSTRUCT& item, TWinControl& control) {
  TOwnerDrawState state = 0;
  if (item.itemState & ODS_SELECTED) state |= odSelected;
  if (item.itemState & ODS_FOCUS) state |= odFocused;
  if (item.itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
  canvas.SetHandle(item.hDC);
  canvas.Font().Assign(control.Font());
  canvas.Brush().SetColor((state & odSelected) ? clHighlight : control.Color());
  if (state & odSelected) canvas.Font().SetColor(clHighlightText);
  return state;
}

void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text) {
  canvas.FillRect(rect);
  canvas.TextOut(rect.Left + 2, rect.Top, text);
}
