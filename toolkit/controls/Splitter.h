#pragma once
// A bar between aligned controls: dragging it resizes the control aligned
// on its side just before it, live. The neighbour keeps at least MinSize,
// and so does the rest of the parent; with AutoSnap, dragging the
// neighbour below MinSize snaps it to nothing instead of stopping there.

#include "toolkit/controls/GraphicControl.h"

class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent* owner);

  int MinSize = 30;
  bool AutoSnap = true;
  TNotifyEvent OnMoved;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Dispatch(TMessage& message) override;

private:
  bool Vertical() const { return Align() == alLeft || Align() == alRight; }
  // The control being resized: aligned like the splitter and touching it.
  TControl* FindNeighbour() const;
  // The extent along the drag of the parent's client area less every
  // other control aligned to its sides.
  int RoomForNeighbour() const;
  int Along(int x, int y) const { return Vertical() ? Left() + x : Top() + y; }
  int Extent(const TControl& control) const { return Vertical() ? control.Width() : control.Height(); }
  void Resize(TControl& neighbour, int size);

  TControl* neighbour_ = nullptr;
  int downAt_ = 0;
  int startSize_ = 0;
};
