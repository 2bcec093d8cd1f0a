#include "toolkit/gdi/Bitmap.h"

#include <fstream>
#include <sstream>
#include <utility>

#include "runtime/Exceptions.h"
#include "runtime/SafeFileWriter.h"
#include "toolkit/gdi/BmpFormat.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// A canvas on a memory device context that holds the bitmap's pixels.
class TBitmapCanvas final : public TCanvas {
public:
  explicit TBitmapCanvas(const TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override {
    if (HandleAllocated()) DeleteDC(Handle());
  }
  // After the bitmap took other pixels.
  void SelectPixels() {
    if (HandleAllocated()) SelectObject(Handle(), bitmap_.Handle());
  }

protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap_.Handle());
    SetHandle(dc);
  }

private:
  const TBitmap& bitmap_;
};

}  // namespace

TBitmap::TBitmap() : TBitmap(0, 0) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : image_(new TGdiBitmap(width, height, format)) {}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) { image_->Resize(width, height); }

void TBitmap::SetPixelFormat(TPixelFormat format) { image_->Convert(format); }

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome != Monochrome()) SetPixelFormat(monochrome ? pf1bit : pf32bit);
}

void* TBitmap::ScanLine(int row) { return image_->ScanLine(row); }

const void* TBitmap::ScanLine(int row) const { return std::as_const(*image_).ScanLine(row); }

void TBitmap::SetHandle(HBITMAP handle) {
  image_ = CountedPtr<TGdiBitmap>(handle ? handle : new TGdiBitmap(0, 0, pfDevice));
  if (handle) handle->Release();
  if (canvas_) static_cast<TBitmapCanvas&>(*canvas_).SelectPixels();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return *canvas_;
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  return Empty() ? clDefault : image_->Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  image_ = CountedPtr<TGdiBitmap>(source.image_->Clone().release());
  SetTransparent(source.Transparent());
  transparentMode_ = source.transparentMode_;
  transparentColor_ = source.transparentColor_;
  if (canvas_) static_cast<TBitmapCanvas&>(*canvas_).SelectPixels();
}

void TBitmap::Assign(const TGraphic& source) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) return Assign(*bitmap);
  image_ = CountedPtr<TGdiBitmap>(new TGdiBitmap(source.Width(), source.Height(), pfDevice));
  if (canvas_) static_cast<TBitmapCanvas&>(*canvas_).SelectPixels();
  Canvas().StretchDraw(Rect(0, 0, source.Width(), source.Height()), source);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const { canvas.DrawBitmap(rect, *this); }

void TBitmap::SaveToFile(const std::string& fileName) const {
  std::ostringstream bytes;
  SaveToStream(bytes);
  const std::string content = bytes.str();
  ReplaceFileContent(fileName, content.data(), content.size());
}

void TBitmap::LoadFromStream(std::istream& stream) {
  image_ = ReadBmp(stream);
  if (canvas_) static_cast<TBitmapCanvas&>(*canvas_).SelectPixels();
}

void TBitmap::SaveToStream(std::ostream& stream) const { WriteBmp(stream, *image_); }
