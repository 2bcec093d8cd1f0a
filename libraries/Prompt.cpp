#include "libraries/Prompt.h"

#include <utility>

#include "runtime/NumberText.h"

namespace {

constexpr char Backspace = 8;

bool IsIntegerKey(char key) { return key == Backspace || key == '+' || key == '-' || (key >= '0' && key <= '9'); }

bool IsRealKey(char key) { return IsIntegerKey(key) || key == 'E' || key == 'e' || key == '.'; }

CountedPtr<IPrompt>& CurrentPrompt() {
  static CountedPtr<IPrompt> prompt;
  return prompt;
}

}  // namespace

const char* InputCaption(TInputMode mode) {
  switch (mode) {
    case imInteger:
      return " Input Integer";
    case imReal:
      return " Input Real";
    default:
      return " Input String";
  }
}

bool InputKeyAccepted(TInputMode mode, char key) {
  switch (mode) {
    case imInteger:
      return IsIntegerKey(key);
    case imReal:
      return IsRealKey(key);
    default:
      return true;
  }
}

bool InputTextValid(TInputMode mode, std::string_view text) {
  std::int64_t n = 0;
  long double x = 0;
  switch (mode) {
    case imInteger:
      return TextToInt(text, n);
    case imReal:
      return TextToReal(text, x);
    default:
      return true;
  }
}

TPromptAnswer CloseAnswer(std::uint32_t flags) {
  switch (flags & mfButtonsMask) {
    case mfOK:
      return paOK;
    case mfOKCancel:
    case mfYesNoCancel:
    case mfRetryCancel:
    case mfCancelTryContinue:
      return paCancel;
    default:
      return paNone;
  }
}

void THeadlessPrompt::ScriptInput(TPromptAnswer answer, std::string text) {
  inputs_.push_back({answer, std::move(text)});
}

void THeadlessPrompt::ScriptMessageBox(TPromptAnswer answer) { boxes_.push_back(answer); }

TPromptAnswer THeadlessPrompt::Input(TInputMode mode, const std::string& label, std::string& text) {
  requests_.push_back({mode, label, text, 0, false});
  if (inputs_.empty()) return paCancel;
  TScripted next = std::move(inputs_.front());
  inputs_.pop_front();
  text = std::move(next.Text);
  return next.Answer;
}

TPromptAnswer THeadlessPrompt::MessageBox(const std::string& caption, const std::string& text, std::uint32_t flags) {
  requests_.push_back({imString, caption, text, flags, true});
  if (boxes_.empty()) return CloseAnswer(flags);
  TPromptAnswer next = boxes_.front();
  boxes_.pop_front();
  return next;
}

void SetPrompt(CountedPtr<IPrompt> prompt) { CurrentPrompt() = std::move(prompt); }

CountedPtr<IPrompt> GetPrompt() {
  CountedPtr<IPrompt>& prompt = CurrentPrompt();
  if (!prompt) prompt = MakeCounted<THeadlessPrompt>();
  return prompt;
}
