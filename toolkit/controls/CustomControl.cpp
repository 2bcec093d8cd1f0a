#include "toolkit/controls/CustomControl.h"

void TCustomControl::PaintWindow(HDC dc) {
  ControlState |= csCustomPaint;
  struct TEndCustomPaint {
    TControlState& State;
    ~TEndCustomPaint() { State &= ~csCustomPaint; }
  } end{ControlState};
  canvas_.PaintWith(dc, [this] { Paint(); });
}
