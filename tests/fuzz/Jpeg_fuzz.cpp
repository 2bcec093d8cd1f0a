// Bytes through the JPEG reader: a picture, which draws, or "JPEG image is
// not valid"; never the end of the process (libjpeg's own error handling
// would end it).

#include <sstream>
#include <string>

#include "runtime/Exceptions.h"
#include "tests/fuzz/FuzzHarness.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  TJPEGImage picture;
  try {
    picture.LoadFromStream(input);
  } catch (const EQuantrelError& error) {
    FuzzCheck(std::string(error.what()) == "JPEG image is not valid", "an unexpected error");
    FuzzCheck(picture.Empty(), "a refused picture left pixels");
    return 0;
  }
  FuzzCheck(picture.Width() > 0 && picture.Height() > 0, "a picture without pixels");
  TBitmap target(8, 8, pf24bit);
  target.Canvas().StretchDraw(Rect(0, 0, 8, 8), picture);
  return 0;
}
