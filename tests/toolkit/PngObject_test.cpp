#include "toolkit/gdi/PngObject.h"


#include <gtest/gtest.h>

#include "tests/skin/PngFiles.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Icon.h"

namespace {

TPngWriteOptions Transparency(std::vector<std::uint16_t> values) {
  TPngWriteOptions options;
  options.Transparency = std::move(values);
  return options;
}

TEST(PngObject, ReadsEachColourTypeAsEightBitSamples) {
  // Levels 0..3 of a 2-bit grey image, level 1 transparent: spread over 0..255.
  TPNGObject grey;
  LoadPicture(grey, WriteWithLibpng({4, 1, 0, 2, false, {{0b00011011}}, {}}, Transparency({1})));
  EXPECT_EQ(grey.ColorType(), COLOR_GRAYSCALE);
  EXPECT_EQ(grey.BitDepth(), 2);
  EXPECT_EQ(grey.TransparencyMode(), ptmBit);
  EXPECT_EQ(grey.TransparentColor(), RGB(85, 85, 85));
  EXPECT_EQ(grey.Pixel(2, 0), RGB(170, 170, 170));
  EXPECT_EQ(grey.AlphaScanline(0), nullptr);

  // 16-bit RGB with alpha, interlaced: samples scaled to 8 bits, alpha kept apart.
  TPngImage rgba = {2, 1, 6, 16, true, {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x80, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}}, {}};
  TPNGObject wide;
  LoadPicture(wide, WriteWithLibpng(rgba));
  EXPECT_EQ(wide.ColorType(), COLOR_RGBALPHA);
  EXPECT_EQ(wide.TransparencyMode(), ptmPartial);
  EXPECT_EQ(wide.Pixel(0, 0), RGB(255, 128, 0));
  EXPECT_EQ(wide.AlphaScanline(0)[0], 128);
  EXPECT_EQ(wide.AlphaScanline(0)[1], 0);

  TPngImage indexed = {2, 1, 3, 4, false, {{0x10}}, {{10, 20, 30}, {40, 50, 60}}};
  TPNGObject palette;
  LoadPicture(palette, WriteWithLibpng(indexed, Transparency({0})));
  EXPECT_EQ(palette.Pixel(0, 0), RGB(40, 50, 60));
  EXPECT_EQ(palette.TransparencyMode(), ptmPartial) << "alpha per palette entry";
}

TEST(PngObject, LibpngFaultsRaiseAndKeepThePicture) {
  TPNGObject png;
  LoadPicture(png, WriteWithLibpng(MakePngImage(3, 2, 2, 8, false, 7)));
  std::vector<TPngChunk> huge = SplitChunks(WriteWithLibpng(MakePngImage(3, 2, 2, 8, false, 7)));
  huge[0].Data.replace(0, 8, std::string("\0\1\0\0\0\1\0\0", 8));  // 65536 x 65536
  std::vector<TPngChunk> badCrc = SplitChunks(WriteWithLibpng(MakePngImage(3, 2, 2, 8, false, 7)));
  badCrc[FindChunk(badCrc, "IDAT")].Crc = 1;
  std::string cut = WriteWithLibpng(MakePngImage(3, 2, 2, 8, false, 7));
  cut.resize(cut.size() - 20);
  for (const std::string& file : {std::string("not a PNG"), JoinChunks(huge), JoinChunks(badCrc), cut}) {
    EXPECT_THROW(LoadPicture(png, file), EInvalidGraphic);
    EXPECT_EQ(png.Width(), 3);
  }
}

TEST(PngObject, AlphaChannelPixelsAndBitmaps) {
  TBitmap bitmap(2, 1, pf24bit);
  bitmap.Handle()->SetPixel(0, 0, clRed);
  bitmap.Handle()->SetPixel(1, 0, clBlue);
  TPNGObject png;
  png.Assign(bitmap);
  EXPECT_EQ(png.ColorType(), COLOR_RGB);
  EXPECT_EQ(png.Pixel(1, 0), clBlue);
  png.CreateAlpha();
  EXPECT_EQ(png.ColorType(), COLOR_RGBALPHA);
  EXPECT_EQ(png.AlphaScanline(0)[1], 255);
  png.SetPixel(1, 0, clLime);
  png.AlphaScanline(0)[1] = 0;

  TBitmap target(2, 1, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 2, 1));
  target.Canvas().Draw(0, 0, png);
  EXPECT_EQ(target.Handle()->Pixel(0, 0), clRed);
  EXPECT_EQ(target.Handle()->Pixel(1, 0), clWhite) << "alpha 0";

  TPNGObject copy;
  copy.Assign(png);
  EXPECT_EQ(copy.Pixel(1, 0), clLime);
  EXPECT_THROW(copy.Assign(TIcon()), EConvertError);
}

}  // namespace
