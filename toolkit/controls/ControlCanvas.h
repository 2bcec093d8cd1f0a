#pragma once
// The canvas of a control. While the control paints, it draws on the paint
// device context; outside painting it takes a device context of the
// control's window (a windowless control's: its parent's, moved and clipped
// to the control), which FreeDeviceContexts gives back.

#include <functional>

#include "toolkit/base/Handles.h"
#include "toolkit/gdi/Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl& control) : control_(control) {}
  ~TControlCanvas() override;

  // Gives back a device context taken outside painting.
  void FreeHandle();
  // Runs paint with the canvas drawing on dc, and detaches it afterwards
  // (also when paint throws).
  void PaintWith(HDC dc, const std::function<void()>& paint);

protected:
  void CreateHandle() override;

private:
  TControl& control_;
  HWND window_ = nullptr;
  HDC taken_ = nullptr;
};

// Gives back every device context control canvases took outside painting,
// so that what was drawn reaches the screen.
void FreeDeviceContexts();
