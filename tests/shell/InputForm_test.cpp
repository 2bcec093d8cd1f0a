#include "shell/InputForm.h"

#include <functional>

#include <gtest/gtest.h>

#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"
#include "shell/DesktopPrompt.h"
#include "tests/engine/KindsFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/qt/DialogDriver.h"
#include "toolkit/qt/QtDialogs.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

// An engine whose prompt is the desktop's: the input dialog and the Qt
// message boxes, driven by real key events while they show.
class DesktopPromptTest : public testing::Test {
protected:
  DesktopPromptTest() {
    SetMessageSink(Sink);
    SetPrompt(MakeCounted<TDesktopPrompt>(Form));
  }
  ~DesktopPromptTest() override {
    SetPrompt(nullptr);
    SetMessageSink(nullptr);
    DeallocateHWnd(stepper_);
  }

  // The result lines of a console line, joined by "|".
  std::string Eval(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine->SetOption(0, true);
    Engine->Evaluate(line, false, true, -1, value);
    Engine->SetOption(0, false);
    std::string text;
    for (const TLine& written : Sink->Lines) text += (text.empty() ? "" : "|") + written.Text;
    return text;
  }

  // Runs the steps from the dialog's modal loop.
  void WhileShown(std::function<void()> steps) {
    steps_ = std::move(steps);
    PostMessage(stepper_, WM_USER, 0, 0);
  }

  void Press(WORD key, const std::string& text) {
    SynthesizeKeyStroke(Form.Edit().Handle(), key, text);
    Application().ProcessMessages();
  }

  bool TextIsRed() { return Form.Edit().Font().Color() == clRed; }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TInputForm Form{nullptr};

private:
  std::function<void()> steps_;
  HWND stepper_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg == WM_USER && steps_) steps_();
  });
};

TEST_F(DesktopPromptTest, InputIntegerTakesDigitsOnlyAndEscAnswersTheDefault) {
  WhileShown([&] {
    EXPECT_TRUE(Form.Showing());
    EXPECT_EQ(Form.Caption(), " Input Integer");
    EXPECT_EQ(Form.Edit().EditLabel().Caption(), "n");
    EXPECT_EQ(Form.Edit().Text(), "5");
    Press('A', "a");
    EXPECT_EQ(Form.Edit().Text(), "5") << "a letter has no effect";
    Press(VK_BACK, "\b");
    EXPECT_EQ(Form.Edit().Text(), "");
    EXPECT_TRUE(TextIsRed());
    Press(VK_RETURN, "\r");
    EXPECT_TRUE(Form.Showing()) << "Enter on an invalid text keeps the dialog";
    Press(VK_ESCAPE, "\x1b");
  });
  EXPECT_EQ(Eval("InputInteger('n', 5)"), "5");
}

TEST_F(DesktopPromptTest, InputRealShowsTheDefaultAndAcceptsAnExponent) {
  WhileShown([&] {
    EXPECT_EQ(Form.Edit().Text(), "0.1");
    for (int i = 0; i < 3; ++i) Press(VK_BACK, "\b");
    for (const char key : std::string("1e-3")) Press(static_cast<WORD>(key == 'e' ? 'E' : key == '-' ? VK_OEM_MINUS : key), std::string(1, key));
    EXPECT_EQ(Form.Edit().Text(), "1e-3");
    EXPECT_FALSE(TextIsRed());
    Press(VK_RETURN, "\r");
  });
  EXPECT_EQ(Eval("InputReal('x', 0.1)"), "0.001");
}

TEST_F(DesktopPromptTest, InputStringCancelledAnswersTheDefault) {
  WhileShown([&] {
    EXPECT_EQ(Form.Caption(), " Input String");
    Press('X', "x");
    EXPECT_EQ(Form.Edit().Text(), "x") << "the text shows selected";
    DesktopCloseRequest(Form.Handle());
  });
  EXPECT_EQ(Eval("InputString('s', 'abc')"), "'abc'");
}

TEST_F(DesktopPromptTest, ShowMessageAnsweredTryAgainGivesMbTryAgain) {
  IMessageBoxes* testBoxes = MessageBoxes();
  SetMessageBoxes(&QtMessageBoxes());
  WhenModalDialogShown([] {
    EXPECT_TRUE(ModalDialogStaysOnTop());
    ClickModalDialogButton("Try Again");
  });
  EXPECT_EQ(Eval("ShowMessage('c', 't', mtWarning, mbsCancelTryContinue)"), "mbTryAgain");
  SetMessageBoxes(testBoxes);
}

TEST(InputForm, KeepsItsHeightAndAWidthAboveTheMinimum) {
  TInputForm form(nullptr);
  form.SetMode(imInteger);
  form.Show();
  EXPECT_EQ(form.Height(), 84);
  EXPECT_EQ(form.Width(), 373);
  form.SetBounds(form.Left(), form.Top(), 100, 84);
  EXPECT_EQ(form.Width(), 373) << "a drag to 100 is refused";
  DesktopMovedWindow(form.Handle(), Bounds(form.Left(), form.Top(), 120, 200));
  EXPECT_EQ(form.Width(), 373);
  EXPECT_EQ(form.Height(), 84);
  form.SetBounds(form.Left(), form.Top(), 300, 150);
  EXPECT_EQ(form.Width(), 300);
  EXPECT_EQ(form.Height(), 84);
  EXPECT_EQ(form.Edit().Width(), form.ClientWidth() - 16);
}

TEST(InputForm, IsAStayOnTopToolWindowCentredOnTheScreen) {
  TInputForm form(nullptr);
  form.Show();
  EXPECT_EQ(form.FormStyle(), fsStayOnTop);
  EXPECT_EQ(form.BorderStyle(), bsSizeToolWin);
  const TRect area = Screen().WorkAreaRect();
  EXPECT_NEAR(form.Left(), area.Left + (area.Width() - form.Width()) / 2, 1);
  EXPECT_NEAR(form.Top(), area.Top + (area.Height() - form.Height()) / 2, 1);
}

TEST(InputForm, WinsInTaskMakesItAToolWindowOfTheDesktop) {
  Params.WinsInTask = true;
  TInputForm form(nullptr);
  form.Show();
  EXPECT_TRUE(GetWindowLongPtr(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  Params.WinsInTask = false;
}

}  // namespace
