#include "skin/paint/Gradient.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/skin/BitmapBytes.h"

namespace {

constexpr TColor Untouched = 0x00123456;

TEST(Gradient, ParsingTakesGroupsOfFiveNumbers) {
  TSkinGradArray steps{{1, 2, 3, 4}};
  ParseGradientData("", steps);
  EXPECT_TRUE(steps.empty());
  ParseGradientData("16777215;12632256;50;0;0;12632256;8421504", steps);
  ASSERT_EQ(steps.size(), 1U) << "nine numbers, one step";
  EXPECT_EQ(steps[0].Color1, 16777215U);
  EXPECT_EQ(steps[0].Color2, 12632256U);
  EXPECT_EQ(steps[0].Percent, 50);
  ParseGradientData("1;;2;250;1;0;;;3;4;-5;2;0", steps);
  ASSERT_EQ(steps.size(), 2U) << "runs of semicolons separate once";
  EXPECT_EQ(steps[0].Percent, 100);
  EXPECT_EQ(steps[0].Mode, 1);
  EXPECT_EQ(steps[1].Percent, 0) << "a negative share is 0";
  EXPECT_EQ(steps[1].Color1, 3U);
  try {
    ParseGradientData("1;2;x;4;5", steps);
    ADD_FAILURE() << "a word that is no number";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "\"x\" is not a valid integer value");
  }
  EXPECT_EQ(steps.size(), 1U) << "resized before the error";
}

TEST(Gradient, VerticalBandsShareTheirBoundaryRow) {
  auto bmp = FilledBitmap(4, 100, Untouched);
  // Red 0 to 100 over 50 increments of 2; then green 200 with blue 0 to 98 over 49 increments of 2.
  const TSkinGradArray halves{{RGB(0, 0, 0), RGB(100, 0, 0), 50, 0}, {RGB(0, 200, 0), RGB(0, 200, 98), 50, 0}};
  PaintGradient(bmp.get(), {0, 0, 4, 100}, halves, 0);
  EXPECT_EQ(BytesColor(*bmp, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(BytesColor(*bmp, 3, 49), RGB(98, 0, 0));
  EXPECT_EQ(BytesColor(*bmp, 2, 50), RGB(0, 200, 0)) << "row 50 holds the second step's Color1";
  EXPECT_EQ(BytesColor(*bmp, 1, 51), RGB(0, 200, 2));
  EXPECT_EQ(BytesColor(*bmp, 0, 99), RGB(0, 200, 98));

  const TColor a = RGB(1, 1, 1);
  const TColor b = RGB(2, 2, 2);
  const TColor c = RGB(3, 3, 3);
  const struct {
    const char* Name;
    TSkinGradArray Steps;
    int Row;
    TColor Color;
  } cases[] = {
      {"two 30 % steps: the first", {{a, a, 30, 0}, {b, b, 30, 0}}, 29, a},
      {"two 30 % steps: the last runs to the bottom", {{a, a, 30, 0}, {b, b, 30, 0}}, 99, b},
      {"two 30 % steps: their shared row", {{a, a, 30, 0}, {b, b, 30, 0}}, 30, b},
      {"a 0-row band: the next starts on its row", {{a, a, 0, 0}, {b, b, 50, 0}, {c, c, 50, 0}}, 0, b},
      {"a 0-row band: the next ends as its share says", {{a, a, 0, 0}, {b, b, 50, 0}, {c, c, 50, 0}}, 51, c},
  };
  for (const auto& c : cases) {
    bmp = FilledBitmap(2, 100, Untouched);
    PaintGradient(bmp.get(), {0, 0, 2, 100}, c.Steps, 0);
    EXPECT_EQ(BytesColor(*bmp, 1, c.Row), c.Color) << c.Name;
  }
}

TEST(Gradient, ChannelsAdvanceInSinglePrecisionAndRoundToEven) {
  auto bmp = FilledBitmap(2, 3, Untouched);
  // Three rows, two increments: red 0, 0.5, 1 and blue 0, 1.5, 3.
  PaintGradient(bmp.get(), {0, 0, 2, 3}, {{0, RGB(1, 0, 3), 100, 0}}, 0);
  EXPECT_EQ(BytesColor(*bmp, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(BytesColor(*bmp, 0, 1), RGB(0, 0, 2));
  EXPECT_EQ(BytesColor(*bmp, 1, 2), RGB(1, 0, 3));
}

TEST(Gradient, HorizontalBandsAcrossEveryRowOfTheRectangle) {
  auto bmp = FilledBitmap(70, 8, Untouched);
  // Width 50: the first band ends at Round(40 x 50 / 100 + 10) = 30, red in increments of 5.
  const TSkinGradArray steps{{RGB(0, 0, 0), RGB(100, 0, 0), 40, 1}, {RGB(0, 0, 200), RGB(0, 0, 200), 60, 1}};
  PaintGradient(bmp.get(), {10, 2, 60, 5}, steps, 0);
  for (int row = 2; row < 5; ++row) {
    EXPECT_EQ(BytesColor(*bmp, 10, row), RGB(0, 0, 0)) << row;
    EXPECT_EQ(BytesColor(*bmp, 29, row), RGB(95, 0, 0)) << row;
    EXPECT_EQ(BytesColor(*bmp, 30, row), RGB(0, 0, 200)) << row;
    EXPECT_EQ(BytesColor(*bmp, 59, row), RGB(0, 0, 200)) << row;
    EXPECT_EQ(BytesColor(*bmp, 9, row), Untouched);
    EXPECT_EQ(BytesColor(*bmp, 60, row), Untouched);
  }
  EXPECT_EQ(BytesColor(*bmp, 30, 1), Untouched);
  EXPECT_EQ(BytesColor(*bmp, 30, 5), Untouched);
}

TEST(Gradient, TrianglesMeetInTheCentre) {
  auto bmp = FilledBitmap(12, 12, Untouched);
  PaintGradient(bmp.get(), {1, 1, 11, 11}, {{RGB(10, 20, 30), 0, 50, 2}}, 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 1 && x < 11 && y >= 1 && y < 11;
      ASSERT_EQ(BytesColor(*bmp, x, y), inside ? RGB(10, 20, 30) : Untouched) << "one step: every vertex alike, " << x << "," << y;
    }
  const TColor corner = RGB(255, 0, 0);
  const TColor centre = RGB(0, 0, 255);
  PaintGradient(bmp.get(), {0, 0, 12, 12}, {{corner, 0, 0, 2}, {centre, 0, 0, 0}}, 0);
  EXPECT_EQ(BytesColor(*bmp, 0, 0), corner);
  EXPECT_EQ(BytesColor(*bmp, 6, 6), centre) << "the centre and every later vertex take step 1's colour";
  EXPECT_EQ(BytesColor(*bmp, 11, 11), centre);
}

TEST(Gradient, OtherModesAndFormatsPaintNothing) {
  auto bmp = FilledBitmap(4, 4, Untouched);
  PaintGradient(bmp.get(), {0, 0, 4, 4}, {{0, 0, 100, 7}}, 0);
  PaintGradient(bmp.get(), {0, 0, 4, 4}, {}, 0);
  PaintGradient(bmp.get(), {5, 0, 9, 4}, {{0, 0, 100, 0}}, 0);
  EXPECT_TRUE(AllBytesColor(*bmp, Untouched));
  auto wide = FilledBitmap(4, 4, Untouched, pf32bit);
  PaintGradient(wide.get(), {0, 0, 4, 4}, {{0, 0, 100, 0}}, 0);
  EXPECT_TRUE(AllBytesColor(*wide, Untouched));
  EXPECT_EQ(SplitColor(RGB(1, 2, 3)), (std::array<std::uint8_t, 3>{3, 2, 1}));
}

}  // namespace
