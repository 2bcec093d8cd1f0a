#include "skin/ControlRoutines.h"

#include "skin/SkinCommonData.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

bool AnimationRunning = false;
TSetWindowThemeProc SetWindowThemeProc = nullptr;

LRESULT SendSkinCommand(HWND window, WORD subCommand, LPARAM lParam) {
  return SendMessage(window, SM_SKINCMD, SkinCommand(subCommand), lParam);
}

LRESULT SendSkinCommandTo(TControl* control, WORD subCommand, LPARAM lParam) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return control->Perform(SM_SKINCMD, SkinCommand(subCommand), lParam);
  if (windowed->IsDestroying() || !windowed->HandleAllocated()) return 0;
  return SendSkinCommand(windowed->Handle(), subCommand, lParam);
}

LRESULT AskControl(TControl* control, WORD subCommand) { return SendSkinCommandTo(control, subCommand, 0); }

bool WindowAnswersOne(HWND window, WORD subCommand) { return SendSkinCommand(window, subCommand, 0) == 1; }

void BroadcastToChildren(TWinControl* parent, TMessage& message) {
  for (int i = 0; i < parent->ControlCount() && !parent->Controls(i)->IsDestroying(); ++i) {
    TControl* child = parent->Controls(i);
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated())
      child->Perform(message.Msg, message.WParam, message.LParam);
    else if (WindowAnswersOne(windowed->Handle(), scIsSkinnable))
      SendMessage(windowed->Handle(), message.Msg, message.WParam, message.LParam);
    else
      BroadcastToChildren(windowed, message);
  }
}

void RepaintChildren(TWinControl* parent) {
  if (AnimationRunning) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (windowed && !windowed->IsDestroying() && windowed->HandleAllocated() && windowed->Showing())
      SendSkinCommand(windowed->Handle(), scResumePainting, 0);
  }
}

void AnnounceToParentForm(TControl* control) {
  if (control->ComponentState() & csDesigning) return;
  TForm* form = GetParentForm(control);
  if (form && form->HandleAllocated())
    SendSkinCommand(form->Handle(), scAdaptControl, reinterpret_cast<LPARAM>(control));
}

TColor ParentColorOf(TControl* control) {
  if (!control) return clSkinKey;
  if (control->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0) == 1)
    return ColorToRGB(TColor(control->Perform(SM_SKINCMD, SkinCommand(scGetColor), clSkinKey)));
  return ColorToRGB(control->Color());
}

TColor WindowColorOf(HWND window) {
  if (!window) return clSkinKey;
  return ColorToRGB(TColor(SendSkinCommand(window, scGetColor, clSkinKey)));
}

bool ControlCanPaint(const TControl* control) {
  if (!control) return false;
  const auto* windowed = dynamic_cast<const TWinControl*>(control);
  if (windowed && !windowed->HandleAllocated()) return false;
  if ((control->ControlState & csCreating) || (control->ComponentState() & (csReading | csLoading | csDestroying)))
    return false;
  return control->Parent() != nullptr;
}

void ClientRectInWindow(HWND window, TRect& rect) {
  GetClientRect(window, rect);
  TRect windowRect;
  GetWindowRect(window, windowRect);
  TPoint origin{0, 0};
  ClientToScreen(window, origin);
  OffsetRect(rect, origin.X - windowRect.Left, origin.Y - windowRect.Top);
}
