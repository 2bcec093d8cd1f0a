// Skinned up-downs and size grips under the test skin, whose UPDOWNBTN
// and SPEEDBUTTON_SMALL faces ring their three frames in distinct colours.

#include "skin/adapters/SkSpinWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"

namespace {

using TestSkin::FrameColors;

TEST(SpinGeometryTest, HalvesGiveTheUpperOrLeftOneTheOddPixel) {
  const TSpinHalves vertical = SpinHalves({16, 21}, true, 2);
  EXPECT_EQ(vertical.First, Rect(2, 0, 16, 11));
  EXPECT_EQ(vertical.Second, Rect(2, 10, 16, 21));
  const TSpinHalves horizontal = SpinHalves({31, 16}, false, 2);
  EXPECT_EQ(horizontal.First, Rect(0, 0, 16, 16));
  EXPECT_EQ(horizontal.Second, Rect(15, 0, 31, 16));
}

TEST(SpinGeometryTest, CursorMakesItsHalfHotOrPressed) {
  const TRect window = Bounds(100, 100, 16, 21);
  const struct {
    TPoint Cursor;
    bool Down;
    int First, Second;
  } cases[] = {
      {{108, 105}, false, 1, 0}, {{108, 115}, true, 0, 2}, {{108, 110}, false, 1, 0}, {{108, 111}, false, 0, 1},
      {{90, 105}, true, 0, 0},
  };
  for (const auto& c : cases) {
    int first = -1, second = -1;
    SpinStates(window, c.Cursor, true, c.Down, first, second);
    EXPECT_EQ(first, c.First) << c.Cursor.X << "," << c.Cursor.Y;
    EXPECT_EQ(second, c.Second) << c.Cursor.X << "," << c.Cursor.Y;
  }
  int first = -1, second = -1;
  SpinStates(Bounds(0, 0, 31, 16), {20, 5}, false, false, first, second);
  EXPECT_EQ(second, 1) << "the right half of a horizontal spin";
}

class SkSpinWndTest : public SkinnedWindowFixture {
protected:
  TSkAdapterPtr<TSkSpinWnd> Adapt(const char* section = "UPDOWNBTN") {
    auto adapter = TSkMainWnd::Make<TSkSpinWnd>(spin.Handle(), nullptr, nullptr, section, false);
    ReadWindowGeometry(*adapter);
    return adapter;
  }
  // The left edge of each half: the ring of its frame.
  std::pair<TColor, TColor> Edges(int x = 0) {
    auto picture = Print(spin.Handle());
    return {BytesColor(*picture, x, 5), BytesColor(*picture, x, 15)};
  }

  TProtocolFake spin{"msctls_updown32", form->Handle(), Bounds(40, 40, 16, 21)};
};

// Real input over the upper half: hot, then pressed; then off the spin.
TEST_F(SkSpinWndTest, HalvesFollowTheMouse) {
  auto adapter = Adapt();
  EXPECT_EQ(Edges(), std::make_pair(FrameColors[0], FrameColors[0])) << "normal";
  SynthesizeMouse(spin.Handle(), {8, 4}, TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(Edges(), std::make_pair(FrameColors[1], FrameColors[0])) << "upper half hot";
  SynthesizeMouse(spin.Handle(), {8, 4}, TSyntheticMouse::Press, TInputButton::Left);
  ProcessEverything();
  EXPECT_TRUE(adapter->MouseDown);
  EXPECT_EQ(Edges(), std::make_pair(FrameColors[2], FrameColors[0])) << "upper half pressed";
  SynthesizeMouse(spin.Handle(), {8, 4}, TSyntheticMouse::Release, TInputButton::Left);
  SynthesizeMouse(form->Handle(), {300, 250}, TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(Edges(), std::make_pair(FrameColors[0], FrameColors[0])) << "the cursor off the spin";
}

TEST_F(SkSpinWndTest, DialogSpinLeavesItsLeftColumnsAlone) {
  auto adapter = Adapt("SPEEDBUTTON_SMALL");
  adapter->LeftOffset = 2;
  TBitmap picture(16, 21, pf24bit);
  FillDeviceRect(picture.Canvas().Handle(), {0, 0, 16, 21}, 0x00123456);
  SendMessage(spin.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), 0);
  for (int y : {0, 10, 20}) {
    EXPECT_EQ(BytesColor(picture, 0, y), 0x00123456u);
    EXPECT_EQ(BytesColor(picture, 1, y), 0x00123456u);
  }
  EXPECT_EQ(BytesColor(picture, 2, 5), FrameColors[0]) << "the face starts at the offset";
}

TEST_F(SkSpinWndTest, FacesWithoutArrowMasksHaveNoArrows) {
  auto adapter = Adapt();
  const TColor arrowed = BytesColor(*Print(spin.Handle()), 8, 5);
  manager.CachedIndexes.ScrollButtonGlyphs = TCachedIndexes::None4;
  const TColor plain = BytesColor(*Print(spin.Handle()), 8, 5);
  EXPECT_EQ(arrowed, FrameColors[0]) << "the up arrow's tip";
  EXPECT_NE(plain, arrowed);
}

TEST_F(SkSpinWndTest, GripAnswersTheBottomRightCornerAndShowsItsImageThere) {
  TProtocolFake grip("scrollbar", form->Handle(), Bounds(200, 200, 20, 20));
  auto adapter = TSkMainWnd::Make<TSkSizerWnd>(grip.Handle(), nullptr, nullptr, "CHECKBOX", false);
  for (const TPoint at : {TPoint{200, 200}, TPoint{219, 219}, TPoint{0, 0}})
    EXPECT_EQ(SendMessage(grip.Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.X, at.Y)), HTBOTTOMRIGHT);
  auto picture = Print(grip.Handle());
  // GRIPIMAGE is 8 x 8: dots of 0x606060 from its bottom-left up to its top-right.
  EXPECT_EQ(BytesColor(*picture, 12 + 1, 12 + 6), 0x00606060u);
  EXPECT_NE(BytesColor(*picture, 5, 5), 0x00606060u) << "only the corner";
}

}  // namespace
