#include "toolkit/controls/Button.h"

#include <algorithm>

#include "toolkit/controls/ActionList.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/WindowBackend.h"

// TButtonControl

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  ControlStyle = csSetCaption | csDoubleClicks | csCaptureMouse;
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QPushButton";
}

void TButtonControl::AcceleratorPressed() { Click(); }

void TButtonControl::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) Clicked();
    return;
  }
  if (message.Msg == CM_DIALOGCHAR) {
    if (IsAccel(static_cast<char32_t>(message.WParam), Caption()) && CanFocus()) {
      AcceleratorPressed();
      message.Result = 1;
    }
    return;
  }
  TWinControl::Dispatch(message);
}

// TButton

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  RecreateWnd();
}

void TButton::Click() {
  if (TForm* form = GetParentForm(this); form && ModalResult != mrNone) form->SetModalResult(ModalResult);
  TButtonControl::Click();
}

bool TButton::ActiveDefault() const {
  if (Focused()) return true;
  return default_ && !dynamic_cast<TButton*>(FindControl(GetFocus()));
}

void TButton::Dispatch(TMessage& message) {
  if (message.Msg == CM_DIALOGKEY) {
    const bool enter = message.WParam == VK_RETURN && ActiveDefault();
    const bool escape = message.WParam == VK_ESCAPE && Cancel;
    if ((enter || escape) && !(KeyboardShiftState() & (ssShift | ssCtrl | ssAlt)) && CanFocus()) {
      Click();
      message.Result = 1;
    }
    return;
  }
  TButtonControl::Dispatch(message);
}

// TBitBtn

TBitBtn::TBitBtn(TComponent* owner)
    : TButton(owner), glyph_(std::make_unique<TBitmap>()), shownFrame_(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap& glyph) {
  glyph_->Assign(glyph);
  ShowGlyph();
}

void TBitBtn::SetNumGlyphs(int count) {
  numGlyphs_ = std::clamp(count, 1, 4);
  ShowGlyph();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin_ = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TBitBtn::CreateWnd() {
  TButton::CreateWnd();
  ShowGlyph();
}

void TBitBtn::ShowGlyph() {
  if (!HandleAllocated()) return;
  if (glyph_->Empty()) {
    Perform(BM_SETIMAGE, IMAGE_BITMAP, 0);
    return;
  }
  const int width = glyph_->Width() / numGlyphs_;
  shownFrame_->SetPixelFormat(pf24bit);
  shownFrame_->SetSize(width, glyph_->Height());
  shownFrame_->Canvas().CopyRect(Rect(0, 0, width, glyph_->Height()), glyph_->Canvas(),
                                 Rect(0, 0, width, glyph_->Height()));
  Perform(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shownFrame_->Handle()));
}

// TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style |= BS_3STATE;
  params.WindowClass.NativeWidget = "QCheckBox";
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  Perform(BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  ShowState(state);
  Click();
}

void TCheckBox::ShowState(TCheckBoxState state) {
  state_ = state;
  if (HandleAllocated()) Perform(BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

// The action's Checked is shown without a click: a click would execute the action.
void TCheckBox::ActionChange(const TAction& action) {
  TButtonControl::ActionChange(action);
  const TCheckBoxState state = action.Checked() ? cbChecked : cbUnchecked;
  if (state != state_) ShowState(state);
}

TCheckBoxState TCheckBox::NextState() const {
  if (state_ == cbUnchecked) return AllowGrayed ? cbGrayed : cbChecked;
  return state_ == cbChecked ? cbUnchecked : cbChecked;
}

void TCheckBox::Clicked() { SetState(NextState()); }

void TCheckBox::AcceleratorPressed() {
  SetFocus();
  SetState(NextState());
}

// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style |= BS_RADIOBUTTON;
  params.WindowClass.NativeWidget = "QRadioButton";
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  Perform(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (HandleAllocated()) Perform(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  if (Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  Click();
}

void TRadioButton::Clicked() { SetChecked(true); }

void TRadioButton::AcceleratorPressed() {
  SetFocus();
  SetChecked(true);
}
