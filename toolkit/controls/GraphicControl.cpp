#include "toolkit/controls/GraphicControl.h"

void TGraphicControl::Dispatch(TMessage& message) {
  static const TMessageHandlers<TGraphicControl> handlers{{WM_PAINT, &TGraphicControl::WMPaint}};
  if (!handlers.Dispatch(*this, message)) TControl::Dispatch(message);
}

// The parent hands its paint device context, moved and clipped to this control.
void TGraphicControl::WMPaint(TMessage& message) {
  if (message.WParam) canvas_.PaintWith(reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
}
