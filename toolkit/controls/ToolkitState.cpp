#include "toolkit/controls/ToolkitState.h"

#include "toolkit/controls/WinControl.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/ScrollBar.h"

void ResetToolkitState() {
  // The scroll bar's tracker is the input's mouse tracker: it ends first.
  ResetScrollBarTracking();
  ResetInputState();
  ResetControlInputState();
}
