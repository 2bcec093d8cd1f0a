#include "skin/paint/TextLayout.h"

#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/TestSkinManager.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor White = 0x00FFFFFF;
constexpr TColor Red = 0x000000FF;

class TextLayout : public ::testing::Test {
protected:
  TextLayout() {
    canvas().Font().SetName("Arial");
    canvas().Font().SetHeight(-13);
    manager.AddSection("S").FontColor = {Red, TColor(-1), TColor(-1), TColor(-1), 0};  // TCBOTTOM black
  }
  TCanvas& canvas() { return bmp->Canvas(); }
  TSkinGeneralData& section() { return manager.SectionData[0]; }
  void Clear() {
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x) SetBytesColor(*bmp, x, y, White);
  }
  std::vector<TColor> Written(bool enabled, TSkinCommonData* data = nullptr) {
    Clear();
    if (data)
      WriteControlText(canvas(), "Wave", enabled, Rect(4, 4, 76, 26), DT_SINGLELINE, *data, false);
    else
      WriteSectionText(canvas(), "Wave", enabled, Rect(4, 4, 76, 26), DT_SINGLELINE, 0, false, &manager);
    std::vector<TColor> pixels;
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x) pixels.push_back(BytesColor(*bmp, x, y));
    return pixels;
  }

  TTestSkinManager manager;
  std::unique_ptr<TBitmap> bmp = std::make_unique<TBitmap>(80, 30, pf24bit);
};

TEST_F(TextLayout, TextsCutToAWidthWithDots) {
  const int twoAndDots = canvas().TextWidth("He...");
  const int oneAndDots = canvas().TextWidth("H...");
  const struct {
    int MaxWidth;
    std::string Expected;
  } cases[] = {{0, ""}, {twoAndDots, "He..."}, {oneAndDots - 1, ""}, {canvas().TextWidth("Hello"), "Hello"}};
  for (const auto& c : cases) EXPECT_EQ(FitText(canvas(), "Hello", c.MaxWidth), c.Expected) << c.MaxWidth;
}

TEST_F(TextLayout, TheBottomContourIsTheTextOnePixelLower) {
  section().FontColor[4] = TColor(-1);
  const std::vector<TColor> plain = Written(true);
  section().FontColor[4] = 0;
  const std::vector<TColor> contoured = Written(true);
  int ink = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      const TColor expected = plain[y * 80 + x] == Red ? Red : y > 0 && plain[(y - 1) * 80 + x] == Red ? 0 : White;
      ink += expected == Red;
      ASSERT_EQ(contoured[y * 80 + x], expected) << x << "," << y;
    }
  EXPECT_GT(ink, 20);
  Clear();
  WriteSectionText(canvas(), nullptr, true, Rect(4, 4, 76, 26), DT_SINGLELINE, 0, false, &manager);
  EXPECT_TRUE(AllBytesColor(*bmp, White)) << "a null text is no text";
}

TEST_F(TextLayout, ControlCaptionsDimmedUnderlinedOrInTheirOwnFont) {
  TPanel host(nullptr);
  host.Font().SetName("Arial");
  host.Font().SetHeight(-13);
  TSkinCommonData data(&host, false);
  data.SetSkinManager(&manager);
  data.SectionIndex = 0;
  section().FontColor[0] = 0;
  manager.AddSection("GLOBALINFO").Color = White;
  const std::vector<TColor> disabled = Written(false, &data);
  int dimmed = 0;
  for (TColor pixel : disabled) {
    ASSERT_TRUE(pixel == White || pixel == 0x00999999) << std::hex << pixel;
    dimmed += pixel == 0x00999999;
  }
  EXPECT_GT(dimmed, 20);

  data.SetCustomFont(true);
  host.Font().SetColor(Red);
  int red = 0;
  for (TColor pixel : Written(true, &data)) {
    ASSERT_TRUE(pixel == White || pixel == Red) << "no contour";
    red += pixel == Red;
  }
  EXPECT_GT(red, 20);

  for (bool hot : {false, true}) {
    data.SetSkinSection("WEBBUTTON");
    WriteControlText(canvas(), "Link", true, Rect(0, 0, 80, 30), 0, data, hot);
    EXPECT_EQ((canvas().Font().Style() & fsUnderline) != 0, hot);
  }
}

TEST_F(TextLayout, GlyphAndTextPlaces) {
  const TRect wide = Rect(0, 0, 100, 20);
  const TRect tall = Bounds(10, 20, 50, 60);
  const struct {
    const char* Name;
    TRect Client;
    TButtonLayout Layout;
    int Alignment, Margin, Spacing, BiDi;
    TPoint Glyph;
    TRect Text;
  } cases[] = {
      {"centred", wide, blGlyphLeft, 2, 0, 0, 0, {22, 2}, Rect(38, 4, 78, 17)},
      {"mirrored", wide, blGlyphLeft, 2, 0, 0, 3, {62, 2}, Rect(22, 4, 62, 17)},
      {"margin and spacing shared", wide, blGlyphLeft, 0, -1, -1, 0, {14, 2}, Rect(44, 4, 84, 17)},
      {"margin worked out, centred", wide, blGlyphLeft, 2, -1, 3, 0, {20, 2}, Rect(39, 4, 79, 17)},
      {"spacing from a margin", wide, blGlyphLeft, 0, 5, -1, 0, {5, 2}, Rect(40, 4, 80, 17)},
      {"glyph on top", tall, blGlyphTop, 2, 4, 2, 0, {27, 34}, Rect(20, 52, 50, 65)},
      {"glyph below", tall, blGlyphBottom, 2, 4, 2, 0, {27, 50}, Rect(20, 35, 50, 48)},
      {"on top, spacing from a margin", tall, blGlyphTop, 2, 5, -1, 0, {27, 29}, Rect(20, 58, 50, 71)},
  };
  for (const auto& c : cases) {
    TPoint glyph;
    TRect text;
    const bool across = c.Layout == blGlyphLeft || c.Layout == blGlyphRight;
    LayoutGlyphAndText(c.Client, {16, 16}, across ? TPoint{40, 13} : TPoint{30, 13}, c.Layout, c.Alignment, c.Margin,
                       c.Spacing, glyph, text, c.BiDi);
    EXPECT_EQ(glyph.X, c.Glyph.X) << c.Name;
    EXPECT_EQ(glyph.Y, c.Glyph.Y) << c.Name;
    EXPECT_EQ(text, c.Text) << c.Name;
  }
}

}  // namespace
