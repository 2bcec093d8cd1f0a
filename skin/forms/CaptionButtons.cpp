#include "skin/forms/CaptionButtons.h"

#include <string>

#include "skin/skins/SkinManager.h"
#include "toolkit/win/Messages.h"

TCaptionButtonData* TCaptionButtons::ButtonOfCode(int code) {
  switch (code) {
    case HTMINBUTTON: return &MinButton;
    case HTMAXBUTTON: return &MaxButton;
    case HTCLOSE: return &CloseButton;
    case HTHELP: return &HelpButton;
    case HTCHILDCLOSE: return &ChildCloseButton;
    case HTCHILDMAX: return &ChildMaxButton;
    case HTCHILDMIN: return &ChildMinButton;
    default: return nullptr;
  }
}

namespace {

void Pick(TCaptionButtonData& button, int mask, bool aligned) {
  button.ImageIndex = mask;
  button.Aligned = aligned;
}

}  // namespace

void PickCaptionGlyphs(TCaptionButtons& buttons, const TSkinManager& manager, bool bigButtons, bool mdiFrame) {
  if (manager.SectionIndexOf("GLOBALINFO") < 0) return;
  const auto mask = [&](const char* name) { return manager.MaskIndexOfNames("GLOBALINFO", name); };
  const auto pickBig = [&] {
    Pick(buttons.MinButton, mask("BICONMIN"), true);
    Pick(buttons.MaxButton, mask("BICONMAX"), true);
    Pick(buttons.CloseButton, mask("BICONCLOSE"), true);
    Pick(buttons.HelpButton, mask("BICONHELP"), true);
  };
  if (bigButtons) {
    pickBig();
  } else {
    const int smallHelp = mask("SICONHELP");
    Pick(buttons.CloseButton, mask("SICONCLOSE"), false);
    Pick(buttons.MinButton, mask("SICONMIN"), false);
    Pick(buttons.MaxButton, mask("SICONMAX"), false);
    Pick(buttons.HelpButton, smallHelp >= 0 ? smallHelp : mask("BICONHELP"), false);
  }
  const bool childButtons = mdiFrame && !(manager.ComponentState() & csDesigning);
  if (buttons.CloseButton.ImageIndex == -1) {  // the skin has no small glyphs
    pickBig();
    if (childButtons) {
      buttons.ChildMinButton.ImageIndex = mask("BICONMIN");
      buttons.ChildMaxButton.ImageIndex = mask("BICONMAX");
      buttons.ChildCloseButton.ImageIndex = mask("BICONCLOSE");
    }
    for (TCaptionButtonData* child : {&buttons.ChildMinButton, &buttons.ChildMaxButton, &buttons.ChildCloseButton})
      child->Aligned = true;
  } else if (childButtons) {
    Pick(buttons.ChildMinButton, mask("SICONMIN"), false);
    Pick(buttons.ChildMaxButton, mask("SICONMAX"), false);
    Pick(buttons.ChildCloseButton, mask("SICONCLOSE"), false);
    if (buttons.ChildMinButton.ImageIndex == -1) {
      Pick(buttons.ChildMinButton, buttons.MinButton.ImageIndex, true);
      Pick(buttons.ChildMaxButton, buttons.MaxButton.ImageIndex, true);
      Pick(buttons.ChildCloseButton, buttons.CloseButton.ImageIndex, true);
    }
  }
  buttons.UserButtonMask = mask("TITLEBUTTON");
}
