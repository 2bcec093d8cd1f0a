#pragma once
// Icons: a 32-bit picture whose alpha bytes say how opaque each pixel is.
// An icon handle is owned by whoever made it until DestroyIcon; TIcon owns
// the handle it holds.

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/GdiBitmap.h"

class TGdiIcon final {
public:
  // The picture is kept, converted to 32 bits when it has another format.
  explicit TGdiIcon(const TGdiBitmap& image);
  const TGdiBitmap& Image() const { return *image_; }

private:
  CountedPtr<TGdiBitmap> image_;
};
using HICON = TGdiIcon*;

HICON CreateIconFromImage(const TGdiBitmap& image);
// False for a null handle.
bool DestroyIcon(HICON icon);

class TIcon {
public:
  TIcon() = default;
  // Takes over the handle.
  explicit TIcon(HICON handle) : handle_(handle) {}
  ~TIcon();
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  HICON Handle() const { return handle_; }
  // Takes over the handle; the one held before is destroyed.
  void SetHandle(HICON handle);
  // No handle, or a picture without pixels.
  bool Empty() const;
  int Width() const;
  int Height() const;

private:
  HICON handle_ = nullptr;
};
