#pragma once
// The pixels of a gradient fill, one row piece at a time: what GradientFill
// sets on a raster, and what a metafile without a gradient record stores
// in its place. Coordinates are those of the vertices; colours are
// interpolated from the vertices' 16-bit channels and come as 0xFFRRGGBB.

#include <cstdint>
#include <functional>
#include <span>

#include "toolkit/gdi/Gdi.h"

// Called with a row, the column of its first pixel and the pixels from there.
using TGradientRowVisitor = std::function<void(int y, int left, std::span<const std::uint32_t> pixels)>;

// From a's colour to b's over the rectangle between them (right and bottom
// excluded), left to right or top to bottom; only the part inside area.
void ForEachGradientRectRow(const TTriVertex& a, const TTriVertex& b, bool horizontal, const TRect& area,
                            const TGradientRowVisitor& visit);
// The triangle with its edges and corners; only the part inside area.
void ForEachGradientTriangleRow(const TTriVertex& v0, const TTriVertex& v1, const TTriVertex& v2, const TRect& area,
                                const TGradientRowVisitor& visit);
