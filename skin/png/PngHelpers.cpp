#include "skin/png/PngHelpers.h"

#include "runtime/Collection.h"
#include "skin/paint/FastPixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/PngObject.h"

void MakeHalfTransparent(TPNGObject& image, std::uint8_t amount) {
  const bool singleColour = image.TransparencyMode() == ptmBit;
  const TColor key = image.TransparentColor();
  switch (image.ColorType()) {
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
      break;
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
      return AddAlphaLayer(singleColour, key, image, amount);
    default:
      image.CreateAlpha();
      if (image.ColorType() != COLOR_GRAYSCALEALPHA && image.ColorType() != COLOR_RGBALPHA) return;
  }
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* alpha = image.AlphaScanline(y);
    for (int x = 0; x < image.Width(); ++x) {
      if (singleColour && image.Pixel(x, y) == key)
        alpha[x] = 0;
      else
        alpha[x] = std::uint8_t(RoundHalfEven(alpha[x] / 256.0L * (amount + 1)));
    }
  }
}

void AddAlphaLayer(bool singleColour, TColor key, TPNGObject& image, std::uint8_t amount) {
  TPNGObject layered;
  layered.Assign(TBitmap(image.Width(), image.Height(), pf24bit));
  layered.CreateAlpha();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* alpha = layered.AlphaScanline(y);
    for (int x = 0; x < image.Width(); ++x) {
      const TColor colour = image.Pixel(x, y);
      layered.SetPixel(x, y, colour);
      alpha[x] = singleColour && colour == key ? 0 : amount;
    }
  }
  image.Assign(layered);
}

TCollectionItem* ItemOrNil(const TCollection& collection, int index) {
  if (index < 0 || index >= collection.Count()) return nullptr;
  return &collection.Items(index);
}
