#pragma once
// The dialogs through which a running script asks the user: the input
// dialog of InputString, InputInteger and InputReal, and the message box of
// ShowMessage. The windows supply the real dialogs; without them a headless
// prompt answers from a script, as the tests and the headless runner need.
//
// The rules of the input field (which keys it takes, which texts it accepts)
// and the encoding of a message box request are plain functions here, so the
// dialog window and the routines share one definition.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/CountedPtr.h"

// What the input field holds; also chooses the dialog's caption.
enum TInputMode : std::uint8_t {
  imString = 0,
  imInteger = 1,
  imReal = 2,
};

// " Input String", " Input Integer", " Input Real".
const char* InputCaption(TInputMode mode);
// Whether a character typed into the field is kept: integers take Backspace,
// the signs and the digits, reals also "E", "e" and "."; strings take all.
bool InputKeyAccepted(TInputMode mode, char key);
// Whether the field's text may be accepted with Enter (invalid text is shown
// in red): a 64-bit integer, a real, or any text.
bool InputTextValid(TInputMode mode, std::string_view text);

// The answers of both dialogs, with the platform's numbers; 0 is a dialog
// that could not be shown.
enum TPromptAnswer : int {
  paNone = 0,
  paOK = 1,
  paCancel = 2,
  paAbort = 3,
  paRetry = 4,
  paIgnore = 5,
  paYes = 6,
  paNo = 7,
  paTryAgain = 10,
  paContinue = 11,
};

// Message box options: one button set (the low four bits), one icon (the
// next four) and the window placement bits.
enum TMessageBoxFlag : std::uint32_t {
  mfOK = 0x0,
  mfOKCancel = 0x1,
  mfAbortRetryIgnore = 0x2,
  mfYesNoCancel = 0x3,
  mfYesNo = 0x4,
  mfRetryCancel = 0x5,
  mfCancelTryContinue = 0x6,
  mfButtonsMask = 0xF,
  mfIconError = 0x10,
  mfIconQuestion = 0x20,
  mfIconWarning = 0x30,
  mfIconInformation = 0x40,
  mfIconMask = 0xF0,
  mfSetForeground = 0x10000,
  mfTopmost = 0x40000,
};

// The answer a box gives when its window is closed: OK for the OK box,
// Cancel where a Cancel button exists; paNone where the box cannot be closed
// (Yes/No, Abort/Retry/Ignore).
TPromptAnswer CloseAnswer(std::uint32_t flags);

class IPrompt : public TCounted {
public:
  // Shows the input dialog modally with label and, in the field, text; on
  // return text holds the field's text. Answers paOK (Enter on a valid text)
  // or paCancel (Esc, the window closed).
  virtual TPromptAnswer Input(TInputMode mode, const std::string& label, std::string& text) = 0;
  // Shows a message box modally; the answer of the button pressed.
  virtual TPromptAnswer MessageBox(const std::string& caption, const std::string& text, std::uint32_t flags) = 0;
};

// Answers from a script, one answer per request in order, and records the
// requests. Once the script is used up it answers as if each dialog were
// closed: Cancel for the input dialog, CloseAnswer for a message box.
class THeadlessPrompt final : public IPrompt {
public:
  struct TRequest {
    TInputMode Mode = imString;  // input requests
    std::string Label;           // input: the label; message box: the caption
    std::string Text;            // the field's text or the box's text, as shown
    std::uint32_t Flags = 0;     // message box requests
    bool IsMessageBox = false;
  };

  // The next input request is answered with answer, the field holding text.
  void ScriptInput(TPromptAnswer answer, std::string text);
  // The next message box request is answered with answer.
  void ScriptMessageBox(TPromptAnswer answer);

  TPromptAnswer Input(TInputMode mode, const std::string& label, std::string& text) override;
  TPromptAnswer MessageBox(const std::string& caption, const std::string& text, std::uint32_t flags) override;

  const std::vector<TRequest>& Requests() const { return requests_; }

private:
  struct TScripted {
    TPromptAnswer Answer;
    std::string Text;
  };

  std::deque<TScripted> inputs_;
  std::deque<TPromptAnswer> boxes_;
  std::vector<TRequest> requests_;
};

// The process-wide prompt, which the windows set; nil returns to a headless
// prompt with an empty script. A caller holds the reference for the length
// of its dialog, since the prompt may be replaced while the dialog runs.
void SetPrompt(CountedPtr<IPrompt> prompt);
CountedPtr<IPrompt> GetPrompt();
