#include "libraries/InputRoutines.h"

#include <iterator>
#include <string>
#include <string_view>

#include "libraries/BuiltInArgs.h"
#include "libraries/Prompt.h"
#include "runtime/Quoted.h"
#include "runtime/NumberText.h"

namespace {

// By TMsgButtons ordinal.
constexpr std::uint32_t ButtonSets[] = {
    mfAbortRetryIgnore, mfCancelTryContinue, mfOK, mfOKCancel, mfRetryCancel, mfYesNo, mfYesNoCancel,
};

// By TMsgType ordinal.
constexpr std::uint32_t Icons[] = {
    mfIconWarning, mfIconError, mfIconInformation, mfIconQuestion, mfIconError,
};

struct TAnswerButton {
  TPromptAnswer Answer;
  TMsgButton Button;
};

constexpr TAnswerButton AnswerButtons[] = {
    {paOK, TMsgButton::mbOK},         {paCancel, TMsgButton::mbCancel},     {paAbort, TMsgButton::mbAbort},
    {paRetry, TMsgButton::mbRetry},   {paIgnore, TMsgButton::mbIgnore},     {paYes, TMsgButton::mbYes},
    {paNo, TMsgButton::mbNo},         {paTryAgain, TMsgButton::mbTryAgain}, {paContinue, TMsgButton::mbContinue},
};

// Shows the input dialog with text in its field; true when the user
// accepted the field, text then holding what was typed.
bool AskForText(TInputMode mode, const std::string& label, std::string& text) {
  CountedPtr<IPrompt> prompt = GetPrompt();
  return prompt->Input(mode, label, text) == paOK;
}

template <class Number>
struct TNumberDialog {
  TInputMode Mode;
  bool (*Read)(std::string_view, Number&);  // leaves the number alone when the text does not read
  TValue (*Value)(Number);
  const char* Complaint;
};

constexpr TNumberDialog<std::int64_t> IntegerDialog{imInteger, TextToInt, TValue::Integer, "Bad integer value "};
constexpr TNumberDialog<long double> RealDialog{imReal, TextToReal, TValue::Real, "Bad real value "};

// The default unless the user accepts a text; an accepted text that does not
// read gives the default too, and fails the call after the report.
template <class Number>
bool AskForNumber(const TFunc& func, const TNumberDialog<Number>& dialog, Number defaultValue, std::string text,
                  TSourcePos pos) {
  Number answer = defaultValue;
  bool valid = !AskForText(dialog.Mode, TextArg(func, 0), text) || dialog.Read(text, answer);
  SetResult(func, dialog.Value(answer));
  if (!valid) ReportError(dialog.Complaint + Quoted(text), pos, nullptr);
  return valid;
}

}  // namespace

std::uint32_t MessageBoxFlags(TMsgType dialog, TMsgButtons buttons) {
  QASSERT(static_cast<std::size_t>(dialog) < std::size(Icons), "9A31C6E0");
  QASSERT(static_cast<std::size_t>(buttons) < std::size(ButtonSets), "9A31C6E1");
  return mfTopmost | mfSetForeground | ButtonSets[static_cast<int>(buttons)] | Icons[static_cast<int>(dialog)];
}

bool ButtonOfAnswer(int answer, TMsgButton& button) {
  for (const TAnswerButton& pair : AnswerButtons) {
    if (pair.Answer == answer) {
      button = pair.Button;
      return true;
    }
  }
  return false;
}

bool TInpStr::Execute(TSourcePos) {
  std::string text = TextArg(*this, 1);
  if (!AskForText(imString, TextArg(*this, 0), text)) text = TextArg(*this, 1);
  SetResult(*this, TValue::String(std::move(text)));
  return true;
}

bool TInpInt::Execute(TSourcePos pos) {
  std::int64_t defaultValue = IntArg(*this, 1);
  return AskForNumber(*this, IntegerDialog, defaultValue, std::to_string(defaultValue), pos);
}

bool TInpReal::Execute(TSourcePos pos) {
  long double defaultValue = RealArg(*this, 1);
  return AskForNumber(*this, RealDialog, defaultValue, RealToText(defaultValue), pos);
}

bool TShowMsgIOF::Execute(TSourcePos pos) {
  auto dialog = static_cast<TMsgType>(IntArg(*this, 2));
  auto buttons = static_cast<TMsgButtons>(IntArg(*this, 3));
  CountedPtr<IPrompt> prompt = GetPrompt();
  TPromptAnswer answer = prompt->MessageBox(TextArg(*this, 0), TextArg(*this, 1), MessageBoxFlags(dialog, buttons));
  TMsgButton button = TMsgButton::mbOK;
  if (!ButtonOfAnswer(answer, button)) {
    ReportError("Unknown message result : " + std::to_string(answer), pos, nullptr);
    return false;
  }
  SetResult(*this, TValue::Enum(static_cast<std::int64_t>(button)));
  return true;
}
