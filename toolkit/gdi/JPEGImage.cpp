#include "toolkit/gdi/JPEGImage.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// Larger pictures are refused rather than allocated from a file's say-so,
// and so is more working memory than a picture that size needs.
constexpr std::uint64_t MaxPixels = std::uint64_t(1) << 26;
constexpr long MaxDecoderMemory = 512L << 20;

struct TJpegErrors {
  jpeg_error_mgr Manager;  // first: libjpeg hands its address back as ours
  std::jmp_buf Jump;
};

// libjpeg must not end the process: its fatal errors come back to the step
// that was running, and its warnings are not printed.
void ReturnToStep(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Jump, 1); }
void PrintNothing(j_common_ptr) {}

// One decoding, step by step. libjpeg leaves a step by a long jump, so
// every step keeps C++ objects with destructors out of the frames it may
// jump over; a failed step answers false.
class TJpegDecoder {
public:
  explicit TJpegDecoder(const std::vector<unsigned char>& data) : data_(data) {
    info_.err = jpeg_std_error(&errors_.Manager);
    errors_.Manager.error_exit = ReturnToStep;
    errors_.Manager.output_message = PrintNothing;
  }
  ~TJpegDecoder() {
    if (created_) jpeg_destroy_decompress(&info_);
  }
  TJpegDecoder(const TJpegDecoder&) = delete;
  TJpegDecoder& operator=(const TJpegDecoder&) = delete;

  bool Start() {
    if (setjmp(errors_.Jump)) return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.mem->max_memory_to_use = MaxDecoderMemory;
    jpeg_mem_src(&info_, data_.data(), static_cast<unsigned long>(data_.size()));
    jpeg_read_header(&info_, TRUE);
    if (std::uint64_t(info_.image_width) * info_.image_height > MaxPixels) return false;
    const bool cmyk = info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
    info_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&info_);
    return true;
  }
  int Width() const { return int(info_.output_width); }
  int Height() const { return int(info_.output_height); }
  bool IsCmyk() const { return info_.out_color_space == JCS_CMYK; }

  // BGR rows straight into the 24-bit bitmap's rows; CMYK rows through
  // cmykRow (4 bytes a pixel).
  bool ReadRows(TBitmap& bitmap, std::vector<unsigned char>& cmykRow) {
    if (setjmp(errors_.Jump)) return false;
    while (info_.output_scanline < info_.output_height) {
      const int y = int(info_.output_scanline);
      auto* target = static_cast<unsigned char*>(bitmap.ScanLine(y));
      JSAMPROW row = IsCmyk() ? cmykRow.data() : target;
      if (jpeg_read_scanlines(&info_, &row, 1) != 1) return false;
      if (IsCmyk()) CmykToBgr(cmykRow.data(), target, Width(), info_.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info_);
    return true;
  }

private:
  // Adobe's files store the four inks inverted (255: no ink).
  static void CmykToBgr(const unsigned char* cmyk, unsigned char* bgr, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
      const auto paper = [inverted](unsigned ink) { return inverted ? ink : 255 - ink; };
      const unsigned k = paper(cmyk[3]);
      bgr[0] = static_cast<unsigned char>(paper(cmyk[2]) * k / 255);
      bgr[1] = static_cast<unsigned char>(paper(cmyk[1]) * k / 255);
      bgr[2] = static_cast<unsigned char>(paper(cmyk[0]) * k / 255);
    }
  }

  const std::vector<unsigned char>& data_;
  jpeg_decompress_struct info_{};
  TJpegErrors errors_{};
  bool created_ = false;
};

[[noreturn]] void Invalid() { throw EQuantrelError("JPEG image is not valid"); }

}  // namespace

TJPEGImage::TJPEGImage() : bitmap_(std::make_unique<TBitmap>(0, 0, pf24bit)) {}

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return bitmap_->Width(); }

int TJPEGImage::Height() const { return bitmap_->Height(); }

bool TJPEGImage::Empty() const { return bitmap_->Empty(); }

void TJPEGImage::LoadFromStream(std::istream& stream) {
  const std::vector<unsigned char> data(std::istreambuf_iterator<char>(stream), {});
  TJpegDecoder decoder(data);
  if (!decoder.Start()) Invalid();
  auto picture = std::make_unique<TBitmap>(decoder.Width(), decoder.Height(), pf24bit);
  std::vector<unsigned char> cmykRow(decoder.IsCmyk() ? std::size_t(decoder.Width()) * 4 : 0);
  if (!decoder.ReadRows(*picture, cmykRow)) Invalid();
  bitmap_ = std::move(picture);
}

void TJPEGImage::Assign(const TGraphic& source) {
  const auto* jpeg = dynamic_cast<const TJPEGImage*>(&source);
  if (!jpeg) CannotAssign(source);
  if (jpeg != this) bitmap_->Assign(*jpeg->bitmap_);
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) const { canvas.StretchDraw(rect, *bitmap_); }
