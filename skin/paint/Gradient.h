#pragma once
// Multi-step colour gradients of skin sections. A section's gradient text
// holds five integers per step, separated by semicolons (runs of them
// count once): Color1, Color2, Percent, Mode and one more that is not
// used. Only the first step's Mode counts: 0 bands top to bottom, 1 bands
// left to right, 2 four triangles meeting in the centre (each corner and
// the centre take a step's Color1).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TBitmap;

struct TSkinGradStep {
  TColor Color1 = 0;  // at the start of the step's band
  TColor Color2 = 0;  // at its end
  std::uint8_t Percent = 0;  // the share of the rectangle the band takes, 0..100
  int Mode = 0;
};
using TSkinGradArray = std::vector<TSkinGradStep>;

// Steps of every complete group of five numbers; Percent is limited to
// 0..100. A number that is not an integer raises EConvertError, the steps
// already sized.
void ParseGradientData(const std::string& data, TSkinGradArray& steps);
// Paints the steps over r of a 24-bit bitmap (mode 2: of any bitmap), r cut
// to the bitmap; offset moves the vertical bands down.
void PaintGradient(TBitmap* bmp, TRect r, const TSkinGradArray& steps, int offset);
// The colour's bytes in scan-line order: [0] blue, [1] green, [2] red.
std::array<std::uint8_t, 3> SplitColor(TColor color);
