#include "skin/paint/PixelRoutines.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Panel.h"

namespace {

constexpr TColor White = 0x00FFFFFF;
constexpr TColor Magenta = 0x00FF00FF;

// Every expected byte below is worked out by hand from the routines' formulas.

TEST(PixelRoutines, TintRectBlendsEachPixelOfTheInclusiveRectangleOnce) {
  auto bmp = FilledBitmap(4, 3, White);
  TintRect(bmp.get(), {0, 0, 4, 3}, 50, 0);
  // Round(0.5 x 255 + 0.5 x 0) = Round(127.5) = 128; a second pass would give 64.
  EXPECT_TRUE(AllBytesColor(*bmp, 0x00808080));

  bmp = FilledBitmap(4, 4, 0x00102030);
  TintRect(bmp.get(), {1, 1, 2, 2}, 0, RGB(1, 2, 3));
  EXPECT_EQ(BytesColor(*bmp, 1, 1), RGB(1, 2, 3));
  EXPECT_EQ(BytesColor(*bmp, 2, 2), RGB(1, 2, 3)) << "right and bottom are painted";
  EXPECT_EQ(BytesColor(*bmp, 3, 3), 0x00102030U);
  EXPECT_EQ(BytesColor(*bmp, 0, 1), 0x00102030U);

  bmp = FilledBitmap(3, 3, 0x00102030);
  TintRect(bmp.get(), {-5, -5, 9, 9}, 100, 0);
  EXPECT_TRUE(AllBytesColor(*bmp, 0x00102030)) << "100 keeps the picture";
}

TEST(PixelRoutines, TintRectWeighsInSinglePrecision) {
  // c = 30 / 100 in single precision is 0.300000011920928955078125:
  // red 255 toward black gives Round(76.500003...) = 77, where the exact
  // 0.3 would give Round(76.5) = 76. Toward white from black: k = 0.7 in
  // single precision, 178.49999696... gives 178.
  auto bmp = FilledBitmap(2, 2, RGB(255, 0, 0));
  TintRect(bmp.get(), {0, 0, 1, 1}, 30, RGB(0, 255, 0));
  EXPECT_EQ(BytesColor(*bmp, 0, 0), RGB(77, 178, 0));
}

TEST(PixelRoutines, MixBitmapRectDividesBy256AndClipsTheSource) {
  auto dst = FilledBitmap(4, 2, White);
  auto src = FilledBitmap(4, 2, 0x00000000);
  MixBitmapRect(dst.get(), src.get(), 255, {0, 0, 4, 2}, {0, 0});
  // (255 x 255 + 0 + 127) shr 8 = 254.
  EXPECT_TRUE(AllBytesColor(*dst, 0x00FEFEFE));

  // Alpha 0 takes the source: (v x 255 + 127) shr 8 = v for v below 128.
  dst = FilledBitmap(10, 2, White);
  src = FilledBitmap(10, 2, 0);
  for (int x = 0; x < 10; ++x) SetBytesColor(*src, x, 0, RGB(10 * x, 0, 0));
  MixBitmapRect(dst.get(), src.get(), 0, {0, 0, 10, 2}, {-3, 0});
  EXPECT_EQ(BytesColor(*dst, 0, 0), RGB(30, 0, 0)) << "the first three source columns are skipped";
  EXPECT_EQ(BytesColor(*dst, 6, 0), RGB(90, 0, 0));
  EXPECT_EQ(BytesColor(*dst, 7, 0), White) << "beyond the source's last column";

  dst = FilledBitmap(2, 4, White);
  src = FilledBitmap(2, 20, 0);
  for (int y = 0; y < 20; ++y) SetBytesColor(*src, 0, y, RGB(0, 5 * y, 0));
  MixBitmapRect(dst.get(), src.get(), 0, {0, 10, 2, 14}, {0, 0});
  EXPECT_EQ(BytesColor(*dst, 0, 0), RGB(0, 50, 0)) << "source rows from row 10 on";
  EXPECT_EQ(BytesColor(*dst, 0, 3), RGB(0, 65, 0));

  dst = FilledBitmap(4, 4, White);
  for (TPoint place : {TPoint{4, 0}, TPoint{0, 9}}) MixBitmapRect(dst.get(), src.get(), 0, {0, 0, 2, 2}, place);
  MixBitmapRect(dst.get(), src.get(), 0, {5, 0, 9, 2}, {0, 0});
  EXPECT_TRUE(AllBytesColor(*dst, White)) << "an empty clipped rectangle paints nothing";
}

TEST(PixelRoutines, BlendKeyedRectSkipsKeyPixelsUnlessTheKeyIsOff) {
  auto src = FilledBitmap(2, 2, Magenta);
  SetBytesColor(*src, 1, 1, RGB(200, 200, 200));
  auto dst = FilledBitmap(2, 2, RGB(100, 100, 100));
  BlendKeyedRect(dst.get(), 0, 0, src.get(), {0, 0, 1, 1}, 0.4, Magenta);
  EXPECT_EQ(BytesColor(*dst, 0, 0), RGB(100, 100, 100)) << "a key pixel is skipped";
  // Round(200 - 0.4 x (200 - 100)) = 160.
  EXPECT_EQ(BytesColor(*dst, 1, 1), RGB(160, 160, 160)) << "the inclusive corner";

  dst = FilledBitmap(2, 2, 0);
  BlendKeyedRect(dst.get(), 0, 0, src.get(), {0, 0, 1, 1}, 0.5, 0xFFFFFFFF);
  // Round(255 - 0.5 x 255) = Round(127.5) = 128.
  EXPECT_EQ(BytesColor(*dst, 0, 0), RGB(128, 0, 128)) << "a key with top byte 0xFF blends magenta too";
  dst = FilledBitmap(2, 2, 0);
  BlendKeyedRect(dst.get(), 0, 0, src.get(), {0, 0, 1, 1}, 0.5, 0x01FF00FF);
  EXPECT_EQ(BytesColor(*dst, 0, 0), 0U) << "only the top byte 0xFF turns the key off";

  // A negative top moves the rows down: source row 0 lands on row 2.
  src = FilledBitmap(2, 2, RGB(40, 40, 40));
  dst = FilledBitmap(2, 4, 0);
  BlendKeyedRect(dst.get(), 0, 0, src.get(), {0, -2, 1, 1}, 0, 0xFFFFFFFF);
  EXPECT_EQ(BytesColor(*dst, 0, 1), 0U);
  EXPECT_EQ(BytesColor(*dst, 0, 2), RGB(40, 40, 40));
  EXPECT_EQ(BytesColor(*dst, 1, 3), RGB(40, 40, 40));
}

TEST(PixelRoutines, TintColorizeDesaturate) {
  auto bmp = FilledBitmap(2, 2, RGB(10, 200, 0));
  SetBytesColor(*bmp, 1, 1, Magenta);
  TintBitmap(bmp.get(), 0, Magenta, 0.25);
  // Round(0.25 x 10) = Round(2.5) = 2, Round(0.25 x 200) = 50.
  EXPECT_EQ(BytesColor(*bmp, 0, 0), RGB(2, 50, 0));
  EXPECT_EQ(BytesColor(*bmp, 1, 1), Magenta) << "key pixels stay";

  bmp = FilledBitmap(2, 2, RGB(200, 50, 0));
  auto mask = FilledBitmap(2, 2, 0);
  SetBytesColor(*mask, 0, 0, RGB(255, 0, 128));
  ColorizeByMask(bmp.get(), mask.get(), RGB(100, 0, 40));
  // red (100 x 256 + 100 x 255) shr 8 = 199; green 0; blue (40 x 256 - 40 x 128) shr 8 = 20.
  EXPECT_EQ(BytesColor(*bmp, 0, 0), RGB(199, 0, 20));
  EXPECT_EQ(BytesColor(*bmp, 1, 0), RGB(100, 0, 40)) << "mask 0 gives the colour";
  auto smaller = FilledBitmap(2, 3, 0);
  bmp = FilledBitmap(2, 2, RGB(200, 50, 0));
  ColorizeByMask(bmp.get(), smaller.get(), 0);
  EXPECT_TRUE(AllBytesColor(*bmp, RGB(200, 50, 0))) << "masks of another size do nothing";

  bmp = FilledBitmap(2, 2, RGB(10, 20, 31));
  DesaturateBitmap(bmp.get());
  EXPECT_TRUE(AllBytesColor(*bmp, RGB(20, 20, 20))) << "61 div 3";
}

TEST(PixelRoutines, MergeByMaskMixesTwoPicturesIntoThe32BitOne) {
  auto a = FilledBitmap(2, 2, RGB(200, 0, 0));
  auto b = FilledBitmap(2, 2, RGB(100, 255, 0));
  auto out = std::make_unique<TBitmap>(2, 2, pf32bit);
  PixelBytes(*out, 0, 0)[3] = 0x77;
  const struct {
    int Level;
    TColor Color;
  } levels[] = {
      // red ((200 - 100) x m + 100 x 256) shr 8, green ((0 - 255) x m + 255 x 256) shr 8
      {255, RGB(199, 0, 0)}, {128, RGB(150, 127, 0)}, {1, RGB(100, 254, 0)}, {0, RGB(100, 255, 0)}};
  for (const auto& c : levels) {
    MergeByMask(out.get(), a.get(), b.get(), nullptr, c.Level);
    EXPECT_EQ(BytesColor(*out, 1, 1), c.Color) << "level " << c.Level;
  }
  EXPECT_EQ(PixelBytes(*out, 0, 0)[3], 0x77) << "the alpha bytes stay";

  auto mask = FilledBitmap(2, 2, RGB(255, 0, 0));
  MergeByMask(out.get(), a.get(), b.get(), mask.get(), 0);
  EXPECT_EQ(BytesColor(*out, 0, 0), RGB(199, 255, 0)) << "each channel takes the mask's";

  auto other = FilledBitmap(3, 2, 0);
  MergeByMask(out.get(), a.get(), other.get(), nullptr, 0);
  EXPECT_EQ(BytesColor(*out, 0, 0), RGB(199, 255, 0)) << "pictures of different sizes do nothing";
}

TEST(PixelRoutines, ChannelsAndKeyedCopies) {
  auto wide = std::make_unique<TBitmap>(2, 2, pf32bit);
  TBitmap alpha(2, 2, pf8bit);
  std::uint8_t* p = PixelBytes(*wide, 1, 0);
  p[3] = 0x44;
  CopyChannel(wide.get(), &alpha, 3, true);
  EXPECT_EQ(PixelBytes(alpha, 1, 0)[0], 0x44);
  PixelBytes(alpha, 0, 1)[0] = 9;
  CopyChannel(wide.get(), &alpha, 0, false);
  EXPECT_EQ(PixelBytes(*wide, 0, 1)[0], 9);

  auto src = FilledBitmap(2, 2, RGB(1, 2, 3));
  SetBytesColor(*src, 0, 0, Magenta);
  auto dst = FilledBitmap(3, 3, 0);
  CopyKeyedBitmap(dst.get(), src.get(), 2, 1, Magenta);
  EXPECT_EQ(BytesColor(*dst, 2, 1), 0U) << "key pixels are not copied";
  EXPECT_EQ(BytesColor(*dst, 2, 2), RGB(1, 2, 3));
  CopyKeyedBitmap(dst.get(), src.get(), -1, -1, Magenta);
  EXPECT_EQ(BytesColor(*dst, 0, 0), RGB(1, 2, 3)) << "the source's pixel (1, 1)";
}

TEST(PixelRoutines, BitmapsOfAnotherFormatStayUnchanged) {
  for (TPixelFormat format : {pf8bit, pf32bit}) {
    TBitmap bmp(4, 4, format);
    PixelBytes(bmp, 1, 1)[0] = 33;
    const auto before = AllBytes(bmp);
    TintRect(&bmp, {0, 0, 4, 4}, 0, 0);
    DesaturateBitmap(&bmp);
    TintBitmap(&bmp, 0, Magenta, 0);
    auto other = FilledBitmap(4, 4, White);
    MixBitmapRect(&bmp, other.get(), 0, {0, 0, 4, 4}, {0, 0});
    BlendKeyedRect(&bmp, 0, 0, other.get(), {0, 0, 3, 3}, 0, 0xFFFFFFFF);
    CopyKeyedBitmap(&bmp, other.get(), 0, 0, Magenta);
    EXPECT_EQ(AllBytes(bmp), before) << "format " << int(format);
  }
}

class DimImageTest : public FormFixture {};

TEST_F(DimImageTest, BlendedOverTheBackdropOrHalfwayToTheFillColour) {
  auto backdrop = FilledBitmap(8, 2, 0);
  SetBytesColor(*backdrop, 3, 0, RGB(200, 200, 200));
  auto image = FilledBitmap(2, 2, RGB(100, 100, 100));
  TBackdropRef ready{backdrop.get(), 2, 0, clSkinKey, true};
  DimImage(image.get(), dkBlended, nullptr, ready, {1, 0});
  // 40 % of the image over the backdrop at column 2 + 1: Round(200 - 0.4 x 100) = 160.
  EXPECT_EQ(BytesColor(*image, 0, 0), RGB(160, 160, 160));
  EXPECT_EQ(BytesColor(*image, 1, 0), RGB(40, 40, 40)) << "Round(0 - 0.4 x (0 - 100))";

  image = FilledBitmap(2, 2, RGB(100, 100, 100));
  DimImage(image.get(), dkBlended, nullptr, TBackdropRef{nullptr, 0, 0, RGB(0, 0, 9), false}, {});
  // Round(0.5 x 100 + 0.5 x 0) = 50, Round(50 + 4.5) = 54.
  EXPECT_TRUE(AllBytesColor(*image, RGB(50, 50, 54)));

  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetColor(White);
  image = FilledBitmap(2, 2, RGB(100, 100, 100));
  DimImage(image.get(), dkBlended, panel, TBackdropRef{}, {});
  EXPECT_TRUE(AllBytesColor(*image, RGB(178, 178, 178))) << "the control's colour: Round(177.5)";

  image = FilledBitmap(2, 2, RGB(10, 20, 31));
  DimImage(image.get(), dkGrayed, panel, TBackdropRef{}, {});
  EXPECT_TRUE(AllBytesColor(*image, RGB(20, 20, 20))) << "grey only";
}

TEST(PixelRoutines, ColourArithmetic) {
  // Per byte 0.5 x c1 + 0.5 x c2: 2.5, 1.5 and 3.5 round to even.
  EXPECT_EQ(WeighColors(0xAA030100, 0x00040205, 0.5), 0xAA040202U);

  EXPECT_EQ(AdjustSaturation(0x12345678, 0), 0x12345678U) << "exactly, top byte included";
  EXPECT_EQ(AdjustSaturation(RGB(30, 60, 91), 100), RGB(60, 60, 60)) << "Round(181 / 3)";
  // Average 50: red 100 + 25, blue 0 - 25 limited to 0.
  EXPECT_EQ(AdjustSaturation(RGB(100, 50, 0) | 0x77000000, -50), RGB(125, 50, 0));

  EXPECT_EQ(RotateHue(120, 0x000000FF), 0x0000FF00U);
  // Hue 0 - 90 = 270: sector 4, f 0.5: (t, p, V) = (Round(127.5), 0, 255).
  EXPECT_EQ(RotateHue(-90, 0x000000FF), 0x00FF0080U);
  // Orange: hue 128 x 60 / 255 = 30.1...; turned by 30 rounds to 60: (q, V, p) = (255, 255, 0).
  EXPECT_EQ(RotateHue(30, RGB(255, 128, 0)), RGB(255, 255, 0));
  for (int delta : {0, 77, -200, 400}) EXPECT_EQ(RotateHue(delta, 0x00808080), 0x00808080U) << delta;
  const TColor turned = RotateHue(0, RGB(200, 90, 17));
  EXPECT_NEAR(GetRValue(turned), 200, 2);
  EXPECT_NEAR(GetGValue(turned), 90, 2);
  EXPECT_NEAR(GetBValue(turned), 17, 2);
  EXPECT_EQ(PixelColorOf(0x12345678), 0x12345678U);
}

TEST(PixelRoutines, NewBitmapsAreBlackOfTheirFormat) {
  const auto deep = NewBitmap24(3, 2);
  EXPECT_EQ(deep->PixelFormat(), pf24bit);
  EXPECT_TRUE(AllBytesColor(*deep, 0));
  const auto wide = NewBitmap32(3, 2);
  EXPECT_EQ(wide->PixelFormat(), pf32bit);
  const auto like = NewBitmapLike(*wide);
  EXPECT_EQ(like->PixelFormat(), pf32bit);
  EXPECT_EQ(like->Width(), 3);
  EXPECT_EQ(like->Height(), 2);
}

}  // namespace
