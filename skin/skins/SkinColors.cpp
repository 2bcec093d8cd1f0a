// Shifting a loaded skin's colours by hue and saturation: its pictures,
// its sections' colours and its skin-wide colours.

#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"

namespace {

using TShift = TColor (*)(TColor color, int delta);

TColor TurnHue(TColor color, int delta) { return RotateHue(delta, color); }

// Every pixel of a 24-bit picture but the magenta and the grey ones. Skin
// pictures hold runs of one colour: the last one shifted is remembered.
void ShiftPixels(TBitmap& bmp, TShift shift, int delta) {
  TColor last = TColor(-1), lastShifted = 0;
  for (int y = 0; y < bmp.Height(); ++y) {
    auto* p = static_cast<std::uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < bmp.Width(); ++x, p += 3) {
      const std::uint8_t b = p[0], g = p[1], r = p[2];
      if ((r == 0xFF && g == 0 && b == 0xFF) || (r == g && r == b)) continue;
      const TColor color = TColor(r | g << 8 | b << 16);
      if (color != last) lastShifted = shift(last = color, delta);
      const TColor shifted = lastShifted;
      p[0] = std::uint8_t(shifted >> 16);
      p[1] = std::uint8_t(shifted >> 8);
      p[2] = std::uint8_t(shifted);
    }
  }
}

void ShiftTextColors(std::array<TColor, 5>& colors, TShift shift, int delta) {
  for (TColor& color : colors)
    if (color != TColor(-1)) color = shift(color, delta);
}

void ShiftGradient(TSkinGradArray& steps, TShift shift, int delta) {
  for (TSkinGradStep& step : steps) {
    step.Color1 = shift(step.Color1, delta);
    step.Color2 = shift(step.Color2, delta);
  }
}

}  // namespace

void TSkinManager::ShiftHue(int delta) {
  if (delta != 0) ShiftColors(&TurnHue, delta);
}

// The value counts toward more colour; the shift toward grey.
void TSkinManager::ShiftSaturation(int value) {
  const int delta = -(value % 101);
  if (delta != 0) ShiftColors(&AdjustSaturation, delta);
}

void TSkinManager::ShiftColors(TShift shift, int delta) {
  if (masterBitmap_ && masterBitmap_->PixelFormat() == pf24bit) ShiftPixels(*masterBitmap_, shift, delta);
  for (TSkinMaskData& mask : Masks) {
    if (!mask.Image) continue;
    mask.Image->SetPixelFormat(pf24bit);
    ShiftPixels(*mask.Image, shift, delta);
  }
  for (TSkinGeneralData& section : SectionData) {
    section.Color = shift(section.Color, delta);
    section.HotColor = shift(section.HotColor, delta);
    ShiftTextColors(section.FontColor, shift, delta);
    ShiftTextColors(section.HotFontColor, shift, delta);
    ShiftGradient(section.GradientArray, shift, delta);
    ShiftGradient(section.HotGradientArray, shift, delta);
  }
  GlobalInfo.Shadow1Color = shift(GlobalInfo.Shadow1Color, delta);
  GlobalInfo.BorderColor = shift(GlobalInfo.BorderColor, delta);
}
