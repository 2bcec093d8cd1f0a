#include "toolkit/controls/PaintBox.h"

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csReplicatable;
  SetBounds(0, 0, 105, 105);
  SetParentColor(true);
}

void TPaintBox::Paint() {
  Canvas().Font().Assign(Font());
  Canvas().Brush().SetColor(Color());
  Canvas().Brush().SetStyle(bsSolid);
  if (OnPaint) OnPaint(this);
}
