#include "graphics/RGBColor.h"

#include <gtest/gtest.h>

#include "graphics/PlotStyles.h"
#include "runtime/Exceptions.h"
#include "tests/toolkit/CanvasFixture.h"

namespace {

// Within a millionth: the float arithmetic leaves residues far below a byte step.
void ExpectColour(const TRGBColor& expected, const TRGBColor& actual) {
  EXPECT_NEAR(expected.R, actual.R, 1e-6);
  EXPECT_NEAR(expected.G, actual.G, 1e-6);
  EXPECT_NEAR(expected.B, actual.B, 1e-6);
}

TEST(RGBColor, HslOfPrimariesAndGreys) {
  ExpectColour(MakeRGB3(0.5f, 0, 1), RGB3ToHSL(MakeRGB3(1, 0, 0)));
  ExpectColour(MakeRGB3(1, 0, 0), HSLToRGB3(MakeRGB3(0.5f, 0, 1)));
  EXPECT_EQ(clRed, RGB3ToColor(HSLToRGB3(MakeRGB3(0.5f, 0, 1))));
  ExpectColour(MakeRGB3(0.5f, float(7.0L / 12), 1), RGB3ToHSL(MakeRGB3(0, 0.5f, 1)));
  for (float grey : {0.0f, 0.25f, 0.5f, 1.0f}) {
    const TRGBColor hsl = RGB3ToHSL(MakeRGB3(grey, grey, grey));
    EXPECT_EQ(grey, hsl.R);
    EXPECT_EQ(0, hsl.G);
    EXPECT_EQ(0, hsl.B);
    EXPECT_EQ(MakeRGB3(grey, grey, grey), HSLToRGB3(hsl));
  }
}

TEST(RGBColor, GreysOfLuminance) {
  EXPECT_EQ(0xFFFFFFu, GrayOfRGB(MakeRGB3(1, 1, 1)));
  EXPECT_EQ(0x969696u, GrayOfRGB(MakeRGB3(0, 1, 0)));
  EXPECT_EQ(0x4C4C4Cu, GrayOfRGB(MakeRGB3(1, 0, 0)));
  EXPECT_EQ(0x4C4C4Cu, ColorToGray(clRed));
}

TEST(RGBColor, AdjustColorScalesLightnessAndSaturation) {
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(PenPalette[i], AdjustColor(PenPalette[i], 1, 1)) << "pen " << i;
    EXPECT_EQ(BrushPalette[i], AdjustColor(BrushPalette[i], 1, 1)) << "brush " << i;
  }
  struct Case {
    TColor colour;
    float light, saturation;
    TColor expected;
  };
  const Case cases[] = {{clWhite, 0.5f, 1, 0x808080}, {clRed, 1.5f, 1, 0x8080FF},
                        {0xF0CAA6, 0.8f, 1, 0xE4A161}, {clWhite, 2, 1, 0xFFFFFF},
                        {clRed, 1, 0, 0x808080}, {0xF0FBFF, 0.8f, 1, RGB(255, 225, 141)}};
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, AdjustColor(c.colour, c.light, c.saturation)) << std::hex << c.colour;
}

TEST(RGBColor, ConversionsToAndFromColours) {
  EXPECT_THROW(RGB3ToColor(MakeRGB3(1.002f, 0, 0)), ERangeError);
  EXPECT_THROW(RGB3ToColor(MakeRGB3(0, -0.01f, 0)), ERangeError);
  EXPECT_EQ(0x00FF80u, RGB3ToColor(MakeRGB3(0.5f, 1, 0)));
  EXPECT_EQ(ColorToRGB3(ColorToRGB(clBtnFace)), ColorToRGB3(clBtnFace));
  ExpectColour(MakeRGB3(1, 0, 0), ColorToRGB3(clRed));
  EXPECT_EQ(MakeRGB3(0, 1, 0.5f), ClampRGB(MakeRGB3(-3, 7, 0.5f)));

  const TTriVertex v = MakeGradientVertex({3, 4}, clRed);
  EXPECT_EQ(3, v.x);
  EXPECT_EQ(4, v.y);
  EXPECT_EQ(0xFF00, v.Red);
  EXPECT_EQ(0, v.Green);
  EXPECT_EQ(0, v.Blue);
  EXPECT_EQ(0, v.Alpha);
}

class FillGradientTest : public CanvasTest {
protected:
  const TRect area = Rect(5, 5, 45, 35);

  void Fill(TColor tl, TColor tr, TColor br, TColor bl) {
    FillGradient(Canvas(), area, tl, tr, br, bl);
    // Right column and bottom row are outside in every mode.
    for (int y = 0; y < 48; ++y) EXPECT_EQ(clWhite, At(45, y)) << "row " << y;
    for (int x = 0; x < 64; ++x) EXPECT_EQ(clWhite, At(x, 35)) << "column " << x;
    EXPECT_EQ(area, Ink());
  }
};

TEST_F(FillGradientTest, VerticalRunsFromTopToBottom) {
  Fill(clRed, clRed, clBlue, clBlue);
  for (int x = 5; x < 45; ++x) EXPECT_EQ(clRed, At(x, 5));
  for (int y = 6; y < 35; ++y) {
    EXPECT_GT(GetBValue(At(20, y)), GetBValue(At(20, y - 1)) - 1);
    EXPECT_EQ(At(5, y), At(44, y));
  }
  EXPECT_GT(GetBValue(At(20, 34)), 240);
}

TEST_F(FillGradientTest, HorizontalRunsFromLeftToRight) {
  Fill(clRed, clBlue, clBlue, clRed);
  for (int y = 5; y < 35; ++y) EXPECT_EQ(clRed, At(5, y));
  for (int x = 6; x < 45; ++x) EXPECT_EQ(At(x, 5), At(x, 34));
  EXPECT_GT(GetBValue(At(44, 20)), 240);
}

TEST_F(FillGradientTest, FourEqualColoursArePlain) {
  Fill(clLime, clLime, clLime, clLime);
  EXPECT_EQ(40 * 30, Count(clLime, area));
}

TEST_F(FillGradientTest, FourCornersMeetOnTheDiagonal) {
  Fill(clBlack, clRed, clBlack, clBlue);
  EXPECT_EQ(clBlack, At(5, 5));
  for (int y = 5; y < 35; ++y)
    for (int x = 5; x < 45; ++x) {
      const TColor c = At(x, y);
      // The diagonal from (5,5) to (45,35): above it the top-right triangle.
      const long above = long(x - 5) * 30 - long(y - 5) * 40;
      if (above > 0) {
        EXPECT_EQ(0, GetBValue(c)) << x << "," << y;
      } else if (above < 0) {
        EXPECT_EQ(0, GetRValue(c)) << x << "," << y;
      }
    }
}

TEST_F(FillGradientTest, TheCallersClipComesBack) {
  IntersectClipRect(Dc(), 0, 0, 30, 48);
  FillGradient(Canvas(), area, clBlack, clRed, clBlack, clBlue);
  FillGradient(Canvas(), Rect(0, 40, 64, 48), clBlack, clRed, clBlack, clBlue);
  EXPECT_EQ(Rect(0, 5, 30, 48), Ink());
}

}  // namespace
