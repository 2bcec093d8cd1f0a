#include "skin/paint/FrameRoutines.h"

#include <gtest/gtest.h>

#include "tests/skin/BitmapBytes.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr TColor White = 0x00FFFFFF;
constexpr TColor Red = 0x000000FF;

TEST(FrameRoutines, BlitFrameCopiesOnlyTheBorderBands) {
  auto source = FilledBitmap(10, 6, Red);
  for (int border : {0, 2}) {
    auto target = FilledBitmap(10, 6, White);
    BlitFrame(target->Canvas().Handle(), 0, 0, 10, 6, source->Canvas().Handle(), 0, 0, border);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 10; ++x) {
        const bool inFrame = border > 0 && (x < 2 || x >= 8 || y < 2 || y >= 4);
        ASSERT_EQ(BytesColor(*target, x, y), inFrame ? Red : White) << "border " << border << " at " << x << "," << y;
      }
  }
}

TEST(FrameRoutines, BevelFramesNestInsideTheRectangle) {
  constexpr TColor Light = 0x00AAAAAA;
  constexpr TColor Dark = 0x00333333;
  auto bmp = FilledBitmap(10, 10, White);
  TRect r{0, 0, 10, 10};
  int width = 2;
  DrawBevelFrames(bmp->Canvas().Handle(), r, Light, Dark, width);
  EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
  EXPECT_EQ(width, 0);
  auto expected = [](int x, int y) -> TColor {
    for (int ring = 0; ring < 2; ++ring) {
      const int low = ring;
      const int high = 9 - ring;
      if (x < low || x > high || y < low || y > high) continue;
      // The bottom-right lines are drawn last, over the top-left ones' ends.
      if (y == high || x == high) return Dark;
      if (y == low || x == low) return Light;
    }
    return White;
  };
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(BytesColor(*bmp, x, y), expected(x, y)) << x << "," << y;
}

TEST(FrameRoutines, DottedFrameEveryThirdPixel) {
  auto bmp = FilledBitmap(20, 20, 0x00808080);
  const TRect r{5, 5, 12, 10};  // 7 wide, 5 high
  DrawDottedFrame(bmp->Canvas(), r);
  for (int x = 5; x <= 11; ++x)
    EXPECT_EQ(BytesColor(*bmp, x, 5), (x - 5) % 3 == 0 ? 0U : 0x00808080U) << "top row at " << x;
  EXPECT_EQ(BytesColor(*bmp, 8, 10), 0U) << "the bottom row lies on Bottom";
  EXPECT_EQ(BytesColor(*bmp, 7, 4), White) << "white beside each dot, up and to the left";
  EXPECT_EQ(BytesColor(*bmp, 12, 8), 0U) << "the right column lies on Right";
  EXPECT_EQ(BytesColor(*bmp, 11, 7), White);
}

// Paints nothing; only its place matters.
class TPlaceholder : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
};

class ExcludeGraphicChildrenTest : public FormFixture {
protected:
  // Whether the point of the parent's client area is still in the clip region.
  bool StillDrawn(TPoint point) {
    const HDC dc = target.Canvas().Handle();
    ExcludeGraphicChildren(dc, panel, 10, 0);
    const bool drawn = PtVisible(dc, point.X + 10, point.Y);
    SelectClipRgn(dc, nullptr);
    return drawn;
  }
  bool ClipUnchanged() {
    const HDC dc = target.Canvas().Handle();
    ExcludeGraphicChildren(dc, panel, 10, 0);
    const HRGN clip = CreateRectRgn(0, 0, 0, 0);
    const bool none = GetClipRgn(dc, clip) == 0;
    DeleteObject(clip);
    return none;
  }

  TBitmap target{100, 100, pf24bit};

  TPanel* panel = [this] {
    auto* p = new TPanel(form);
    p->SetParent(form);
    p->SetBounds(0, 0, 80, 80);
    return p;
  }();
};

TEST_F(ExcludeGraphicChildrenTest, OnlyVisibleGraphicChildrenAreLeftOut) {
  auto* hidden = new TPlaceholder(form);
  hidden->SetBounds(0, 0, 10, 10);
  hidden->SetVisible(false);
  hidden->SetParent(panel);
  auto* windowed = new TPanel(form);
  windowed->SetBounds(20, 0, 10, 10);
  windowed->SetParent(panel);
  EXPECT_TRUE(ClipUnchanged()) << "no hidden or windowed child is left out";
  auto* shown = new TPlaceholder(form);
  shown->SetBounds(40, 0, 10, 10);
  shown->SetParent(panel);
  EXPECT_FALSE(StillDrawn({45, 5})) << "moved by the offset";
  EXPECT_TRUE(StillDrawn({35, 5}));
}

}  // namespace
