#include "tests/skin/PngFiles.h"

#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "toolkit/gdi/Graphic.h"

namespace {

[[noreturn]] void FailQuietly(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

struct TReadPosition {
  const std::string* File;
  std::size_t At;
};

void TakeBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<TReadPosition*>(png_get_io_ptr(png));
  if (length > source->File->size() - source->At) png_error(png, "read past the end");
  std::memcpy(data, source->File->data() + source->At, length);
  source->At += length;
}

int ChannelsOf(int colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

unsigned ReadSample(const std::vector<std::uint8_t>& row, std::size_t index, int bitDepth) {
  if (bitDepth == 16) return unsigned(row[2 * index]) << 8 | row[2 * index + 1];
  const std::size_t bit = index * bitDepth;
  return row[bit / 8] >> (8 - bitDepth - int(bit % 8)) & ((1 << bitDepth) - 1);
}

void WriteSample(std::vector<std::uint8_t>& row, std::size_t index, int bitDepth, unsigned value) {
  if (bitDepth == 16) {
    row[2 * index] = std::uint8_t(value >> 8);
    row[2 * index + 1] = std::uint8_t(value);
    return;
  }
  const std::size_t bit = index * bitDepth;
  row[bit / 8] |= std::uint8_t(value << (8 - bitDepth - int(bit % 8)));
}

png_color_16 Color16(int colorType, const std::vector<std::uint16_t>& values) {
  png_color_16 color{};
  if (colorType == 3) {
    color.index = std::uint8_t(values.at(0));
  } else if (colorType & PNG_COLOR_MASK_COLOR) {
    color.red = values.at(0);
    color.green = values.at(1);
    color.blue = values.at(2);
  } else {
    color.gray = values.at(0);
  }
  return color;
}

// What a sample stands for in the bitmap: 16 bits scaled to 8.
unsigned EightBits(unsigned v, int bitDepth) { return bitDepth == 16 ? v * 255 / 65535 : v; }

void PutBigEndian32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += char(v >> shift & 0xFF);
}

const char* FormatName(TPixelFormat format) {
  static const char* const names[] = {"pfDevice", "pf1bit", "pf4bit", "pf8bit",
                                      "pf15bit",  "pf24bit", "pf32bit", "pfCustom"};
  return names[format];
}

}  // namespace

void LoadPicture(TGraphic& picture, const std::string& file) {
  std::istringstream stream(file);
  picture.LoadFromStream(stream);
}

std::string WriteWithLibpng(const TPngImage& image, const TPngWriteOptions& options) {
  std::string file;
  std::vector<png_color> palette;
  for (const auto& entry : image.Palette) palette.push_back({entry[0], entry[1], entry[2]});
  if (options.PaletteInRGB && palette.empty())
    for (int i = 0; i < 7; ++i) palette.push_back({std::uint8_t(i * 40), std::uint8_t(255 - i * 30), std::uint8_t(i)});
  std::vector<png_bytep> rows;
  for (const auto& row : image.Rows) rows.push_back(const_cast<png_bytep>(row.data()));
  std::vector<png_byte> alphas;
  if (options.Transparency && image.ColorType == 3)
    for (std::uint16_t alpha : *options.Transparency) alphas.push_back(png_byte(alpha));

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the image");
  }
  png_set_write_fn(png, &file, AppendBytes, nullptr);
  png_set_IHDR(png, info, image.Width, image.Height, image.BitDepth, image.ColorType,
               image.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, options.Filters);
  if (options.Gamma) png_set_gAMA_fixed(png, info, png_fixed_point(*options.Gamma));
  if (image.ColorType == 3 || (options.PaletteInRGB && (image.ColorType & PNG_COLOR_MASK_COLOR)))
    png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (options.Transparency) {
    const png_color_16 color = Color16(image.ColorType, *options.Transparency);
    if (image.ColorType == 3)
      png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
    else
      png_set_tRNS(png, info, nullptr, 0, &color);
  }
  if (options.Background) {
    const png_color_16 color = Color16(image.ColorType, *options.Background);
    png_set_bKGD(png, info, &color);
  }
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return file;
}

std::optional<TPngImage> ReadWithLibpng(const std::string& file) {
  TPngImage image;
  TReadPosition source{&file, 0};
  std::vector<png_bytep> rows;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  png_set_read_fn(png, &source, TakeBytes);
  png_read_info(png, info);
  image.Width = png_get_image_width(png, info);
  image.Height = png_get_image_height(png, info);
  image.ColorType = png_get_color_type(png, info);
  image.BitDepth = png_get_bit_depth(png, info);
  image.Interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  png_colorp palette = nullptr;
  int entries = 0;
  if (png_get_PLTE(png, info, &palette, &entries) != 0)
    for (int i = 0; i < entries; ++i) image.Palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  image.Rows.assign(image.Height, std::vector<std::uint8_t>(png_get_rowbytes(png, info)));
  for (auto& row : image.Rows) rows.push_back(row.data());
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return image;
}

TPngImage MakePngImage(std::uint32_t width, std::uint32_t height, int colorType, int bitDepth, bool interlaced,
                       std::uint32_t seed) {
  std::uint32_t state = seed * 2654435761u + 1;
  const auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  TPngImage image{width, height, colorType, bitDepth, interlaced, {}, {}};
  // An 8-bit palette short of 256 entries; the smaller ones full.
  const unsigned paletteSize = colorType == 3 ? (bitDepth == 8 ? 200u : 1u << bitDepth) : 0u;
  for (unsigned i = 0; i < paletteSize; ++i)
    image.Palette.push_back({std::uint8_t(next()), std::uint8_t(next()), std::uint8_t(next())});
  const std::size_t samples = std::size_t(width) * ChannelsOf(colorType);
  for (std::uint32_t y = 0; y < height; ++y) {
    std::vector<std::uint8_t> row((samples * bitDepth + 7) / 8);
    for (std::size_t i = 0; i < samples; ++i) {
      const unsigned value = colorType == 3 ? next() % paletteSize : next() & ((1u << bitDepth) - 1);
      WriteSample(row, i, bitDepth, value);
    }
    image.Rows.push_back(std::move(row));
  }
  return image;
}

std::vector<TPngChunk> SplitChunks(const std::string& file) {
  std::vector<TPngChunk> chunks;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.data() + at);
    const std::uint32_t length = std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | p[2] << 8 | p[3];
    chunks.emplace_back(file.substr(at + 4, 4), file.substr(at + 8, length));
    at += 12 + std::size_t(length);
  }
  return chunks;
}

std::string JoinChunks(const std::vector<TPngChunk>& chunks) {
  std::string file = "\x89PNG\r\n\x1A\n";
  for (const TPngChunk& chunk : chunks) {
    PutBigEndian32(file, chunk.Length.value_or(std::uint32_t(chunk.Data.size())));
    const std::string typed = chunk.Type + chunk.Data;
    file += typed;
    const auto crc = std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size())));
    PutBigEndian32(file, chunk.Crc.value_or(crc));
  }
  return file;
}

int FindChunk(const std::vector<TPngChunk>& chunks, const std::string& type) {
  for (std::size_t i = 0; i < chunks.size(); ++i)
    if (chunks[i].Type == type) return int(i);
  return -1;
}

std::array<std::uint8_t, 256> ExpectedGammaTable(std::uint32_t gamma) {
  float imageGamma = float(gamma / 100000.0);
  if (!(imageGamma > 0)) imageGamma = 1.0f;
  const long double exponent = 1.0L / (static_cast<long double>(imageGamma) * 2.2f);
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = std::uint8_t(std::nearbyint(std::pow(i / 255.0L, exponent) * 255));
  return table;
}

TExpectedBitmap ExpectedBitmap(const TPngImage& image, std::optional<std::uint32_t> gamma) {
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = std::uint8_t(i);
  if (gamma) table = ExpectedGammaTable(*gamma);
  const int depth = image.BitDepth;
  const int channels = ChannelsOf(image.ColorType);
  TExpectedBitmap expected;
  expected.Width = image.Width;
  expected.Height = image.Height;
  // Palette images: the bits of an index, 2-bit ones spread to 4 (value x 5).
  const int indexBits = depth == 2 ? 4 : std::min(depth, 8);
  switch (image.ColorType) {
    case 0:
    case 4: {
      const int bits = image.ColorType == 4 ? 8 : indexBits;
      const int count = 1 << bits;
      for (int i = 0; i < count; ++i) {
        const int level = table[i * (255 / (count - 1))];
        expected.Palette.push_back(RGB(level, level, level));
      }
      expected.Format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit;
      break;
    }
    case 3: {
      for (const auto& entry : image.Palette) expected.Palette.push_back(RGB(table[entry[0]], table[entry[1]], table[entry[2]]));
      expected.Palette.resize(std::min<std::size_t>(expected.Palette.size(), 1u << depth));
      if (depth == 2) {
        std::vector<TColor> spread(16, clBlack);
        for (int j = 0; j < 16; ++j)
          if (std::size_t(j * 3 / 15) < expected.Palette.size()) spread[j] = expected.Palette[j * 3 / 15];
        expected.Palette = spread;
      }
      expected.Format = indexBits == 1 ? pf1bit : indexBits == 4 ? pf4bit : pf8bit;
      break;
    }
    case 2: expected.Format = pf24bit; break;
    default: expected.Format = pf32bit;
  }
  for (const auto& row : image.Rows) {
    for (std::size_t x = 0; x < image.Width; ++x) {
      const auto sample = [&](int c) { return ReadSample(row, x * channels + c, depth); };
      switch (image.ColorType) {
        case 0:
        case 3: expected.Pixels.push_back(depth == 2 ? sample(0) * 5 : EightBits(sample(0), depth)); break;
        case 4: expected.Pixels.push_back(EightBits(sample(0), depth)); break;
        default: {
          const auto colour = [&](int c) { return std::uint32_t(table[EightBits(sample(c), depth)]); };
          const std::uint32_t alpha = image.ColorType == 6 ? EightBits(sample(3), depth) : 0;
          expected.Pixels.push_back(colour(2) | colour(1) << 8 | colour(0) << 16 | alpha << 24);
        }
      }
    }
  }
  return expected;
}

std::string DifferenceFrom(const TExpectedBitmap& expected, const TBitmap& bitmap) {
  std::ostringstream difference;
  if (bitmap.PixelFormat() != expected.Format) {
    difference << "pixel format " << FormatName(bitmap.PixelFormat()) << ", expected " << FormatName(expected.Format);
    return difference.str();
  }
  if (std::uint32_t(bitmap.Width()) != expected.Width || std::uint32_t(bitmap.Height()) != expected.Height) {
    difference << "size " << bitmap.Width() << " x " << bitmap.Height() << ", expected " << expected.Width << " x "
               << expected.Height;
    return difference.str();
  }
  if (!expected.Palette.empty() && bitmap.Handle()->Palette() != expected.Palette) {
    const std::vector<TColor>& palette = bitmap.Handle()->Palette();
    difference << "palette of " << palette.size() << " entries, expected " << expected.Palette.size();
    for (std::size_t i = 0; i < std::min(palette.size(), expected.Palette.size()); ++i)
      if (palette[i] != expected.Palette[i]) {
        difference << "; entry " << i << " is " << std::hex << palette[i] << ", expected " << expected.Palette[i];
        break;
      }
    return difference.str();
  }
  const int bits = bitmap.Handle()->BitsPerPixel();
  for (std::uint32_t y = 0; y < expected.Height; ++y) {
    const auto* line = static_cast<const std::uint8_t*>(bitmap.ScanLine(int(y)));
    for (std::uint32_t x = 0; x < expected.Width; ++x) {
      std::uint32_t actual;
      if (bits <= 8) {
        const std::size_t bit = std::size_t(x) * bits;
        actual = line[bit / 8] >> (8 - bits - int(bit % 8)) & ((1u << bits) - 1);
      } else {
        const std::uint8_t* p = line + std::size_t(x) * (bits / 8);
        actual = p[0] | p[1] << 8 | p[2] << 16 | (bits == 32 ? std::uint32_t(p[3]) << 24 : 0);
      }
      const std::uint32_t wanted = expected.Pixels[std::size_t(y) * expected.Width + x];
      if (actual != wanted) {
        difference << "pixel (" << x << ", " << y << ") is " << std::hex << actual << ", expected " << wanted;
        return difference.str();
      }
    }
  }
  return {};
}
