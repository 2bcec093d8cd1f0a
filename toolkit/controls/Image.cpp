#include "toolkit/controls/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csReplicatable;
  SetBounds(0, 0, 105, 105);
}

void TImage::SetBitmap(const TBitmap& bitmap) {
  const bool transparent = bitmap_.Transparent();
  bitmap_.Assign(bitmap);
  bitmap_.SetTransparent(transparent || bitmap.Transparent());
  Invalidate();
}

void TImage::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == Transparent()) return;
  bitmap_.SetTransparent(transparent);
  Invalidate();
}

TRect TImage::DestRect() const {
  if (stretch_) return ClientRect();
  TRect rect = Bounds(0, 0, bitmap_.Width(), bitmap_.Height());
  if (center_) OffsetRect(rect, (Width() - rect.Width()) / 2, (Height() - rect.Height()) / 2);
  return rect;
}

void TImage::Paint() {
  if (bitmap_.Empty()) return;
  Canvas().StretchDraw(DestRect(), bitmap_);
}
