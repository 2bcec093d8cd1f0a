#include "shell/ToolForm.h"

#include <utility>

#include "runtime/Storage.h"
#include "shell/StoredPlace.h"
#include "shell/WindowParams.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/win/SysMetrics.h"

TToolForm::TToolForm(TComponent* owner, const std::string& section, TAction* toggle, const TRect& bounds,
                     TToolSizing sizing)
    : TForm(owner), section_(section), toggle_(toggle), sizing_(sizing) {
  if (sizing_ == tsFixed) SetBorderStyle(bsToolWindow);
  if (toggle_) FreeNotification(toggle_);
  ReadSettings(bounds);
}

// The window's own part is gone by now: only the base's keys are written.
TToolForm::~TToolForm() {
  if (settingsWritten_) return;
  writeOwnKeys_ = nullptr;
  WriteSettings();
}

void TToolForm::Toggle() {
  const bool show = !Visible();
  SetVisible(show);
  CheckAction(show);
  reopen_ = show;
}

void TToolForm::KeepOwnKeys(const TOwnKeys& read, TOwnKeys write) {
  writeOwnKeys_ = std::move(write);
  Storage->OpenSection(section_, false);
  TSectionCloser closer(*Storage);
  read(*Storage);
}

void TToolForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ToolWindow);
}

void TToolForm::Dispatch(TMessage& message) {
  TForm::Dispatch(message);
  switch (message.Msg) {
    case WM_SHOWWINDOW: ShowChanged(message.WParam != 0); break;
    // The user closed the window: do not reopen it at the next start.
    case WM_CLOSE:
      if (!Visible()) reopen_ = false;
      break;
    default: break;
  }
}

void TToolForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == opRemove && component == toggle_) toggle_ = nullptr;
}

void TToolForm::ReadSettings(const TRect& bounds) {
  Storage->OpenSection(section_, false);
  TSectionCloser closer(*Storage);
  const TRect place = sizing_ == tsFixed
                          ? ReadStoredPosition("", bounds)
                          : ReadStoredPlace("", bounds, {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)});
  SetBounds(place.Left, place.Top, place.Width(), place.Height());
  reopen_ = Storage->ReadBool("Visible", false);
}

void TToolForm::WriteSettings() {
  if (std::exchange(settingsWritten_, true)) return;
  try {
    Storage->OpenSection(section_, true);
    TSectionCloser closer(*Storage);
    Storage->WriteInteger("Left", Left());
    Storage->WriteInteger("Top", Top());
    if (sizing_ == tsSizeable) {
      Storage->WriteInteger("Width", Width());
      Storage->WriteInteger("Height", Height());
    }
    Storage->WriteBool("Visible", reopen_);
    if (writeOwnKeys_) writeOwnKeys_(*Storage);
  } catch (const std::exception&) {
    // The stored geometry stays as it was; the program is ending anyway.
  }
}

void TToolForm::ShowChanged(bool shown) {
  if (shown) reopen_ = true;
  CheckAction(shown);
}

void TToolForm::CheckAction(bool checked) {
  if (toggle_) toggle_->SetChecked(checked);
}
