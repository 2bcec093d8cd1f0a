#pragma once
// The form skinning provider as the skinned-forms list and the fade-in see
// it: a component on a form that gives the form the active skin's frame.
// A form answers sub-command 4 with its provider.

#include "toolkit/controls/Component.h"

class TForm;
class TSkinCommonData;

class TSkinProvider : public TComponent {
public:
  using TComponent::TComponent;

  // The form's skin data (section "FORM").
  virtual TSkinCommonData& SkinData() const = 0;
  // The form it skins: the form that owns it. Window adapters of the form
  // take over this form's window method.
  virtual TForm* Form() const;
  // Cuts the form's window region again and rebuilds the cached pictures of its frame.
  virtual void RebuildRegionAndCaches() = 0;

  // The provider took WS_SYSMENU off the form: its own caption then shows
  // the close button, and the system menu its window items.
  bool SysMenuStyleRemoved = false;
};
