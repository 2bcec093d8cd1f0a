#include "skin/adapters/SkCheckBoxWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/paint/PixelRoutines.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "toolkit/qt/SyntheticInput.h"
#include "tests/skin/AdapterFixture.h"
#include "tests/skin/BitmapBytes.h"
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

// The test skin's check glyphs are 8 x 8, ringed in a colour of their own
// per mask and frame; a box's glyph sits at its left, centred: the ring's
// left column passes through (1, 9).
using TestSkin::CheckGlyphRings;
enum TGlyph { gBoxChecked, gBoxUnchecked, gBoxGrayed, gRadioChecked, gRadioUnchecked };
constexpr const TColor (&Unchecked)[3] = CheckGlyphRings[gBoxUnchecked];
constexpr TColor GlyphRing = Unchecked[0];

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
  EXPECT_EQ(printed->Canvas().Pixel(3, 9), TestSkin::CheckGlyphInsides[gBoxUnchecked]);
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
  EXPECT_EQ(OnScreen(1, 9), Unchecked[0]);
  SetFocus(box->Handle());
  EXPECT_EQ(OnScreen(1, 9), Unchecked[1]) << "focused: frame 1";
  SetFocus(dialog.Handle());
  EXPECT_EQ(OnScreen(1, 9), Unchecked[0]);
  SendMessage(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(box->State.ButtonState & LRESULT(BST_PUSHED), LRESULT(BST_PUSHED));
  EXPECT_EQ(OnScreen(1, 9), Unchecked[2]) << "pushed by Space: repainted at once";
}

TEST_F(SkCheckBoxWndTest, TheHotControlShowsTheHotFrame) {
  Adapt(BS_AUTORADIOBUTTON);
  const TColor (&rings)[3] = CheckGlyphRings[gRadioUnchecked];
  SendMessage(box->Handle(), WM_NCHITTEST, 0, MAKELPARAM(115, 115));
  EXPECT_EQ(manager.HotWindow(), box->Handle());
  EXPECT_EQ(OnScreen(1, 9), rings[1]) << "the mouse entering repaints it hot";
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(OnScreen(1, 9), rings[0]);
}

TEST_F(SkCheckBoxWndTest, RealInputMakesItHotAndPushesItWithSpace) {
  Adapt(BS_AUTOCHECKBOX);
  SendMessage(box->Handle(), WM_PAINT, 0, 0);
  TPoint over{25, 10};
  ClientToScreen(box->Handle(), over);
  InjectMouseMove(over, {});
  EXPECT_EQ(OnScreen(1, 9), Unchecked[1]) << "hot under the mouse";
  TPoint away{5, 200};
  ClientToScreen(dialog.Handle(), away);
  InjectMouseMove(away, {});
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(OnScreen(1, 9), Unchecked[0]);
  SetFocus(box->Handle());
  InjectKey(VK_SPACE, true, false, U" ", {});
  EXPECT_EQ(box->State.ButtonState & LRESULT(BST_PUSHED), LRESULT(BST_PUSHED));
  EXPECT_EQ(OnScreen(1, 9), Unchecked[2]) << "pushed by Space";
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
  EXPECT_EQ(printed->Canvas().Pixel(0, 6), CheckGlyphRings[gBoxChecked][0]);
  EXPECT_GE(CaptionLeft(*printed, 8), 12);
  check->SetEnabled(false);
  EXPECT_NE(Printed(check->Handle())->Canvas().Pixel(0, 6), CheckGlyphRings[gBoxChecked][0]);
}

TEST_F(SkCheckBoxWndTest, WithoutTheSkinTheWindowPaintsItself) {
  Adapt(BS_AUTOCHECKBOX);
  manager.SetActive(false);
  const size_t before = box->Count(WM_PAINT);
  SendMessage(box->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(box->Count(WM_PAINT), before + 1);
}

TEST_F(SkCheckBoxWndTest, TheGlyphsPixelsShowTheMaskOfTheCheckState) {
  struct Case {
    DWORD style;
    WPARAM check;
    TGlyph glyph;
  };
  const Case cases[] = {{BS_AUTOCHECKBOX, BST_UNCHECKED, gBoxUnchecked},
                        {BS_AUTOCHECKBOX, BST_CHECKED, gBoxChecked},
                        {BS_AUTO3STATE, BST_INDETERMINATE, gBoxGrayed},
                        {BS_RADIOBUTTON, BST_CHECKED, gRadioChecked}};
  for (const Case& c : cases) {
    Adapt(c.style);
    SendMessage(box->Handle(), BM_SETCHECK, c.check, 0);
    EXPECT_EQ(Printed(box->Handle())->Canvas().Pixel(1, 9), CheckGlyphRings[c.glyph][0])
        << "style " << c.style << " check " << c.check;
    adapter.reset();
  }
}

// Real input on a shown form: a raw check box and a check box control go
// through the same states, seen in what they print of themselves.
class CheckBoxStatesTest : public SkinnedWindowFixture {
protected:
  static constexpr TRect Place{20, 20, 140, 40};

  // Every state's picture: normal, hot, pressed, focused, disabled; the
  // glyph shows the box unchecked.
  void ExpectTheStates(HWND handle, TSkMainWnd& adapter) {
    const TColor (&rings)[3] = CheckGlyphRings[gBoxUnchecked];
    EXPECT_EQ(Ring(handle), rings[0]) << "normal";
    SynthesizeMouse(handle, {25, 10}, TSyntheticMouse::Move, TInputButton::Left);
    ProcessEverything();
    EXPECT_EQ(Ring(handle), rings[1]) << "hot";
    SynthesizeMouse(handle, {25, 10}, TSyntheticMouse::Press, TInputButton::Left);
    ProcessEverything();
    EXPECT_EQ(Ring(handle), rings[2]) << "pressed";
    SynthesizeMouse(handle, {25, 10}, TSyntheticMouse::Release, TInputButton::Left);
    ProcessEverything();
    SendMessage(handle, BM_SETCHECK, BST_UNCHECKED, 0);
    manager.ChangeHotWindow(nullptr);
    SetFocus(nullptr);
    ProcessEverything();
    EXPECT_EQ(Ring(handle), rings[0]) << "released, the mouse gone";
    EXPECT_FALSE(FocusDots(handle));

    SetFocus(handle);
    ProcessEverything();
    EXPECT_EQ(Ring(handle), rings[1]) << "focused";
    EXPECT_TRUE(FocusDots(handle)) << "the focus rectangle round the caption";

    SetFocus(nullptr);
    EnableWindow(handle, false);
    TBackdropRef behind;
    adapter.SkinData->WindowParentBackdrop(handle, behind);
    const TColor faded = Ring(handle);
    EXPECT_TRUE(NearColor(faded, WeighColors(rings[0], behind.FillColor, 0.4)))
        << std::hex << faded << " over " << behind.FillColor;
  }

private:
  static TColor Ring(HWND handle) { return BytesColor(*Print(handle), 1, 9); }
  // Whether the column just left of the caption (at 11) shows dots: the
  // focus rectangle's left side, over a plain background.
  static bool FocusDots(HWND handle) {
    const auto picture = Print(handle);
    for (int y = 2; y < picture->Height() - 2; ++y)
      if (BytesColor(*picture, 11, y) != BytesColor(*picture, 11, 1)) return true;
    return false;
  }
};

TEST_F(CheckBoxStatesTest, ARawCheckBoxShowsEveryStateByRealInput) {
  TProtocolFake box("button", form->Handle(), Place, TFakeState{}, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
  SetWindowText(box.Handle(), "Check");
  auto adapter = TSkMainWnd::Make<TSkCheckBoxWnd>(box.Handle(), nullptr, nullptr, "CHECKBOX", false);
  ExpectTheStates(box.Handle(), *adapter);
}

TEST_F(CheckBoxStatesTest, ACheckBoxControlPrintsEveryStateByRealInput) {
  auto* check = new TCheckBox(form);
  check->SetParent(form);
  check->SetBounds(Place.Left, Place.Top, Place.Width(), Place.Height());
  check->SetCaption("Check");
  TSkinCommonData data(check, true);
  data.SetSkinSection("CHECKBOX");
  data.ResolveIndexes();
  auto adapter = TSkMainWnd::Make<TSkCheckBoxWnd>(check->Handle(), &data, nullptr, "CHECKBOX", false);
  ExpectTheStates(check->Handle(), *adapter);
}

}  // namespace
