#pragma once
// The input dialog of InputString, InputInteger and InputReal: one labelled
// field in a small stay-on-top tool window centred on the screen, without
// buttons. The field takes only the keys of its mode and shows an invalid
// text in red; Enter accepts a valid text, Esc and the close box cancel.
// One instance serves every call; each call sets mode, label and text.

#include <string>

#include "libraries/Prompt.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"

class TInputForm : public TForm {
public:
  static constexpr int FixedHeight = 84;
  static constexpr int MinimumWidth = 128;

  explicit TInputForm(TComponent* owner);

  TInputMode Mode() const { return mode_; }
  // Also sets the caption (" Input Integer" and so on).
  void SetMode(TInputMode mode);
  TLabeledEdit& Edit() { return *edit_; }

  // Shows the dialog modally; text holds the field's text on return.
  // Answers paOK (Enter on a valid text) or paCancel.
  TPromptAnswer Ask(TInputMode mode, const std::string& label, std::string& text);

protected:
  void CreateParams(TCreateParams& params) override;
  // The height stays; the width never goes to the minimum or below.
  bool CanResize(int& newWidth, int& newHeight) override;

private:
  void EditKeyPress(char32_t& key);
  void EditKeyDown(WORD& key);
  void ShowValidity();
  void FitEdit();

  TLabeledEdit* edit_;
  TInputMode mode_ = imString;
};

// Nil until the start-up makes the input dialog.
extern TInputForm* InputForm;
