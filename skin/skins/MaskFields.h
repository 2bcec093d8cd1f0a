#pragma once
// The fields every reader of masks sets the same way, whatever the skin's
// source (folder entries, stored collections).

#include <cstdint>

#include "skin/skins/SkinData.h"

namespace MaskFields {

// A value clipped into a mask's 16-bit field.
std::int16_t Small(int value);
// Counts every mask keeps, so that no frame size divides by zero.
void SetCounts(TSkinMaskData& mask, int imageCount, int maskType);
// Widths a border leaves out, when none are given: all BorderWidth when
// given, else a third of a frame.
void FillBorderWidths(TSkinMaskData& mask);

}  // namespace MaskFields
