#include "toolkit/controls/SpeedButton.h"

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/SyntheticInput.h"

namespace {

// Counts the presses and releases it sees, as a descendant adding its own behaviour would.
class TCountingButton : public TSpeedButton {
public:
  using TSpeedButton::TSpeedButton;
  int Downs = 0;
  int Ups = 0;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    ++Downs;
    TSpeedButton::MouseDown(button, shift, x, y);
  }
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    ++Ups;
    TSpeedButton::MouseUp(button, shift, x, y);
  }
};

// A button that drops a menu down below itself when pressed; the menu
// swallows the real release, so the button runs its own afterwards.
class TDropButton : public TSpeedButton {
public:
  using TSpeedButton::TSpeedButton;
  TPopupMenu* DropMenu = nullptr;
  TPoint OpenedAt;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    TSpeedButton::MouseDown(button, shift, x, y);
    if (!DropMenu || button != mbLeft) return;
    OpenedAt = ClientToScreen({0, Height()});
    DropMenu->Popup(OpenedAt.X, OpenedAt.Y);
    MouseUp(mbLeft, shift, x, y);
  }
};

class SpeedButtonTest : public FormFixture {
protected:
  TCountingButton* Add(int left) {
    auto* button = new TCountingButton(form);
    button->SetParent(form);
    button->SetBounds(left, 10, 40, 24);
    return button;
  }
  void ClickAt(TControl* button) {
    SynthesizeClick(form->Handle(), InForm(*button, {20, 12}));
    ProcessEverything();
  }
};

TEST_F(SpeedButtonTest, GroupedButtonsStayDownInTurnAndClickOnRelease) {
  ShowForm();
  TCountingButton* buttons[] = {Add(10), Add(60), Add(110)};
  int clicks = 0;
  for (auto* button : buttons) {
    button->SetGroupIndex(1);
    button->OnClick = [&clicks](TObject*) { ++clicks; };
  }
  ClickAt(buttons[0]);
  EXPECT_TRUE(buttons[0]->Down());
  ClickAt(buttons[2]);
  EXPECT_FALSE(buttons[0]->Down()) << "pressing the third releases the first";
  EXPECT_TRUE(buttons[2]->Down());
  ClickAt(buttons[2]);
  EXPECT_TRUE(buttons[2]->Down()) << "the last one down stays without AllowAllUp";
  buttons[2]->SetAllowAllUp(true);
  ClickAt(buttons[2]);
  EXPECT_FALSE(buttons[2]->Down());
  EXPECT_EQ(clicks, 4);
  EXPECT_EQ(buttons[2]->Downs, 3) << "the virtual MouseDown sees each press";
  EXPECT_EQ(buttons[2]->Ups, 3);

  buttons[1]->SetGroupIndex(0);
  buttons[1]->SetDown(true);
  EXPECT_FALSE(buttons[1]->Down()) << "an ungrouped button never stays down";
  buttons[1]->SetEnabled(false);
  ClickAt(buttons[1]);
  EXPECT_EQ(clicks, 4) << "a disabled button is not clicked";
}

TEST_F(SpeedButtonTest, GlyphSitsBesideTheCaptionOnTheSideLayoutNames) {
  TBitmap glyph(8, 8, pf24bit);
  glyph.Canvas().Brush().SetColor(clRed);
  glyph.Canvas().FillRect({0, 0, 8, 8});
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect({0, 6, 2, 8});
  auto* button = Add(10);
  button->SetBounds(10, 10, 120, 30);
  button->SetCaption("Go");
  button->SetGlyph(glyph);
  auto image = Render();
  const TRect red = [&] {
    TRect r{1000, 1000, 0, 0};
    for (int y = 10; y < 40; ++y)
      for (int x = 10; x < 130; ++x)
        if (image->Pixel(x, y) == clRed) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
  }();
  EXPECT_EQ(red.Width(), 8);
  EXPECT_EQ(CountPixels(*image, button->BoundsRect(), clFuchsia), 0) << "the bottom-left colour is transparent";
  EXPECT_EQ(CountPixels(*image, button->BoundsRect(), clRed), 64 - 4);
  const int glyphLeftX = red.Left;
  button->SetLayout(blGlyphRight);
  image = Render();
  int rightmostRed = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 130; ++x)
      if (image->Pixel(x, y) == clRed) rightmostRed = std::max(rightmostRed, x);
  EXPECT_GT(rightmostRed - 7, glyphLeftX + 8) << "the glyph moved right of the caption";
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsEdgeOnlyUnderTheMouse) {
  form->SetColor(clYellow);
  auto* button = Add(10);
  button->SetFlat(true);
  auto image = Render();
  EXPECT_EQ(CountPixels(*image, button->BoundsRect(), clYellow), 40 * 24) << "the parent's colour shows";
  const TColor highlight = ColorToRGB(clBtnHighlight);
  EXPECT_EQ(CountPixels(*image, button->BoundsRect(), highlight), 0);
  SynthesizeMouse(form->Handle(), InForm(*button, {20, 12}), TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  EXPECT_TRUE(button->MouseInControl());
  image = Render();
  EXPECT_GT(CountPixels(*image, button->BoundsRect(), highlight), 40) << "a raised edge while hot";
}

TEST_F(SpeedButtonTest, ADescendantOpensAMenuInMouseDownAndComesBackUp) {
  auto* button = new TDropButton(form);
  button->SetParent(form);
  button->SetBounds(40, 30, 24, 22);
  button->SetFlat(true);
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("Open");
  menu->Items().Add(item);
  button->DropMenu = menu;
  int clicks = 0;
  button->OnClick = [&clicks](TObject*) { ++clicks; };
  ShowForm();
  bool downWhileOpen = false;
  Application().OnIdle = [&](TObject*, bool&) {
    downWhileOpen = button->State() == bsDown;
    EndMenu();
  };
  SynthesizeMouse(form->Handle(), InForm(*button, {5, 5}), TSyntheticMouse::Press, TInputButton::Left);
  ProcessEverything();
  Application().OnIdle = nullptr;
  EXPECT_TRUE(downWhileOpen) << "pressed while its menu is open";
  EXPECT_EQ(button->OpenedAt, form->ClientToScreen({40, 52})) << "at its bottom-left";
  EXPECT_EQ(button->State(), bsUp) << "the button does not stay down";
  EXPECT_EQ(clicks, 1);
  SynthesizeMouse(form->Handle(), InForm(*button, {5, 5}), TSyntheticMouse::Release, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(clicks, 1) << "a late release clicks nothing more";
}

}  // namespace
