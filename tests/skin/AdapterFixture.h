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

  // What the window paints into a 24-bit bitmap of its size (magenta
  // before), asked by WM_PRINT or by another message carrying the DC.
  static std::unique_ptr<TBitmap> Printed(HWND window, UINT message = WM_PRINT) {
    TRect bounds;
    GetWindowRect(window, bounds);
    auto target = std::make_unique<TBitmap>(bounds.Width(), bounds.Height(), pf24bit);
    target->Canvas().Brush().SetColor(clSkinKey);
    target->Canvas().FillRect({0, 0, bounds.Width(), bounds.Height()});
    SendMessage(window, message, reinterpret_cast<WPARAM>(target->Canvas().Handle()), PRF_CLIENT | PRF_NONCLIENT);
    return target;
  }
  static bool SamePicture(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Canvas().Pixel(x, y) != b.Canvas().Pixel(x, y)) return false;
    return true;
  }

  TProtocolFake dialog{"#32770", nullptr, {100, 100, 500, 400}, {}, WS_POPUP | WS_VISIBLE | WS_CAPTION};
};
