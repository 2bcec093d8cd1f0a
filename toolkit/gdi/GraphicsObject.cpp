#include "toolkit/gdi/GraphicsObject.h"

void TGraphicsObject::Changed(bool newHandle) {
  ++serial_;
  if (newHandle) handle_ = nullptr;
  if (OnChange) OnChange();
}

HGDIOBJ TGraphicsObject::CurrentHandle() const {
  if (!handle_) handle_ = MakeHandle();
  return handle_.get();
}

void TGraphicsObject::AdoptHandle(HGDIOBJ object) {
  Changed();
  handle_ = object;
}
