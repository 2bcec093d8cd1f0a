#pragma once
// A plain container for a group of controls made together (an editor row,
// a source page): it fills its area with its colour and holds its children.

#include "toolkit/controls/CustomControl.h"

class TFrame : public TCustomControl {
public:
  explicit TFrame(TComponent* owner);
};
