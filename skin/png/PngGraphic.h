#pragma once
// The skin layer's PNG reader: a bitmap that decodes a PNG stream chunk by
// chunk, row by row, straight into its scan lines. Grey images become 1-,
// 4- or 8-bit bitmaps with a grey palette (2-bit levels land on entries 0,
// 5, 10, 15 of 16), indexed ones palette bitmaps, RGB 24-bit and RGB with
// alpha 32-bit with straight alpha; grey with alpha keeps only its grey.
// 16-bit samples become 8-bit, and colours pass through the gamma of a gAMA
// chunk (screen gamma 2.2). It reads PNG only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/png/ColorManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Icon.h"

class TStream;
struct z_stream_s;

// The CRC-32 of the PNG standard over length bytes, continuing from crc
// (0 to start); a null buffer gives 0.
std::uint32_t PngCrc32(std::uint32_t crc, const void* buffer, std::size_t length);

// Inflates a zlib stream in parts, as its compressed data arrives.
class TLZ77Decoder {
public:
  // flushKind is inflate's flush argument for every call; resetEachCall
  // starts a new stream at every Unpack.
  TLZ77Decoder(int flushKind, bool resetEachCall);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // Open and Close raise EGraphicCompression "LZ77 decompression error." when zlib fails.
  void Open();
  void Close();
  // Inflates from source into dest and advances both. Once a call ended the
  // stream or failed, later calls inflate nothing and leave both alone.
  void Unpack(const std::uint8_t*& source, std::uint8_t*& dest, int packedSize, int unpackedSize);
  // zlib's answer to the last call (Z_OK, Z_STREAM_END or an error).
  int LastResult() const { return lastResult_; }
  int InputLeft() const;
  int OutputLeft() const;

private:
  std::unique_ptr<z_stream_s> stream_;
  int lastResult_ = 0;
  int flushKind_;
  bool resetEachCall_;
  bool open_ = false;
};

// What a PNG's header says, summed up.
struct TPngHeaderInfo {
  static constexpr std::uint32_t HeaderRead = 1;  // Flags: an IHDR was read
  static constexpr std::uint32_t GammaMet = 2;    // Flags: the load met a gAMA chunk

  std::uint32_t Flags = 0;
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  TSampleLayout Layout = slUnknown;
  std::uint8_t SampleBits = 0;
  std::uint8_t SampleCount = 0;  // grey with alpha counts 1: its alpha is not kept
  std::uint8_t PixelBits = 0;
  std::uint8_t Compression = 0;  // 2 for deflate, the one method PNG defines; else 0
  float FileGamma = 1.0f;
  bool Interlaced = false;
  bool HasAlpha = false;
  std::uint8_t FilterMethod = 0;
};

// Registers TPNGGraphic with the picture registry for "png", ahead of the
// toolkit's own PNG class; Unregister takes it out again.
void RegisterPngGraphic();
void UnregisterPngGraphic();

// An icon of the bitmap, which it changes; the caller destroys it. A
// pf32bit bitmap keeps its alpha unless forceColorKey; any other (or with
// forceColorKey) becomes pf32bit whose pixels of the top-left colour are
// transparent and the others opaque. Bitmaps below 2 x 2 are not keyed.
HICON CreateAlphaIcon(TBitmap& bitmap, bool forceColorKey);

class TPNGGraphic : public TBitmap {
public:
  TPNGGraphic();
  ~TPNGGraphic();

  // Decodes the PNG that starts at the stream's position. Format faults
  // raise EInvalidGraphic, a decompressor that cannot start or end
  // EGraphicCompression, a stream that ends before IEND EStreamError; the
  // bitmap then holds what was decoded before the fault.
  void LoadFromStream(TStream& stream);
  // The picture registry's way in: the bytes from the stream's position on.
  void LoadFromStream(std::istream& stream) override;
  void LoadFromFile(const std::string& fileName);

  // A pf32bit image is blended by its alpha over what the canvas holds
  // (scaled first, colour and alpha alike, when rect has another size);
  // any other is drawn as a bitmap, its transparent colour left out.
  void Draw(TCanvas& canvas, const TRect& rect) const override;

  using TBitmap::Assign;
  // Takes the header summary too.
  void Assign(const TPNGGraphic& source);

  const TPngHeaderInfo& HeaderInfo() const { return header_; }
  // Its settings carry over from one load to the next.
  TColorManager& ColorManager() { return colorManager_; }

private:
  // The IHDR's fields as the file gives them.
  struct TImageHeader {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint8_t BitDepth = 0;
    std::uint8_t ColorType = 0;
    std::uint8_t Compression = 0;
    std::uint8_t Filter = 0;
    std::uint8_t Interlace = 0;
  };

  bool ProbeHeader();
  void DecodeChunks();
  void EndLoad();
  void NextChunk();
  bool ChunkIs(std::uint32_t type) const;
  bool ChunkIsCritical() const;
  void ReadChunkData();
  void SkipChunk();
  TImageHeader ReadImageHeader() const;
  void TakePalette();
  void TakeGamma();
  void TakeBackground();
  void TakeTransparency();
  int ChooseLayout(int colorType, int bitDepth);
  void DecodeImageData();
  void PrepareBitmap();
  TColor BackgroundFill() const;
  TColor ResolvedTransparentColor() const;
  void DecodeRow(std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& previous, std::size_t size,
                 int y, std::uint8_t mask);
  std::size_t InflateRow(std::uint8_t* row, std::size_t size);

  TColorManager colorManager_;
  TRect progressRect_;
  std::int64_t start_ = 0;
  TStream* stream_ = nullptr;  // the stream of the running load
  TPngHeaderInfo header_;
  TImageHeader ihdr_;
  std::unique_ptr<TLZ77Decoder> decoder_;
  // The IDAT data not yet inflated, inside chunkData_.
  const std::uint8_t* idatNext_ = nullptr;
  int idatLeft_ = 0;
  std::vector<std::uint8_t> chunkData_;
  std::uint32_t chunkLength_ = 0;
  std::uint32_t chunkType_ = 0;  // the four type bytes, first in the high byte
  std::uint32_t crc_ = 0;
  int bytesPerPixel_ = 0;
  bool layoutChosen_ = false;
  std::vector<TColor> palette_;  // empty: the bitmap keeps its own
  TColor transparentColor_ = clNone;
  std::uint32_t background_ = 0xFFFFFF;
};
