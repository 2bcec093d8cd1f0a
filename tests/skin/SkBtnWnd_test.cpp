// Skinned push buttons and bit buttons under the test skin, whose BUTTON
// face (btn.bmp) rings its three frames in distinct colours.

#include "skin/adapters/SkBtnWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Button.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Input.h"

namespace {

using TestSkin::FrameColors;

constexpr TColor Ink = 0;  // BUTTON's text colour, and the focus frame's dots

// The bounding box of the ink pixels inside r.
TRect InkBox(TBitmap& bitmap, const TRect& r) {
  TRect box{r.Right, r.Bottom, r.Left, r.Top};
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (BytesColor(bitmap, x, y) == Ink) box = {std::min(box.Left, x), std::min(box.Top, y),
                                                  std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box;
}

class SkBtnWndTest : public SkinnedWindowFixture {
protected:
  // A raw button 75 x 25 at (20, 20) of the style type, captioned.
  std::unique_ptr<TProtocolFake> NewButton(DWORD type = BS_PUSHBUTTON, const char* caption = "OK") {
    auto button = std::make_unique<TProtocolFake>("button", form->Handle(), Bounds(20, 20, 75, 25), TFakeState{},
                                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | type);
    SetWindowText(button->Handle(), caption);
    return button;
  }
  template <class Adapter = TSkBtnWnd>
  static TSkAdapterPtr<Adapter> Adapt(HWND window, TSkinCommonData* data = nullptr) {
    auto adapter = TSkMainWnd::Make<Adapter>(window, data, nullptr, "BUTTON", false);
    ReadWindowGeometry(*adapter);
    return adapter;
  }
  // The middle of the face's left edge: the ring of the frame shown.
  static TColor EdgeOf(TBitmap& picture) { return BytesColor(picture, 1, picture.Height() / 2); }
};

// ---------------------------------------------------------------- push buttons

TEST_F(SkBtnWndTest, CurrentStateFollowsPushDisablingFocusHotAndDefault) {
  auto elsewhere = NewButton();
  const struct {
    const char* Name;
    DWORD Type;
    LRESULT Pushed;
    bool Enabled, Focused, Hot;
    int Expected;
  } cases[] = {
      {"pushed", BS_PUSHBUTTON, LRESULT(BST_PUSHED), true, false, false, 2},
      {"disabled default", BS_DEFPUSHBUTTON, 0, false, false, false, 0},
      {"focused", BS_PUSHBUTTON, 0, true, true, false, 1},
      {"the hot control", BS_PUSHBUTTON, 0, true, false, true, 1},
      {"default while another has the focus", BS_DEFPUSHBUTTON, 0, true, false, false, 1},
      {"plain", BS_PUSHBUTTON, 0, true, false, false, 0},
      {"owner-draw without owner", BS_OWNERDRAW, 0, true, false, false, 0},
  };
  for (const auto& c : cases) {
    auto button = NewButton(c.Type);
    const HWND handle = button->Handle();
    button->State.ButtonState = c.Pushed;
    EnableWindow(handle, c.Enabled);
    SetFocus(c.Focused ? handle : elsewhere->Handle());
    manager.ChangeHotWindow(c.Hot ? handle : nullptr);
    auto adapter = Adapt(handle);
    EXPECT_EQ(adapter->CurrentState(), c.Expected) << c.Name;
    manager.ChangeHotWindow(nullptr);
  }
}

TEST_F(SkBtnWndTest, DisabledButtonDropsTheFocusItIsGiven) {
  auto button = NewButton();
  auto adapter = Adapt(button->Handle());
  EnableWindow(button->Handle(), false);
  SendMessage(button->Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(button->Count(WM_SETFOCUS), 0u) << "never reaches the replaced procedure";
  EXPECT_FALSE(adapter->SkinData->HasFocus);

  EnableWindow(button->Handle(), true);
  SendMessage(button->Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(button->Count(WM_SETFOCUS), 1u);
  EXPECT_TRUE(adapter->SkinData->HasFocus);
}

TEST_F(SkBtnWndTest, AmpersandIsMeasuredAsACharacterAndDrawnAsAnUnderline) {
  auto plain = NewButton(BS_PUSHBUTTON, "Save");
  auto accelerated = NewButton(BS_PUSHBUTTON, "&Save");
  auto plainAdapter = Adapt(plain->Handle());
  auto acceleratedAdapter = Adapt(accelerated->Handle());
  EXPECT_GT(acceleratedAdapter->GetTextSize().cx, plainAdapter->GetTextSize().cx) << "\"&\" counted";

  auto plainPicture = Print(plain->Handle());
  auto acceleratedPicture = Print(accelerated->Handle());
  const TRect plainInk = InkBox(*plainPicture, plainAdapter->GetCaptionRect());
  const TRect acceleratedInk = InkBox(*acceleratedPicture, acceleratedAdapter->GetCaptionRect());
  EXPECT_GT(acceleratedInk.Bottom, plainInk.Bottom) << "an underline below the letters";
  EXPECT_LE(acceleratedInk.Width(), plainInk.Width() + 1) << "no \"&\" drawn";
}

TEST_F(SkBtnWndTest, MultiLineStyleWrapsTheCaption) {
  auto single = NewButton(BS_PUSHBUTTON, "A caption too long for one line");
  auto multi = NewButton(BS_PUSHBUTTON | BS_MULTILINE, "A caption too long for one line");
  auto singleAdapter = Adapt(single->Handle());
  auto multiAdapter = Adapt(multi->Handle());
  EXPECT_GT(multiAdapter->GetTextSize().cy, singleAdapter->GetTextSize().cy);
  EXPECT_LE(multiAdapter->GetTextSize().cx, multiAdapter->MaxCaptionWidth());
}

TEST_F(SkBtnWndTest, FocusFrameLiesOnePixelOutsideTheCaption) {
  auto button = NewButton();
  auto adapter = Adapt(button->Handle());
  for (const bool pushed : {false, true}) {
    button->State.ButtonState = LRESULT(BST_FOCUS) | (pushed ? LRESULT(BST_PUSHED) : 0);
    const TRect caption = adapter->GetCaptionRect();
    auto picture = Print(button->Handle());
    EXPECT_EQ(BytesColor(*picture, caption.Left - 1, caption.Top - 1), Ink) << "pushed " << pushed;
    EXPECT_EQ(BytesColor(*picture, caption.Left + 2, caption.Top - 1), Ink) << "pushed " << pushed;
    EXPECT_EQ(BytesColor(*picture, caption.Left - 1, caption.Bottom + 1), Ink) << "pushed " << pushed;
  }
  manager.SectionData[Section("BUTTON")].ShowFocus = false;
  button->State.ButtonState = BST_FOCUS;
  const TRect caption = adapter->GetCaptionRect();
  EXPECT_NE(BytesColor(*Print(button->Handle()), caption.Left - 1, caption.Top - 1), Ink) << "ShowFocus off";
}

// Real input: the mouse over it, pressing it (the fake pushes itself), the
// focus, and disabling it over the form.
TEST_F(SkBtnWndTest, FacesFollowTheMouseTheFocusAndDisabling) {
  auto button = NewButton();
  const HWND handle = button->Handle();
  auto adapter = Adapt(handle);
  EXPECT_EQ(EdgeOf(*Print(handle)), FrameColors[0]) << "normal";
  const TRect normalInk = InkBox(*Print(handle), adapter->GetCaptionRect());

  SynthesizeMouse(handle, {30, 12}, TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(manager.HotWindow(), handle);
  EXPECT_EQ(EdgeOf(*Print(handle)), FrameColors[1]) << "hot";

  SynthesizeMouse(handle, {30, 12}, TSyntheticMouse::Press, TInputButton::Left);
  ProcessEverything();
  auto pressed = Print(handle);
  EXPECT_EQ(EdgeOf(*pressed), FrameColors[2]) << "pressed";
  TRect shifted = normalInk;
  OffsetRect(shifted, 1, 1);
  EXPECT_EQ(InkBox(*pressed, {0, 0, 75, 25}), shifted) << "the caption moves by (1, 1)";
  SynthesizeMouse(handle, {30, 12}, TSyntheticMouse::Release, TInputButton::Left);
  ProcessEverything();
  manager.ChangeHotWindow(nullptr);  // as the form's provider does when the mouse comes over the form
  EXPECT_EQ(EdgeOf(*Print(handle)), FrameColors[0]) << "released, the mouse gone";

  SetFocus(handle);
  ProcessEverything();
  auto focused = Print(handle);
  EXPECT_EQ(EdgeOf(*focused), FrameColors[1]) << "focused";
  const TRect caption = adapter->GetCaptionRect();
  EXPECT_EQ(BytesColor(*focused, caption.Left - 1, caption.Top - 1), Ink) << "the dotted frame";

  SetFocus(nullptr);
  EnableWindow(handle, false);
  TBackdropRef behind;
  adapter->SkinData->WindowParentBackdrop(handle, behind);
  const TColor faded = EdgeOf(*Print(handle));
  EXPECT_TRUE(NearColor(faded, WeighColors(FrameColors[0], behind.FillColor, 0.4)))
      << std::hex << faded << " over " << behind.FillColor << " ready " << behind.Ready;
}

// ---------------------------------------------------------------- bit buttons

TEST_F(SkBtnWndTest, PlainButtonWithABitmapPutsItLeftOfTheCaption) {
  TBitmap bitmap(16, 16, pf24bit);
  bitmap.Canvas().Brush().SetColor(0x00123456);
  bitmap.Canvas().FillRect(Rect(0, 0, 16, 16));
  auto plain = NewButton();
  auto withBitmap = NewButton();
  withBitmap->State.Image = reinterpret_cast<LRESULT>(bitmap.Handle());
  auto plainAdapter = Adapt(plain->Handle());
  auto adapter = Adapt<TSkBitBtnWnd>(withBitmap->Handle());
  EXPECT_EQ(adapter->GetGlyphSize(), (TSize{16, 16}));
  TRect expected = plainAdapter->GetCaptionRect();
  OffsetRect(expected, 9, 0);
  const TRect caption = adapter->GetCaptionRect();
  EXPECT_EQ(caption, expected);
  EXPECT_EQ(adapter->GetGlyphRect(), Rect(caption.Left - 18, 4, caption.Left - 2, 20));
  EXPECT_EQ(BytesColor(*Print(withBitmap->Handle()), caption.Left - 10, 12), 0x00123456u) << "the bitmap is drawn";
}

// A bit button of four glyphs, each a square of its own colour in a magenta border.
class SkBitBtnWndTest : public SkBtnWndTest {
protected:
  static constexpr TColor Glyphs[4] = {0x000000C0, 0x0000C000, 0x00C00000, 0x00C0C000};

  SkBitBtnWndTest() {
    TBitmap strip(64, 16, pf24bit);
    strip.Canvas().Brush().SetColor(TestSkin::Magenta);
    strip.Canvas().FillRect(Rect(0, 0, 64, 16));
    for (int f = 0; f < 4; ++f) {
      strip.Canvas().Brush().SetColor(Glyphs[f]);
      strip.Canvas().FillRect(Bounds(f * 16 + 2, 2, 12, 12));
    }
    button->SetNumGlyphs(4);
    button->SetGlyph(strip);
  }

  TColor GlyphCentre() {
    const TRect r = adapter->GetGlyphRect();
    return BytesColor(*Print(button->Handle()), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TBitBtn* NewBitBtn() {
    auto* made = new TBitBtn(form);
    made->SetParent(form);
    made->SetBounds(20, 60, 100, 40);
    made->SetCaption("Go");
    return made;
  }

  TBitBtn* button = NewBitBtn();
  TSkinCommonData data{button, true};
  TSkAdapterPtr<TSkBitBtnWnd> adapter = Adapt<TSkBitBtnWnd>(button->Handle(), &data);
};

TEST_F(SkBitBtnWndTest, PrintsTheGlyphFrameOfItsState) {
  EXPECT_EQ(adapter->GetGlyphSize(), (TSize{16, 16}));
  EXPECT_EQ(GlyphCentre(), Glyphs[0]) << "up";
  button->Perform(BM_SETSTATE, 1, 0);
  EXPECT_EQ(adapter->CurrentState(), 2);
  EXPECT_EQ(GlyphCentre(), Glyphs[3]) << "pushed: the last of four";
  button->Perform(BM_SETSTATE, 0, 0);
  button->SetEnabled(false);
  TBackdropRef behind;
  data.WindowParentBackdrop(button->Handle(), behind);
  EXPECT_TRUE(NearColor(GlyphCentre(), WeighColors(Glyphs[1], behind.FillColor, 0.4))) << "disabled, faded";
}

}  // namespace
