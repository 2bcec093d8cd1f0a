#pragma once
// A text editor on a shown form, offscreen, with the fake clock: its
// geometry, rendered pixels and real input.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/TxCustomEditor.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Window.h"

// Records what the editor reports of each change of its text.
class TRecordingEditor : public TTxEditor {
public:
  using TTxEditor::TTxEditor;
  struct TModification {
    int Pos;
    TTextAction Action;
    std::string Text;
    bool operator==(const TModification&) const = default;
  };
  std::vector<TModification> Modifications;

protected:
  void TextModified(int pos, TTextAction action, const std::string& text) override {
    Modifications.push_back({pos, action, text});
  }
};

class EditorTest : public ::testing::Test {
protected:
  explicit EditorTest(int width = 600, int height = 400) {
    SetClock(&clock);
    form = new TForm(nullptr);
    form->SetBounds(20, 20, width + 40, height + 60);
    editor = new TRecordingEditor(form);
    editor->SetParent(form);
    editor->SetBounds(10, 10, width, height);
    form->Show();
    ProcessEverything();
  }
  ~EditorTest() override {
    delete form;
    ProcessEverything();
    SetClock(nullptr);
  }

  void SetText(const std::string& text) {
    editor->Lines().SetText(text);
    ProcessEverything();
  }
  CountedPtr<TGdiBitmap> Render() {
    editor->Invalidate();
    ProcessEverything();
    return RenderWindow(form->Handle());
  }
  // Client point of the editor on the rendered form.
  TPoint OnForm(TPoint client) const {
    const TPoint origin = form->ScreenToClient(editor->ClientOrigin());
    return {origin.X + client.X, origin.Y + client.Y};
  }
  TColor PixelAt(const TGdiBitmap& image, TPoint client) const {
    const TPoint p = OnForm(client);
    return image.Pixel(p.X, p.Y);
  }
  // A client point in the coordinates of the editor's window (border included).
  TPoint InWindow(TPoint client) const {
    TRect window;
    GetWindowRect(editor->Handle(), window);
    const TPoint origin = editor->ClientOrigin();
    return {client.X + origin.X - window.Left, client.Y + origin.Y - window.Top};
  }
  // The middle of the bottom pixel row of a cell, always its background.
  TPoint CellBackground(int col, int row) const {
    const TRect cell = editor->CellRect(col, row);
    return {(cell.Left + cell.Right) / 2, cell.Bottom - 1};
  }

  TFakeClock clock;
  TForm* form;
  TRecordingEditor* editor;
};
