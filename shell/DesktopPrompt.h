#pragma once
// The prompt of the program: the input dialog and the toolkit's message
// boxes, so that InputString, InputInteger, InputReal and ShowMessage reach
// real dialogs. The program installs it with SetPrompt.

#include "libraries/Prompt.h"

class TInputForm;

class TDesktopPrompt final : public IPrompt {
public:
  explicit TDesktopPrompt(TInputForm& form) : form_(form) {}

  TPromptAnswer Input(TInputMode mode, const std::string& label, std::string& text) override;
  // The box belongs to the desktop, as the flags' MB_TOPMOST and MB_SETFOREGROUND ask.
  TPromptAnswer MessageBox(const std::string& caption, const std::string& text, std::uint32_t flags) override;

private:
  TInputForm& form_;
};
