#include "skin/png/PngGraphic.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "runtime/MulDiv.h"
#include "runtime/Stream.h"
#include "skin/paint/AlphaImages.h"
#include "skin/paint/FastPixels.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/Picture.h"

static_assert(std::endian::native == std::endian::little, "the CRC loop reads words little-endian");

namespace {

// Eight tables for the CRC: table k advances a byte that lies k bytes
// before the end of an 8-byte step, so a step costs eight look-ups.
constexpr auto CrcTables = [] {
  std::array<std::array<std::uint32_t, 256>, 8> tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ c >> 1 : c >> 1;
    tables[0][i] = c;
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t i = 0; i < 256; ++i)
      tables[k][i] = tables[k - 1][i] >> 8 ^ tables[0][tables[k - 1][i] & 0xFF];
  return tables;
}();

}  // namespace

std::uint32_t PngCrc32(std::uint32_t crc, const void* buffer, std::size_t length) {
  if (!buffer) return 0;
  const auto& t = CrcTables;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  crc = ~crc;
  for (; length >= 8; p += 8, length -= 8) {
    std::uint32_t low, high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + 4, 4);
    low ^= crc;
    crc = t[7][low & 0xFF] ^ t[6][low >> 8 & 0xFF] ^ t[5][low >> 16 & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][high >> 8 & 0xFF] ^ t[1][high >> 16 & 0xFF] ^ t[0][high >> 24];
  }
  for (; length > 0; --length) crc = t[0][(crc ^ *p++) & 0xFF] ^ crc >> 8;
  return ~crc;
}

// ---------------------------------------------------------------------------

TLZ77Decoder::TLZ77Decoder(int flushKind, bool resetEachCall)
    : stream_(std::make_unique<z_stream_s>()), flushKind_(flushKind), resetEachCall_(resetEachCall) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (open_) inflateEnd(stream_.get());
}

void TLZ77Decoder::Open() {
  if (inflateInit(stream_.get()) < 0) throw EGraphicCompression("LZ77 decompression error.");
  open_ = true;
}

void TLZ77Decoder::Close() {
  open_ = false;
  if (inflateEnd(stream_.get()) < 0) throw EGraphicCompression("LZ77 decompression error.");
}

void TLZ77Decoder::Unpack(const std::uint8_t*& source, std::uint8_t*& dest, int packedSize, int unpackedSize) {
  z_stream_s& z = *stream_;
  z.next_in = const_cast<Bytef*>(source);
  z.avail_in = uInt(packedSize);
  if (resetEachCall_) lastResult_ = inflateReset(&z);
  if (lastResult_ != Z_OK) return;
  z.next_out = dest;
  z.avail_out = uInt(unpackedSize);
  lastResult_ = inflate(&z, flushKind_);
  source = z.next_in;
  dest = z.next_out;
}

int TLZ77Decoder::InputLeft() const { return int(stream_->avail_in); }

int TLZ77Decoder::OutputLeft() const { return int(stream_->avail_out); }

// ---------------------------------------------------------------------------

namespace {

constexpr std::uint32_t ChunkName(const char (&name)[5]) {
  return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16 |
         std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint8_t(name[3]);
}

constexpr std::uint32_t IHDR = ChunkName("IHDR");
constexpr std::uint32_t PLTE = ChunkName("PLTE");
constexpr std::uint32_t IDAT = ChunkName("IDAT");
constexpr std::uint32_t IEND = ChunkName("IEND");
constexpr std::uint32_t gAMA = ChunkName("gAMA");
constexpr std::uint32_t bKGD = ChunkName("bKGD");
constexpr std::uint32_t tRNS = ChunkName("tRNS");

constexpr std::uint8_t Signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int IhdrSize = 13;
// Larger claims are refused before anything is allocated for them.
constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFF;
constexpr std::uint32_t MaxDimension = 0x7FFFFFFF;
constexpr std::uint64_t MaxPixels = std::uint64_t(1) << 28;

constexpr const char* InvalidFormatText = "Cannot load image. Invalid or unexpected PNG image format.";
constexpr const char* CrcErrorText = "Cannot load image. CRC error found in PNG file.";
constexpr const char* CompressionSchemeText = "Cannot load image. The compression scheme is not supported for PNG files.";
constexpr const char* ColorFormatText = "Invalid color format in PNG file.";
constexpr const char* PaletteText = "Cannot load image. Palette in PNG file is invalid.";
constexpr const char* CompressionErrorText = "Cannot load image. Compression error found in PNG file.";
constexpr const char* ExtraDataText = "Cannot load image. Extra compressed data found in PNG file.";
constexpr const char* CriticalChunkText = "Cannot load PNG image. Unexpected but critical chunk detected.";

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

unsigned BigEndian16(const std::uint8_t* p) { return unsigned(p[0]) << 8 | p[1]; }

TSampleLayout LayoutOf(int colorType) {
  switch (colorType) {
    case 0: return slGray;
    case 2: return slRGB;
    case 3: return slIndexed;
    case 4: return slGrayAlpha;
    case 6: return slRGBA;
    default: return slUnknown;
  }
}

// A grey or colour sample of a bKGD or tRNS chunk, as the decoded pixels
// hold it: 2-bit grey spread like the pixels, 16-bit scaled to 8.
unsigned GrayLevel(unsigned v, int bitDepth) {
  if (bitDepth == 2) return v * 15 / 3;
  if (bitDepth == 16) return v * 255 / 65535;
  return v & 0xFF;
}

TColor ChunkColor(const std::uint8_t* data, int bitDepth) {
  const auto component = [&](int i) {
    const unsigned v = BigEndian16(data + 2 * i);
    return int(bitDepth == 16 ? v * 255 / 65535 : v & 0xFF);
  };
  return RGB(component(0), component(1), component(2));
}

// Undoes a row's filter in place; the left neighbour lies bytesPerPixel
// back, previous is the same pass's previous row (zeros for its first).
void UnfilterRow(int filter, std::uint8_t* row, std::size_t length, std::size_t bytesPerPixel,
                 const std::uint8_t* previous) {
  const std::size_t bpp = std::min(bytesPerPixel, length);
  switch (filter) {
    case 1:
      for (std::size_t i = bpp; i < length; ++i) row[i] = std::uint8_t(row[i] + row[i - bpp]);
      return;
    case 2:
      for (std::size_t i = 0; i < length; ++i) row[i] = std::uint8_t(row[i] + previous[i]);
      return;
    case 3:
      for (std::size_t i = 0; i < bpp; ++i) row[i] = std::uint8_t(row[i] + (previous[i] >> 1));
      for (std::size_t i = bpp; i < length; ++i) row[i] = std::uint8_t(row[i] + ((row[i - bpp] + previous[i]) >> 1));
      return;
    case 4:
      for (std::size_t i = 0; i < bpp; ++i) row[i] = std::uint8_t(row[i] + previous[i]);
      for (std::size_t i = bpp; i < length; ++i) {
        const int left = row[i - bpp];
        const int up = previous[i];
        const int upperLeft = previous[i - bpp];
        const int toLeft = std::abs(up - upperLeft);
        const int toUp = std::abs(left - upperLeft);
        const int toUpperLeft = std::abs(left + up - 2 * upperLeft);
        const int predictor = toLeft <= toUp && toLeft <= toUpperLeft ? left : toUp <= toUpperLeft ? up : upperLeft;
        row[i] = std::uint8_t(row[i] + predictor);
      }
      return;
    default:  // 0, and unknown filters, which leave the row as read
      return;
  }
}

struct TInterlacePass {
  int FirstRow, FirstColumn, RowStep, ColumnStep;
  std::uint8_t ColumnMask;  // bit 7 - x mod 8 is set for the pass's columns x
};

constexpr TInterlacePass Adam7[7] = {
    {0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
    {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF},
};

}  // namespace

TPNGGraphic::TPNGGraphic() = default;

TPNGGraphic::~TPNGGraphic() = default;

void TPNGGraphic::Assign(const TPNGGraphic& source) {
  header_ = source.header_;
  TBitmap::Assign(source);
}

void TPNGGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TPNGGraphic::LoadFromStream(std::istream& stream) {
  const std::string bytes(std::istreambuf_iterator<char>(stream), {});
  TMemoryStream memory;
  memory.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  memory.SetPosition(0);
  LoadFromStream(memory);
}

void TPNGGraphic::LoadFromStream(TStream& stream) {
  SetSize(0, 0);
  SetPixelFormat(pfDevice);
  layoutChosen_ = false;
  stream_ = &stream;
  start_ = stream.Position();
  decoder_.reset();
  if (!ProbeHeader()) throw EInvalidGraphic(InvalidFormatText);

  stream.SetPosition(start_ + sizeof Signature);
  progressRect_ = Rect(0, 0, int(header_.Width), 1);
  Progress(psStarting, 0, false, progressRect_, "Preparing...");
  palette_.clear();
  transparentColor_ = clNone;
  background_ = 0xFFFFFF;
  NextChunk();
  colorManager_.SourceFlags = {sfSwapBytes};
  try {
    DecodeChunks();
  } catch (...) {
    EndLoad();
    throw;
  }
  EndLoad();
}

void TPNGGraphic::EndLoad() {
  if (auto decoder = std::move(decoder_)) decoder->Close();
  chunkData_ = {};
  idatNext_ = nullptr;
  idatLeft_ = 0;
  stream_ = nullptr;
  Progress(psEnding, 0, false, progressRect_, "");
}

// The header and the first gAMA; false for what is no PNG at all.
bool TPNGGraphic::ProbeHeader() {
  header_ = {};
  header_.FileGamma = 1.0f;
  std::uint8_t signature[sizeof Signature];
  if (stream_->Read(signature, sizeof signature) != sizeof signature ||
      std::memcmp(signature, Signature, sizeof Signature) != 0)
    return false;
  NextChunk();
  if (!ChunkIs(IHDR)) return false;
  header_.Flags |= TPngHeaderInfo::HeaderRead;
  if (chunkLength_ < IhdrSize) return false;
  ReadChunkData();
  const TImageHeader ihdr = ReadImageHeader();
  if (ihdr.Width == 0 || ihdr.Height == 0 || ihdr.Width > MaxDimension || ihdr.Height > MaxDimension ||
      std::uint64_t(ihdr.Width) * ihdr.Height > MaxPixels)
    return false;

  header_.Width = ihdr.Width;
  header_.Height = ihdr.Height;
  header_.Layout = LayoutOf(ihdr.ColorType);
  header_.SampleBits = ihdr.BitDepth;
  header_.SampleCount = header_.Layout == slRGB ? 3 : header_.Layout == slRGBA ? 4 : 1;
  header_.PixelBits = std::uint8_t(header_.SampleCount * header_.SampleBits);
  header_.Compression = ihdr.Compression == 0 ? 2 : 0;
  header_.Interlaced = ihdr.Interlace != 0;
  header_.HasAlpha = header_.Layout == slGrayAlpha || header_.Layout == slRGBA;
  header_.FilterMethod = ihdr.Filter;

  bool gammaSeen = false;
  for (NextChunk(); !ChunkIs(IEND); NextChunk()) {
    if (ChunkIs(gAMA) && !gammaSeen) {
      gammaSeen = true;
      ReadChunkData();
      if (chunkLength_ >= 4) header_.FileGamma = float(BigEndian32(chunkData_.data()) / 100000.0);
    } else {
      SkipChunk();
    }
  }
  chunkData_ = {};
  return true;
}

void TPNGGraphic::DecodeChunks() {
  ReadChunkData();
  ihdr_ = ReadImageHeader();
  if (header_.Compression != 2) throw EInvalidGraphic(CompressionSchemeText);
  decoder_ = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
  decoder_->Open();
  bool imageDecoded = false;
  for (;;) {
    NextChunk();
    if (ChunkIs(IDAT)) {
      Progress(psEnding, 0, false, progressRect_, "");
      DecodeImageData();
      imageDecoded = true;
      // The chunk after the image data is only passed over (below).
    } else if (ChunkIs(PLTE)) {
      TakePalette();
      continue;
    } else if (ChunkIs(gAMA)) {
      TakeGamma();
      continue;
    } else if (ChunkIs(bKGD)) {
      TakeBackground();
      continue;
    } else if (ChunkIs(tRNS)) {
      TakeTransparency();
      continue;
    }
    SkipChunk();
    // A file without image data holds no picture at all.
    if (ChunkIs(IEND)) {
      if (!imageDecoded) throw EInvalidGraphic(InvalidFormatText);
      return;
    }
    if (ChunkIsCritical()) throw EInvalidGraphic(CriticalChunkText);
  }
}

void TPNGGraphic::NextChunk() {
  std::uint8_t bytes[8];
  stream_->ReadBuffer(bytes, sizeof bytes);
  crc_ = PngCrc32(0, bytes + 4, 4);
  chunkLength_ = BigEndian32(bytes);
  chunkType_ = BigEndian32(bytes + 4);
  if (chunkLength_ > MaxChunkLength || chunkLength_ > stream_->Size() - stream_->Position())
    throw EInvalidGraphic(InvalidFormatText);
}

// Chunk names match whatever the case of their letters.
bool TPNGGraphic::ChunkIs(std::uint32_t type) const { return ((chunkType_ ^ type) & 0xDFDFDFDF) == 0; }

bool TPNGGraphic::ChunkIsCritical() const { return (chunkType_ & 0x20000000) == 0; }

void TPNGGraphic::ReadChunkData() {
  if (chunkData_.size() < chunkLength_) chunkData_.resize(chunkLength_);
  stream_->ReadBuffer(chunkData_.data(), chunkLength_);
  std::uint8_t stored[4];
  stream_->ReadBuffer(stored, sizeof stored);
  crc_ = PngCrc32(crc_, chunkData_.data(), chunkLength_);
  if (crc_ != BigEndian32(stored)) throw EInvalidGraphic(CrcErrorText);
}

// Passed over without a look at its CRC.
void TPNGGraphic::SkipChunk() { stream_->Seek(std::int64_t(chunkLength_) + 4, soCurrent); }

TPNGGraphic::TImageHeader TPNGGraphic::ReadImageHeader() const {
  const std::uint8_t* data = chunkData_.data();
  return {BigEndian32(data), BigEndian32(data + 4), data[8], data[9], data[10], data[11], data[12]};
}

void TPNGGraphic::TakePalette() {
  if (chunkLength_ % 3 != 0) throw EInvalidGraphic(PaletteText);
  ReadChunkData();
  if (ihdr_.ColorType != 3) return;
  bytesPerPixel_ = ChooseLayout(ihdr_.ColorType, ihdr_.BitDepth);
  const void* entries[] = {chunkData_.data()};
  palette_ = colorManager_.BuildColorPalette(entries, pdTriples8, chunkLength_ / 3, false);
}

// A gAMA too short to hold its value is ignored.
void TPNGGraphic::TakeGamma() {
  ReadChunkData();
  if (chunkLength_ < 4) return;
  colorManager_.SetGammaValues(float(BigEndian32(chunkData_.data()) / 100000.0), 2.2f);
  colorManager_.TargetFlags.Include(sfGamma);
  header_.Flags |= TPngHeaderInfo::GammaMet;
}

// bKGD and tRNS chunks too short for the image's colour type are ignored.
void TPNGGraphic::TakeBackground() {
  ReadChunkData();
  const std::uint8_t* data = chunkData_.data();
  switch (ihdr_.ColorType) {
    case 0:
    case 4:
      if (chunkLength_ >= 2) background_ = GrayLevel(BigEndian16(data), ihdr_.BitDepth);
      return;
    case 2:
    case 6:
      if (chunkLength_ >= 6) background_ = ChunkColor(data, ihdr_.BitDepth);
      return;
    default:
      if (chunkLength_ >= 1) background_ = data[0];
  }
}

// Only grey and RGB images take a transparent colour from tRNS.
void TPNGGraphic::TakeTransparency() {
  ReadChunkData();
  const std::uint8_t* data = chunkData_.data();
  if (ihdr_.ColorType == 0 && chunkLength_ >= 2) {
    const int level = int(GrayLevel(BigEndian16(data), ihdr_.BitDepth));
    transparentColor_ = RGB(level, level, level);
  } else if (ihdr_.ColorType == 2 && chunkLength_ >= 6) {
    transparentColor_ = ChunkColor(data, ihdr_.BitDepth);
  }
}

// Sets the colour manager and the pixel format for the image; the bytes of
// one pixel in a row (1 below 8 bits).
int TPNGGraphic::ChooseLayout(int colorType, int bitDepth) {
  const auto depthIn = [&](std::initializer_list<int> depths) {
    return std::find(depths.begin(), depths.end(), bitDepth) != depths.end();
  };
  TSampleLayout source, target;
  int samples, targetBits, bytesPerPixel;
  switch (colorType) {
    case 0:
      if (!depthIn({1, 2, 4, 8, 16})) throw EInvalidGraphic(ColorFormatText);
      source = target = slGray;
      samples = 1;
      targetBits = bitDepth == 2 ? 4 : bitDepth == 16 ? 8 : bitDepth;
      bytesPerPixel = (bitDepth + 7) / 8;
      break;
    case 2:
      if (!depthIn({8, 16})) throw EInvalidGraphic(ColorFormatText);
      source = slRGB;
      target = slBGR;
      samples = 3;
      targetBits = 8;
      bytesPerPixel = bitDepth * 3 / 8;
      break;
    case 3:
      if (!depthIn({1, 2, 4, 8})) throw EInvalidGraphic(ColorFormatText);
      source = target = slIndexed;
      samples = 1;
      targetBits = bitDepth == 2 ? 4 : bitDepth;
      bytesPerPixel = 1;
      break;
    case 4:
      if (!depthIn({8, 16})) throw EInvalidGraphic(ColorFormatText);
      source = slGrayAlpha;
      target = slIndexed;
      samples = 1;
      targetBits = 8;
      bytesPerPixel = bitDepth * 2 / 8;
      break;
    case 6:
      if (!depthIn({8, 16})) throw EInvalidGraphic(ColorFormatText);
      source = slRGBA;
      target = slBGRA;
      samples = 4;
      targetBits = 8;
      bytesPerPixel = bitDepth * 4 / 8;
      break;
    default: throw EInvalidGraphic(ColorFormatText);
  }
  colorManager_.SetSourceLayout(source);
  colorManager_.SetTargetLayout(target);
  colorManager_.SetSourceSamplesPerPixel(samples);
  colorManager_.SetTargetSamplesPerPixel(samples);
  colorManager_.SetSourceBitsPerSample(bitDepth);
  colorManager_.SetTargetBitsPerSample(targetBits);
  SetPixelFormat(colorType == 2 ? pf24bit : colorType == 6 ? pf32bit : colorManager_.PixelFormatFor(true));
  if (colorType == 0 || colorType == 4) palette_ = colorManager_.BuildGrayPalette(false);
  layoutChosen_ = true;
  return bytesPerPixel;
}

void TPNGGraphic::DecodeImageData() {
  Progress(psStarting, 0, false, progressRect_, "Transfering...");
  if (!layoutChosen_) bytesPerPixel_ = ChooseLayout(ihdr_.ColorType, ihdr_.BitDepth);
  PrepareBitmap();

  // Rows count 16-bit samples through the depth: halve their bytes per pixel.
  const std::size_t rowBytesPerPixel = ihdr_.BitDepth == 16 ? bytesPerPixel_ / 2 : bytesPerPixel_;
  const auto rowSize = [&](std::uint64_t pixels) {
    return std::size_t((pixels * ihdr_.BitDepth + 7) / 8 * rowBytesPerPixel + 1);
  };
  const int width = int(ihdr_.Width);
  const int height = int(ihdr_.Height);
  std::vector<std::uint8_t> row(rowSize(ihdr_.Width));
  std::vector<std::uint8_t> previous(row.size());
  if (ihdr_.Interlace == 1) {
    for (int pass = 0; pass < 7; ++pass) {
      const TInterlacePass& p = Adam7[pass];
      if (width <= p.FirstColumn) continue;
      const std::size_t size = rowSize((std::uint64_t(width) + p.ColumnStep - p.FirstColumn - 1) / p.ColumnStep);
      std::fill(previous.begin(), previous.end(), 0);
      for (int y = p.FirstRow; y < height; y += p.RowStep) {
        DecodeRow(row, previous, size, y, p.ColumnMask);
        std::swap(row, previous);
        if (pass < 6) continue;
        Progress(psRunning, MulDiv(y + 1, 100, height), true, progressRect_, "");
        OffsetRect(progressRect_, 0, 1);
      }
    }
  } else {
    for (int y = 0; y < height; ++y) {
      DecodeRow(row, previous, row.size(), y, 0xFF);
      std::swap(row, previous);
      Progress(psRunning, MulDiv(y, 100, height), true, progressRect_, "");
      OffsetRect(progressRect_, 0, 1);
    }
  }
  // Trailing IDAT chunks are read and checked.
  while (ChunkIs(IDAT)) {
    ReadChunkData();
    NextChunk();
  }
}

// The bitmap at the image's size, filled with its background, so that a
// progress handler that draws it during the load shows that colour.
void TPNGGraphic::PrepareBitmap() {
  if (!palette_.empty()) Handle()->SetPalette(palette_);
  SetSize(int(ihdr_.Width), int(ihdr_.Height));
  TCanvas& canvas = Canvas();
  canvas.Lock();
  canvas.Brush().SetColor(BackgroundFill());
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  canvas.Unlock();
  const TColor transparent = ResolvedTransparentColor();
  if (transparent == clNone) return;
  SetTransparentColor(transparent);
  SetTransparent(true);
}

// Grey and indexed backgrounds are levels or indices into the bitmap's palette.
TColor TPNGGraphic::BackgroundFill() const {
  if (ihdr_.ColorType == 2 || ihdr_.ColorType == 6) return background_;
  const std::vector<TColor>& palette = Handle()->Palette();
  const std::size_t index = ihdr_.ColorType == 3 && ihdr_.BitDepth == 2 ? background_ * 5 : background_;
  return index < palette.size() ? palette[index] : clWhite;
}

// The colour the transparent pixels have once decoded: a grey level's
// palette entry, an RGB colour through the gamma table. A grey level the
// palette lacks names no pixel.
TColor TPNGGraphic::ResolvedTransparentColor() const {
  if (transparentColor_ == clNone) return clNone;
  if (ihdr_.ColorType == 0) {
    const std::vector<TColor>& palette = Handle()->Palette();
    const std::size_t level = GetRValue(transparentColor_);
    return level < palette.size() ? palette[level] : clNone;
  }
  if (!colorManager_.TargetFlags.Contains(sfGamma)) return transparentColor_;
  const auto& gamma = colorManager_.GammaTable();
  return RGB(gamma[GetRValue(transparentColor_)], gamma[GetGValue(transparentColor_)],
             gamma[GetBValue(transparentColor_)]);
}

// Inflates, unfilters and converts one row of size bytes (its filter byte
// first) into scan line y. What the image data leaves out stays zero.
void TPNGGraphic::DecodeRow(std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& previous,
                            std::size_t size, int y, std::uint8_t mask) {
  const std::size_t filled = InflateRow(row.data(), size);
  std::fill(row.begin() + std::ptrdiff_t(filled), row.begin() + std::ptrdiff_t(size), 0);
  if (filled > 0) UnfilterRow(row[0], row.data() + 1, filled - 1, std::size_t(bytesPerPixel_), previous.data() + 1);
  const void* samples[] = {row.data() + 1};
  colorManager_.ConvertLine(samples, ScanLine(y), ihdr_.Width, mask);
}

// Fills the row from the image data, taking IDAT chunks as they come; the
// bytes filled, fewer than size when the image data ends first.
std::size_t TPNGGraphic::InflateRow(std::uint8_t* row, std::size_t size) {
  std::uint8_t* out = row;
  std::uint8_t* const end = row + size;
  while (out < end) {
    if (idatLeft_ == 0) {
      if (!ChunkIs(IDAT)) break;
      ReadChunkData();
      idatNext_ = chunkData_.data();
      idatLeft_ = int(chunkLength_);
      NextChunk();
      if (idatLeft_ == 0) continue;
    }
    decoder_->Unpack(idatNext_, out, idatLeft_, int(std::min<std::ptrdiff_t>(end - out, MaxChunkLength)));
    idatLeft_ = decoder_->InputLeft();
    const int result = decoder_->LastResult();
    if (result == Z_STREAM_END) {
      if (out < end || idatLeft_ > 0) throw EInvalidGraphic(ExtraDataText);
      break;
    }
    if (result != Z_OK) throw EInvalidGraphic(CompressionErrorText);
  }
  return std::size_t(out - row);
}

// ---------------------------------------------------------------------------

namespace {

// The stretched copy of a picture, in device format, HALFTONE.
std::unique_ptr<TBitmap> Stretched(TBitmap& source, int width, int height) {
  auto target = std::make_unique<TBitmap>(width, height, pfDevice);
  HDC dc = target->Canvas().Handle();
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 0, 0, width, height, source.Canvas().Handle(), 0, 0, source.Width(), source.Height(), SRCCOPY);
  return target;
}

// The image scaled to width x height, its alpha stretched like its colour.
// The alpha travels as grey levels, so no palette changes its values.
std::unique_ptr<TBitmap> ScaledWithAlpha(TBitmap& image, int width, int height) {
  std::unique_ptr<TBitmap> colour = Stretched(image, width, height);
  colour->SetPixelFormat(pf32bit);
  std::unique_ptr<TBitmap> alpha = NewBitmapLike(image);
  alpha->SetPixelFormat(pf8bit);
  std::vector<TColor> greys(256);
  for (int i = 0; i < 256; ++i) greys[std::size_t(i)] = RGB(i, i, i);
  alpha->Handle()->SetPalette(greys);
  CopyChannel(&image, alpha.get(), 3, true);
  alpha->SetPixelFormat(pfDevice);
  std::unique_ptr<TBitmap> stretchedAlpha = Stretched(*alpha, width, height);
  auto levels = std::make_unique<TBitmap>(width, height, pf8bit);
  CopyChannel(stretchedAlpha.get(), levels.get(), 0, true);
  CopyChannel(colour.get(), levels.get(), 3, false);
  return colour;
}

}  // namespace

void TPNGGraphic::Draw(TCanvas& canvas, const TRect& rect) const {
  if (PixelFormat() != pf32bit) return TBitmap::Draw(canvas, rect);
  const int width = rect.Width(), height = rect.Height();
  if (Empty() || width <= 0 || height <= 0) return;
  std::unique_ptr<TBitmap> work = NewBitmap24(width, height);
  BitBlt(work->Canvas().Handle(), 0, 0, width, height, canvas.Handle(), rect.Left, rect.Top, SRCCOPY);
  // Drawing reads the picture only; the bitmap calls want it writable.
  auto& self = const_cast<TPNGGraphic&>(*this);
  std::unique_ptr<TBitmap> scaled;
  TBitmap* image = &self;
  if (width != Width() || height != Height()) {
    scaled = ScaledWithAlpha(self, width, height);
    image = scaled.get();
  }
  const TRect all = Rect(0, 0, width, height);
  DrawPngImage(all, all, work.get(), image, EmptyBackdrop, false, clNone, 0);
  BitBlt(canvas.Handle(), rect.Left, rect.Top, width, height, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

HICON CreateAlphaIcon(TBitmap& bitmap, bool forceColorKey) {
  if (forceColorKey || bitmap.PixelFormat() != pf32bit) {
    ConvertTo32BitClear(&bitmap);
    TSkFast32 pixels;
    if (pixels.Bind(&bitmap)) {
      const TColor key = pixels.ReadPixel(0, 0);
      for (int x = 0; x < pixels.Width; ++x)
        for (int y = 0; y < pixels.Height; ++y)
          if (pixels.ReadPixel(x, y) != key) pixels.PixelAt(x, y)[3] = 255;
    }
  }
  const std::unique_ptr<TGdiBitmap> mask = std::make_unique<TGdiBitmap>(bitmap.Width(), bitmap.Height(), pf1bit);
  ICONINFO info;
  info.hbmColor = bitmap.Handle();
  info.hbmMask = mask.get();
  return CreateIconIndirect(info);
}

void RegisterPngGraphic() {
  TPicture::RegisterFileFormat("png", "Portable network graphics (VadizAvivudid)", GraphicClassOf<TPNGGraphic>());
}

void UnregisterPngGraphic() { TPicture::UnregisterGraphicClass(GraphicClassOf<TPNGGraphic>()); }
