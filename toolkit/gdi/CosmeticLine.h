#pragma once
// One-pixel lines, rasterised here rather than by the platform painter so
// that the end point is left out whichever way the line runs: every pixel
// from `from` on, stepping towards `to`, and not `to` itself.

#include <span>

#include "toolkit/gdi/DeviceContext.h"

// With the selected (cosmetic) pen and the ROP2 mode; dashes restart at from.
void DrawCosmeticLine(HDC dc, TPoint from, TPoint to);

// The dash pattern of a pen style in pixels (on, off, on, off ...); empty
// for styles without dashes.
std::span<const int> CosmeticDashes(int style);
