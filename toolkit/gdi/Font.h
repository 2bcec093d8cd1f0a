#pragma once

#include <string>

#include "toolkit/gdi/GraphicsObject.h"

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// Height < 0 is the character height in pixels, > 0 the cell height; Size
// is in points at PixelsPerInch (96): Height = -Size * 96 / 72, rounded.
// Orientation turns the base line, in tenths of a degree counter-clockwise.
class TFont : public TGraphicsObject {
public:
  static constexpr int PixelsPerInch = 96;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Orientation() const { return orientation_; }
  void SetOrientation(int tenthsOfDegree);
  void Assign(const TFont& other);

  HFONT Handle() const { return static_cast<HFONT>(CurrentHandle()); }
  // Takes name, height, style and orientation from an existing font.
  void SetHandle(HFONT font);

private:
  CountedPtr<TGdiObject> MakeHandle() const override;

  std::string name_ = "Tahoma";
  int height_ = -11;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  int orientation_ = 0;
};
