#pragma once
// PNG files for the tests of our reader and its fuzz target: written and
// read by libpng, taken apart and put together chunk by chunk, and what
// our reader must make of a file that libpng reads.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/gdi/Bitmap.h"

// An image as a PNG file stores it: rows of packed samples, 16-bit ones big-endian.
struct TPngImage {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  int ColorType = 0;
  int BitDepth = 8;
  bool Interlaced = false;
  std::vector<std::vector<std::uint8_t>> Rows;
  std::vector<std::array<std::uint8_t, 3>> Palette;  // red, green, blue
};

// libpng's filter choices (PNG_FILTER_NONE ... PNG_FILTER_PAETH, PNG_ALL_FILTERS).
enum TPngFilters : int {
  pngFilterNone = 0x08,
  pngFilterSub = 0x10,
  pngFilterUp = 0x20,
  pngFilterAverage = 0x40,
  pngFilterPaeth = 0x80,
  pngAllFilters = 0xF8,
};

struct TPngWriteOptions {
  int Filters = pngAllFilters;
  std::optional<std::uint32_t> Gamma;  // the gAMA value, gamma x 100000
  // tRNS: the grey level or the red, green and blue of the transparent
  // colour; for indexed images the alpha of the first palette entries.
  std::optional<std::vector<std::uint16_t>> Transparency;
  // bKGD: a grey level, a colour, or a palette index, as for tRNS.
  std::optional<std::vector<std::uint16_t>> Background;
  bool PaletteInRGB = false;  // a suggested palette in an RGB image
};

class TGraphic;
// Reads the file into the picture through the picture registry's way in.
void LoadPicture(TGraphic& picture, const std::string& file);

// The file libpng's writer makes of the image.
std::string WriteWithLibpng(const TPngImage& image, const TPngWriteOptions& options = {});
// The image libpng reads from the file, its samples as stored; none when
// libpng refuses the file.
std::optional<TPngImage> ReadWithLibpng(const std::string& file);

// An image of the size and format whose samples and palette come from seed.
TPngImage MakePngImage(std::uint32_t width, std::uint32_t height, int colorType, int bitDepth, bool interlaced,
                       std::uint32_t seed);

// A file's chunks, to be edited and put together again.
struct TPngChunk {
  TPngChunk(std::string type, std::string data) : Type(std::move(type)), Data(std::move(data)) {}

  std::string Type;
  std::string Data;
  std::optional<std::uint32_t> Length;  // written in place of the data's length
  std::optional<std::uint32_t> Crc;     // written in place of the right CRC
};
std::vector<TPngChunk> SplitChunks(const std::string& file);
// The signature and the chunks; CRCs computed with zlib unless given.
std::string JoinChunks(const std::vector<TPngChunk>& chunks);
// The index of the first chunk of that type; -1 when there is none.
int FindChunk(const std::vector<TPngChunk>& chunks, const std::string& type);

// What our reader makes of an image libpng reads, as the bitmap's format,
// palette and pixels: palette indices, or 0xAARRGGBB words (alpha 0 for
// pf24bit). gamma is the value of the file's gAMA chunk, when it has one.
struct TExpectedBitmap {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  TPixelFormat Format = pfDevice;
  std::vector<TColor> Palette;
  std::vector<std::uint32_t> Pixels;  // row by row
};
TExpectedBitmap ExpectedBitmap(const TPngImage& image, std::optional<std::uint32_t> gamma);
// The gamma table our reader builds for a gAMA value, the screen's gamma 2.2.
std::array<std::uint8_t, 256> ExpectedGammaTable(std::uint32_t gamma);
// Empty when the bitmap holds what is expected; else where it first differs.
std::string DifferenceFrom(const TExpectedBitmap& expected, const TBitmap& bitmap);
