#pragma once
// The window adapters' tests: the test skin loaded and announced, a
// top-level dialog of the protocol fakes to put raw controls on, and a way
// to see what a window paints.

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/SkinGlobals.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"

class AdapterFixture : public TestSkinFixture {
protected:
  ~AdapterFixture() override { ResetSkinLayerGlobals(); }

  // What the window paints into a 24-bit bitmap of its size, asked by WM_PRINT.
  static std::unique_ptr<TBitmap> Printed(HWND window) {
    TRect bounds;
    GetWindowRect(window, bounds);
    auto target = std::make_unique<TBitmap>(bounds.Width(), bounds.Height(), pf24bit);
    target->Canvas().Brush().SetColor(clSkinKey);
    target->Canvas().FillRect({0, 0, bounds.Width(), bounds.Height()});
    SendMessage(window, WM_PRINT, reinterpret_cast<WPARAM>(target->Canvas().Handle()), PRF_CLIENT | PRF_NONCLIENT);
    return target;
  }

  TProtocolFake dialog{"#32770", nullptr, {100, 100, 500, 400}, {}, WS_POPUP | WS_VISIBLE | WS_CAPTION};
};
