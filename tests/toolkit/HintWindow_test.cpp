#include "toolkit/controls/HintWindow.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Clock.h"

namespace {

class TMyHint : public THintWindow {
public:
  using THintWindow::THintWindow;
};

// A control that may change its hint through CM_HINTSHOW and its pause through CM_HINTSHOWPAUSE.
class THintedControl : public TCustomControl {
public:
  explicit THintedControl(TComponent* owner) : TCustomControl(owner) {
    WindowProc = [this](TMessage& message) {
      if (message.Msg == CM_HINTSHOW && !ReplacedText.empty())
        reinterpret_cast<THintInfo*>(message.LParam)->HintStr = ReplacedText;
      if (message.Msg == CM_HINTSHOWPAUSE && Pause >= 0) *reinterpret_cast<int*>(message.LParam) = Pause;
      WndProc(message);
    };
  }
  std::string ReplacedText;
  int Pause = -1;
};

class HintWindowTest : public ::testing::Test {
protected:
  HintWindowTest() {
    SetClock(&clock);
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    control = new THintedControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 120, 60);
    control->Hint = "x|the long part";
    control->ShowHint = true;
    form->Show();
    ProcessEverything();
  }
  ~HintWindowTest() override {
    Application().CancelHint();
    Application().SetHintWindowClass(HintWindowClassOf<THintWindow>());
    delete form;
    SetClock(nullptr);
  }

  void Rest(TControl& over) {
    SynthesizeMouse(form->Handle(), {over.Left() + 20, over.Top() + 20}, TSyntheticMouse::Move, TInputButton::Left);
  }
  void Wait(int milliseconds) {
    clock.Advance(static_cast<uint64_t>(milliseconds));
    ProcessEverything();
  }
  static std::string ShownText() {
    const THintWindow* hint = Application().ShownHint();
    return hint ? hint->Caption() : std::string("(none)");
  }

  TFakeClock clock;
  TForm* form;
  THintedControl* control;
};

TEST_F(HintWindowTest, TheHintShowsAfterThePauseAndHidesAfterTheHidePause) {
  Rest(*control);
  Wait(Application().HintPause - 1);
  EXPECT_EQ(ShownText(), "(none)");
  Wait(1);
  EXPECT_EQ(ShownText(), "x") << "the short part of the hint";
  THintWindow* hint = Application().ShownHint();
  EXPECT_EQ(GetClassName(hint->Handle()), "THintWindow");
  EXPECT_TRUE(GetWindowLongPtr(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), hint->Handle()) << "a hint never takes the activation";
  TRect bounds;
  GetWindowRect(hint->Handle(), bounds);
  const TPoint corner = control->ClientToScreen({0, 0});
  EXPECT_EQ(bounds.Left, corner.X + 20);
  EXPECT_GT(bounds.Top, corner.Y + 20) << "below the mouse";
  Wait(Application().HintHidePause);
  EXPECT_EQ(ShownText(), "(none)");
}

TEST_F(HintWindowTest, NoHintWithoutShowHintButTheParentsShowHintServes) {
  control->ShowHint = false;
  control->ParentShowHint = false;
  Rest(*control);
  Wait(Application().HintPause);
  EXPECT_EQ(ShownText(), "(none)");
  form->ShowHint = true;
  control->ParentShowHint = true;
  SynthesizeMouse(form->Handle(), {200, 150}, TSyntheticMouse::Move, TInputButton::Left);
  Rest(*control);
  Wait(Application().HintPause);
  EXPECT_EQ(ShownText(), "x");
}

TEST_F(HintWindowTest, AClickCancelsTheHint) {
  Rest(*control);
  Wait(Application().HintPause);
  ASSERT_EQ(ShownText(), "x");
  SynthesizeClick(form->Handle(), {control->Left() + 20, control->Top() + 20});
  EXPECT_EQ(ShownText(), "(none)");
}

TEST_F(HintWindowTest, TheControlMayChangeTheTextAndThePauseAndTheWindowClassIsReplaceable) {
  Application().SetHintWindowClass(HintWindowClassOf<TMyHint>());
  control->ReplacedText = "y";
  control->Pause = 0;
  Rest(*control);
  EXPECT_EQ(ShownText(), "y") << "a pause of 0 shows at once";
  EXPECT_EQ(GetClassName(Application().ShownHint()->Handle()), "TMyHint");
  EXPECT_NE(dynamic_cast<TMyHint*>(Application().ShownHint()), nullptr);
}

TEST(HintText, ShortAndLongParts) {
  EXPECT_EQ(GetShortHint("Copy|Copies the lines"), "Copy");
  EXPECT_EQ(GetLongHint("Copy|Copies the lines"), "Copies the lines");
  EXPECT_EQ(GetShortHint("Copy"), "Copy");
  EXPECT_EQ(GetLongHint("Copy"), "Copy");
}

}  // namespace
