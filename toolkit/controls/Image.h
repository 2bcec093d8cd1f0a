#pragma once
// A bitmap shown on its parent: at the top-left corner, centred (Center) or
// stretched to the whole control (Stretch); a transparent image leaves out
// its transparent colour (the bottom-left pixel's unless one is set).

#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/Bitmap.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);

  // Changes made through Bitmap show at the next paint (Invalidate).
  TBitmap& Bitmap() { return bitmap_; }
  void SetBitmap(const TBitmap& bitmap);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Transparent() const { return bitmap_.Transparent(); }
  void SetTransparent(bool transparent);

protected:
  void Paint() override;

private:
  TRect DestRect() const;

  TBitmap bitmap_;
  bool center_ = false;
  bool stretch_ = false;
};
