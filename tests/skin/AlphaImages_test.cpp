#include "skin/paint/AlphaImages.h"

#include "skin/GeneralRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "tests/skin/PaintFixture.h"

namespace {

// ((dst - src) x m + src x 256) shr 8: the mask's blend (m 255 keeps nearly the destination).
int MaskBlend(int dst, int src, int m) { return ((dst - src) * m + src * 256) >> 8; }

void SetAlpha(TBitmap& bmp, int x, int y, TColor color, std::uint8_t alpha) {
  SetBytesColor(bmp, x, y, color);
  PixelBytes(bmp, x, y)[3] = alpha;
}

// A 16 x 32 glyph: picture Grey(40) on top, mask rows 16 + y of Grey(16 y).
std::unique_ptr<TBitmap> Glyph() {
  auto glyph = FilledBitmap(16, 32, Grey(40));
  FillBytes(*glyph, Rect(0, 16, 16, 32), 0);
  for (int y = 0; y < 16; ++y) FillBytes(*glyph, Rect(0, 16 + y, 16, 17 + y), Grey(16 * y));
  return glyph;
}

TEST(AlphaImages, AGlyphTakesItsMaskFromItsLowerHalf) {
  auto glyph = Glyph();
  auto dst = FilledBitmap(16, 32, Grey(200));
  DrawAlphaImage(Rect(0, 0, 16, 16), Rect(0, 0, 16, 16), dst.get(), glyph.get(), EmptyBackdrop, false);
  for (int y = 0; y < 16; ++y) EXPECT_EQ(BytesColor(*dst, 3, y), Grey(MaskBlend(200, 40, 16 * y))) << "row " << y;
  EXPECT_EQ(BytesColor(*dst, 3, 16), Grey(200));

  // The whole bitmap as source: only the 16 rows whose mask rows exist are drawn.
  auto whole = FilledBitmap(16, 32, Grey(200));
  DrawAlphaImage(Rect(0, 0, 16, 32), Rect(0, 0, 16, 32), whole.get(), glyph.get(), EmptyBackdrop, false);
  EXPECT_EQ(AllBytes(*whole), AllBytes(*dst));
}

TEST(AlphaImages, ClippedAndRefusedDrawings) {
  auto glyph = Glyph();
  // A negative destination start moves the source on as far.
  auto dst = FilledBitmap(16, 16, Grey(200));
  DrawAlphaImage(Rect(0, -4, 16, 12), Rect(0, 0, 16, 16), dst.get(), glyph.get(), EmptyBackdrop, false);
  EXPECT_EQ(BytesColor(*dst, 0, 0), Grey(MaskBlend(200, 40, 16 * 4)));
  EXPECT_EQ(BytesColor(*dst, 0, 12), Grey(200));

  // A destination that is not 24-bit, and a source of another format, stay.
  auto dst32 = FilledBitmap(16, 16, Grey(200), pf32bit);
  const auto before = AllBytes(*dst32);
  DrawAlphaImage(Rect(0, 0, 16, 16), Rect(0, 0, 16, 16), dst32.get(), glyph.get(), EmptyBackdrop, false);
  EXPECT_EQ(AllBytes(*dst32), before);
  auto dst24 = FilledBitmap(16, 16, Grey(200));
  TBitmap eightBit(16, 16, pf8bit);
  DrawAlphaImage(Rect(0, 0, 16, 16), Rect(0, 0, 16, 16), dst24.get(), &eightBit, EmptyBackdrop, false);
  DrawAlphaImage(Rect(0, 0, 16, 16), Rect(0, 0, 16, 16), dst24.get(), nullptr, EmptyBackdrop, false);
  EXPECT_TRUE(AllBytesColor(*dst24, Grey(200)));
}

TEST(AlphaImages, AlphaBytesWeighThePicture) {
  auto src = FilledBitmap(4, 2, 0, pf32bit);
  SetAlpha(*src, 0, 0, 0xFFFFFF, 0);
  SetAlpha(*src, 1, 0, 0xFFFFFF, 255);
  SetAlpha(*src, 2, 0, 0xFFFFFF, 128);
  auto dst = FilledBitmap(4, 2, 0);
  DrawAlphaImage(Rect(0, 0, 4, 2), Rect(0, 0, 4, 2), dst.get(), src.get(), EmptyBackdrop, false);
  EXPECT_EQ(BytesColor(*dst, 0, 0), 0u);
  EXPECT_EQ(BytesColor(*dst, 1, 0), Grey(254));
  EXPECT_EQ(BytesColor(*dst, 2, 0), Grey(127));
}

// Key pixels at (1, 1) and (2, 1) of a 32-bit picture drawn at (2, 1).
class AlphaKeys : public ::testing::Test {
protected:
  AlphaKeys() {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) SetBytesColor(*backdrop, x, y, TColor(0x10 * x + y));
    for (int x = 0; x < 4; ++x) SetAlpha(*src, x, 1, clSkinKey, 255);
  }
  TColor DrawnAt(int x, int y, const TBackdropRef& ref, bool updateCorners) {
    auto dst = FilledBitmap(8, 4, Grey(50));
    DrawAlphaImage(Rect(2, 1, 6, 3), Rect(0, 0, 4, 2), dst.get(), src.get(), ref, updateCorners);
    return BytesColor(*dst, x, y);
  }
  std::unique_ptr<TBitmap> backdrop = FilledBitmap(4, 4, 0);
  std::unique_ptr<TBitmap> src = FilledBitmap(4, 2, 0, pf32bit);
};

TEST_F(AlphaKeys, KeyPixelsTakeTheBackdropStayOrBlend) {
  // Ready, offsets (-2, 0): destination (2 + c, 2) reads the backdrop at (c, 2).
  const TBackdropRef ready = MakeBackdropRef(backdrop.get(), -2, 0);
  EXPECT_EQ(DrawnAt(3, 2, ready, true), TColor(0x10 + 2));
  EXPECT_EQ(DrawnAt(3, 2, ready, false), Grey(50));
  // Not ready: blended like any pixel (alpha 255 of magenta).
  EXPECT_EQ(DrawnAt(3, 2, EmptyBackdrop, true), TColor(0xFE00FE));
  // Past the backdrop's right side the row ends, its last row is not read,
  // and left of it pixels stay.
  const TBackdropRef unshifted = MakeBackdropRef(backdrop.get(), 0, 0);
  EXPECT_EQ(DrawnAt(3, 2, unshifted, true), TColor(0x30 + 2));
  EXPECT_EQ(DrawnAt(4, 2, unshifted, true), Grey(50));
  EXPECT_EQ(DrawnAt(3, 2, MakeBackdropRef(backdrop.get(), 0, 1), true), Grey(50));
  const TBackdropRef shifted = MakeBackdropRef(backdrop.get(), -4, 0);
  EXPECT_EQ(DrawnAt(3, 2, shifted, true), Grey(50));
  EXPECT_EQ(DrawnAt(4, 2, shifted, true), TColor(0x00 + 2));
  EXPECT_EQ(DrawnAt(5, 2, shifted, true), TColor(0x10 + 2));
}

TEST(DrawPngImage, FadesAndRecoloursACopy) {
  auto src = FilledBitmap(2, 2, 0, pf32bit);
  for (int i = 0; i < 4; ++i) SetAlpha(*src, i % 2, i / 2, Grey(128), 255);
  SetAlpha(*src, 1, 1, 0xFFFFFF, 255);
  const auto source = AllBytes(*src);

  auto faded = FilledBitmap(2, 2, 0);
  DrawPngImage(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), faded.get(), src.get(), EmptyBackdrop, false, clNone, 100);
  EXPECT_TRUE(AllBytesColor(*faded, 0));

  auto red = FilledBitmap(2, 2, 0);
  DrawPngImage(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), red.get(), src.get(), EmptyBackdrop, false, 0x0000FF, 0);
  EXPECT_EQ(BytesColor(*red, 0, 0), TColor(127));
  EXPECT_EQ(BytesColor(*red, 1, 1), Grey(254)) << "white stays white";
  EXPECT_EQ(AllBytes(*src), source) << "the caller's picture keeps its grey";

  auto half = FilledBitmap(2, 2, 0);
  DrawPngImage(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), half.get(), src.get(), EmptyBackdrop, false, clNone, 50);
  EXPECT_EQ(BytesColor(*half, 0, 0), Grey(128 * 127 >> 8));
}

TEST(PaintSoftRect, RingsFadeFromTheEdgeToThePercent) {
  auto bmp = FilledBitmap(40, 20, Grey(200));
  PaintSoftRect(bmp.get(), Rect(0, 0, 40, 20), 0, clWhite, 4, 8);
  EXPECT_EQ(BytesColor(*bmp, 0, 0), Grey(200)) << "the rounded corner keeps the picture";
  EXPECT_EQ(BytesColor(*bmp, 20, 10), clWhite) << "percent 0 gives the colour in the middle";
  EXPECT_GT(GetRValue(BytesColor(*bmp, 20, 1)), 200);
  EXPECT_LT(GetRValue(BytesColor(*bmp, 20, 1)), GetRValue(BytesColor(*bmp, 20, 3))) << "the rings fade inward";

  // Depth above half the height uses half.
  auto deep = FilledBitmap(40, 20, Grey(200));
  auto half = FilledBitmap(40, 20, Grey(200));
  PaintSoftRect(deep.get(), Rect(0, 0, 40, 20), 30, 0xFF, 50, 4);
  PaintSoftRect(half.get(), Rect(0, 0, 40, 20), 30, 0xFF, 10, 4);
  EXPECT_EQ(AllBytes(*deep), AllBytes(*half));

  // Percent 100: every channel moves at most one step toward the colour.
  auto kept = FilledBitmap(40, 20, Grey(200));
  PaintSoftRect(kept.get(), Rect(0, 0, 40, 20), 100, 0, 6, 8);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_GE(GetRValue(BytesColor(*kept, x, y)), 199) << x << "," << y;
}

}  // namespace
