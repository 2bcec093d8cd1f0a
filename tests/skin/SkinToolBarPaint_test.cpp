#include "skin/SkinToolBar.h"

#include <memory>

#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/ProductPath.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/SysMetrics.h"

namespace {

using namespace TestSkin;

constexpr TColor ImageColor = 0x00107030;

// A 16 x 16 image of one colour whose left half is the key colour.
std::unique_ptr<TImageList> KeyedImages() {
  auto list = std::make_unique<TImageList>(16, 16);
  TBitmap image(16, 16, pf24bit);
  image.Canvas().Brush().SetColor(ImageColor);
  image.Canvas().FillRect({0, 0, 16, 16});
  image.Canvas().Brush().SetColor(clSkinKey);
  image.Canvas().FillRect({0, 0, 8, 16});
  list->AddMasked(image, clSkinKey);
  return list;
}

// A bar that is not flat, with images and captions: a drop-down, a
// separator, a button, a disabled button and a check button.
class SkinToolBarPaint : public SkinnedFormFixture {
protected:
  SkinToolBarPaint() : images(KeyedImages()) {
    bar = new TSkinToolBar(form);
    bar->SetParent(form);
    bar->SetBounds(10, 120, 360, 44);
    bar->SetEdgeBorders(0);
    bar->SetShowCaptions(true);
    bar->SetButtonHeight(40);
    bar->SetButtonWidth(40);
    bar->SetImages(images.get());
    const TToolButtonStyle styles[] = {tbsDropDown, tbsSeparator, tbsButton, tbsButton, tbsCheck};
    for (int i = 0; i < 5; ++i) {
      auto* button = new TToolButton(form);
      button->SetStyle(styles[i]);
      button->SetImageIndex(styles[i] == tbsSeparator ? -1 : 0);
      button->SetCaption("Go");
      button->SetParent(bar);
    }
    bar->Buttons(3)->SetEnabled(false);
    ShowForm();
  }
  TRect ButtonRect(int index) { return bar->Buttons(index)->BoundsRect(); }
  TColor At(const TGdiBitmap& image, TPoint point) { return PixelOf(image, *bar, point); }
  // The ring colour at the button's left edge, halfway down.
  TColor EdgeOf(const TGdiBitmap& image, int index) {
    const TRect r = ButtonRect(index);
    return At(image, {r.Left, r.Top + r.Height() / 2});
  }
  // Where the image's left column of colour lies on the button.
  TRect ImageInk(const TGdiBitmap& image, int index) {
    const TRect r = ButtonRect(index);
    const TPoint at = InForm(*bar, r.TopLeft());
    return ColorBounds(image, Bounds(at.X, at.Y, r.Width(), r.Height()), ImageColor);
  }
  void MoveMouseTo(TPoint point) {
    SynthesizeMouse(form->Handle(), InForm(*bar, point), TSyntheticMouse::Move, TInputButton::Left);
    ProcessEverything();
  }

  std::unique_ptr<TImageList> images;
  TSkinToolBar* bar;
};

TEST_F(SkinToolBarPaint, BarAndButtonsPaintFromTheirSections) {
  LoadAndAnnounce();
  const auto image = Render();
  // TOOLBAR: a grey gradient darkening to the right.
  const TColor middle = At(*image, {200, 10}), end = At(*image, {355, 10});
  EXPECT_TRUE(IsGrey(middle) && IsGrey(end)) << std::hex << middle << " " << end;
  EXPECT_GT(GetRValue(middle), GetRValue(end));
  EXPECT_GE(GetRValue(end), 0xB0);
  // TOOLBUTTON's frame 0 on the buttons, the separator showing the bar.
  EXPECT_EQ(EdgeOf(*image, 2), FrameColors[0]);
  EXPECT_EQ(At(*image, ButtonRect(2).TopLeft()), FrameColors[0]);
  EXPECT_TRUE(IsGrey(EdgeOf(*image, 1))) << "the separator";
  // The disabled button dimmed toward the bar.
  const TColor dimmed = EdgeOf(*image, 3);
  EXPECT_NE(dimmed, FrameColors[0]);
  EXPECT_GT(GetBValue(dimmed), GetBValue(FrameColors[0]));
  // Keyed images: only their right half shows.
  EXPECT_EQ(ImageInk(*image, 2).Width(), 8);
  EXPECT_EQ(ImageInk(*image, 2).Height(), 16);
  // The drop-down arrow: the bottom scroll button's glyph inside the arrow part.
  const TRect drop = ButtonRect(0);
  const TPoint at = InForm(*bar, drop.TopLeft());
  const int arrowLeft = drop.Width() - (GetSystemMetrics(SM_CXVSCROLL) - 2);
  EXPECT_GT(CountPixels(*image, Rect(at.X + arrowLeft + 3, at.Y + 3, at.X + drop.Width() - 3, at.Y + drop.Height() - 3),
                        FrameColors[0]),
            3);
}

TEST_F(SkinToolBarPaint, HotDownAndCheckedButtonsTakeTheirFrames) {
  LoadAndAnnounce();
  const TRect second = ButtonRect(2);
  MoveMouseTo({second.Left + 5, second.Top + 5});
  auto image = Render();
  EXPECT_EQ(bar->HotButtonIndex, 2);
  EXPECT_EQ(EdgeOf(*image, 2), FrameColors[1]) << "frame 1 under the mouse";
  const TPoint at = InForm(*bar, second.TopLeft());
  EXPECT_GT(CountPixels(*image, Bounds(at.X, at.Y, second.Width(), second.Height()), 0x0000C0), 0)
      << "the caption in HOTFONTCOLOR";

  const TRect disabled = ButtonRect(3);
  MoveMouseTo({disabled.Left + 5, disabled.Top + 5});
  EXPECT_EQ(bar->HotButtonIndex, 2) << "a disabled button keeps the previous hot one";
  MoveMouseTo({355, 10});
  image = Render();
  EXPECT_EQ(bar->HotButtonIndex, -1);
  EXPECT_EQ(EdgeOf(*image, 2), FrameColors[0]);

  const TRect normalInk = ImageInk(*image, 4);
  bar->Buttons(4)->SetDown(true);
  image = Render();
  EXPECT_EQ(EdgeOf(*image, 4), FrameColors[2]) << "frame 2 checked";
  const TRect downInk = ImageInk(*image, 4);
  EXPECT_EQ(downInk.Left, normalInk.Left + 1) << "the content one pixel right";
  EXPECT_EQ(downInk.Top, normalInk.Top + 1) << "and one lower";
}

TEST_F(SkinToolBarPaint, AFlatBarDrawsItsSeparatorsFromDivider) {
  LoadAndAnnounce();
  bar->SetFlat(true);
  const auto image = Render();
  const TRect separator = ButtonRect(1);
  const TPoint at = InForm(*bar, separator.TopLeft());
  const int middle = at.X + separator.Width() / 2;
  EXPECT_GT(CountPixels(*image, Rect(middle - 2, at.Y + 2, middle + 2, at.Y + separator.Height() - 2), FrameColors[0]), 10);
  EXPECT_EQ(CountPixels(*image, Rect(at.X, at.Y, middle - 2, at.Y + separator.Height()), FrameColors[0]), 0)
      << "only the middle strip";
}

TEST_F(SkinToolBarPaint, SwitchedOffTheBarLooksAsBeforeTheSkin) {
  const auto before = RenderWindow(bar->Handle());
  LoadAndAnnounce();
  EXPECT_GT(DifferentPixels(*before, *RenderWindow(bar->Handle())), 1000) << "skinned meanwhile";
  SwitchOff();
  EXPECT_EQ(DifferentPixels(*before, *RenderWindow(bar->Handle())), 0);
}

}  // namespace
