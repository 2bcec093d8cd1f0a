#include "toolkit/gdi/Brush.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/GdiBitmap.h"

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  bitmap_ = bitmap;
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  color_ = other.color_;
  style_ = other.style_;
  bitmap_ = other.bitmap_;
  Changed();
}

void TBrush::SetHandle(HBRUSH brush) {
  if (!brush) return;
  bitmap_ = nullptr;
  color_ = brush->Color;
  switch (brush->Style) {
    case BS_NULL: style_ = bsClear; break;
    case BS_HATCHED: style_ = TBrushStyle(bsHorizontal + brush->Hatch); break;
    default: style_ = bsSolid;
  }
  AdoptHandle(brush);
}

CountedPtr<TGdiObject> TBrush::MakeHandle() const {
  if (bitmap_ && !bitmap_->Empty())
    return CountedPtr<TGdiObject>(
        new TGdiBrush(BS_PATTERN, clBlack, 0, CountedPtr<TGdiBitmap>(bitmap_->Handle()->Clone().release())));
  switch (style_) {
    case bsSolid: return CountedPtr<TGdiObject>(new TGdiBrush(BS_SOLID, color_));
    case bsClear: return CountedPtr<TGdiObject>(new TGdiBrush(BS_NULL, color_));
    default: return CountedPtr<TGdiObject>(new TGdiBrush(BS_HATCHED, color_, style_ - bsHorizontal));
  }
}
