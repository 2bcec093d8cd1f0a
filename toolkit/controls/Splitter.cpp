#include "toolkit/controls/Splitter.h"

#include <algorithm>

#include "toolkit/controls/WinControl.h"

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crSizeWE);
  SetParentColor(true);
}

void TSplitter::Paint() {
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(ClientRect());
}

TControl* TSplitter::FindNeighbour() const {
  if (!Parent()) return nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* control = Parent()->Controls(i);
    if (control == this || !control->Visible() || control->Align() != Align()) continue;
    const bool touches = Align() == alLeft     ? control->Left() + control->Width() == Left()
                         : Align() == alRight  ? control->Left() == Left() + Width()
                         : Align() == alTop    ? control->Top() + control->Height() == Top()
                                               : control->Top() == Top() + Height();
    if (touches) return control;
  }
  return nullptr;
}

int TSplitter::RoomForNeighbour() const {
  const TRect client = Parent()->ClientRect();
  int room = Vertical() ? client.Width() : client.Height();
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    const TControl* control = Parent()->Controls(i);
    if (control == neighbour_ || !control->Visible()) continue;
    const TAlign align = control->Align();
    const bool sameAxis = Vertical() ? align == alLeft || align == alRight : align == alTop || align == alBottom;
    if (sameAxis) room -= Extent(*control);
  }
  return room;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  neighbour_ = FindNeighbour();
  if (!neighbour_) return;
  downAt_ = Along(x, y);
  startSize_ = Extent(*neighbour_);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!neighbour_ || !(ControlState & csLButtonDown)) return;
  const int moved = Along(x, y) - downAt_;
  const bool grows = Align() == alLeft || Align() == alTop;
  int size = startSize_ + (grows ? moved : -moved);
  size = std::min(size, RoomForNeighbour() - MinSize);
  if (size < MinSize) size = AutoSnap ? 0 : MinSize;
  Resize(*neighbour_, std::max(size, 0));
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !neighbour_) return;
  neighbour_ = nullptr;
  if (OnMoved) OnMoved(this);
}

void TSplitter::Resize(TControl& neighbour, int size) {
  if (size == Extent(neighbour)) return;
  if (Vertical())
    neighbour.SetWidth(size);
  else
    neighbour.SetHeight(size);
  if (Parent()) Parent()->Update();
}

void TSplitter::Dispatch(TMessage& message) {
  // The cursor follows the side the splitter is aligned to.
  if (message.Msg == CM_MOUSEENTER) SetCursor(Vertical() ? crSizeWE : crSizeNS);
  TGraphicControl::Dispatch(message);
}
