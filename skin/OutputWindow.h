#pragma once
// The overlay that shows a form fading in: a window over the form's place
// into which the fade draws, neither erased nor framed. Without a parent it
// is a top-level popup owned by the application window.

#include "toolkit/controls/CustomControl.h"

class TOutputWindow : public TCustomControl {
public:
  explicit TOutputWindow(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

private:
  void WMEraseBkgnd(TMessage& message);
  void WMNCPaint(TMessage& message);
};
