#include "shell/InputForm.h"

#include "shell/WindowParams.h"
#include "toolkit/controls/Label.h"
#include "toolkit/win/Keys.h"

TInputForm* InputForm = nullptr;

namespace {

constexpr int EditMargin = 16;
constexpr int FontHeight = -13;

}  // namespace

TInputForm::TInputForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsSizeToolWin);
  SetBorderIcons(biSystemMenu);
  SetFormStyle(fsStayOnTop);
  Position = poScreenCenter;
  SetBounds(0, 0, 373, FixedHeight);
  edit_ = new TLabeledEdit(this);
  edit_->SetParent(this);
  edit_->SetBounds(8, 24, 121, edit_->Height());
  edit_->Font().SetName("Courier New");
  edit_->Font().SetHeight(FontHeight);
  edit_->EditLabel().Font().SetName("Verdana");
  edit_->EditLabel().Font().SetHeight(FontHeight);
  edit_->OnKeyPress = [this](TObject*, char32_t& key) { EditKeyPress(key); };
  edit_->OnKeyDown = [this](TObject*, WORD& key, TShiftState) { EditKeyDown(key); };
  edit_->OnChange = [this](TObject*) { ShowValidity(); };
  OnResize = [this](TObject*) { FitEdit(); };
  SetActiveControl(edit_);
  SetMode(imString);
  FitEdit();
}

void TInputForm::SetMode(TInputMode mode) {
  mode_ = mode;
  SetCaption(InputCaption(mode));
  ShowValidity();
}

TPromptAnswer TInputForm::Ask(TInputMode mode, const std::string& label, std::string& text) {
  SetMode(mode);
  edit_->EditLabel().SetCaption(label);
  edit_->SetText(text);
  ShowValidity();
  SetActiveControl(edit_);
  const TModalResult result = ShowModal();
  text = edit_->Text();
  return result == mrOk ? paOK : paCancel;
}

// With WinsInTask the dialog belongs to the desktop, not to the program's
// windows, and the tool-window style keeps it off the task bar.
void TInputForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog);
}

bool TInputForm::CanResize(int& newWidth, int& newHeight) {
  newHeight = FixedHeight;
  if (newWidth <= MinimumWidth) {
    if (Width() > MinimumWidth) return false;
    newWidth = MinimumWidth;
  }
  return TForm::CanResize(newWidth, newHeight);
}

void TInputForm::EditKeyPress(char32_t& key) {
  const bool accepted = key < 0x80 ? InputKeyAccepted(mode_, static_cast<char>(key)) : mode_ == imString;
  if (!accepted) key = 0;
}

void TInputForm::EditKeyDown(WORD& key) {
  if (key == VK_ESCAPE) {
    SetModalResult(mrCancel);
    key = 0;
  } else if (key == VK_RETURN) {
    if (InputTextValid(mode_, edit_->Text())) SetModalResult(mrOk);
    key = 0;
  }
}

void TInputForm::ShowValidity() {
  edit_->Font().SetColor(InputTextValid(mode_, edit_->Text()) ? clBlack : clRed);
}

void TInputForm::FitEdit() { edit_->SetWidth(ClientWidth() - EditMargin); }
