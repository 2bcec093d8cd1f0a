#pragma once
// A windowed control that paints itself: Paint draws on Canvas, which
// during painting draws on the paint device context.

#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/controls/WinControl.h"

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {}

  TCanvas& Canvas() { return canvas_; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TControlCanvas canvas_;
};
