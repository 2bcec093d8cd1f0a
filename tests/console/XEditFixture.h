#pragma once
// A command line on a shown form, offscreen, with a settings store of its
// own and real Qt input.

#include <memory>
#include <string>

#include "console/XEdit.h"
#include "runtime/Storage.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/NativeControlFixture.h"

class XEditTest : public NativeControlTest {
protected:
  XEditTest() {
    Storage = std::make_unique<TStorage>("Console.ini", 0);
    TXEdit::ResetNameCounter();
  }
  ~XEditTest() override { Storage.reset(); }

  // A fresh edit at the top of the form, focused, with the prompt and the source.
  TXEdit* MakeEdit(const std::string& prompt = "> ", const std::string& source = "", bool persist = false) {
    auto* edit = new TXEdit(form, persist);
    edit->SetBounds(10, 10, 300, edit->Height());
    edit->SetPrompt(prompt);
    edit->SetSource(source);
    edit->SetFocus();
    ProcessEverything();
    return edit;
  }
  void Type(TXEdit& edit, const std::string& text) { NativeControlTest::Type(edit.Handle(), text); }
  void Press(TXEdit& edit, WORD key, TInputModifiers modifiers = {}) { NativeControlTest::Press(edit.Handle(), key, modifiers); }
  void Enter(TXEdit& edit) { Press(edit, VK_RETURN); }
  // Window coordinates of the middle of a character's cell (a fixed-pitch font).
  TPoint AtCharacter(TXEdit& edit, int index) {
    HDC dc = GetDC(edit.Handle());
    const HGDIOBJ old = SelectObject(dc, edit.Font().Handle());
    TSize size;
    GetTextExtentPoint32(dc, "0", &size);
    SelectObject(dc, old);
    ReleaseDC(edit.Handle(), dc);
    return {2 + index * size.cx + size.cx / 2, edit.ClientHeight() / 2};
  }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
};
