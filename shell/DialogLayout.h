#pragma once
// Placing the controls of a designed dialog: each one made, owned by the
// form, at its designed place on its parent; the dialog's own frame and its
// buttons.

#include <span>
#include <string>

#include "toolkit/controls/Form.h"

class TButton;
class TColorBox;
class TComboBox;

template <class TPlaced>
TPlaced* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new TPlaced(owner);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

template <class TPlaced>
TPlaced* Place(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top, int width,
               int height) {
  TPlaced* control = Place<TPlaced>(owner, parent, left, top, width, height);
  control->SetCaption(caption);
  return control;
}

// A colour box of the style, in the height a colour box has.
TColorBox* PlaceColorBox(TComponent* owner, TWinControl* parent, unsigned style, int left, int top, int width);
// A drop-down list of the names, its first one chosen.
TComboBox* PlaceDropDownList(TComponent* owner, TWinControl* parent, std::span<const char* const> names, int left,
                             int top, int width);

// A dialog of the program's font, centred on the screen, with only a close box.
void ShapeDialog(TForm& dialog, const std::string& caption, TFormBorderStyle border, int clientWidth, int clientHeight);

// "OK" (Enter), "Cancel" (Esc) and "&Help" side by side from the left.
struct TDialogButtons {
  TButton* OK;
  TButton* Cancel;
  TButton* Help;
};
TDialogButtons PlaceDialogButtons(TForm& dialog, int left, int top);
