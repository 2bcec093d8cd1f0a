#include "shell/DialogLayout.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"

TColorBox* PlaceColorBox(TComponent* owner, TWinControl* parent, unsigned style, int left, int top, int width) {
  auto* box = Place<TColorBox>(owner, parent, left, top, width, 22);
  box->SetStyle(style);
  return box;
}

TComboBox* PlaceDropDownList(TComponent* owner, TWinControl* parent, std::span<const char* const> names, int left,
                             int top, int width) {
  auto* list = Place<TComboBox>(owner, parent, left, top, width, 22);
  list->SetStyle(csDropDownList);
  for (const char* name : names) list->Items().Add(name);
  list->SetItemIndex(0);
  return list;
}

void ShapeDialog(TForm& dialog, const std::string& caption, TFormBorderStyle border, int clientWidth, int clientHeight) {
  dialog.SetCaption(caption);
  dialog.SetBorderStyle(border);
  dialog.SetBorderIcons(biSystemMenu);
  dialog.Position = poScreenCenter;
  dialog.Font().SetName("MS Sans Serif");
  dialog.Font().SetHeight(-11);
  dialog.ShowHint = true;
  dialog.SetClientSize(clientWidth, clientHeight);
}

TDialogButtons PlaceDialogButtons(TForm& dialog, int left, int top) {
  constexpr int Width = 75;
  constexpr int Step = Width + 8;
  TDialogButtons buttons{Place<TButton>(&dialog, &dialog, "OK", left, top, Width, 25),
                         Place<TButton>(&dialog, &dialog, "Cancel", left + Step, top, Width, 25),
                         Place<TButton>(&dialog, &dialog, "&Help", left + 2 * Step, top, Width, 25)};
  buttons.OK->SetDefault(true);
  buttons.OK->ModalResult = mrOk;
  buttons.Cancel->Cancel = true;
  buttons.Cancel->ModalResult = mrCancel;
  return buttons;
}
