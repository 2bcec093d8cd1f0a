#include "skin/paint/FastPixels.h"

#include <gtest/gtest.h>

#include "tests/skin/BitmapBytes.h"

namespace {

TEST(FastPixels, RoundingGoesToTheNearestAndHalvesToEven) {
  const struct {
    long double Value;
    int Rounded;
  } cases[] = {{0.5L, 0},     {1.5L, 2},     {2.5L, 2},          {-0.5L, 0},        {-1.5L, -2},
               {-2.5L, -2},   {127.5L, 128}, {76.500003L, 77},   {178.4999999L, 178}, {254.9L, 255},
               {-25.0L, -25}, {0.0L, 0},     {1e9L + 0.5L, 1000000000}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.Value), c.Rounded) << static_cast<double>(c.Value);
}

TEST(FastPixels, ABindingNeedsTheFormatAndTwoByTwoPixels) {
  TBitmap narrow(1, 5, pf24bit);
  TBitmap flat(5, 1, pf24bit);
  TBitmap palette(5, 5, pf8bit);
  TBitmap wide(5, 5, pf32bit);
  TBitmap deep(5, 5, pf24bit);
  TSkFast24 view24;
  for (TBitmap* refused : {static_cast<TBitmap*>(nullptr), &narrow, &flat, &palette, &wide}) {
    view24.Width = 99;
    EXPECT_FALSE(view24.Bind(refused));
    EXPECT_EQ(view24.Width, 0);
  }
  TSkFast32 view32;
  EXPECT_FALSE(view32.Bind(&deep));
  EXPECT_TRUE(view32.Bind(&wide));
  EXPECT_TRUE(view24.Bind(&deep));
  EXPECT_EQ(view24.Width, 5);
  EXPECT_EQ(view24.RowStep, 16) << "15 bytes padded to a multiple of 4";
  EXPECT_EQ(view24.FirstLine, deep.ScanLine(0));

  TSkFastSum24 pair;
  EXPECT_FALSE(pair.BindPair(&deep, &wide));
  EXPECT_FALSE(pair.BindPair(&flat, &deep));
  TBitmap other(3, 7, pf24bit);
  EXPECT_TRUE(pair.BindPair(&deep, &other));
  EXPECT_EQ(pair.Width, 3);
  EXPECT_EQ(pair.Height, 5);
}

TEST(FastPixels, PixelsReadAndWrittenAsColours) {
  TBitmap deep(3, 3, pf24bit);
  std::uint8_t* p = PixelBytes(deep, 2, 1);
  p[0] = 0x11;  // blue
  p[1] = 0x22;
  p[2] = 0x33;  // red
  TSkFast24 view24;
  ASSERT_TRUE(view24.Bind(&deep));
  EXPECT_EQ(view24.ReadPixel(2, 1), 0x00112233U);

  TBitmap wide(3, 3, pf32bit);
  TSkFast32 view32;
  ASSERT_TRUE(view32.Bind(&wide));
  view32.WritePixel(1, 2, 0x80AABBCC);
  const std::uint8_t* q = PixelBytes(wide, 1, 2);
  EXPECT_EQ((std::array<std::uint8_t, 4>{q[0], q[1], q[2], q[3]}),
            (std::array<std::uint8_t, 4>{0xAA, 0xBB, 0xCC, 0x80}));
  EXPECT_EQ(view32.ReadPixel(1, 2), 0x00AABBCCU) << "the alpha byte is not part of the colour";
}

}  // namespace
