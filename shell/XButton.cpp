#include "shell/XButton.h"

#include "toolkit/controls/Menus.h"

TXButton::TXButton(TComponent* owner) : TSpeedButton(owner) { SetLayout(blGlyphLeft); }

TXButton::~TXButton() { SetDropMenu(nullptr); }

void TXButton::SetDropMenu(TPopupMenu* menu) {
  if (dropMenu_) RemoveFreeNotification(dropMenu_);
  dropMenu_ = menu;
  if (dropMenu_) FreeNotification(dropMenu_);
}

void TXButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSpeedButton::MouseDown(button, shift, x, y);
  if (!dropMenu_ || button != mbLeft) return;
  const TPoint corner = ClientToScreen({0, Height()});
  dropMenu_->Popup(corner.X, corner.Y);
  // The menu took the real button release: without this the button stays down.
  MouseUp(mbLeft, shift, x, y);
}

void TXButton::Notification(TComponent* component, TOperation operation) {
  TSpeedButton::Notification(component, operation);
  if (operation == opRemove && component == dropMenu_) dropMenu_ = nullptr;
}
