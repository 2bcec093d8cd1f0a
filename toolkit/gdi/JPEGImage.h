#pragma once
// JPEG pictures, read only: decoded once into a 24-bit bitmap, which is
// what a canvas draws. Greyscale, colour (YCbCr, RGB) and CMYK pictures read.

#include <memory>

#include "toolkit/gdi/Graphic.h"

class TBitmap;

class TJPEGImage : public TGraphic {
public:
  TJPEGImage();
  ~TJPEGImage() override;

  int Width() const override;
  int Height() const override;
  bool Empty() const override;

  // Data the decoder refuses, and pictures beyond 2^26 pixels, raise
  // EQuantrelError "JPEG image is not valid"; the picture held before stays.
  void LoadFromStream(std::istream& stream) override;
  // Copies another JPEG picture.
  void Assign(const TGraphic& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) const override;

private:
  std::unique_ptr<TBitmap> bitmap_;
};
