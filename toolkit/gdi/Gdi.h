#pragma once
// Drawing on a device context, with the platform's pixel rules: a line
// leaves out its end point; a rectangle, ellipse or filled area leaves out
// its right and bottom edge; pens of width 0 or 1 are aliased and one pixel
// wide; pattern and hatch brushes are aligned to the brush origin. Text is
// UTF-8; a character of ExtTextOut's advances is one code point
// (CodePointStarts).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "toolkit/gdi/DeviceContext.h"

bool MoveToEx(HDC dc, int x, int y, TPoint* old);
// Draws from the current position to (x, y), leaving out (x, y).
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const TPoint* points, int count);
// Outlined with the pen, filled with the brush in the polygon fill mode.
bool Polygon(HDC dc, const TPoint* points, int count);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);

// Brush fills: the mix is always a plain copy, whatever SetROP2 chose.
int FillRect(HDC dc, const TRect& rect, HBRUSH brush);
// A one-pixel frame just inside rect.
int FrameRect(HDC dc, const TRect& rect, HBRUSH brush);
bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
bool InvertRect(HDC dc, const TRect& rect);
// A dotted frame drawn by inverting: drawing it again removes it.
bool DrawFocusRect(HDC dc, const TRect& rect);

// Raster operations: each bit of the result is a function of the pattern
// (P, the selected brush), source (S) and destination (D) bits.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;      // S
constexpr std::uint32_t SRCPAINT = 0x00EE0086;     // S | D
constexpr std::uint32_t SRCAND = 0x008800C6;       // S & D
constexpr std::uint32_t SRCINVERT = 0x00660046;    // S ^ D
constexpr std::uint32_t SRCERASE = 0x00440328;     // S & ~D
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;   // ~S
constexpr std::uint32_t NOTSRCERASE = 0x001100A6;  // ~(S | D)
constexpr std::uint32_t MERGECOPY = 0x00C000CA;    // P & S
constexpr std::uint32_t MERGEPAINT = 0x00BB0226;   // ~S | D
constexpr std::uint32_t PATCOPY = 0x00F00021;      // P
constexpr std::uint32_t PATPAINT = 0x00FB0A09;     // P | ~S | D
constexpr std::uint32_t PATINVERT = 0x005A0049;    // P ^ D
constexpr std::uint32_t DSTINVERT = 0x00550009;    // ~D
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

bool PatBlt(HDC dc, int x, int y, int width, int height, std::uint32_t rop);
// Source and destination may be the same surface and overlap. A monochrome
// source drawn on colour gives 0 bits the destination's text colour and 1
// bits its background colour; colour drawn on monochrome gives 1 where the
// pixel has the source's background colour.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            std::uint32_t rop);
// Scales as the destination's stretch mode says: the nearest source pixel
// (COLORONCOLOR), or in HALFTONE each channel's average over the source
// area a destination pixel covers, weighted by the part covered, rounded
// (an enlargement by a whole factor repeats pixels). A negative size
// mirrors, its rectangle running back from the pixel at the corner
// (x + width + 1 .. x).
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, std::uint32_t rop);
// Copies every source pixel that is not the transparent colour.
bool TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, TColor transparent);
// Moves the pixels of scroll (all the DC when null) by (dx, dy) within
// clip; the area left uncovered is returned in update and updateRect.
bool ScrollDC(HDC dc, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update,
              TRect* updateRect);

// Both give CLR_INVALID outside the drawable area.
TColor SetPixel(HDC dc, int x, int y, TColor color);
TColor GetPixel(HDC dc, int x, int y);

// Gradients: colours are 16 bits per channel (0x0000..0xFF00).
struct TTriVertex {
  int x = 0;
  int y = 0;
  std::uint16_t Red = 0;
  std::uint16_t Green = 0;
  std::uint16_t Blue = 0;
  std::uint16_t Alpha = 0;
};
struct TGradientRect {
  unsigned UpperLeft = 0;
  unsigned LowerRight = 0;
};
struct TGradientTriangle {
  unsigned Vertex1 = 0;
  unsigned Vertex2 = 0;
  unsigned Vertex3 = 0;
};
constexpr unsigned GRADIENT_FILL_RECT_H = 0;
constexpr unsigned GRADIENT_FILL_RECT_V = 1;
constexpr unsigned GRADIENT_FILL_TRIANGLE = 2;

// Rectangles run from the upper-left vertex's colour to the lower-right's,
// left to right (RECT_H) or top to bottom (RECT_V). Triangles interpolate
// the three colours; pixels on a triangle's edges and corners belong to it.
bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount, const TGradientRect* rects,
                  unsigned rectCount, unsigned mode);
bool GradientFill(HDC dc, const TTriVertex* vertices, unsigned vertexCount,
                  const TGradientTriangle* triangles, unsigned triangleCount, unsigned mode);

struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 0;
  bool tmItalic = false;
  bool tmUnderlined = false;
  bool tmStruckOut = false;
};

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 2;
constexpr unsigned ETO_CLIPPED = 4;

// Draws at the reference point of the text alignment. In OPAQUE mode the
// text's cell is filled with the background colour first.
bool TextOut(HDC dc, int x, int y, std::string_view text);
// rect (may be null) is filled with the background colour (ETO_OPAQUE)
// and/or clips the text (ETO_CLIPPED); advances, when given, place each
// character that many pixels after the previous one.
bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, std::string_view text,
                const int* advances);
bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);
// Where the characters of UTF-8 text begin, and its end: at the first byte
// and at every byte that does not continue a character (10xxxxxx). In
// well-formed text these are the code points; malformed text has no more
// characters than a caller counts by this rule.
std::vector<std::size_t> CodePointStarts(std::string_view text);
bool GetTextMetrics(HDC dc, TTextMetric* metric);

// DrawText formats.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Formats text in rect and returns its height; with DT_CALCRECT draws
// nothing and sets rect's right and bottom to fit the text. Lines break at
// line breaks (not with DT_SINGLELINE) and, with DT_WORDBREAK, between words.
// "&" underlines the next character ("&&" is one "&") unless DT_NOPREFIX.
int DrawText(HDC dc, std::string_view text, TRect& rect, unsigned format);
