#pragma once
// A speed button that drops a pop-up menu below itself on a left press:
// the main window's menu button in the compact view. Without a menu it is
// a plain speed button.

#include "toolkit/controls/SpeedButton.h"

class TPopupMenu;

class TXButton : public TSpeedButton {
public:
  explicit TXButton(TComponent* owner);
  ~TXButton() override;

  // Not owned; nil by default, and again once the menu is freed.
  TPopupMenu* DropMenu() const { return dropMenu_; }
  void SetDropMenu(TPopupMenu* menu);

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TPopupMenu* dropMenu_ = nullptr;
};
