#pragma once
// A modal dialog driven as the user drives it: steps run from its modal
// loop once it shows, and real Qt keys and clicks on its controls.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"

class DialogInput {
protected:
  // Runs the steps from the dialog's modal loop once it shows. Steps that
  // leave it open (a failed assertion) close it, so the test goes on.
  static void WhenShown(TForm& dialog, std::function<void()> steps, int tries = 500) {
    RunLater(10, [&dialog, steps = std::move(steps), tries]() mutable {
      if (dialog.Showing()) {
        steps();
        if (dialog.Showing() && dialog.ModalResult() == mrNone) {
          ADD_FAILURE() << "the steps left \"" << dialog.Caption() << "\" open";
          dialog.SetModalResult(mrCancel);
        }
      } else if (tries > 0)
        WhenShown(dialog, std::move(steps), tries - 1);
      else
        ADD_FAILURE() << "\"" << dialog.Caption() << "\" never showed";
    });
  }
  // Keys and clicks in a dialog.
  static void KeyIn(TWinControl& control, WORD key, const std::string& text = "") {
    control.SetFocus();
    ProcessEverything();
    SynthesizeKeyStroke(control.Handle(), key, text);
    ProcessEverything();
  }
  static void Click(TControl& control, TPoint point) {
    SynthesizeClick(control.Parent()->Handle(), {control.Left() + point.X, control.Top() + point.Y});
    ProcessEverything();
  }
  // A check box's box, at its left.
  static void Toggle(TControl& box) { Click(box, {7, box.Height() / 2}); }
  static void ClickButton(TControl& button) { Click(button, {button.Width() / 2, button.Height() / 2}); }
  // Scrolled into view first, as the user would.
  static void ClickItem(TCustomListBox& list, int index) {
    if (list.ItemRect(index).Bottom > list.ClientHeight() || index < list.TopIndex()) list.SetTopIndex(index);
    const TRect item = list.ItemRect(index);
    SynthesizeClick(list.Handle(), {item.Left + item.Width() / 2, item.Top + item.Height() / 2});
    ProcessEverything();
  }
  // The typed text replaces the edit's.
  static void TypeInto(TCustomEdit& edit, const std::string& text) {
    edit.SetFocus();
    ProcessEverything();
    edit.SelectAll();
    SynthesizeKeyStroke(edit.Handle(), VK_DELETE, "");
    SynthesizeTyping(edit.Handle(), text);
    ProcessEverything();
  }
  // A closed drop-down list moved by the arrow keys to the entry.
  static void Choose(TCustomComboBox& box, int index) {
    box.SetFocus();
    ProcessEverything();
    const WORD key = index > box.ItemIndex() ? VK_DOWN : VK_UP;
    while (box.ItemIndex() != index) {
      const int before = box.ItemIndex();
      SynthesizeKeyStroke(box.Handle(), key, "");
      ProcessEverything();
      if (box.ItemIndex() == before) break;
    }
  }
  static void ChooseColour(TColorBox& box, TColor color) {
    for (int i = 0; i < box.ColorCount(); ++i)
      if (box.Colors(i) == color && !(i == 0 && (box.Style() & cbCustomColor))) return Choose(box, i);
    ADD_FAILURE() << "no entry of colour " << color;
  }
};
