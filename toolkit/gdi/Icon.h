#pragma once
// Icons: a 32-bit picture whose alpha bytes say how opaque each pixel is.
// An icon handle is owned by whoever made it until DestroyIcon; TIcon owns
// the handle it holds.

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Graphic.h"

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

// A picture that is always transparent: its alpha decides.
class TIcon : public TGraphic {
public:
  TIcon() { SetTransparent(true); }
  // Takes over the handle.
  explicit TIcon(HICON handle) : TIcon() { handle_ = handle; }
  ~TIcon() override;

  HICON Handle() const { return handle_; }
  // Takes over the handle; the one held before is destroyed.
  void SetHandle(HICON handle);
  // No handle, or a picture without pixels.
  bool Empty() const override;
  int Width() const override;
  int Height() const override;

  // An icon file: of its pictures the largest with the most colours, among
  // those held as bitmaps (1, 4, 8, 24 or 32 bits with an AND mask). Other
  // data raises EQuantrelError "Icon image is not valid".
  void LoadFromStream(std::istream& stream) override;
  // Copies another icon's picture.
  void Assign(const TGraphic& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) const override;

private:
  HICON handle_ = nullptr;
};
