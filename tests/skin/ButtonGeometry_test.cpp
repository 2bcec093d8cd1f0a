#include "skin/adapters/ButtonGeometry.h"

#include <gtest/gtest.h>

namespace {

// A bit button 100 x 40 with a 16 x 16 glyph, a 30 x 13 caption and spacing 4.
TEST(ButtonGeometryTest, BitBtnGlyphFollowsTheLayoutAndMovesWhenPushed) {
  const struct {
    TButtonLayout Layout;
    TRect Expected;
  } cases[] = {
      {blGlyphLeft, {25, 12, 41, 28}},
      {blGlyphRight, {59, 12, 75, 28}},
      {blGlyphTop, {43, 3, 59, 19}},
      {blGlyphBottom, {43, 21, 59, 37}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BitBtnGlyphRect(c.Layout, {100, 40}, {16, 16}, {30, 13}, 4, false), c.Expected) << c.Layout;
    TRect pushed = c.Expected;
    OffsetRect(pushed, 1, 1);
    EXPECT_EQ(BitBtnGlyphRect(c.Layout, {100, 40}, {16, 16}, {30, 13}, 4, true), pushed) << c.Layout;
  }
  EXPECT_EQ(BitBtnGlyphRect(blGlyphLeft, {100, 40}, {16, 16}, {0, 0}, 4, false), Rect(42, 12, 58, 28))
      << "no spacing without a caption";
}

TEST(ButtonGeometryTest, GlyphFramesFollowTheStripsOrder) {
  const struct {
    int NumGlyphs, Normal, Pushed, Disabled;
  } cases[] = {{1, 0, 0, 0}, {2, 0, 0, 1}, {3, 0, 2, 1}, {4, 0, 3, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(BitBtnGlyphFrame(c.NumGlyphs, false, true), c.Normal) << c.NumGlyphs << " normal";
    EXPECT_EQ(BitBtnGlyphFrame(c.NumGlyphs, true, true), c.Pushed) << c.NumGlyphs << " pushed";
    EXPECT_EQ(BitBtnGlyphFrame(c.NumGlyphs, false, false), c.Disabled) << c.NumGlyphs << " disabled";
  }
}

TEST(ButtonGeometryTest, CaptionBoxIsCentredAndAPlainButtonsBitmapSitsLeftOfIt) {
  EXPECT_EQ(CenteredCaptionRect({75, 25}, {31, 13}, false), Rect(21, 6, 55, 19));
  EXPECT_EQ(CenteredCaptionRect({75, 25}, {31, 13}, true), Rect(22, 7, 56, 20));
  const TRect caption = CenteredCaptionRect({75, 25}, {31, 13}, false);
  EXPECT_EQ(CaptionGlyphRect(caption, {75, 25}, {16, 16}, false), Rect(3, 4, 19, 20));
  EXPECT_EQ(CaptionGlyphRect(caption, {75, 25}, {16, 16}, true), Rect(3, 5, 19, 21));
  EXPECT_TRUE(IsRectEmpty(CaptionGlyphRect(caption, {75, 25}, {0, 0}, false)));
}

}  // namespace
