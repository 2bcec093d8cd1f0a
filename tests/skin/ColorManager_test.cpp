#include "skin/png/ColorManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TSetup {
  TSampleLayout Source, Target;
  int SourceBits, TargetBits;
  TSampleFlags SourceFlags = {};
  TSampleFlags TargetFlags = {};
};

TColorManager Manager(const TSetup& setup) {
  TColorManager manager;
  manager.SetSourceLayout(setup.Source);
  manager.SetTargetLayout(setup.Target);
  manager.SetSourceBitsPerSample(setup.SourceBits);
  manager.SetTargetBitsPerSample(setup.TargetBits);
  manager.SourceFlags = setup.SourceFlags;
  manager.TargetFlags = setup.TargetFlags;
  return manager;
}

// The target bytes after converting count positions of source into target.
Bytes Convert(const TSetup& setup, const Bytes& source, Bytes target, unsigned count, std::uint8_t mask = 0xFF) {
  TColorManager manager = Manager(setup);
  const void* rows[] = {source.data()};
  manager.ConvertLine(rows, target.data(), count, mask);
  return target;
}

Bytes Words(std::initializer_list<std::uint16_t> values) {
  Bytes bytes;
  for (std::uint16_t v : values) {
    bytes.push_back(std::uint8_t(v));
    bytes.push_back(std::uint8_t(v >> 8));
  }
  return bytes;
}

struct TLineCase {
  const char* Name;
  TSetup Setup;
  Bytes Source;
  Bytes Target;  // what the target holds before
  unsigned Count;
  std::uint8_t Mask;
  Bytes Expected;
};

TEST(ColorManagerTest, ConvertsRowsAsEachLayoutAndDepthSays) {
  const TLineCase cases[] = {
      {"indexed 2 -> 4 bits spreads the values", {slIndexed, slIndexed, 2, 4}, {0b00011011}, {0, 0}, 4, 0xFF,
       {0x05, 0xAF}},
      {"equal depths copy whole bytes", {slIndexed, slIndexed, 4, 4}, {0x12, 0x34}, {0, 0}, 3, 0xFF, {0x12, 0x34}},
      {"indexed 16 -> 4 bits packs nibbles, keeping the rest", {slIndexed, slIndexed, 16, 4},
       Words({0xFFFF, 0x1111, 0x8888}), {0x00, 0x0F}, 3, 0xFF, {0xF1, 0x8F}},
      {"indexed 4 -> 16 bits scales by 65535 / 15", {slIndexed, slIndexed, 4, 16}, {0x1F}, {0, 0, 0, 0}, 2, 0xFF,
       {0x11, 0x11, 0xFF, 0xFF}},
      {"grey with alpha takes every second byte", {slGrayAlpha, slIndexed, 8, 8}, {10, 200, 20, 201, 30, 202},
       {0, 0, 0}, 3, 0xFF, {10, 20, 30}},
      {"grey 16 -> 8 bits, big-endian", {slGray, slGray, 16, 8, {sfSwapBytes}}, {0xFF, 0x00, 0x80, 0x00}, {0, 0},
       2, 0xFF, {254, 127}},
      {"RGB 16 -> BGR 8 without gamma", {slRGB, slBGR, 16, 8, {sfSwapBytes}}, {0xFF, 0x00, 0, 0, 0x12, 0x34},
       {0, 0, 0}, 1, 0xFF, {18, 0, 254}},
      {"RGBA -> BGRA copies alpha", {slRGBA, slBGRA, 8, 8}, {1, 2, 3, 4}, {0, 0, 0, 0}, 1, 0xFF, {3, 2, 1, 4}},
      {"RGB -> BGRA leaves the target's alpha", {slRGB, slBGRA, 8, 8}, {1, 2, 3}, {0, 0, 0, 99}, 1, 0xFF,
       {3, 2, 1, 99}},
      {"BGRA -> RGB drops alpha", {slBGRA, slRGB, 8, 8}, {1, 2, 3, 4}, {0, 0, 0}, 1, 0xFF, {3, 2, 1}},
      {"RGB 8 -> 16 scales up, stored big-endian", {slRGB, slRGB, 8, 16, {sfSwapBytes}}, {0x01, 0xFF, 0},
       {0, 0, 0, 0, 0, 0}, 1, 0xFF, {0x01, 0x01, 0xFF, 0xFF, 0, 0}},
      {"CMYK 8 -> 8", {slCMYK, slRGB, 8, 8}, {0, 255, 100, 50, 200, 0, 100, 100}, {0, 0, 0, 0, 0, 0}, 2, 0xFF,
       {205, 0, 124, 33, 155, 94}},
      {"CMYK 16 -> 8", {slCMYK, slBGR, 16, 8}, Words({30000, 65535, 0, 20000}), {0, 0, 0}, 1, 0xFF, {178, 0, 97}},
      {"CMYK 16 -> 16", {slCMYK, slRGB, 16, 16}, Words({30000, 0, 65535, 20000}), Bytes(6), 1, 0xFF,
       Words({24690, 45535, 0})},
      {"L*a*b* with signed chroma", {slCIELab, slRGB, 8, 8}, {60, 40, 20}, {0, 0, 0}, 1, 0xFF, {176, 42, 44}},
      {"L*a*b* in byte range with chroma offset", {slCIELab, slBGR, 8, 8, {sfLabByteRange, sfLabChromaOffset}},
       {128, 200, 60}, {0, 0, 0}, 1, 0xFF, {211, 12, 106}},
      {"dark L*a*b* takes the linear branch", {slCIELab, slRGB, 8, 8}, {5, 0, 0}, {0, 0, 0}, 1, 0xFF, {1, 1, 1}},
      {"YCbCr grey stays grey", {slYCbCr, slRGB, 8, 8}, {128, 128, 128}, {0, 0, 0}, 1, 0xFF, {128, 128, 128}},
      {"YCbCr clamps to 0..255", {slYCbCr, slRGB, 8, 8}, {100, 60, 200}, {0, 0, 0}, 1, 0xFF, {201, 72, 0}},
      {"Photo YCC has offset chroma", {slPhotoYCC, slRGB, 8, 8}, {100, 60, 200}, {0, 0, 0}, 1, 0xFF, {188, 88, 0}},
      {"Photo YCC 16 -> 16", {slPhotoYCC, slRGB, 16, 16}, Words({20000, 45000, 30000}), Bytes(6), 1, 0xFF,
       Words({17680, 29886, 38053})},
      {"a mask of 0x80 writes every eighth position from the next source pixel",
       {slIndexed, slIndexed, 8, 8}, {7, 8, 9}, Bytes(20), 20, 0x80,
       {7, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0}},
      {"a masked RGB row skips target pixels", {slRGB, slBGR, 8, 8}, {1, 2, 3, 4, 5, 6}, Bytes(9), 3, 0xA0,
       {3, 2, 1, 0, 0, 0, 6, 5, 4}},
  };
  for (const TLineCase& c : cases)
    EXPECT_EQ(Convert(c.Setup, c.Source, c.Target, c.Count, c.Mask), c.Expected) << c.Name;
}

TEST(ColorManagerTest, PlanesServeAsSourcesOnePerSample) {
  TColorManager manager = Manager({slRGB, slBGR, 8, 8});
  const Bytes red = {1, 4}, green = {2, 5}, blue = {3, 6};
  const void* planes[] = {red.data(), green.data(), blue.data()};
  Bytes target(6);
  manager.ConvertLine(planes, target.data(), 2, 0xFF);
  EXPECT_EQ(target, (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST(ColorManagerTest, GammaTableFollowsImageAndScreenGamma) {
  TColorManager manager;
  manager.SetGammaValues(0.45f, 2.2f);
  const std::pair<int, int> samples[] = {{0, 0}, {1, 1}, {16, 16}, {64, 63}, {128, 127}, {200, 200}, {255, 255}};
  for (auto [index, value] : samples) EXPECT_EQ(manager.GammaTable()[index], value) << index;

  manager.SetGammaValues(0.5f, 1.0f);  // squares
  EXPECT_EQ(manager.GammaTable()[128], 64);
  EXPECT_EQ(manager.GammaTable()[16], 1);
  manager.SetGammaValues(0, -1);
  EXPECT_FLOAT_EQ(manager.ImageGamma(), 1.0f);
  EXPECT_FLOAT_EQ(manager.ScreenGamma(), 2.2f);

  // Below 8 source bits the table spans the target's range.
  manager.SetSourceBitsPerSample(2);
  manager.SetTargetBitsPerSample(2);
  manager.SetGammaValues(0.5f, 1.0f);
  EXPECT_EQ(manager.GammaTable()[0], 0);
  EXPECT_EQ(manager.GammaTable()[2], 1);  // round((2/3)^2 x 3)
  EXPECT_EQ(manager.GammaTable()[3], 3);
  // ...but never beyond the table's 256 entries.
  manager.SetTargetBitsPerSample(16);
  manager.SetGammaValues(0.5f, 1.0f);
  EXPECT_EQ(manager.GammaTable()[255], 255);
}

TEST(ColorManagerTest, GammaReachesColourSamplesOnlyWhenAsked) {
  TSetup setup{slRGBA, slBGRA, 8, 8};
  setup.TargetFlags = {sfGamma};
  TColorManager manager = Manager(setup);
  manager.SetGammaValues(0.5f, 1.0f);
  const Bytes source = {128, 16, 255, 128};
  const void* rows[] = {source.data()};
  Bytes target(4);
  manager.ConvertLine(rows, target.data(), 1, 0xFF);
  EXPECT_EQ(target, (Bytes{255, 1, 64, 128})) << "alpha keeps its value";
  manager.TargetFlags = {};
  manager.ConvertLine(rows, target.data(), 1, 0xFF);
  EXPECT_EQ(target, (Bytes{255, 16, 128, 128}));
}

TEST(ColorManagerTest, GreyPaletteSpansTheTargetLevels) {
  TColorManager manager;
  manager.SetTargetBitsPerSample(4);
  manager.SetTargetSamplesPerPixel(1);
  const std::vector<TColor> palette = manager.BuildGrayPalette(false);
  ASSERT_EQ(palette.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(palette[i], RGB(i * 17, i * 17, i * 17)) << i;
  EXPECT_EQ(manager.BuildGrayPalette(true).front(), clWhite);

  manager.SetTargetBitsPerSample(8);
  manager.SetTargetSamplesPerPixel(3);  // no more than 256 entries
  EXPECT_EQ(manager.BuildGrayPalette(false).size(), 256u);
  manager.TargetFlags = {sfGamma};
  manager.SetGammaValues(0.5f, 1.0f);
  EXPECT_EQ(manager.BuildGrayPalette(false)[128], RGB(64, 64, 64));
}

TEST(ColorManagerTest, ColourPaletteReadsEveryLayoutAndSpreadsOverTheTargetRange) {
  TColorManager manager;
  const Bytes triples = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  const void* interleaved[] = {triples.data()};
  EXPECT_EQ(manager.BuildColorPalette(interleaved, pdTriples8, 2, false),
            (std::vector<TColor>{RGB(10, 20, 30), RGB(40, 50, 60)}));
  EXPECT_EQ(manager.BuildColorPalette(interleaved, pdTriples8, 1, true), std::vector<TColor>{RGB(30, 20, 10)});
  EXPECT_EQ(manager.BuildColorPalette(interleaved, pdQuads8, 2, false),
            (std::vector<TColor>{RGB(10, 20, 30), RGB(50, 60, 70)}));
  const Bytes r = {1, 2}, g = {3, 4}, b = {5, 6};
  const void* planes[] = {r.data(), g.data(), b.data()};
  EXPECT_EQ(manager.BuildColorPalette(planes, pdPlanes8, 2, true), (std::vector<TColor>{RGB(1, 3, 5), RGB(2, 4, 6)}));
  // 16-bit components are blue first unless told otherwise; big-endian with sfSwapBytes.
  manager.SourceFlags = {sfSwapBytes};
  const Bytes words = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  const void* wordData[] = {words.data()};
  EXPECT_EQ(manager.BuildColorPalette(wordData, pdTriples16, 1, false), std::vector<TColor>{RGB(0, 127, 255)});
  EXPECT_EQ(manager.BuildColorPalette(wordData, pdTriples16, 1, true), std::vector<TColor>{RGB(255, 127, 0)});

  // Indexed 2 -> 4 bits: entries 0, 5, 10, 15 are the four source colours.
  manager.SetSourceBitsPerSample(2);
  manager.SetTargetBitsPerSample(4);
  const std::vector<TColor> spread = manager.BuildColorPalette(interleaved, pdTriples8, 4, false);
  ASSERT_EQ(spread.size(), 16u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(spread[i * 5], RGB(10 + 30 * i, 20 + 30 * i, 30 + 30 * i)) << i;
  // Entries the data lacks are black.
  EXPECT_EQ(manager.BuildColorPalette(interleaved, pdTriples8, 2, false)[15], clBlack);
}

TEST(ColorManagerTest, PixelFormatFollowsSamplesAndBits) {
  struct TFormatCase {
    int Samples, Bits;
    TPixelFormat Format;
  };
  const TFormatCase cases[] = {{1, 1, pf1bit},  {1, 2, pf4bit},  {1, 4, pf4bit},   {1, 8, pf8bit},
                               {1, 16, pf8bit}, {3, 4, pf15bit}, {3, 8, pf24bit},  {3, 16, pf24bit},
                               {4, 8, pf32bit}, {4, 4, pfCustom}, {2, 8, pfCustom}};
  for (const TFormatCase& c : cases) {
    TColorManager manager;
    manager.SetTargetSamplesPerPixel(c.Samples);
    manager.SetTargetBitsPerSample(c.Bits);
    EXPECT_EQ(manager.PixelFormatFor(true), c.Format) << c.Samples << " x " << c.Bits;
    EXPECT_EQ(manager.PixelFormatFor(false), pf24bit) << "the source keeps 3 x 8";
  }
}

// Each error keeps the settings that were there.
TEST(ColorManagerTest, ErrorsLeaveTheSettings) {
  TColorManager manager;
  for (int bits : {0, 3, 5, 12, 32}) {
    EXPECT_THROW(
        try { manager.SetSourceBitsPerSample(bits); } catch (const EColorConversionError& e) {
          EXPECT_STREQ(e.what(), "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
          throw;
        },
        EColorConversionError);
    EXPECT_THROW(manager.SetTargetBitsPerSample(bits), EColorConversionError);
  }
  EXPECT_EQ(manager.SourceBitsPerSample(), 8);
  EXPECT_EQ(manager.TargetBitsPerSample(), 8);
  for (int samples : {0, 5}) {
    EXPECT_THROW(
        try { manager.SetTargetSamplesPerPixel(samples); } catch (const EColorConversionError& e) {
          EXPECT_STREQ(e.what(), "Sample count per pixel does not correspond to the given color scheme.");
          throw;
        },
        EColorConversionError);
  }
  EXPECT_EQ(manager.TargetSamplesPerPixel(), 3);

  const Bytes source(4);
  const void* rows[] = {source.data()};
  Bytes target(4);
  const auto convertError = [&] {
    try {
      manager.ConvertLine(rows, target.data(), 1, 0xFF);
    } catch (const EColorConversionError& e) {
      return std::string(e.what());
    }
    return std::string("converted");
  };
  manager.SetSourceLayout(slGray);
  EXPECT_EQ(convertError(), "Conversion between indexed and non-indexed pixel formats is not supported.");
  EXPECT_EQ(manager.SourceLayout(), slGray);
  EXPECT_EQ(convertError(), "Conversion between indexed and non-indexed pixel formats is not supported.")
      << "the next line tries again";
  manager.SetSourceLayout(slCMY);
  EXPECT_EQ(convertError(), "Color conversion failed. Could not find a proper method.");
  manager.SetSourceLayout(slGray);
  manager.SetTargetLayout(slGray);
  manager.SetSourceBitsPerSample(16);
  manager.SetTargetBitsPerSample(4);
  EXPECT_EQ(convertError(), "Color conversion failed. Could not find a proper method.") << "grey 16 -> 4";
  manager.SetTargetBitsPerSample(8);
  EXPECT_EQ(convertError(), "converted");
}

}  // namespace
