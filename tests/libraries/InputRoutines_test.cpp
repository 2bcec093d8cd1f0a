#include "libraries/InputRoutines.h"

#include "SystemEngine.h"
#include "runtime/Params.h"

namespace {

class InputRoutines : public SystemEngine {
protected:
  const THeadlessPrompt::TRequest& LastRequest() const { return Prompt->Requests().back(); }
};

TEST_F(InputRoutines, MessageBoxFlagsByKindAndButtons) {
  const struct {
    const char* Line;
    std::uint32_t Flags;
  } cases[] = {
      {"ShowMessage('c', 't')", mfOK | mfIconError},
      {"ShowMessage('c', 't', mtWarning)", mfOK | mfIconWarning},
      {"ShowMessage('c', 't', mtError, mbsOkCancel)", mfOKCancel | mfIconError},
      {"ShowMessage('c', 't', mtInformation, mbsAbortRetryIgnore)", mfAbortRetryIgnore | mfIconInformation},
      {"ShowMessage('c', 't', mtConfirmation, mbsCancelTryContinue)", mfCancelTryContinue | mfIconQuestion},
      {"ShowMessage('c', 't', mtCustom, mbsRetryCancel)", mfRetryCancel | mfIconError},
      {"ShowMessage('c', 't', mtCustom, mbsYesNo)", mfYesNo | mfIconError},
      {"ShowMessage('c', 't', mtCustom, mbsYesNoCancel)", mfYesNoCancel | mfIconError},
  };
  for (const auto& c : cases) {
    Prompt->ScriptMessageBox(paOK);
    EXPECT_EQ(Eval(c.Line), "mbOK") << c.Line;
    EXPECT_TRUE(LastRequest().IsMessageBox);
    EXPECT_EQ(LastRequest().Flags, c.Flags | mfTopmost | mfSetForeground) << c.Line;
  }
  EXPECT_EQ(LastRequest().Label, "c");
  EXPECT_EQ(LastRequest().Text, "t");
}

TEST_F(InputRoutines, AnswersBecomeButtons) {
  const struct {
    TPromptAnswer Answer;
    const char* Button;
  } cases[] = {
      {paOK, "mbOK"},       {paCancel, "mbCancel"}, {paAbort, "mbAbort"},       {paRetry, "mbRetry"},
      {paIgnore, "mbIgnore"}, {paYes, "mbYes"},     {paNo, "mbNo"},             {paTryAgain, "mbTryAgain"},
      {paContinue, "mbContinue"},
  };
  for (const auto& c : cases) {
    Prompt->ScriptMessageBox(c.Answer);
    EXPECT_EQ(Eval("ShowMessage('c', 't', mtCustom, mbsYesNoCancel)"), c.Button) << c.Answer;
  }
}

TEST_F(InputRoutines, AnUnknownAnswerFailsTheCall) {
  for (int answer : {0, 8, 12}) {
    Prompt->ScriptMessageBox(static_cast<TPromptAnswer>(answer));
    EXPECT_EQ(Eval("ShowMessage('c', 't', mtCustom, mbsYesNo)"),
              "Unknown message result : " + std::to_string(answer) + " at [1:1] ");
  }
}

TEST_F(InputRoutines, AnUnansweredBoxIsClosed) {
  EXPECT_EQ(Eval("ShowMessage('c', 't')"), "mbOK");
  EXPECT_EQ(Eval("ShowMessage('c', 't', mtWarning, mbsYesNoCancel)"), "mbCancel");
}

TEST_F(InputRoutines, InputStringGivesTheTextOrTheDefault) {
  Prompt->ScriptInput(paOK, "typed");
  EXPECT_EQ(Eval("InputString('Name', 'abc')"), "'typed'");
  EXPECT_EQ(LastRequest().Mode, imString);
  EXPECT_EQ(LastRequest().Label, "Name");
  EXPECT_EQ(LastRequest().Text, "abc");
  Prompt->ScriptInput(paCancel, "typed");
  EXPECT_EQ(Eval("InputString('Name', 'abc')"), "'abc'");
}

TEST_F(InputRoutines, InputIntegerReadsTheAcceptedText) {
  Prompt->ScriptInput(paOK, "$10");
  EXPECT_EQ(Eval("InputInteger('n', 5)"), "16");
  EXPECT_EQ(LastRequest().Mode, imInteger);
  EXPECT_EQ(LastRequest().Text, "5");
  Prompt->ScriptInput(paCancel, "7");
  EXPECT_EQ(Eval("InputInteger('n', 5)"), "5");
  Prompt->ScriptInput(paOK, "7x");
  EXPECT_EQ(Eval("InputInteger('n', -5)"), "Bad integer value \"7x\" at [1:1] ");
  EXPECT_EQ(LastRequest().Text, "-5");
}

TEST_F(InputRoutines, InputRealShowsTheDefaultInTheDisplayFormat) {
  Params.FMantissa = 8;
  Prompt->ScriptInput(paOK, "1e-3");
  EXPECT_EQ(Eval("InputReal('x', 0.1)"), "0.001");
  EXPECT_EQ(LastRequest().Mode, imReal);
  EXPECT_EQ(LastRequest().Text, "0.1");
  EXPECT_EQ(Eval("InputReal('x', 2.5)"), "2.5") << "the window closed";
  Prompt->ScriptInput(paOK, "1,5");
  EXPECT_EQ(Eval("InputReal('x', 2.5)"), "Bad real value \"1,5\" at [1:1] ");
}

TEST_F(InputRoutines, FlagsAndAnswersAsNumbers) {
  EXPECT_EQ(MessageBoxFlags(TMsgType::mtCustom, TMsgButtons::mbsOK), 0x50010u);
  EXPECT_EQ(MessageBoxFlags(TMsgType::mtInformation, TMsgButtons::mbsYesNoCancel), 0x50043u);
  TMsgButton button = TMsgButton::mbAbort;
  EXPECT_FALSE(ButtonOfAnswer(9, button));
  EXPECT_EQ(button, TMsgButton::mbAbort);
}

}  // namespace
