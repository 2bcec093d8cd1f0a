#include "toolkit/controls/Frame.h"

TFrame::TFrame(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 320, 240);
  SetParentColor(true);
}
