#include "skin/skins/MaskFields.h"

#include <algorithm>
#include <limits>

namespace MaskFields {

std::int16_t Small(int value) {
  return std::int16_t(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                      std::numeric_limits<std::int16_t>::max()));
}

void SetCounts(TSkinMaskData& mask, int imageCount, int maskType) {
  mask.ImageCount = std::max<std::int16_t>(Small(imageCount), 1);
  mask.MaskType = std::max<std::int16_t>(Small(maskType), 0);
}

void FillBorderWidths(TSkinMaskData& mask) {
  if (mask.WL + mask.WT + mask.WR + mask.WB != 0) return;
  if (mask.BorderWidth != 0) {
    mask.WL = mask.WT = mask.WR = mask.WB = mask.BorderWidth;
    return;
  }
  mask.WL = mask.WR = Small(mask.SourceRect.Width() / (mask.ImageCount * 3));
  mask.WT = mask.WB = Small(mask.SourceRect.Height() / ((mask.MaskType + 1) * 3));
}

}  // namespace MaskFields
