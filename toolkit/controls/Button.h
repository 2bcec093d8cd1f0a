#pragma once
// Buttons realised by the desktop's buttons: TButton (push button with
// Default, Cancel and ModalResult), TCheckBox and TRadioButton. A click,
// the user's or BM_CLICK, reaches the control as BN_CLICKED reflected to
// it; "&" in the caption makes Alt+letter (or the letter where the focused
// control takes no characters) press it.

#include <memory>

#include "toolkit/controls/ButtonLayout.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/WinControl.h"

class TBitmap;

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  // BN_CLICKED arrived.
  virtual void Clicked() { Click(); }
  // The caption's accelerator was typed.
  virtual void AcceleratorPressed();
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* owner);

  // Enter presses the default button unless another button has the focus; Esc presses the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel = false;
  // Set on the form when the button is clicked, ending its ShowModal.
  TModalResult ModalResult = mrNone;

  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

private:
  // Whether Enter presses this button now.
  bool ActiveDefault() const;

  bool default_ = false;
};

// A push button with a glyph beside its caption. Glyph is a strip of
// NumGlyphs frames side by side, in the order up, disabled, clicked, down;
// the desktop's button shows the first frame as its icon. Layout, Margin
// (-1: centred) and Spacing place glyph and caption.
class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  const TBitmap& Glyph() const { return *glyph_; }
  void SetGlyph(const TBitmap& glyph);
  int NumGlyphs() const { return numGlyphs_; }
  // 1 to 4.
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

protected:
  void CreateWnd() override;

private:
  // Hands the first frame to the window as its image.
  void ShowGlyph();

  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TBitmap> shownFrame_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* owner);

  TCheckBoxState State() const { return state_; }
  // A change of state raises OnClick, whoever made it.
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  bool AllowGrayed = false;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Clicked() override;
  void AcceleratorPressed() override;
  // Also Checked from the action.
  void ActionChange(const TAction& action) override;

private:
  void ShowState(TCheckBoxState state);
  // A click moves unchecked on to grayed (when allowed) or checked, checked to unchecked, grayed to checked.
  TCheckBoxState NextState() const;

  TCheckBoxState state_ = cbUnchecked;
};

class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking a radio button unchecks the radio buttons beside it and raises OnClick.
  void SetChecked(bool checked);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Clicked() override;
  void AcceleratorPressed() override;

private:
  bool checked_ = false;
};
