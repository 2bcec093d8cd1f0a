#include "skin/png/PngHelpers.h"

#include <gtest/gtest.h>


#include "runtime/Collection.h"
#include "tests/skin/PngFiles.h"
#include "toolkit/gdi/PngObject.h"

namespace {

TEST(PngHelpersTest, AmountScalesAlphaRoundingToEven) {
  // Alpha 255, 100 and 0 in an RGBA row.
  TPNGObject png;
  LoadPicture(png, WriteWithLibpng({3, 1, 6, 8, false, {{1, 2, 3, 255, 4, 5, 6, 100, 7, 8, 9, 0}}, {}}));
  MakeHalfTransparent(png, 127);
  EXPECT_EQ(png.AlphaScanline(0)[0], 128);
  EXPECT_EQ(png.AlphaScanline(0)[1], 50);
  EXPECT_EQ(png.AlphaScanline(0)[2], 0);
  EXPECT_EQ(png.Pixel(1, 0), RGB(4, 5, 6));

  // RGB with a transparent colour: an alpha channel, the colour at 0.
  TPngWriteOptions keyed;
  keyed.Transparency = std::vector<std::uint16_t>{4, 5, 6};
  TPNGObject rgb;
  LoadPicture(rgb, WriteWithLibpng({2, 1, 2, 8, false, {{1, 2, 3, 4, 5, 6}}, {}}, keyed));
  MakeHalfTransparent(rgb, 127);
  EXPECT_EQ(rgb.ColorType(), COLOR_RGBALPHA);
  EXPECT_EQ(rgb.AlphaScanline(0)[0], 128);
  EXPECT_EQ(rgb.AlphaScanline(0)[1], 0);
}

TEST(PngHelpersTest, GreyWithATransparentLevelBecomesRgbWithAlpha) {
  // 2-bit levels 0..3, level 2 transparent: alpha 0 there, Amount (not scaled) elsewhere.
  TPngWriteOptions keyed;
  keyed.Transparency = std::vector<std::uint16_t>{2};
  TPNGObject grey;
  LoadPicture(grey, WriteWithLibpng({4, 1, 0, 2, false, {{0b00011011}}, {}}, keyed));
  MakeHalfTransparent(grey, 127);
  EXPECT_EQ(grey.ColorType(), COLOR_RGBALPHA);
  EXPECT_EQ(grey.Pixel(1, 0), RGB(85, 85, 85));
  const std::uint8_t* alpha = grey.AlphaScanline(0);
  EXPECT_EQ((std::vector<int>{alpha[0], alpha[1], alpha[2], alpha[3]}), (std::vector<int>{127, 127, 0, 127}));

  // Indexed images take their palette colours, every pixel at Amount.
  TPNGObject indexed;
  LoadPicture(indexed, WriteWithLibpng({2, 1, 3, 8, false, {{1, 0}}, {{10, 20, 30}, {40, 50, 60}}}));
  MakeHalfTransparent(indexed, 60);
  EXPECT_EQ(indexed.Pixel(0, 0), RGB(40, 50, 60));
  EXPECT_EQ(indexed.AlphaScanline(0)[1], 60);
}

TEST(PngHelpersTest, ItemOrNilAnswersNullOutsideTheItems) {
  TCollectionOf<TCollectionItem> items;
  TCollectionItem& first = items.Add();
  items.Add();
  EXPECT_EQ(ItemOrNil(items, 0), &first);
  EXPECT_EQ(ItemOrNil(items, -1), nullptr);
  EXPECT_EQ(ItemOrNil(items, 2), nullptr);
}

}  // namespace
