#include "toolkit/gdi/Pen.h"

namespace {

constexpr int StyleCodes[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};

}  // namespace

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed(false);
}

void TPen::Assign(const TPen& other) {
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  mode_ = other.mode_;
  Changed();
}

int TPen::Rop2() const {
  static constexpr int Codes[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                                  R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                                  R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
  return Codes[mode_];
}

CountedPtr<TGdiObject> TPen::MakeHandle() const {
  return CountedPtr<TGdiObject>(new TGdiPen(StyleCodes[style_], width_, ColorToRGB(color_)));
}
