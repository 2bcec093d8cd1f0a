#pragma once
// The classic bevel: width one-pixel frames inside rect, each lit on the top
// and left edges and shaded on the bottom and right ones; rect shrinks by width.

#include "toolkit/gdi/Canvas.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
