// A BMP file through the toolkit's reader. A picture that reads must come
// back the same through the writer and the reader.

#include <sstream>
#include <string>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/BmpFormat.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

bool SamePicture(const TGdiBitmap& a, const TGdiBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Format() != b.Format()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  CountedPtr<TGdiBitmap> picture;
  try {
    picture = ReadBmp(input);
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const EQuantrelError&) {
    return 0;  // "Bitmap image is not valid"
  }
  std::stringstream written;
  WriteBmp(written, *picture);
  FuzzCheck(SamePicture(*ReadBmp(written), *picture), "a picture changes through the writer");
  return 0;
}
