#pragma once
// GDI objects: pens, brushes, fonts, bitmaps and regions behind handles.
// An object is counted: the handle returned by a Create function holds one
// reference and DeleteObject releases it, while every device context that
// has the object selected holds its own. So deleting a selected object is
// safe: it lives on until it is deselected. Objects never change after
// creation (a bitmap's pixels excepted). Stock objects are never freed.

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/Color.h"

// Object types (GetObjectType, GetCurrentObject).
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;

class TGdiObject : public TCounted {
public:
  virtual int ObjectType() const = 0;
  bool IsStock() const { return stock_; }
  void MakeStock();

private:
  bool stock_ = false;
};
using HGDIOBJ = TGdiObject*;

// Releases the handle's reference; false for a null handle. Stock objects stay.
bool DeleteObject(HGDIOBJ object);
int GetObjectType(HGDIOBJ object);

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// A pen of width 0 or 1 is cosmetic: one aliased pixel wide whatever the mapping.
class TGdiPen final : public TGdiObject {
public:
  TGdiPen(int style, int width, TColor color) : Style(style), Width(width), Color(color) {}
  int ObjectType() const override { return OBJ_PEN; }
  bool IsCosmetic() const { return Width <= 1; }
  const int Style;
  const int Width;
  const TColor Color;
};
using HPEN = TGdiPen*;

HPEN CreatePen(int style, int width, TColor color);

// Brush styles and hatch styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;
constexpr int BS_HATCHED = 2;
constexpr int BS_PATTERN = 3;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

class TGdiBitmap;

// A pattern brush keeps its own copy of the bitmap. A monochrome pattern is
// drawn in the device context's colours: 0 bits in the text colour, 1 bits
// in the background colour. Hatch lines are drawn in the brush colour over
// the background colour (or over what is there in TRANSPARENT mode).
class TGdiBrush final : public TGdiObject {
public:
  TGdiBrush(int style, TColor color, int hatch = 0, CountedPtr<TGdiBitmap> pattern = nullptr);
  int ObjectType() const override { return OBJ_BRUSH; }
  const int Style;
  const TColor Color;
  const int Hatch;
  const CountedPtr<TGdiBitmap> Pattern;
};
using HBRUSH = TGdiBrush*;

HBRUSH CreateSolidBrush(TColor color);
HBRUSH CreateHatchBrush(int hatch, TColor color);
// Null when the bitmap is null or empty.
HBRUSH CreatePatternBrush(TGdiBitmap* bitmap);
// A stock brush of each system colour.
HBRUSH GetSysColorBrush(int index);

// Font weights.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// lfHeight < 0: the character height (em) in pixels; > 0: the cell height
// (ascent + descent); 0: a default height. lfEscapement is the angle of the
// base line in tenths of a degree, counter-clockwise.
struct TLogFont {
  int lfHeight = 0;
  int lfWidth = 0;
  int lfEscapement = 0;
  int lfOrientation = 0;
  int lfWeight = FW_NORMAL;
  bool lfItalic = false;
  bool lfUnderline = false;
  bool lfStrikeOut = false;
  std::uint8_t lfCharSet = 1;  // DEFAULT_CHARSET
  std::uint8_t lfPitchAndFamily = 0;
  std::string lfFaceName;
};

// The platform's realisation of a font (glyphs, metrics), made on first use.
struct TFontFace;
struct TFontFaceDeleter {
  void operator()(TFontFace* face) const;
};

class TGdiFont final : public TGdiObject {
public:
  explicit TGdiFont(TLogFont logFont) : LogFont(std::move(logFont)) {}
  int ObjectType() const override { return OBJ_FONT; }
  const TLogFont LogFont;
  TFontFace& Face() const;

private:
  mutable std::unique_ptr<TFontFace, TFontFaceDeleter> face_;
};
using HFONT = TGdiFont*;

HFONT CreateFontIndirect(const TLogFont& logFont);

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

HGDIOBJ GetStockObject(int index);
