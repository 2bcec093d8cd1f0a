#include "toolkit/gdi/PngObject.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <iterator>
#include <string>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr std::uint64_t MaxPixels = std::uint64_t(1) << 28;

// libpng reports faults by a jump back to the setjmp of the running step;
// the steps keep no C++ objects alive across it, and the text is thrown
// once libpng has let go.
struct TPngSession {
  const std::string* Bytes = nullptr;
  std::size_t At = 0;
  char Message[200] = "";
};

void OnError(png_structp png, png_const_charp message) {
  auto* session = static_cast<TPngSession*>(png_get_error_ptr(png));
  std::snprintf(session->Message, sizeof session->Message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep data, png_size_t length) {
  auto* session = static_cast<TPngSession*>(png_get_io_ptr(png));
  if (session->Bytes->size() - session->At < length) png_error(png, "Stream read error");
  std::memcpy(data, session->Bytes->data() + session->At, length);
  session->At += length;
}

// What the header and the ancillary chunks before the image data say.
struct THeader {
  png_uint_32 Width = 0;
  png_uint_32 Height = 0;
  int BitDepth = 0;
  int ColorType = 0;
  int Channels = 0;  // after the transforms
  png_size_t RowBytes = 0;
  png_color Palette[256] = {};
  int PaletteCount = 0;
  png_byte PaletteAlpha[256] = {};
  int PaletteAlphaCount = 0;
  bool HasTransparentColour = false;
  png_color_16 TransparentColour = {};
};

bool ReadHeader(png_structp png, png_infop info, THeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  header->Width = png_get_image_width(png, info);
  header->Height = png_get_image_height(png, info);
  header->BitDepth = png_get_bit_depth(png, info);
  header->ColorType = png_get_color_type(png, info);
  png_colorp palette = nullptr;
  if (png_get_PLTE(png, info, &palette, &header->PaletteCount) != 0)
    std::copy_n(palette, std::min(header->PaletteCount, 256), header->Palette);
  png_bytep alpha = nullptr;
  png_color_16p colour = nullptr;
  int alphaCount = 0;
  if (png_get_tRNS(png, info, &alpha, &alphaCount, &colour) != 0) {
    if (header->ColorType == PNG_COLOR_TYPE_PALETTE) {
      header->PaletteAlphaCount = std::min(alphaCount, 256);
      std::copy_n(alpha, header->PaletteAlphaCount, header->PaletteAlpha);
    } else if (colour) {
      header->HasTransparentColour = true;
      header->TransparentColour = *colour;
    }
  }
  png_set_scale_16(png);
  png_set_packing(png);
  if (header->ColorType == PNG_COLOR_TYPE_GRAY && header->BitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header->Channels = png_get_channels(png, info);
  header->RowBytes = png_get_rowbytes(png, info);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

// A sample of the file's depth as 8 bits.
std::uint8_t Scaled(unsigned value, int bitDepth) {
  if (bitDepth == 16) return std::uint8_t((value * 255u + 32767u) / 65535u);
  return std::uint8_t(value * 255u / ((1u << bitDepth) - 1));
}

TColor TransparentColourOf(const THeader& header) {
  if (!header.HasTransparentColour) return clNone;
  const png_color_16& c = header.TransparentColour;
  if (header.ColorType == PNG_COLOR_TYPE_GRAY) {
    const std::uint8_t grey = Scaled(c.gray, header.BitDepth);
    return RGB(grey, grey, grey);
  }
  return RGB(Scaled(c.red, header.BitDepth), Scaled(c.green, header.BitDepth), Scaled(c.blue, header.BitDepth));
}

}  // namespace

TPNGTransparencyMode TPNGObject::TransparencyMode() const {
  if (!data_.Alpha.empty() || !data_.PaletteAlpha.empty()) return ptmPartial;
  return data_.TransparentColor == clNone ? ptmNone : ptmBit;
}

int TPNGObject::ColourSamples() const {
  return data_.ColorType == COLOR_RGB || data_.ColorType == COLOR_RGBALPHA ? 3 : 1;
}

std::uint8_t* TPNGObject::ColourAt(int x, int y) {
  return data_.Colour.data() + (std::size_t(y) * std::size_t(data_.Width) + std::size_t(x)) * ColourSamples();
}

const std::uint8_t* TPNGObject::ColourAt(int x, int y) const { return const_cast<TPNGObject*>(this)->ColourAt(x, y); }

TColor TPNGObject::Pixel(int x, int y) const {
  const std::uint8_t* c = ColourAt(x, y);
  if (ColourSamples() == 3) return RGB(c[0], c[1], c[2]);
  if (data_.ColorType == COLOR_PALETTE) return c[0] < data_.Palette.size() ? data_.Palette[c[0]] : clBlack;
  return RGB(c[0], c[0], c[0]);
}

void TPNGObject::SetPixel(int x, int y, TColor color) {
  std::uint8_t* c = ColourAt(x, y);
  const std::uint8_t red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
  if (ColourSamples() == 3) {
    c[0] = red, c[1] = green, c[2] = blue;
  } else if (data_.ColorType == COLOR_PALETTE) {
    const auto distance = [&](TColor p) {
      const auto d = [](int a, int b) { return (a - b) * (a - b); };
      return d(GetRValue(p), red) + d(GetGValue(p), green) + d(GetBValue(p), blue);
    };
    const auto nearest = std::min_element(data_.Palette.begin(), data_.Palette.end(),
                                          [&](TColor a, TColor b) { return distance(a) < distance(b); });
    if (nearest != data_.Palette.end()) c[0] = std::uint8_t(nearest - data_.Palette.begin());
  } else {
    c[0] = std::uint8_t((red + green + blue) / 3);
  }
}

std::uint8_t* TPNGObject::AlphaScanline(int y) {
  if (data_.Alpha.empty()) return nullptr;
  return data_.Alpha.data() + std::size_t(y) * std::size_t(data_.Width);
}

std::uint8_t TPNGObject::AlphaAt(int x, int y) const {
  if (!data_.Alpha.empty()) return data_.Alpha[std::size_t(y) * std::size_t(data_.Width) + std::size_t(x)];
  if (data_.ColorType == COLOR_PALETTE) {
    const std::uint8_t index = *ColourAt(x, y);
    return index < data_.PaletteAlpha.size() ? data_.PaletteAlpha[index] : 255;
  }
  return data_.TransparentColor != clNone && Pixel(x, y) == data_.TransparentColor ? 0 : 255;
}

void TPNGObject::CreateAlpha() {
  if (data_.ColorType != COLOR_GRAYSCALE && data_.ColorType != COLOR_RGB) return;
  data_.ColorType = data_.ColorType == COLOR_GRAYSCALE ? COLOR_GRAYSCALEALPHA : COLOR_RGBALPHA;
  data_.Alpha.assign(std::size_t(data_.Width) * std::size_t(data_.Height), 255);
  data_.TransparentColor = clNone;
}

void TPNGObject::LoadFromStream(std::istream& stream) {
  const std::string bytes(std::istreambuf_iterator<char>(stream), {});
  TPngSession session;
  session.Bytes = &bytes;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &session, OnError, OnWarning);
  if (!png) throw EInvalidGraphic("PNG image is not valid");
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &session, OnRead);
  THeader header;
  std::vector<png_bytep> rows;
  std::vector<std::uint8_t> pixels;
  bool read = info && ReadHeader(png, info, &header);
  if (read && std::uint64_t(header.Width) * header.Height > MaxPixels) {
    std::snprintf(session.Message, sizeof session.Message, "PNG image is too large");
    read = false;
  }
  if (read) {
    pixels.resize(header.RowBytes * header.Height);
    for (png_uint_32 y = 0; y < header.Height; ++y) rows.push_back(pixels.data() + header.RowBytes * y);
    read = ReadRows(png, info, rows.data());
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (!read) throw EInvalidGraphic(session.Message[0] ? session.Message : "PNG image is not valid");

  TData data;
  data.Width = int(header.Width);
  data.Height = int(header.Height);
  data.ColorType = header.ColorType;
  data.BitDepth = header.BitDepth;
  for (int i = 0; i < header.PaletteCount; ++i)
    data.Palette.push_back(RGB(header.Palette[i].red, header.Palette[i].green, header.Palette[i].blue));
  data.PaletteAlpha.assign(header.PaletteAlpha, header.PaletteAlpha + header.PaletteAlphaCount);
  data.TransparentColor = TransparentColourOf(header);
  const bool alpha = header.ColorType & PNG_COLOR_MASK_ALPHA;
  const int colourSamples = header.Channels - (alpha ? 1 : 0);
  const std::size_t count = std::size_t(header.Width) * header.Height;
  data.Colour.reserve(count * colourSamples);
  if (alpha) data.Alpha.reserve(count);
  for (std::size_t p = 0; p < count; ++p) {
    const std::uint8_t* sample = pixels.data() + p * header.Channels;
    data.Colour.insert(data.Colour.end(), sample, sample + colourSamples);
    if (alpha) data.Alpha.push_back(sample[colourSamples]);
  }
  data_ = std::move(data);
}

void TPNGObject::Assign(const TGraphic& source) {
  if (const auto* png = dynamic_cast<const TPNGObject*>(&source)) {
    if (png != this) data_ = png->data_;
    return;
  }
  const auto* bitmap = dynamic_cast<const TBitmap*>(&source);
  if (!bitmap) CannotAssign(source);
  TData data;
  data.Width = bitmap->Width();
  data.Height = bitmap->Height();
  data.Colour.reserve(std::size_t(data.Width) * std::size_t(data.Height) * 3);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(data.Width));
  for (int y = 0; y < data.Height; ++y) {
    bitmap->Handle()->FetchRow(y, 0, data.Width, row.data());
    for (std::uint32_t p : row) data.Colour.insert(data.Colour.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
  }
  data_ = std::move(data);
}

void TPNGObject::Draw(TCanvas& canvas, const TRect& rect) const {
  if (Empty()) return;
  TGdiBitmap image(Width(), Height(), pf32bit);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(Width()));
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) row[x] = (ColorToPixel(Pixel(x, y)) & 0xFFFFFF) | std::uint32_t(AlphaAt(x, y)) << 24;
    image.StoreRow(y, 0, Width(), row.data());
  }
  const HICON icon = CreateIconFromImage(image);
  DrawIconEx(canvas.Handle(), rect.Left, rect.Top, icon, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}
