#include "shell/DesktopPrompt.h"

#include "shell/InputForm.h"
#include "toolkit/win/MessageBox.h"

TPromptAnswer TDesktopPrompt::Input(TInputMode mode, const std::string& label, std::string& text) {
  return form_.Ask(mode, label, text);
}

// The box's answers and the prompt's share the platform's numbers.
TPromptAnswer TDesktopPrompt::MessageBox(const std::string& caption, const std::string& text, std::uint32_t flags) {
  return static_cast<TPromptAnswer>(::MessageBox(nullptr, text, caption, flags));
}
