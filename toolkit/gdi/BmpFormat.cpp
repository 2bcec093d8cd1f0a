#include "toolkit/gdi/BmpFormat.h"

#include <bit>
#include <cstring>
#include <iterator>
#include <vector>

#include "runtime/Exceptions.h"

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
// Larger images are refused rather than allocated from a file's say-so.
constexpr std::int64_t MaxPixels = std::int64_t(1) << 28;
constexpr std::int32_t MaxSide = 1 << 16;

[[noreturn]] void Invalid() { throw EQuantrelError("Bitmap image is not valid"); }

class TBytes {
public:
  explicit TBytes(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
  void Need(std::size_t at, std::size_t count) const {
    if (at > data_.size() || count > data_.size() - at) Invalid();
  }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return std::uint16_t(data_[at] | data_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return std::uint32_t(data_[at]) | std::uint32_t(data_[at + 1]) << 8 | std::uint32_t(data_[at + 2]) << 16 |
           std::uint32_t(data_[at + 3]) << 24;
  }
  std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }
  const std::uint8_t* At(std::size_t at, std::size_t count) const {
    Need(at, count);
    return data_.data() + at;
  }

private:
  std::vector<std::uint8_t> data_;
};

// One channel of a bit-field pixel, scaled to 8 bits.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  static TChannel Of(std::uint32_t mask) {
    if (mask == 0) return {};
    TChannel channel{mask, std::countr_zero(mask), std::popcount(mask)};
    if (channel.Bits < 32 && (mask >> channel.Shift) != (std::uint32_t(1) << channel.Bits) - 1) Invalid();
    return channel;
  }
  std::uint32_t Extract(std::uint32_t value, std::uint32_t absent) const {
    if (Bits == 0) return absent;
    const std::uint32_t v = (value & Mask) >> Shift;
    return Bits >= 8 ? v >> (Bits - 8) : v * 255 / ((1u << Bits) - 1);
  }
};

struct THeader {
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  bool TopDown = false;
  int BitsPerPixel = 0;
  std::uint32_t Compression = BI_RGB;
  std::size_t PaletteAt = 0;
  std::size_t PaletteEntrySize = 4;
  std::uint32_t ColorsUsed = 0;
  TChannel Red, Green, Blue, Alpha;
};

THeader ReadHeader(const TBytes& bytes) {
  THeader header;
  const std::size_t size = bytes.U32(FileHeaderSize);
  const std::size_t info = FileHeaderSize;
  if (size == 12) {
    header.Width = bytes.U16(info + 4);
    header.Height = bytes.U16(info + 6);
    if (bytes.U16(info + 8) != 1) Invalid();
    header.BitsPerPixel = bytes.U16(info + 10);
    header.PaletteEntrySize = 3;
  } else if (size >= InfoHeaderSize && size <= 1024) {
    header.Width = bytes.I32(info + 4);
    header.Height = bytes.I32(info + 8);
    if (bytes.U16(info + 12) != 1) Invalid();
    header.BitsPerPixel = bytes.U16(info + 14);
    header.Compression = bytes.U32(info + 16);
    header.ColorsUsed = bytes.U32(info + 32);
  } else {
    Invalid();
  }
  header.PaletteAt = info + size;
  header.TopDown = header.Height < 0;
  if (header.TopDown) header.Height = -header.Height;
  if (header.Width <= 0 || header.Height <= 0 || header.Width > MaxSide || header.Height > MaxSide ||
      header.Width * header.Height > MaxPixels)
    Invalid();
  const int bits = header.BitsPerPixel;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
  if (header.Compression == BI_BITFIELDS && (bits == 16 || bits == 32)) {
    // Version 3 headers keep the masks after the header, later ones inside it.
    const std::size_t masks = info + InfoHeaderSize;
    header.Red = TChannel::Of(bytes.U32(masks));
    header.Green = TChannel::Of(bytes.U32(masks + 4));
    header.Blue = TChannel::Of(bytes.U32(masks + 8));
    if (size >= 56) header.Alpha = TChannel::Of(bytes.U32(masks + 12));
    if (size == InfoHeaderSize) header.PaletteAt += 12;
  } else if (header.Compression == BI_RGB && bits == 16) {
    header.Red = TChannel::Of(0x7C00);
    header.Green = TChannel::Of(0x03E0);
    header.Blue = TChannel::Of(0x001F);
  } else if (header.Compression != BI_RGB) {
    Invalid();
  }
  return header;
}

TPixelFormat FormatOf(const THeader& header) {
  switch (header.BitsPerPixel) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 32: return pf32bit;
    default: return pf24bit;
  }
}

std::vector<TColor> ReadPalette(const TBytes& bytes, const THeader& header) {
  const std::uint32_t capacity = 1u << header.BitsPerPixel;
  const std::uint32_t count = header.ColorsUsed == 0 ? capacity : std::min(header.ColorsUsed, capacity);
  const std::uint8_t* entries = bytes.At(header.PaletteAt, count * header.PaletteEntrySize);
  std::vector<TColor> palette(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* e = entries + i * header.PaletteEntrySize;
    palette[i] = RGB(e[2], e[1], e[0]);
  }
  return palette;
}

bool UsesChannels(const THeader& header) { return header.BitsPerPixel == 16 || header.Compression == BI_BITFIELDS; }

void DecodeRow(const THeader& header, const std::uint8_t* source, std::vector<std::uint32_t>& pixels) {
  const int bytesPerPixel = header.BitsPerPixel / 8;
  for (std::size_t x = 0; x < pixels.size(); ++x) {
    const std::uint8_t* p = source + x * bytesPerPixel;
    const std::uint32_t value = bytesPerPixel == 2 ? std::uint32_t(p[0] | p[1] << 8)
                                                   : std::uint32_t(p[0] | p[1] << 8 | p[2] << 16) | std::uint32_t(p[3]) << 24;
    pixels[x] = header.Alpha.Extract(value, 0xFF) << 24 | header.Red.Extract(value, 0) << 16 |
                header.Green.Extract(value, 0) << 8 | header.Blue.Extract(value, 0);
  }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(std::uint8_t(value));
  out.push_back(std::uint8_t(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

CountedPtr<TGdiBitmap> ReadBmp(std::istream& stream) {
  const TBytes bytes(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(stream), {}));
  if (bytes.U16(0) != 0x4D42) Invalid();  // "BM"
  const std::size_t offset = bytes.U32(10);
  const THeader header = ReadHeader(bytes);
  const std::size_t stride = std::size_t((header.Width * header.BitsPerPixel + 31) / 32 * 4);
  const std::uint8_t* rows = bytes.At(offset, stride * std::size_t(header.Height));

  CountedPtr<TGdiBitmap> bitmap(new TGdiBitmap(int(header.Width), int(header.Height), FormatOf(header)));
  if (header.BitsPerPixel <= 8) bitmap->SetPalette(ReadPalette(bytes, header));
  const std::size_t rowBytes = std::size_t((header.Width * header.BitsPerPixel + 7) / 8);
  std::vector<std::uint32_t> pixels(std::size_t(header.Width));
  for (int y = 0; y < bitmap->Height(); ++y) {
    const std::uint8_t* source = rows + stride * std::size_t(header.TopDown ? y : bitmap->Height() - 1 - y);
    if (UsesChannels(header)) {
      DecodeRow(header, source, pixels);
      bitmap->StoreRow(y, 0, bitmap->Width(), pixels.data());
    } else {
      std::memcpy(bitmap->ScanLine(y), source, rowBytes);
    }
  }
  return bitmap;
}

void WriteBmp(std::ostream& stream, const TGdiBitmap& bitmap) {
  const std::vector<TColor>& palette = bitmap.Palette();
  const std::uint32_t pixelOffset = std::uint32_t(FileHeaderSize + InfoHeaderSize + palette.size() * 4);
  const std::uint32_t imageSize = std::uint32_t(bitmap.Stride()) * std::uint32_t(bitmap.Height());
  std::vector<std::uint8_t> head;
  Put16(head, 0x4D42);
  Put32(head, pixelOffset + imageSize);
  Put32(head, 0);
  Put32(head, pixelOffset);
  Put32(head, InfoHeaderSize);
  Put32(head, std::uint32_t(bitmap.Width()));
  Put32(head, std::uint32_t(bitmap.Height()));
  Put16(head, 1);
  Put16(head, std::uint32_t(bitmap.BitsPerPixel()));
  Put32(head, BI_RGB);
  Put32(head, imageSize);
  Put32(head, 3780);  // 96 pixels per inch, in pixels per metre
  Put32(head, 3780);
  Put32(head, std::uint32_t(palette.size()));
  Put32(head, 0);
  for (TColor c : palette) Put32(head, std::uint32_t(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16));
  stream.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
  for (int y = bitmap.Height() - 1; y >= 0; --y)
    stream.write(reinterpret_cast<const char*>(bitmap.ScanLine(y)), bitmap.Stride());
}
