#pragma once
// Converts rows of pixel samples from one layout and depth to another,
// through a gamma table where asked, and builds palettes. The converter is
// chosen once per change of settings, on the next ConvertLine, so a reader
// sets the manager up once and then hands it row after row.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/EnumSet.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/GdiBitmap.h"

class EColorConversionError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

enum TSampleLayout : std::uint8_t {
  slUnknown,
  slIndexed,
  slGray,
  slGrayAlpha,
  slRGB,
  slRGBA,
  slBGR,
  slBGRA,
  slCMY,
  slCMYK,
  slCIELab,
  slYCbCr,
  slPhotoYCC,
};

enum TSampleFlag : std::uint8_t {
  sfAlpha,            // the layout has an alpha sample (set when the converter is chosen)
  sfGamma,            // target: colour samples pass through the gamma table
  sfSwapBytes,        // source: 16-bit samples are big-endian
  sfLabByteRange,     // source: L* is stored as 0..255, not 0..100
  sfLabChromaOffset,  // source: a* and b* are stored with an offset of 128, not signed
};
using TSampleFlags = TEnumSet<TSampleFlag>;

// How BuildColorPalette's data is laid out: 8- or 16-bit components,
// interleaved as triples or with a fourth component that is not read, or
// as three planes (a fourth plane, when there is one, is not read).
enum TPaletteData : std::uint8_t {
  pdTriples8,
  pdQuads8,
  pdPlanes8,
  pdPlanesAlpha8,
  pdTriples16,
  pdQuads16,
  pdPlanes16,
  pdPlanesAlpha16,
};

class TColorManager {
public:
  TColorManager();

  int SourceBitsPerSample() const { return sourceBits_; }
  int TargetBitsPerSample() const { return targetBits_; }
  int SourceSamplesPerPixel() const { return sourceSamples_; }
  int TargetSamplesPerPixel() const { return targetSamples_; }
  TSampleLayout SourceLayout() const { return sourceLayout_; }
  TSampleLayout TargetLayout() const { return targetLayout_; }
  // Bits other than 1, 2, 4, 8 and 16, and sample counts outside 1..4,
  // raise EColorConversionError and keep the value.
  void SetSourceBitsPerSample(int bits);
  void SetTargetBitsPerSample(int bits);
  void SetSourceSamplesPerPixel(int samples);
  void SetTargetSamplesPerPixel(int samples);
  void SetSourceLayout(TSampleLayout layout);
  void SetTargetLayout(TSampleLayout layout);

  TSampleFlags SourceFlags;
  TSampleFlags TargetFlags;

  float ImageGamma() const { return imageGamma_; }
  float ScreenGamma() const { return screenGamma_; }
  // Builds the gamma table from the bit settings in force now; a gamma of
  // 0 or less stands for 1.0 (image) or 2.2 (screen).
  void SetGammaValues(float imageGamma, float screenGamma);
  const std::array<std::uint8_t, 256>& GammaTable() const { return gamma_; }

  // Converts count pixel positions of a row. One source pointer holds
  // interleaved samples; one pointer per sample of the layout holds planes
  // (for CMYK exactly four); the target is interleaved. Position x is
  // written when bit 7 - x mod 8 of mask is set; the target advances one
  // pixel per position, the source one per written position.
  void ConvertLine(std::span<const void* const> source, void* target, unsigned count, std::uint8_t mask);

  // The toolkit format for the target's (or the source's) bits and samples.
  TPixelFormat PixelFormatFor(bool target) const;

  // A palette of at most 256 entries from count colours, spread over the
  // target's index range when the source's range differs. Interleaved 8-bit
  // data is read red first (blue first with blueFirst), 16-bit data the
  // other way round; planes are always red, green, blue.
  std::vector<TColor> BuildColorPalette(std::span<const void* const> data, TPaletteData format, unsigned count,
                                        bool blueFirst) const;
  // Evenly spaced grey levels for the target's bits, black first unless whiteFirst.
  std::vector<TColor> BuildGrayPalette(bool whiteFirst) const;

private:
  // Where each sample of a row's first pixel lies, and the step to the next pixel.
  struct TSourceRow;
  using TConverter = void (TColorManager::*)(const TSourceRow&, std::uint8_t*, unsigned, std::uint8_t) const;

  void SelectConverter();
  TConverter IndexedConverter() const;
  TConverter ColorConverter() const;
  void BuildYccTables();
  TSourceRow MakeSourceRow(std::span<const void* const> source) const;
  const std::uint8_t* ColorTable() const;

  void ConvertPacked(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertIndexed16(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertIndexedTo16(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertGray(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertRGB(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertCMYK(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertLab(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;
  void ConvertYcc(const TSourceRow& source, std::uint8_t* target, unsigned count, std::uint8_t mask) const;

  bool changed_ = true;
  int sourceBits_ = 8;
  int targetBits_ = 8;
  int sourceSamples_ = 3;
  int targetSamples_ = 3;
  float imageGamma_ = 1.0f;
  float screenGamma_ = 2.2f;
  std::array<std::uint8_t, 256> gamma_{};
  std::array<float, 3> lumaWeights_ = {0.299f, 0.587f, 0.114f};  // red, green, blue
  // Chroma contributions of the YCbCr and Photo YCC converters, by chroma value.
  std::array<std::int32_t, 256> redFromC2_{};
  std::array<std::int32_t, 256> blueFromC1_{};
  std::array<std::int32_t, 256> greenFromC2_{};
  std::array<std::int32_t, 256> greenFromC1_{};
  TSampleLayout sourceLayout_ = slRGB;
  TSampleLayout targetLayout_ = slBGR;
  TConverter converter_ = nullptr;
};
