#include "graphics/RGBColor.h"

#include <algorithm>
#include <cmath>

#include "graphics/PixelRound.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr long double OneThird = 1.0L / 3;
constexpr long double TwoThirds = 2.0L / 3;

float ByteToChannel(int byte) { return float(byte / 255.0L); }

// Halves to even as nearbyintl, without its cost (a heights map converts
// three channels per cell); anything outside 0..255, NaN included, throws.
int ChannelToByte(float c) {
  const long double byte = RoundPixelValue((long double)c * 255);
  if (!(byte >= 0 && byte <= 255)) throw ERangeError();
  return int(byte);
}

float ClampChannel(float c) { return c < 0 ? 0.0f : c > 1 ? 1.0f : c; }

float HueToComponent(long double T, float P, float Q) {
  T -= floorl(T);
  if (6 * T < 1) return float(P + (Q - P) * 6 * T);
  if (2 * T < 1) return Q;
  if (3 * T < 2) return float(P + (Q - P) * (TwoThirds - T) * 6);
  return P;
}

}  // namespace

TRGBColor ColorToRGB3(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return {ByteToChannel(GetRValue(rgb)), ByteToChannel(GetGValue(rgb)), ByteToChannel(GetBValue(rgb))};
}

TRGBColor MakeRGB3(float R, float G, float B) { return {R, G, B}; }

TColor RGB3ToColor(const TRGBColor& C) { return RGB(ChannelToByte(C.R), ChannelToByte(C.G), ChannelToByte(C.B)); }

TRGBColor ClampRGB(const TRGBColor& C) { return {ClampChannel(C.R), ClampChannel(C.G), ClampChannel(C.B)}; }

TColor GrayOfRGB(const TRGBColor& C) {
  const float luminance = float(0.299L * C.R + 0.587L * C.G + 0.114L * C.B);
  const int grey = ChannelToByte(ClampChannel(luminance));
  return RGB(grey, grey, grey);
}

TColor ColorToGray(TColor C) { return GrayOfRGB(ColorToRGB3(C)); }

TRGBColor RGB3ToHSL(const TRGBColor& C) {
  const float mx = std::max({C.R, C.G, C.B});
  const float mn = std::min({C.R, C.G, C.B});
  const float l = float(((long double)mx + mn) / 2);
  if (mx == mn) return {l, 0, 0};
  const float d = float((long double)mx - mn);
  const float s = l >= 0.5f ? float(d / (2 - (long double)mx - mn)) : float(d / ((long double)mx + mn));
  float h;
  if (C.R == mx)
    h = float(((long double)C.G - C.B) / d);
  else if (C.G == mx)
    h = float(((long double)C.B - C.R) / d + 2);
  else
    h = float(((long double)C.R - C.G) / d + 4);
  h = float(h / 6.0L);
  if (h < 0) h = float(h + 1.0L);
  return {l, h, s};
}

TRGBColor HSLToRGB3(const TRGBColor& HSL) {
  const float l = HSL.R, h = HSL.G, s = HSL.B;
  if (s == 0) return {l, l, l};
  const float q = l > 0.5f ? float((long double)l + s - (long double)l * s) : float(l * (1 + (long double)s));
  const float p = float(2 * (long double)l - q);
  return {HueToComponent(h + OneThird, p, q), HueToComponent(h, p, q), HueToComponent(h - OneThird, p, q)};
}

TColor AdjustColor(TColor C, float LightFactor, float SatFactor) {
  TRGBColor hsl = RGB3ToHSL(ColorToRGB3(C));
  hsl.R = float((long double)hsl.R * LightFactor);
  hsl.B = float((long double)hsl.B * SatFactor);
  return RGB3ToColor(ClampRGB(HSLToRGB3(hsl)));
}

TTriVertex MakeGradientVertex(TPoint P, TColor C) {
  const TColor rgb = ColorToRGB(C);
  TTriVertex v;
  v.x = P.X;
  v.y = P.Y;
  v.Red = std::uint16_t(GetRValue(rgb) << 8);
  v.Green = std::uint16_t(GetGValue(rgb) << 8);
  v.Blue = std::uint16_t(GetBValue(rgb) << 8);
  return v;
}

namespace {

void FillRectangle(HDC dc, const TRect& rect, TColor from, TColor to, unsigned mode) {
  const TTriVertex vertices[2] = {MakeGradientVertex(rect.TopLeft(), from),
                                  MakeGradientVertex({rect.Right, rect.Bottom}, to)};
  const TGradientRect gradient{0, 1};
  GradientFill(dc, vertices, 2, &gradient, 1, mode);
}

void FillTriangles(HDC dc, const TRect& rect, TColor tl, TColor tr, TColor br, TColor bl) {
  const TTriVertex vertices[4] = {
      MakeGradientVertex({rect.Left, rect.Top}, tl), MakeGradientVertex({rect.Right, rect.Top}, tr),
      MakeGradientVertex({rect.Right, rect.Bottom}, br), MakeGradientVertex({rect.Left, rect.Bottom}, bl)};
  const TGradientTriangle triangles[2] = {{0, 1, 2}, {0, 2, 3}};
  // Triangles own their edges: the clip keeps column Right and row Bottom
  // out, and the caller's clip comes back with the saved state.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  GradientFill(dc, vertices, 4, triangles, 2, GRADIENT_FILL_TRIANGLE);
  RestoreDC(dc, saved);
}

}  // namespace

void FillGradient(TCanvas& Canvas, const TRect& Rect, TColor TopLeft, TColor TopRight, TColor BottomRight,
                  TColor BottomLeft) {
  HDC dc = Canvas.Handle();
  if (TopLeft == TopRight && BottomRight == BottomLeft)
    FillRectangle(dc, Rect, TopLeft, BottomRight, GRADIENT_FILL_RECT_V);
  else if (TopLeft == BottomLeft && TopRight == BottomRight)
    FillRectangle(dc, Rect, TopLeft, BottomRight, GRADIENT_FILL_RECT_H);
  else
    FillTriangles(dc, Rect, TopLeft, TopRight, BottomRight, BottomLeft);
}
