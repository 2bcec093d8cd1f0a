#include "skin/adapters/SkCheckBoxWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"

namespace {

TEST(CheckBoxGlyphs, TheMaskFollowsTheCheckStateAndTheStyle) {
  struct Case {
    DWORD style;
    int checkState;
    const char* mask;
  };
  const Case cases[] = {
      {BS_AUTOCHECKBOX, 0, "BOXUNCHECKED"},     {BS_AUTOCHECKBOX, 1, "BOXCHECKED"},
      {BS_AUTO3STATE, 2, "BOXGRAYED"},          {BS_RADIOBUTTON, 2, "BOXGRAYED"},
      {BS_RADIOBUTTON, 1, "RADIOCHECKED"},      {BS_AUTORADIOBUTTON, 1, "RADIOCHECKED"},
      {BS_AUTORADIOBUTTON, 0, "RADIOUNCHECKED"}, {0x000C, 1, "BOXCHECKED"},
      {BS_CHECKBOX | BS_RIGHTBUTTON, 1, "BOXCHECKED"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckGlyphMaskName(c.style, c.checkState), c.mask) << "style " << c.style << " state " << c.checkState;
  EXPECT_EQ(CheckStateOf(LRESULT(BST_CHECKED | BST_INDETERMINATE)), 2);
  EXPECT_EQ(CheckStateOf(LRESULT(BST_CHECKED | BST_FOCUS)), 1);
}

TEST(CheckBoxGlyphs, TheFrameFollowsPushFocusAndHot) {
  EXPECT_EQ(CheckGlyphFrame(LRESULT(BST_PUSHED | BST_FOCUS), true), 2);
  EXPECT_EQ(CheckGlyphFrame(LRESULT(BST_FOCUS), false), 1);
  EXPECT_EQ(CheckGlyphFrame(0, true), 1);
  EXPECT_EQ(CheckGlyphFrame(LRESULT(BST_CHECKED), false), 0);
}

// The test skin's check glyphs are 8 x 8: a dark ring, white inside in
// frame 0 and dark inside in the later frames.
constexpr TColor GlyphRing = 0x00404040;
constexpr TColor GlyphInsideNormal = 0x00FFFFFF;
constexpr TColor GlyphInsideActive = 0x00202020;

class SkCheckBoxWndTest : public AdapterFixture {
protected:
  static constexpr int Width = 120;
  static constexpr int Height = 20;

  void Adapt(DWORD style, const char* caption = "Check") {
    box = std::make_unique<TProtocolFake>("button", dialog.Handle(), Bounds(10, 10, Width, Height), TFakeState{},
                                          WS_CHILD | WS_VISIBLE | style);
    SetWindowText(box->Handle(), caption);
    adapter = TSkMainWnd::Make<TSkCheckBoxWnd>(box->Handle(), nullptr, &manager, "CHECKBOX", false);
  }
  // The leftmost column with caption ink (the section's black text), right of from.
  static int CaptionLeft(const TBitmap& bmp, int from) {
    for (int x = from; x < bmp.Width(); ++x)
      for (int y = 0; y < bmp.Height(); ++y)
        if (const_cast<TBitmap&>(bmp).Canvas().Pixel(x, y) == 0) return x;
    return -1;
  }
  TColor OnScreen(int x, int y) const {
    const HDC dc = GetDC(box->Handle());
    const TColor color = GetPixel(dc, x, y);
    ReleaseDC(box->Handle(), dc);
    return color;
  }

  std::unique_ptr<TProtocolFake> box;
  TSkAdapterPtr<TSkCheckBoxWnd> adapter;
};

TEST_F(SkCheckBoxWndTest, TheGlyphSitsLeftAndTheCaptionAfterIt) {
  Adapt(BS_AUTOCHECKBOX);
  const auto printed = Printed(box->Handle());
  EXPECT_EQ(printed->Canvas().Pixel(0, 6), GlyphRing) << "glyph at the left, centred";
  EXPECT_EQ(printed->Canvas().Pixel(3, 9), GlyphInsideNormal);
  const int caption = CaptionLeft(*printed, 8);
  EXPECT_GE(caption, 12) << "glyph width 8 + 4";
  EXPECT_LE(caption, 14);
}

TEST_F(SkCheckBoxWndTest, WithoutACheckedGlyphTheCaptionLeavesRoomForSixteenPixels) {
  for (TSkinMaskData& mask : manager.Masks)
    if (mask.PropertyName == "BOXCHECKED") mask.PropertyName = "GONE";
  Adapt(BS_AUTOCHECKBOX);
  const int caption = CaptionLeft(*Printed(box->Handle()), 8);
  EXPECT_GE(caption, 20);
  EXPECT_LE(caption, 22);
}

TEST_F(SkCheckBoxWndTest, ARightButtonHasItsGlyphAtTheRightEdgeAndItsCaptionFromTwo) {
  Adapt(BS_AUTOCHECKBOX | BS_RIGHTBUTTON);
  const auto printed = Printed(box->Handle());
  EXPECT_EQ(printed->Canvas().Pixel(Width - 8, 6), GlyphRing);
  EXPECT_EQ(printed->Canvas().Pixel(Width - 1, 13), GlyphRing);
  const int caption = CaptionLeft(*printed, 0);
  EXPECT_GE(caption, 2);
  EXPECT_LE(caption, 4);
}

TEST_F(SkCheckBoxWndTest, FocusAndSpaceRepaintAtOnceWithTheActiveFrames) {
  Adapt(BS_AUTOCHECKBOX);
  SendMessage(box->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideNormal);
  SetFocus(box->Handle());
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideActive) << "focused: frame 1";
  SetFocus(dialog.Handle());
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideNormal);
  SendMessage(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(box->State.ButtonState & LRESULT(BST_PUSHED), LRESULT(BST_PUSHED));
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideActive) << "pushed by Space: repainted at once";
}

TEST_F(SkCheckBoxWndTest, TheHotControlShowsTheHotFrame) {
  Adapt(BS_AUTORADIOBUTTON);
  SendMessage(box->Handle(), WM_NCHITTEST, 0, MAKELPARAM(115, 115));
  EXPECT_EQ(manager.HotWindow(), box->Handle());
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideActive) << "the mouse entering repaints it hot";
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideNormal);
}

TEST_F(SkCheckBoxWndTest, RealInputMakesItHotAndPushesItWithSpace) {
  Adapt(BS_AUTOCHECKBOX);
  SendMessage(box->Handle(), WM_PAINT, 0, 0);
  TPoint over{60, 10};
  ClientToScreen(box->Handle(), over);
  InjectMouseMove(over, {});
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideActive) << "hot under the mouse";
  TPoint away{5, 200};
  ClientToScreen(dialog.Handle(), away);
  InjectMouseMove(away, {});
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideNormal);
  SetFocus(box->Handle());
  InjectKey(VK_SPACE, true, false, U" ", {});
  EXPECT_EQ(box->State.ButtonState & LRESULT(BST_PUSHED), LRESULT(BST_PUSHED));
  EXPECT_EQ(OnScreen(3, 9), GlyphInsideActive) << "pushed by Space";
  InjectKey(VK_SPACE, false, false, U"", {});
  ResetInputState();
}

TEST_F(SkCheckBoxWndTest, ADisabledCheckBoxFadesOverItsParent) {
  Adapt(BS_AUTOCHECKBOX);
  EnableWindow(box->Handle(), false);
  const TColor ring = Printed(box->Handle())->Canvas().Pixel(0, 6);
  EXPECT_NE(ring, GlyphRing);
  const TColor parent = ColorToRGB(clBtnFace);
  EXPECT_GT(ring & 0xFF, GlyphRing & 0xFF) << "moved toward the lighter parent";
  EXPECT_LT(ring & 0xFF, parent & 0xFF);
}

TEST_F(SkCheckBoxWndTest, APrintedCheckBoxControlShowsTheSkinnedLookAndFadesWhenDisabled) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 300, 200);
  auto* check = new TCheckBox(&form);
  check->SetParent(&form);
  check->SetBounds(10, 10, Width, Height);
  check->SetCaption("Check");
  check->SetChecked(true);
  TSkinCommonData data(check, true);
  data.SetSkinSection("CHECKBOX");
  data.ResolveIndexes();
  auto control = TSkMainWnd::Make<TSkCheckBoxWnd>(check->Handle(), &data, &manager, "CHECKBOX", false);
  const auto printed = Printed(check->Handle());
  EXPECT_EQ(printed->Canvas().Pixel(0, 6), GlyphRing);
  EXPECT_GE(CaptionLeft(*printed, 8), 12);
  check->SetEnabled(false);
  EXPECT_NE(Printed(check->Handle())->Canvas().Pixel(0, 6), GlyphRing);
}

TEST_F(SkCheckBoxWndTest, WithoutTheSkinTheWindowPaintsItself) {
  Adapt(BS_AUTOCHECKBOX);
  manager.SetActive(false);
  const size_t before = box->Count(WM_PAINT);
  SendMessage(box->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(box->Count(WM_PAINT), before + 1);
}

}  // namespace
