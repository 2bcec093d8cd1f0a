#include "skin/adapters/SkWWComboBoxWnd.h"

#include "toolkit/controls/ComboBox.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// A TComboBox shows its button only in the drop-down styles; any other
// class listed as a combo-like edit always shows one.
bool ShowsDropDownButton(const TWinControl& control) {
  const auto* combo = dynamic_cast<const TCustomComboBox*>(&control);
  if (!combo || control.ClassName() != "TComboBox") return true;
  const TComboBoxStyle style = combo->Style();
  return style == csDropDown || style == csDropDownList;
}

}  // namespace

TSkWWComboBoxWnd::TSkWWComboBoxWnd(TWinControl& control) : ShowsButton(ShowsDropDownButton(control)) {}

TRect TSkWWComboBoxWnd::ButtonRect() const {
  return ButtonRectOfWidth(ShowsButton ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}
