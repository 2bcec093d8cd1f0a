#include "toolkit/gdi/Font.h"

#include "runtime/MulDiv.h"

void TFont::SetName(const std::string& name) {
  if (name == name_ || name.empty()) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed(false);
}

void TFont::SetOrientation(int tenthsOfDegree) {
  if (tenthsOfDegree == orientation_) return;
  orientation_ = tenthsOfDegree;
  Changed();
}

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  orientation_ = other.orientation_;
  Changed();
}

void TFont::SetHandle(HFONT font) {
  if (!font) return;
  const TLogFont& logFont = font->LogFont;
  name_ = logFont.lfFaceName;
  height_ = logFont.lfHeight;
  style_ = (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
           (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0);
  orientation_ = logFont.lfEscapement;
  AdoptHandle(font);
}

CountedPtr<TGdiObject> TFont::MakeHandle() const {
  TLogFont logFont;
  logFont.lfHeight = height_;
  logFont.lfEscapement = orientation_;
  logFont.lfOrientation = orientation_;
  logFont.lfWeight = style_ & fsBold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = style_ & fsItalic;
  logFont.lfUnderline = style_ & fsUnderline;
  logFont.lfStrikeOut = style_ & fsStrikeOut;
  logFont.lfFaceName = name_;
  return CountedPtr<TGdiObject>(new TGdiFont(logFont));
}
