#pragma once
// A windowless area whose owner paints it: OnPaint draws on Canvas, which
// starts each paint with the box's font and colour.

#include "toolkit/controls/GraphicControl.h"

class TPaintBox : public TGraphicControl {
public:
  explicit TPaintBox(TComponent* owner);

  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};
