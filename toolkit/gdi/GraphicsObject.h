#pragma once
// Base of the canvas's pen, brush and font: a description that makes its GDI
// object on demand and makes a new one after every change. Serial() tells a
// canvas whether what it selected is still current.

#include <functional>

#include "runtime/CountedPtr.h"
#include "runtime/Object.h"
#include "toolkit/gdi/GdiObject.h"

// A persistent, so that a control's font is reachable as a nested object property.
class TGraphicsObject : public TPersistent {
public:
  unsigned Serial() const { return serial_; }
  std::function<void()> OnChange;

protected:
  // A change that needs a new GDI object (false: only how it is used changed).
  void Changed(bool newHandle = true);
  // The object made for the current description, made on first use.
  HGDIOBJ CurrentHandle() const;
  virtual CountedPtr<TGdiObject> MakeHandle() const = 0;
  // Takes an existing object as the current one (and with it its description).
  void AdoptHandle(HGDIOBJ object);

private:
  unsigned serial_ = 1;
  mutable CountedPtr<TGdiObject> handle_;
};
