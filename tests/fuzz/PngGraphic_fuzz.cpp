// A PNG file through the skin layer's reader. It loads, at the size its
// IHDR gives and in the pixel format its colour type and depth call for,
// or fails with one of the reader's faults. When libpng reads the file too
// and both read it under the same rules, they see the same pixels.

#include <cstring>
#include <string>

#include "runtime/Stream.h"
#include "skin/png/PngGraphic.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/skin/PngFiles.h"

namespace {

// Larger images cost this harness too much memory; the reader takes up to 2^28 pixels.
constexpr std::uint64_t MaxPixels = std::uint64_t(1) << 22;

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// What a walk over the file's chunks shows.
struct TChunkWalk {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  int ColorType = -1;
  int BitDepth = 0;
  std::optional<std::uint32_t> Gamma;  // the gAMA value the reader applies
  // Whether the reader's rules and libpng's give the same pixels: chunk
  // names as the standard spells them, image data in one run of chunks,
  // one PLTE, at most one gAMA before the image data and before the PLTE.
  bool Comparable = true;
};

bool SpelledOtherwise(const std::string& type) {
  for (const char* known : {"IHDR", "PLTE", "IDAT", "IEND", "gAMA", "bKGD", "tRNS"}) {
    bool sameLetters = true;
    for (int i = 0; i < 4; ++i) sameLetters &= (type[i] & 0xDF) == (known[i] & 0xDF);
    if (sameLetters && type != known) return true;
  }
  return false;
}

TChunkWalk WalkChunks(const std::string& file) {
  TChunkWalk walk;
  bool dataSeen = false, dataEnded = false, paletteSeen = false;
  int gammas = 0;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::uint32_t length = BigEndian32(file, at);
    const std::string type = file.substr(at + 4, 4);
    if (length > file.size() - at - 12) break;
    const std::size_t data = at + 8;
    walk.Comparable &= !SpelledOtherwise(type);
    if (type == "IHDR" && at == 8 && length >= 13) {
      walk.Width = BigEndian32(file, data);
      walk.Height = BigEndian32(file, data + 4);
      walk.BitDepth = std::uint8_t(file[data + 8]);
      walk.ColorType = std::uint8_t(file[data + 9]);
    } else if (type == "IDAT") {
      walk.Comparable &= !dataEnded;
      dataSeen = true;
    } else if (dataSeen) {
      dataEnded = true;
    } else if (type == "PLTE") {
      walk.Comparable &= !paletteSeen;
      paletteSeen = true;
    } else if (type == "gAMA") {
      walk.Comparable &= ++gammas == 1 && !paletteSeen;
      if (length >= 4) walk.Gamma = BigEndian32(file, data);
    } else if (type == "IEND") {
      break;
    }
    at += 12 + std::size_t(length);
  }
  return walk;
}

TPixelFormat FormatFor(int colorType, int bitDepth) {
  switch (colorType) {
    case 2: return pf24bit;
    case 4: return pf8bit;
    case 6: return pf32bit;
    default: return bitDepth == 1 ? pf1bit : bitDepth <= 4 ? pf4bit : pf8bit;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  const TChunkWalk walk = WalkChunks(file);
  if (std::uint64_t(walk.Width) * walk.Height > MaxPixels) return 0;

  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  stream.SetPosition(0);
  TPNGGraphic png;
  try {
    png.LoadFromStream(stream);
  } catch (const EInvalidGraphic&) {
    return 0;
  } catch (const EGraphicCompression&) {
    return 0;
  } catch (const EColorConversionError&) {
    return 0;
  } catch (const EStreamError&) {
    return 0;
  }
  FuzzCheck(std::uint32_t(png.Width()) == walk.Width && std::uint32_t(png.Height()) == walk.Height,
            "a loaded picture has another size than its IHDR's");
  FuzzCheck(png.PixelFormat() == FormatFor(walk.ColorType, walk.BitDepth),
            "a loaded picture has a pixel format its colour type does not call for");

  if (!walk.Comparable) return 0;
  const std::optional<TPngImage> reference = ReadWithLibpng(file);
  if (!reference) return 0;
  const std::string difference = DifferenceFrom(ExpectedBitmap(*reference, walk.Gamma), png);
  FuzzCheck(difference.empty(), ("libpng reads other pixels: " + difference).c_str());
  return 0;
}
