#pragma once
// The buttons of a skinned form's caption: the system buttons, the buttons
// a maximized MDI child shows on its frame's menu line, and the choice of
// their glyphs from the skin's "GLOBALINFO" masks.

#include "toolkit/base/Rect.h"

class TSkinManager;

// One caption button.
struct TCaptionButtonData {
  int State = 0;        // 0 normal, 1 hot, 2 pressed; also the mask image drawn
  int ImageIndex = -1;  // the skin mask holding the glyph images; -1 none
  TRect Rect{};         // window coordinates
  bool Aligned = false; // a big glyph, following the skin's "BIVALIGN"
};

// Hit codes of the buttons beyond the system ones: the maximized MDI
// child's close, restore and minimize, and the first user button.
constexpr int HTCHILDCLOSE = 101;
constexpr int HTCHILDMAX = 102;
constexpr int HTCHILDMIN = 103;
constexpr int HTUSERBUTTON = 1000;

// The seven button records of a form's caption, and the mask the user
// buttons draw their frames from.
struct TCaptionButtons {
  TCaptionButtonData MinButton;
  TCaptionButtonData MaxButton;
  TCaptionButtonData CloseButton;
  TCaptionButtonData HelpButton;
  TCaptionButtonData ChildMinButton;
  TCaptionButtonData ChildMaxButton;
  TCaptionButtonData ChildCloseButton;
  int UserButtonMask = -1;  // "TITLEBUTTON"

  // The record of a system or MDI child hit code (HTMINBUTTON, HTMAXBUTTON,
  // HTCLOSE, HTHELP, HTCHILDCLOSE, HTCHILDMAX, HTCHILDMIN); null for any
  // other code, user buttons included (their records are their own).
  TCaptionButtonData* ButtonOfCode(int code);
};

// Chooses the glyph masks of every record from the manager's "GLOBALINFO":
// the big set (and the skin's alignment) for forms with big buttons, the
// small set otherwise, the big one when the skin has no small glyphs.
// mdiFrame: the form is an MDI frame, whose child buttons then get glyphs
// too (never while the manager is being designed). Nothing without
// "GLOBALINFO".
void PickCaptionGlyphs(TCaptionButtons& buttons, const TSkinManager& manager, bool bigButtons, bool mdiFrame);
