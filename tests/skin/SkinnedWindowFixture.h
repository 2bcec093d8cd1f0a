#pragma once
// A shown white form under the test skin, for the window adapters' tests:
// raw windows (protocol fakes) and toolkit controls go on it, are adapted,
// and print their pictures into bitmaps.

#include <memory>

#include "skin/SkinGlobals.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

class SkinnedWindowFixture : public TestSkinFixture {
protected:
  SkinnedWindowFixture() {
    ResetSkinLayerGlobals();
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 400, 300);
    form->SetColor(clWhite);
    form->Show();
    ProcessEverything();
  }
  ~SkinnedWindowFixture() override {
    delete form;
    ResetSkinLayerGlobals();
  }

  // What the window prints of itself (WM_PRINT) into a 24-bit bitmap of its size.
  static std::unique_ptr<TBitmap> Print(HWND window) {
    TRect bounds;
    GetWindowRect(window, bounds);
    auto bitmap = std::make_unique<TBitmap>(bounds.Width(), bounds.Height(), pf24bit);
    SendMessage(window, WM_PRINT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), 0);
    return bitmap;
  }

  TForm* form = new TForm(nullptr);
};
