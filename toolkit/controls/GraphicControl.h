#pragma once
// A control without a window of its own: its parent paints it (Paint draws
// on Canvas at the control's place) and hands it the mouse messages over
// its area.

#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/controls/Control.h"

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner), canvas_(*this) {}

  TCanvas& Canvas() { return canvas_; }

protected:
  virtual void Paint() {}
  void Dispatch(TMessage& message) override;

private:
  void WMPaint(TMessage& message);

  TControlCanvas canvas_;
};
