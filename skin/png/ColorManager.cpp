#include "skin/png/ColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

struct TColorManager::TSourceRow {
  std::array<const std::uint8_t*, 4> Samples{};
  std::size_t Step = 0;
};

namespace {

bool IsValidBits(int bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }

bool IsIndexedLike(TSampleLayout layout) { return layout == slIndexed || layout == slGray || layout == slGrayAlpha; }

bool IsRGBFamily(TSampleLayout layout) {
  return layout == slRGB || layout == slRGBA || layout == slBGR || layout == slBGRA;
}

bool HasAlpha(TSampleLayout layout) { return layout == slGrayAlpha || layout == slRGBA || layout == slBGRA; }

bool IsBlueFirst(TSampleLayout layout) { return layout == slBGR || layout == slBGRA; }

int SamplesOf(TSampleLayout layout) {
  switch (layout) {
    case slGrayAlpha: return 2;
    case slRGB:
    case slBGR:
    case slCMY:
    case slCIELab:
    case slYCbCr:
    case slPhotoYCC: return 3;
    case slRGBA:
    case slBGRA:
    case slCMYK: return 4;
    default: return 1;
  }
}

int MaxOf(int bits) { return (1 << bits) - 1; }

std::uint16_t Swapped(std::uint16_t v) { return std::uint16_t(v << 8 | v >> 8); }

std::uint16_t Read16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

void Write16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

std::uint16_t ScaleUp(unsigned v) { return std::uint16_t(v * 65535 / 255); }
std::uint8_t ScaleDown(unsigned v) { return std::uint8_t(v * 255 / 65535); }

template <class T>
std::uint8_t ClampByte(T v) {
  return std::uint8_t(std::clamp<T>(v, 0, 255));
}

// Visits the positions of a row: body(position, index of the source pixel).
// Position x is visited when bit 7 - x mod 8 of mask is set.
template <class Body>
void WalkRow(unsigned count, std::uint8_t mask, Body body) {
  if (mask == 0xFF) {
    for (unsigned x = 0; x < count; ++x) body(x, x);
    return;
  }
  unsigned n = 0;
  std::uint8_t bit = 0x80;
  for (unsigned x = 0; x < count; ++x) {
    if (mask & bit) body(x, n++);
    bit = std::uint8_t(bit >> 1 | bit << 7);
  }
}

// Samples of 1 to 8 bits packed from the most significant bits of each byte.
unsigned ReadPacked(const std::uint8_t* row, std::size_t index, int bits) {
  const std::size_t bit = index * bits;
  return row[bit / 8] >> (8 - bits - int(bit % 8)) & MaxOf(bits);
}

void WritePacked(std::uint8_t* row, std::size_t index, int bits, unsigned value) {
  const std::size_t bit = index * bits;
  const int shift = 8 - bits - int(bit % 8);
  row[bit / 8] = std::uint8_t((row[bit / 8] & ~(MaxOf(bits) << shift)) | value << shift);
}

constexpr std::array<std::uint8_t, 256> IdentityTable = [] {
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = std::uint8_t(i);
  return table;
}();

// Where red, green and blue go in a pixel of an RGB or BGR target.
struct TColorSlots {
  int Red, Green, Blue;
};

TColorSlots SlotsOf(TSampleLayout layout) { return IsBlueFirst(layout) ? TColorSlots{2, 1, 0} : TColorSlots{0, 1, 2}; }

// Writes a converted red, green and blue into a target pixel of 8 or 16 bits.
struct TColorWriter {
  TColorSlots Slots;
  int Bits;
  std::size_t Step;

  // Values are 8-bit when the target is; 16-bit ones are stored as given.
  void Put(std::uint8_t* target, unsigned x, unsigned red, unsigned green, unsigned blue) const {
    std::uint8_t* pixel = target + x * Step;
    if (Bits == 8) {
      pixel[Slots.Red] = std::uint8_t(red);
      pixel[Slots.Green] = std::uint8_t(green);
      pixel[Slots.Blue] = std::uint8_t(blue);
    } else {
      Write16(pixel + 2 * Slots.Red, std::uint16_t(red));
      Write16(pixel + 2 * Slots.Green, std::uint16_t(green));
      Write16(pixel + 2 * Slots.Blue, std::uint16_t(blue));
    }
  }
};

}  // namespace

TColorManager::TColorManager() { SetGammaValues(1.0f, 2.2f); }

void TColorManager::SetSourceBitsPerSample(int bits) {
  if (!IsValidBits(bits)) throw EColorConversionError("Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  if (bits != sourceBits_) changed_ = true;
  sourceBits_ = bits;
}

void TColorManager::SetTargetBitsPerSample(int bits) {
  if (!IsValidBits(bits)) throw EColorConversionError("Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  if (bits != targetBits_) changed_ = true;
  targetBits_ = bits;
}

namespace {

void CheckSampleCount(int samples) {
  if (samples < 1 || samples > 4)
    throw EColorConversionError("Sample count per pixel does not correspond to the given color scheme.");
}

}  // namespace

void TColorManager::SetSourceSamplesPerPixel(int samples) {
  CheckSampleCount(samples);
  if (samples != sourceSamples_) changed_ = true;
  sourceSamples_ = samples;
}

void TColorManager::SetTargetSamplesPerPixel(int samples) {
  CheckSampleCount(samples);
  if (samples != targetSamples_) changed_ = true;
  targetSamples_ = samples;
}

void TColorManager::SetSourceLayout(TSampleLayout layout) {
  if (layout != sourceLayout_) changed_ = true;
  sourceLayout_ = layout;
}

void TColorManager::SetTargetLayout(TSampleLayout layout) {
  if (layout != targetLayout_) changed_ = true;
  targetLayout_ = layout;
}

void TColorManager::SetGammaValues(float imageGamma, float screenGamma) {
  imageGamma_ = imageGamma > 0 ? imageGamma : 1.0f;
  screenGamma_ = screenGamma > 0 ? screenGamma : 2.2f;
  // Indices above 255 would not fit the table (sources under 8 bits with 16-bit targets).
  const int last = sourceBits_ < 8 ? std::min(MaxOf(targetBits_), 255) : 255;
  const int top = targetBits_ < 8 ? MaxOf(targetBits_) : 255;
  // Every reader builds a table or two per picture, mostly the same ones;
  // 256 powers in extended precision cost more than a small picture's decoding.
  struct TBuiltTable {
    float ImageGamma = 0, ScreenGamma = 0;
    int Last = 0, Top = 0;
    std::array<std::uint8_t, 256> Table{};
  };
  thread_local std::array<TBuiltTable, 4> built;
  thread_local std::size_t next = 0;
  for (const TBuiltTable& b : built)
    if (b.ImageGamma == imageGamma_ && b.ScreenGamma == screenGamma_ && b.Last == last && b.Top == top) {
      std::copy_n(b.Table.begin(), last + 1, gamma_.begin());
      return;
    }
  const long double exponent = 1.0L / (static_cast<long double>(imageGamma_) * screenGamma_);
  for (int i = 0; i <= last; ++i)
    gamma_[i] = std::uint8_t(std::nearbyint(std::pow(static_cast<long double>(i) / last, exponent) * top));
  built[next] = {imageGamma_, screenGamma_, last, top, gamma_};
  next = (next + 1) % built.size();
}

TPixelFormat TColorManager::PixelFormatFor(bool target) const {
  const int samples = target ? targetSamples_ : sourceSamples_;
  const int bits = target ? targetBits_ : sourceBits_;
  switch (samples) {
    case 1:
      if (bits == 1) return pf1bit;
      if (bits >= 2 && bits <= 4) return pf4bit;
      if (bits >= 8 && bits <= 16) return pf8bit;
      return pfCustom;
    case 3: return bits <= 5 ? pf15bit : pf24bit;
    case 4: return bits >= 8 ? pf32bit : pfCustom;
    default: return pfCustom;
  }
}

void TColorManager::ConvertLine(std::span<const void* const> source, void* target, unsigned count,
                                std::uint8_t mask) {
  QASSERT(!source.empty() && source[0] && target, "5C3A0001");
  if (changed_) SelectConverter();
  if (!converter_) throw EColorConversionError("Color conversion failed. Could not find a proper method.");
  (this->*converter_)(MakeSourceRow(source), static_cast<std::uint8_t*>(target), count, mask);
}

void TColorManager::SelectConverter() {
  converter_ = nullptr;
  if (IsIndexedLike(sourceLayout_) != (targetLayout_ == slIndexed || targetLayout_ == slGray))
    throw EColorConversionError("Conversion between indexed and non-indexed pixel formats is not supported.");
  HasAlpha(sourceLayout_) ? SourceFlags.Include(sfAlpha) : SourceFlags.Exclude(sfAlpha);
  HasAlpha(targetLayout_) ? TargetFlags.Include(sfAlpha) : TargetFlags.Exclude(sfAlpha);
  if (sourceLayout_ == slYCbCr || sourceLayout_ == slPhotoYCC) BuildYccTables();
  converter_ = IsIndexedLike(sourceLayout_) ? IndexedConverter() : ColorConverter();
  changed_ = false;
}

TColorManager::TConverter TColorManager::IndexedConverter() const {
  const int s = sourceBits_;
  const int t = targetBits_;
  switch (sourceLayout_) {
    case slIndexed:
      if (s == 16) return &TColorManager::ConvertIndexed16;
      return t == 16 ? &TColorManager::ConvertIndexedTo16 : &TColorManager::ConvertPacked;
    case slGray:
      if (s != 16 && t != 16) return &TColorManager::ConvertPacked;
      return s >= 8 && t >= 8 ? &TColorManager::ConvertGray : nullptr;
    default:  // slGrayAlpha
      return (s == 8 || s == 16) && (t == 8 || t == 16) ? &TColorManager::ConvertGray : nullptr;
  }
}

TColorManager::TConverter TColorManager::ColorConverter() const {
  const bool bytesOrWords = (sourceBits_ == 8 || sourceBits_ == 16) && (targetBits_ == 8 || targetBits_ == 16);
  if (!IsRGBFamily(targetLayout_) || !bytesOrWords) return nullptr;
  switch (sourceLayout_) {
    case slRGB:
    case slRGBA:
    case slBGR:
    case slBGRA: return &TColorManager::ConvertRGB;
    case slCMYK: return &TColorManager::ConvertCMYK;
    case slCIELab: return sourceBits_ == 8 ? &TColorManager::ConvertLab : nullptr;
    case slYCbCr:
    case slPhotoYCC: return &TColorManager::ConvertYcc;
    default: return nullptr;
  }
}

TColorManager::TSourceRow TColorManager::MakeSourceRow(std::span<const void* const> source) const {
  const int samples = SamplesOf(sourceLayout_);
  const std::size_t bytes = sourceBits_ == 16 ? 2 : 1;
  const bool planar = sourceLayout_ == slCMYK ? source.size() == 4 : source.size() > 1 && int(source.size()) >= samples;
  TSourceRow row;
  for (int k = 0; k < samples; ++k)
    row.Samples[k] = planar ? static_cast<const std::uint8_t*>(source[k])
                            : static_cast<const std::uint8_t*>(source[0]) + k * bytes;
  row.Step = planar ? bytes : samples * bytes;
  return row;
}

const std::uint8_t* TColorManager::ColorTable() const {
  return TargetFlags.Contains(sfGamma) ? gamma_.data() : IdentityTable.data();
}

// Indices or grey levels of 1 to 8 bits, rescaled to the target's range.
void TColorManager::ConvertPacked(const TSourceRow& source, std::uint8_t* target, unsigned count,
                                  std::uint8_t mask) const {
  const int s = sourceBits_;
  const int t = targetBits_;
  const std::uint8_t* row = source.Samples[0];
  if (s == t && mask == 0xFF) {
    std::memcpy(target, row, (std::size_t(count) * s + 7) / 8);
    return;
  }
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    WritePacked(target, x, t, ReadPacked(row, n, s) * MaxOf(t) / MaxOf(s));
  });
}

void TColorManager::ConvertIndexed16(const TSourceRow& source, std::uint8_t* target, unsigned count,
                                     std::uint8_t mask) const {
  const bool swap = SourceFlags.Contains(sfSwapBytes);
  const int t = targetBits_;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    std::uint16_t v = Read16(source.Samples[0] + n * 2);
    if (swap) v = Swapped(v);
    if (t == 16)
      Write16(target + x * 2, v);
    else
      WritePacked(target, x, t, unsigned(v) * MaxOf(t) / 65535);
  });
}

void TColorManager::ConvertIndexedTo16(const TSourceRow& source, std::uint8_t* target, unsigned count,
                                       std::uint8_t mask) const {
  const bool swap = SourceFlags.Contains(sfSwapBytes);
  const int s = sourceBits_;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    const auto v = std::uint16_t(ReadPacked(source.Samples[0], n, s) * 65535 / MaxOf(s));
    Write16(target + x * 2, swap ? Swapped(v) : v);
  });
}

// The grey sample of 8 or 16 bits; an alpha sample after it is passed over.
void TColorManager::ConvertGray(const TSourceRow& source, std::uint8_t* target, unsigned count,
                                std::uint8_t mask) const {
  const bool swap = SourceFlags.Contains(sfSwapBytes);
  const bool wordsIn = sourceBits_ == 16;
  const bool wordsOut = targetBits_ == 16;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    const std::uint8_t* in = source.Samples[0] + n * source.Step;
    if (!wordsIn) {
      if (wordsOut)
        Write16(target + x * 2, ScaleUp(*in));
      else
        target[x] = *in;
      return;
    }
    std::uint16_t v = Read16(in);
    if (swap) v = Swapped(v);
    if (wordsOut)
      Write16(target + x * 2, v);
    else
      target[x] = ScaleDown(v);
  });
}

// RGB and BGR in either order; colour through the gamma table when asked,
// alpha copied when both sides have it.
void TColorManager::ConvertRGB(const TSourceRow& source, std::uint8_t* target, unsigned count,
                               std::uint8_t mask) const {
  TSourceRow ordered = source;
  if (IsBlueFirst(sourceLayout_) != IsBlueFirst(targetLayout_)) std::swap(ordered.Samples[0], ordered.Samples[2]);
  const bool alpha = HasAlpha(sourceLayout_) && HasAlpha(targetLayout_);
  const int samplesOut = HasAlpha(targetLayout_) ? 4 : 3;
  const int channels = alpha ? 4 : 3;
  const std::uint8_t* table = ColorTable();
  const bool swap = SourceFlags.Contains(sfSwapBytes);
  const std::size_t step = ordered.Step;
  const auto& in = ordered.Samples;

  if (sourceBits_ == 8 && targetBits_ == 8) {
    WalkRow(count, mask, [&](unsigned x, unsigned n) {
      std::uint8_t* out = target + x * samplesOut;
      const std::size_t at = n * step;
      out[0] = table[in[0][at]];
      out[1] = table[in[1][at]];
      out[2] = table[in[2][at]];
      if (alpha) out[3] = in[3][at];
    });
    return;
  }
  const bool wordsIn = sourceBits_ == 16;
  const bool wordsOut = targetBits_ == 16;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    for (int k = 0; k < channels; ++k) {
      const std::uint8_t* sample = in[k] + n * step;
      const bool colour = k < 3;
      if (!wordsIn) {
        // 8 -> 16: gamma, then scaled up and stored in the source's byte order.
        const std::uint16_t v = ScaleUp(colour ? table[*sample] : *sample);
        Write16(target + (x * samplesOut + k) * 2, swap ? Swapped(v) : v);
        continue;
      }
      std::uint16_t v = Read16(sample);
      if (swap) v = Swapped(v);
      if (wordsOut)
        Write16(target + (x * samplesOut + k) * 2, v);
      else
        target[x * samplesOut + k] = colour ? table[ScaleDown(v)] : ScaleDown(v);
    }
  });
}

// CMYK to red, green and blue, without gamma; 16-bit samples in machine order.
void TColorManager::ConvertCMYK(const TSourceRow& source, std::uint8_t* target, unsigned count,
                                std::uint8_t mask) const {
  const TColorWriter writer{SlotsOf(targetLayout_), targetBits_,
                            std::size_t(HasAlpha(targetLayout_) ? 4 : 3) * (targetBits_ / 8)};
  const bool wordsIn = sourceBits_ == 16;
  const bool wordsOut = targetBits_ == 16;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    unsigned rgb[3];
    if (!wordsIn) {
      const int k = source.Samples[3][n * source.Step];
      for (int c = 0; c < 3; ++c) {
        const int v = source.Samples[c][n * source.Step];
        const std::uint8_t value = ClampByte(v * k / 255 - v - k + 255);
        rgb[c] = wordsOut ? ScaleUp(value) : value;
      }
    } else {
      const unsigned k = Read16(source.Samples[3] + n * source.Step);
      for (int c = 0; c < 3; ++c) {
        const unsigned v = Read16(source.Samples[c] + n * source.Step);
        const unsigned product = v * k / 65535;
        if (wordsOut) {
          rgb[c] = std::uint16_t(product - v - k - 1);
        } else {
          const unsigned m = std::uint16_t(v + k - product) * 255 / 65535;
          rgb[c] = ClampByte(255 - int(m));
        }
      }
    }
    writer.Put(target, x, rgb[0], rgb[1], rgb[2]);
  });
}

// CIE L*a*b* of 8-bit samples to red, green and blue.
void TColorManager::ConvertLab(const TSourceRow& source, std::uint8_t* target, unsigned count,
                               std::uint8_t mask) const {
  const TColorWriter writer{SlotsOf(targetLayout_), targetBits_,
                            std::size_t(HasAlpha(targetLayout_) ? 4 : 3) * (targetBits_ / 8)};
  const bool byteRange = SourceFlags.Contains(sfLabByteRange);
  const bool chromaOffset = SourceFlags.Contains(sfLabChromaOffset);
  const bool wordsOut = targetBits_ == 16;
  const auto chroma = [&](std::uint8_t v) -> long double { return chromaOffset ? v - 128 : std::int8_t(v); };
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    const std::size_t at = n * source.Step;
    long double l = source.Samples[0][at];
    if (byteRange) l /= 2.55L;
    const long double a = chroma(source.Samples[1][at]);
    const long double b = chroma(source.Samples[2][at]);
    long double cx, cy, cz;
    if (l < 7.9996L) {
      cy = l / 903.3L;
      cx = cy + a / 3893.5L;
      cz = cy - b / 1557.4L;
    } else {
      const long double f = (l + 16) / 116;
      cx = std::pow(f + a / 500, 3.0L);
      cy = f * f * f;
      cz = std::pow(f - b / 200, 3.0L);
    }
    const auto channel = [&](long double v) {
      const std::uint8_t byte = ClampByte<long double>(std::nearbyint(v * 255));
      return wordsOut ? unsigned(ScaleUp(byte)) : unsigned(byte);
    };
    writer.Put(target, x, channel(2.998L * cx - 1.458L * cy - 0.541L * cz),
               channel(-0.952L * cx + 1.893L * cy + 0.059L * cz), channel(0.099L * cx - 0.198L * cy + 1.099L * cz));
  });
}

void TColorManager::BuildYccTables() {
  const float c = 2 - 2 * lumaWeights_[0];
  const float d = 2 - 2 * lumaWeights_[2];
  const float redWeight = lumaWeights_[0] * c / lumaWeights_[1];
  const float blueWeight = lumaWeights_[2] * d / lumaWeights_[1];
  const bool photo = sourceLayout_ == slPhotoYCC;
  for (int i = 0; i < 256; ++i) {
    const long double e1 = photo ? i - 156 : i - 128;
    const long double e2 = photo ? i - 137 : i - 128;
    redFromC2_[i] = std::int32_t(std::nearbyint(c * e2));
    blueFromC1_[i] = std::int32_t(std::nearbyint(d * e1));
    greenFromC2_[i] = -std::int32_t(std::nearbyint(redWeight * e2));
    greenFromC1_[i] = -std::int32_t(std::nearbyint(blueWeight * e1));
  }
}

// Luma and two chroma samples to red, green and blue, without gamma;
// 16-bit samples in machine order. Only Photo YCC has a formula of its own
// from 16 to 16 bits; YCbCr goes through the 8-bit tables there as well.
void TColorManager::ConvertYcc(const TSourceRow& source, std::uint8_t* target, unsigned count,
                               std::uint8_t mask) const {
  const TColorWriter writer{SlotsOf(targetLayout_), targetBits_,
                            std::size_t(HasAlpha(targetLayout_) ? 4 : 3) * (targetBits_ / 8)};
  const bool wordsIn = sourceBits_ == 16;
  const bool wordsOut = targetBits_ == 16;
  const bool photoWords = wordsIn && wordsOut && sourceLayout_ == slPhotoYCC;
  WalkRow(count, mask, [&](unsigned x, unsigned n) {
    const std::size_t at = n * source.Step;
    if (photoWords) {
      const float y = Read16(source.Samples[0] + at) * 1.3584f;
      const float c1 = float(Read16(source.Samples[1] + at)) - 40092;
      const float c2 = float(Read16(source.Samples[2] + at)) - 35209;
      const auto word = [](float v) { return unsigned(std::uint16_t(std::int64_t(std::nearbyint(v)))); };
      writer.Put(target, x, word(y + 1.8215f * c2), word(y - 0.9271435f * c2 - 0.4302726f * c1),
                 word(y + 2.2179f * c1));
      return;
    }
    int y, c1, c2;
    if (wordsIn) {
      y = ScaleDown(Read16(source.Samples[0] + at));
      c1 = ScaleDown(Read16(source.Samples[1] + at));
      c2 = ScaleDown(Read16(source.Samples[2] + at));
    } else {
      y = source.Samples[0][at];
      c1 = source.Samples[1][at];
      c2 = source.Samples[2][at];
    }
    const auto channel = [&](int v) {
      const std::uint8_t byte = ClampByte(v);
      return wordsOut ? unsigned(ScaleUp(byte)) : unsigned(byte);
    };
    writer.Put(target, x, channel(y + redFromC2_[c2]), channel(y + greenFromC1_[c1] + greenFromC2_[c2]),
               channel(y + blueFromC1_[c1]));
  });
}

std::vector<TColor> TColorManager::BuildColorPalette(std::span<const void* const> data, TPaletteData format,
                                                     unsigned count, bool blueFirst) const {
  QASSERT(!data.empty() && data[0], "5C3A0002");
  const bool words = format >= pdTriples16;
  const bool planar = format == pdPlanes8 || format == pdPlanesAlpha8 || format == pdPlanes16 ||
                      format == pdPlanesAlpha16;
  QASSERT(!planar || (data.size() >= 3 && data[1] && data[2]), "5C3A0003");
  const std::size_t size = words ? 2 : 1;
  const std::size_t stride = planar ? size : (format == pdQuads8 || format == pdQuads16 ? 4 : 3) * size;
  // Interleaved words are stored blue first unless blueFirst says otherwise.
  const bool reversed = !planar && (words ? !blueFirst : blueFirst);
  const std::uint8_t* table = ColorTable();
  const bool swap = SourceFlags.Contains(sfSwapBytes);
  const auto component = [&](int c, unsigned j) -> std::uint8_t {
    const std::uint8_t* p = planar ? static_cast<const std::uint8_t*>(data[c]) + j * stride
                                   : static_cast<const std::uint8_t*>(data[0]) + j * stride + c * size;
    if (!words) return table[*p];
    std::uint16_t v = Read16(p);
    if (swap) v = Swapped(v);
    return table[ScaleDown(v)];
  };

  std::vector<TColor> entries(std::min(count, 256u));
  for (unsigned j = 0; j < entries.size(); ++j) {
    const std::uint8_t first = component(0, j);
    const std::uint8_t second = component(1, j);
    const std::uint8_t third = component(2, j);
    entries[j] = reversed ? RGB(third, second, first) : RGB(first, second, third);
  }
  const long sourceMax = (1L << sourceBits_) - 1;
  const long targetMax = (1L << targetBits_) - 1;
  if (targetBits_ > 8 || sourceMax == targetMax) return entries;
  // Spread over the target's index range: entry j takes the source entry
  // that a sample of value j stands for. Entries the data lacks are black.
  std::vector<TColor> spread(targetMax + 1, clBlack);
  for (long j = 0; j <= targetMax; ++j) {
    const std::size_t from = std::size_t(j * sourceMax / targetMax);
    if (from < entries.size()) spread[j] = entries[from];
  }
  return spread;
}

std::vector<TColor> TColorManager::BuildGrayPalette(bool whiteFirst) const {
  const int count = 1 << std::min(targetBits_ * targetSamples_, 8);
  const int step = 255 / (count - 1);
  const std::uint8_t* table = ColorTable();
  std::vector<TColor> entries(count);
  for (int i = 0; i < count; ++i) {
    const int level = table[i * step];
    entries[whiteFirst ? count - 1 - i : i] = RGB(level, level, level);
  }
  return entries;
}
