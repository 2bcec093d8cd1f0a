#include "shell/XpmPicture.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"

void DecodeXpm(const char* const* lines, TBitmap& bitmap) {
  constexpr std::uint32_t Transparent = 0;
  constexpr std::uint32_t Opaque = 0xFF000000;
  int width = 0, height = 0, colours = 0, charsPerPixel = 0;
  QASSERT(std::sscanf(lines[0], "%d %d %d %d", &width, &height, &colours, &charsPerPixel) == 4 && charsPerPixel == 1,
          "2E7A51C0");
  std::uint32_t pixelOf[256] = {};
  for (int i = 1; i <= colours; ++i) {
    const std::string line = lines[i];
    const std::string value = line.substr(line.find(" c ") + 3);
    pixelOf[static_cast<unsigned char>(line[0])] =
        value == "None" ? Transparent : Opaque | static_cast<std::uint32_t>(std::stoul(value.substr(1), nullptr, 16));
  }
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const char* row = lines[1 + colours + y];
    auto* pixels = static_cast<std::uint32_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < width; ++x) pixels[x] = pixelOf[static_cast<unsigned char>(row[x])];
  }
}
