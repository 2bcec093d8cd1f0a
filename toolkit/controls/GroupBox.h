#pragma once
// A captioned frame holding controls: an etched frame whose top edge runs
// through the middle of the caption; aligned children fill what is inside.

#include "toolkit/controls/CustomControl.h"

class TGroupBox : public TCustomControl {
public:
  explicit TGroupBox(TComponent* owner);

protected:
  void Paint() override;
  void AlignControls(TRect& rect) override;
  void Dispatch(TMessage& message) override;

private:
  int CaptionHeight();
  void CMTextChanged(TMessage& message);
};
