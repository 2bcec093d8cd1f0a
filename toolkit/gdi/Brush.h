#pragma once

#include "toolkit/gdi/GraphicsObject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // A pattern bitmap (not owned, copied when the brush is made) takes the
  // place of colour and style; null clears it.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* bitmap);
  void Assign(const TBrush& other);

  HBRUSH Handle() const { return static_cast<HBRUSH>(CurrentHandle()); }
  // Uses an existing brush (such as a pattern brush made elsewhere).
  void SetHandle(HBRUSH brush);

private:
  CountedPtr<TGdiObject> MakeHandle() const override;

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
};
