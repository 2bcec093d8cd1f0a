#include "skin/SkinPanel.h"

#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/ProductPath.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

using namespace TestSkin;

class SkinPanelPaint : public SkinnedFormFixture {
protected:
  SkinPanelPaint() {
    panel = new TSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(20, 20, 150, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("Workspace");
    ShowForm();
  }
  // The panel's section as one plain colour, or fully transparent.
  void PlainPanel(int transparency) {
    TSkinGeneralData& section = Section("PANEL");
    section.Transparency = transparency;
    section.GradientPercent = 0;
    section.ImagePercent = 0;
  }
  CountedPtr<TGdiBitmap> Shown() {
    panel->SkinData().CacheStale = true;
    panel->Invalidate();
    return Render();
  }
  int CaptionPixels(const TGdiBitmap& image, TColor color) {
    const TPoint at = InForm(*panel, {0, 0});
    return CountPixels(image, Rect(at.X + 4, at.Y + 30, at.X + 146, at.Y + 50), color);
  }

  TSkinPanel* panel;
};

TEST_F(SkinPanelPaint, ThePanelShowsItsBorderMaskColourAndCaption) {
  LoadAndAnnounce();
  ASSERT_TRUE(panel->SkinData().Skinned(true));
  for (const bool cached : {true, false}) {
    // The test skin's panel is translucent with a gradient and a pattern
    // (painted through the cache); a plain one is painted straight.
    if (!cached) {
      PlainPanel(0);
      panel->Perform(SM_SKINCMD, SkinCommand(scPlainBackground), 1);
    }
    ASSERT_EQ(panel->SkinData().MustUseCache(), cached);
    const auto image = Shown();
    const char* path = cached ? "cached" : "direct";
    EXPECT_EQ(PixelOf(*image, *panel, {0, 0}), clWhite) << path << ": a key corner pixel shows the form";
    EXPECT_EQ(PixelOf(*image, *panel, {2, 0}), FrameColors[0]) << path;
    EXPECT_EQ(PixelOf(*image, *panel, {149, 79}), FrameColors[0]) << path << ": the bottom-right corner";
    EXPECT_EQ(PixelOf(*image, *panel, {0, 40}), FrameColors[0]) << path << ": the left edge";
    EXPECT_EQ(PixelOf(*image, *panel, {75, 78}), FrameColors[0]) << path << ": the bottom edge";
    EXPECT_EQ(PixelOf(*image, *panel, {3, 40}), PanelColor) << path << ": inside the ring";
    if (!cached) {
      EXPECT_EQ(PixelOf(*image, *panel, {75, 10}), PanelColor) << "the section's colour inside";
    }
    EXPECT_GT(CaptionPixels(*image, 0x0000FF), 20) << path << ": the caption in FONTCOLOR";
    EXPECT_GT(CaptionPixels(*image, clWhite), 10) << path << ": its white left contour";
  }
}

TEST_F(SkinPanelPaint, AFullyTransparentPanelShowsTheForm) {
  LoadAndAnnounce();
  PlainPanel(100);
  panel->SetCaption("");
  const auto image = Shown();
  EXPECT_EQ(PixelOf(*image, *panel, {75, 40}), clWhite);
  EXPECT_EQ(PixelOf(*image, *panel, {2, 0}), FrameColors[0]) << "the border stays";
}

TEST_F(SkinPanelPaint, PrintingGivesWhatTheWindowShows) {
  LoadAndAnnounce();
  for (const int transparency : {40, 0}) {
    PlainPanel(transparency);
    panel->Perform(SM_SKINCMD, SkinCommand(scPlainBackground), 1);
    Shown();
    const auto window = RenderWindow(panel->Handle());
    TBitmap printed(150, 80, pf24bit);
    SendMessage(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()), PRF_CLIENT);
    int different = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 150; ++x) different += printed.Canvas().Pixel(x, y) != window->Pixel(x, y);
    EXPECT_EQ(different, 0) << "transparency " << transparency;
  }
}

TEST_F(SkinPanelPaint, SwitchedOffThePanelLooksAsBeforeTheSkin) {
  const auto before = RenderWindow(panel->Handle());
  LoadAndAnnounce();
  EXPECT_GT(DifferentPixels(*before, *RenderWindow(panel->Handle())), 1000) << "skinned meanwhile";
  SwitchOff();
  EXPECT_EQ(DifferentPixels(*before, *RenderWindow(panel->Handle())), 0);
}

}  // namespace
