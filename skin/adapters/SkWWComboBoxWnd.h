#pragma once
// The combo box adapter for foreign combo-like edits: made on the control
// rather than its handle, it draws the drop-down button only where the
// control shows one (any class but TComboBox; a TComboBox of a drop-down
// style).

#include "skin/adapters/SkComboBoxWnd.h"

class TWinControl;

class TSkWWComboBoxWnd : public TSkComboBoxWnd {
public:
  explicit TSkWWComboBoxWnd(TWinControl& control);
  TRect ButtonRect() const override;

  const bool ShowsButton;
};
