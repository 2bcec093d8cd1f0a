#pragma once
// The skin menus' tests: the test skin's manager made on the NT platform
// (so that it hooks the application window and painters find the windows
// of device contexts), menus built from captions, and item paints into
// plain bitmaps.

#include <memory>
#include <string>

#include "skin/SkinGlobals.h"
#include "skin/menus/SkinableMenus.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

struct TNTPlatformFirst {
  TNTPlatformFirst() { ReadOSVersion(); }
};

class MenuFixture : private TNTPlatformFirst, public TestSkinFixture {
protected:
  ~MenuFixture() override { ResetSkinLayerGlobals(); }

  TSkinableMenus& Menus() { return manager.SkinableMenus(); }

  static TMenuItem* Add(TMenuItem& parent, const std::string& caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }

  // A canvas in the menu font, as the toolkit measures with.
  TCanvas& MeasuringCanvas() {
    measuring.Canvas().Font().Assign(Screen().MenuFont());
    return measuring.Canvas();
  }
  int TextWidth(const std::string& text) {
    TRect r{0, 0, 1, 0};
    MeasuringCanvas().TextRect(r, text, 0x560);
    return r.Width();
  }
  int Measured(TMenuItem* item, int& height) {
    int width = 0;
    height = 0;
    Menus().MeasureItem(item, MeasuringCanvas(), width, height);
    return width;
  }

  // Paints the item into a bitmap of its own (no window: a memory DC) at
  // (0, 0), width wide and as high as the menus measure it.
  std::unique_ptr<TBitmap> PaintAlone(TMenuItem* item, TOwnerDrawState state, int width = 160) {
    int height = 0;
    Measured(item, height);
    auto bmp = std::make_unique<TBitmap>(width, height, pf24bit);
    bmp->Canvas().Brush().SetColor(Sentinel);
    bmp->Canvas().FillRect({0, 0, width, height});
    Menus().DrawItem(item, bmp->Canvas(), {0, 0, width, height}, state);
    return bmp;
  }

  static constexpr TColor Sentinel = 0x00123456;
  TPopupMenu popup{nullptr};
  TBitmap measuring{1, 1, pf24bit};
};
