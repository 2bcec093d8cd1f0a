#include "toolkit/controls/Button.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/RadioGroup.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/GdiBitmap.h"

namespace {

class ButtonTest : public NativeControlTest {
protected:
  TButton* MakeButton(const std::string& caption, int top) {
    auto* button = Make<TButton>(200, top, 90, 25);
    button->SetCaption(caption);
    return button;
  }
};

// A dialog with an edit, OK, Cancel and Help, run modally while each test
// presses keys once the loop idles.
class DialogKeysTest : public ButtonTest {
protected:
  DialogKeysTest() {
    edit = Make<TEdit>(10, 10, 150, 24);
    ok = MakeButton("OK", 10);
    ok->SetDefault(true);
    ok->ModalResult = mrOk;
    cancel = MakeButton("Cancel", 40);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    help = MakeButton("&Help", 70);
    help->OnClick = [this](TObject*) { ++helps; };
    form->Hide();
    form->SetActiveControl(edit);
  }
  ~DialogKeysTest() override { Application().OnIdle = nullptr; }

  // Shows the form modally; the keys are pressed once, when the loop first idles.
  TModalResult RunWithKeys(std::function<void()> keys) {
    Application().OnIdle = [keys, pressed = false](TObject*, bool& done) mutable {
      if (!pressed) keys();
      pressed = true;
      done = false;
    };
    return form->ShowModal();
  }

  TEdit* edit;
  TButton* ok;
  TButton* cancel;
  TButton* help;
  int helps = 0;
};

TEST_F(DialogKeysTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  EXPECT_EQ(RunWithKeys([this] { Press(edit->Handle(), VK_RETURN); }), mrOk);
  EXPECT_EQ(RunWithKeys([this] { Press(edit->Handle(), VK_ESCAPE); }), mrCancel);
  EXPECT_EQ(edit->Text(), "") << "the keys taken as dialog keys typed nothing";
}

TEST_F(DialogKeysTest, EnterPressesTheFocusedButtonRatherThanTheDefault) {
  EXPECT_EQ(RunWithKeys([this] {
              help->SetFocus();
              help->ModalResult = mrRetry;
              Press(help->Handle(), VK_RETURN);
            }),
            mrRetry);
  EXPECT_EQ(helps, 1);
}

TEST_F(DialogKeysTest, TabWalksTheTabOrderSkippingDisabledControls) {
  form->Show();
  edit->SetFocus();
  cancel->SetEnabled(false);
  std::vector<HWND> visited;
  for (int i = 0; i < 3; ++i) {
    Press(GetFocus(), VK_TAB);
    visited.push_back(GetFocus());
  }
  EXPECT_EQ(visited, (std::vector<HWND>{ok->Handle(), help->Handle(), edit->Handle()}));
  Press(GetFocus(), VK_TAB, {true, false, false});
  EXPECT_EQ(GetFocus(), help->Handle()) << "Shift+Tab goes back";
  help->SetTabOrder(0);
  edit->SetFocus();
  Press(GetFocus(), VK_TAB, {true, false, false});
  EXPECT_EQ(GetFocus(), help->Handle()) << "the tab order, not the creation order";
}

TEST_F(DialogKeysTest, MnemonicsPressTheirButton) {
  form->Show();
  edit->SetFocus();
  SynthesizeKeyStroke(edit->Handle(), 'H', "h", {false, false, true});
  ProcessEverything();
  EXPECT_EQ(helps, 1) << "Alt+H";
  EXPECT_EQ(edit->Text(), "");
  Type(edit->Handle(), "h");
  EXPECT_EQ(helps, 1) << "an edit takes the letter itself";
  EXPECT_EQ(edit->Text(), "h");
  ok->SetFocus();
  Type(ok->Handle(), "h");
  EXPECT_EQ(helps, 2) << "a button takes no characters: the letter is the mnemonic";
}

TEST_F(ButtonTest, ClicksReachTheParentAndTheControlAndTheProtocolAnswersFromTheWidget) {
  TButton* button = MakeButton("Press", 10);
  int clicks = 0;
  std::vector<std::string> mouse;
  button->OnClick = [&clicks](TObject*) { ++clicks; };
  button->OnMouseDown = [&mouse](TObject*, TMouseButton, TShiftState, int, int) { mouse.push_back("down"); };
  button->OnMouseUp = [&mouse](TObject*, TMouseButton, TShiftState, int, int) { mouse.push_back("up"); };
  Click(button->Handle(), {20, 10});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(mouse, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(CountOf(WM_COMMAND, BN_CLICKED, button->Handle()), 1u);
  SendMessage(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(SendMessage(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessage(button->Handle(), BM_SETSTATE, 1, 0);
  EXPECT_NE(SendMessage(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(SendMessage(button->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(GetWindowText(button->Handle()), "Press");
}

TEST_F(ButtonTest, CheckBoxFollowsClicksAndCodeAlikeAndRaisesOnClick) {
  auto* box = Make<TCheckBox>(10, 10, 120, 20);
  int clicks = 0;
  box->OnClick = [&clicks](TObject*) { ++clicks; };
  Click(box->Handle(), {5, 8});
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessage(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  box->SetChecked(false);
  EXPECT_EQ(clicks, 2) << "Checked set by code raises OnClick too";
  EXPECT_EQ(SendMessage(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  box->AllowGrayed = true;
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    SendMessage(box->Handle(), BM_CLICK, 0, 0);
    states.push_back(box->State());
  }
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  EXPECT_EQ(SendMessage(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
}

TEST_F(ButtonTest, RadioGroupChecksOneItemAtATime) {
  auto* group = Make<TRadioGroup>(10, 10, 150, 100);
  group->SetCaption("Axes");
  for (const char* item : {"x", "y", "z"}) group->Items().Add(item);
  int clicks = 0;
  group->OnClick = [&clicks](TObject*) { ++clicks; };
  TRadioButton* second = group->Buttons(1);
  Click(second->Handle(), {5, second->Height() / 2});
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  group->SetItemIndex(2);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(group->Buttons(1)->Checked());
  EXPECT_EQ(SendMessage(group->Buttons(1)->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(SendMessage(group->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  Click(group->Buttons(2)->Handle(), {5, 5});
  EXPECT_TRUE(group->Buttons(2)->Checked()) << "clicking the checked button keeps it checked";
}

}  // namespace

// A strip of four 16 x 16 glyphs, each frame its own colour.
TEST_F(ButtonTest, BitBtnShowsTheFirstGlyphFrameAsItsImage) {
  auto* button = Make<TBitBtn>(10, 100, 100, 40);
  TBitmap strip(64, 16, pf24bit);
  for (int f = 0; f < 4; ++f) {
    strip.Canvas().Brush().SetColor(0x00100000 * (f + 1));
    strip.Canvas().FillRect(Bounds(f * 16, 0, 16, 16));
  }
  button->SetNumGlyphs(4);
  button->SetGlyph(strip);
  const auto image = reinterpret_cast<HBITMAP>(button->Perform(BM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 16);
  EXPECT_EQ(image->Height(), 16);
  EXPECT_EQ(image->Pixel(8, 8), 0x00100000U) << "the up frame";
  button->SetNumGlyphs(9);
  EXPECT_EQ(button->NumGlyphs(), 4);
  button->SetGlyph(TBitmap());
  EXPECT_EQ(button->Perform(BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "no glyph, no image";
}
