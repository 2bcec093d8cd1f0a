#pragma once
// A shown borderless white form, so that its rendered window is its client
// area: controls are placed on it and their pixels read back.

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"

class FormFixture : public ::testing::Test {
protected:
  FormFixture() {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 400, 300);
    form->SetColor(clWhite);
  }
  ~FormFixture() override { delete form; }

  // Shows the form (once) and handles what is waiting.
  void ShowForm() {
    form->Show();
    ProcessEverything();
  }

  CountedPtr<TGdiBitmap> Render() {
    ShowForm();
    return RenderWindow(form->Handle());
  }

  // Where a control's client point lies in the rendered form.
  TPoint InForm(TControl& control, TPoint point) { return form->ScreenToClient(control.ClientToScreen(point)); }

  TForm* form;
};
