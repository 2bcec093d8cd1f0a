#include "toolkit/controls/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "toolkit/controls/WinControl.h"
#include "toolkit/win/Paint.h"

namespace {

std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> canvases;
  return canvases;
}

}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  auto* windowed = dynamic_cast<TWinControl*>(&control_);
  TWinControl* owner = windowed ? windowed : control_.Parent();
  if (!owner) return;
  window_ = owner->Handle();
  taken_ = GetDC(window_);
  if (!windowed) {
    SetWindowOrgEx(taken_, -control_.Left(), -control_.Top(), nullptr);
    IntersectClipRect(taken_, 0, 0, control_.Width(), control_.Height());
  }
  SetHandle(taken_);
  CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (!taken_) return;
  SetHandle(nullptr);
  ReleaseDC(window_, taken_);
  taken_ = nullptr;
  auto& canvases = CanvasesWithDC();
  canvases.erase(std::remove(canvases.begin(), canvases.end(), this), canvases.end());
}

void TControlCanvas::PaintWith(HDC dc, const std::function<void()>& paint) {
  Lock();
  FreeHandle();
  SetHandle(dc);
  struct TDetach {
    TControlCanvas& Canvas;
    ~TDetach() {
      Canvas.SetHandle(nullptr);
      Canvas.Unlock();
    }
  } detach{*this};
  paint();
}

void FreeDeviceContexts() {
  while (!CanvasesWithDC().empty()) CanvasesWithDC().back()->FreeHandle();
}
