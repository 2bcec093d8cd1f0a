#pragma once
// A bitmap with its own canvas. Pixel formats: pf1bit, pf4bit and pf8bit
// index a palette, pf24bit holds B,G,R and pf32bit B,G,R,A bytes; pfDevice
// is pf32bit. Changing the size keeps the top-left pixels; changing the
// format converts them. Files are read and written in the BMP format.

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Graphic.h"

class TCanvas;

// tmAuto takes the transparent colour from the bottom-left pixel.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pfDevice);
  ~TBitmap() override;

  int Width() const override { return image_->Width(); }
  int Height() const override { return image_->Height(); }
  bool Empty() const override { return image_->IsEmpty(); }
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return image_->Format(); }
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const { return PixelFormat() == pf1bit; }
  void SetMonochrome(bool monochrome);

  // Row 0 is the top row.
  void* ScanLine(int row);
  const void* ScanLine(int row) const;

  TCanvas& Canvas();
  HBITMAP Handle() const { return image_.get(); }
  // Takes over the handle's reference (GetIconInfo's bitmaps, say): its
  // pixels become the bitmap's. Null empties the bitmap.
  void SetHandle(HBITMAP handle);

  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
  TColor TransparentColor() const;
  // Also makes the mode tmFixed.
  void SetTransparentColor(TColor color);

  // Copies the pixels, format, palette and transparency.
  void Assign(const TBitmap& source);
  // Another picture is drawn into the bitmap at its own size.
  void Assign(const TGraphic& source) override;
  // Leaves out the transparent colour when Transparent.
  void Draw(TCanvas& canvas, const TRect& rect) const override;

  // Reading throws EQuantrelError "Bitmap image is not valid" for data that
  // is not a BMP image this reader knows (1, 4, 8, 16, 24 or 32 bits, no
  // compression or bit fields) and "Cannot open file" for a file it cannot open.
  // Saving replaces the file whole or leaves it as it was, and throws
  // EFCreateError ("Cannot create file") when it cannot be written.
  void SaveToFile(const std::string& fileName) const;
  void LoadFromStream(std::istream& stream) override;
  void SaveToStream(std::ostream& stream) const;

  // Readers that load in steps report them here.
  TProgressEvent OnProgress;

protected:
  void Progress(TProgressStage stage, int percentDone, bool redrawNow, const TRect& rect, const std::string& message) {
    if (OnProgress) OnProgress(*this, stage, percentDone, redrawNow, rect, message);
  }

private:
  CountedPtr<TGdiBitmap> image_;
  std::unique_ptr<TCanvas> canvas_;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
};
