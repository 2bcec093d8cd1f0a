#pragma once
// The colours that renderers hand out to new data sets, the presets that
// turn a script's plot style into drawing options, and picture extensions.

#include <array>
#include <cstdint>
#include <string>

#include "toolkit/gdi/Color.h"

class TXData;
class TXMesh;
class TXSeries;
class TXSeries3D;

// Data set N of a renderer (from 1) takes entry (N - 1) mod 8 of both.
inline constexpr std::array<TColor, 8> PenPalette = {clBlue, clGreen, clMaroon, clOlive,
                                                     clTeal, clPurple, clNavy, 0xC0DCC0};
inline constexpr std::array<TColor, 8> BrushPalette = {0xF0CAA6, 0xC0DCC0, clRed,  clYellow,
                                                       clAqua,   clFuchsia, clBlue, clLime};
// Gives the data set at Position (from 0) of a renderer's list its pen and brush colours.
void ApplyPaletteColours(TXData& Data, std::size_t Position);

// Style is a TPlotStyle ordinal (psLine .. psBar = 0..9); other values change nothing.
void ApplySeriesStyle(TXSeries& Series, std::uint8_t Style);
// As ApplySeriesStyle for 0..7; walls and bars (8, 9) change nothing.
void ApplySeries3DStyle(TXSeries3D& Series, std::uint8_t Style);
// Style is a TMeshStyle ordinal: msSurface and msScatter are drawn in 3D,
// msHeights and msContour in 2D. Other values change nothing.
void ApplyMeshStyle(TXMesh& Mesh, std::uint8_t Style);
// ".bmp", ".wmf" or ".emf" for export formats 0..2; "" for others.
std::string PictureExtension(std::uint8_t Format);
