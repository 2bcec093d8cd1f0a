#pragma once
// Colour arithmetic on single-float triples. A TRGBColor holds R, G, B in
// 0..1, or an HSL colour as (L, H, S) in the same three places: lightness,
// hue as a fraction of a full turn, saturation. Each expression is worked
// out in long double and rounded to float where a value is kept; a channel
// becomes a byte as round(c * 255), halves to even.

#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Gdi.h"

class TCanvas;

struct TRGBColor {
  float R = 0;
  float G = 0;
  float B = 0;
  friend bool operator==(const TRGBColor&, const TRGBColor&) = default;
};

// System colours resolve through the toolkit's fixed table.
TRGBColor ColorToRGB3(TColor C);
TRGBColor MakeRGB3(float R, float G, float B);
// Throws ERangeError for a channel outside 0..255 after rounding: clamp first.
TColor RGB3ToColor(const TRGBColor& C);
TRGBColor ClampRGB(const TRGBColor& C);
// The grey of the colour's luminance.
TColor GrayOfRGB(const TRGBColor& C);
TColor ColorToGray(TColor C);
TRGBColor RGB3ToHSL(const TRGBColor& C);
TRGBColor HSLToRGB3(const TRGBColor& HSL);
// The colour with its lightness and saturation scaled, clamped to 0..1.
TColor AdjustColor(TColor C, float LightFactor, float SatFactor);
// A gradient corner at P; $FF becomes $FF00 in each channel.
TTriVertex MakeGradientVertex(TPoint P, TColor C);
// Paints Rect (right and bottom exclusive) from its four corner colours:
// a vertical gradient when the top corners and the bottom corners agree, a
// horizontal one when the left and right corners do, else two triangles
// meeting on the top-left to bottom-right diagonal.
void FillGradient(TCanvas& Canvas, const TRect& Rect, TColor TopLeft, TColor TopRight, TColor BottomRight,
                  TColor BottomLeft);
