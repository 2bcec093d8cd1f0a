#pragma once
// The providers the dialog hook puts on the windows it skins (dialogs, and
// forms without a provider of their own), as the skin command's broadcast
// reaches them.

#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/controls/Component.h"

class TSkProvider : public TComponent {
public:
  using TComponent::TComponent;

  // The window this provider skins.
  HWND DialogWnd = nullptr;
};

// Every provider the dialog hook has made; a slot may be empty.
extern std::vector<TSkProvider*> DialogProviders;
