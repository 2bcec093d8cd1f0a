#pragma once
// Shapes both renderers draw the same way, in the canvas's pen and brush:
// the marker symbols, arrows, and the legend's sample of a shaded surface.

#include "graphics/Point3D.h"
#include "graphics/XData.h"

class TCanvas;

// The symbol of radius R centred on P; smNone draws nothing.
void DrawSymbolShape(TCanvas& Canvas, TSymbol Symbol, TPoint P, int R);
// A line from Tail to Tip and a filled head at Tip, HeadLength long and
// 2 HalfWidth wide; a tip on the tail gets no head.
void DrawArrowShape(TCanvas& Canvas, const TRealPoint& Tail, const TRealPoint& Tip, long double HeadLength,
                    long double HalfWidth);
// The legend's sample of a shaded surface in (X, Y) .. (X + 32, Y + H):
// Data's pen and brush for shaders 0 to 2, white to the brush colour to
// black for shader 3, red to yellow over lime to blue for 4 and 5, with an
// outline unless the pen is clear; nothing for other shaders.
void DrawShaderSwatch(TCanvas& Canvas, const TXData& Data, int X, int Y, int H);
