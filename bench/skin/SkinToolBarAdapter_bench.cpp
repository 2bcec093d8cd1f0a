// A 20-button TToolBar (images, captions) taken over by its adapter under
// the test skin, repainted as a whole WM_PAINT: the bar from the cache and
// every button composed from TOOLBUTTON (target: 3 ms).

#include <benchmark/benchmark.h>

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkToolBarVCLWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Paint.h"

namespace {

void BM_AdaptedToolBarRepaint(benchmark::State& state) {
  TTestSkinFolder folder;
  TSkinManager manager(nullptr);
  manager.SetSkinDirectory(folder.Path());
  manager.SetSkinName("TestSkin");
  TImageList images(16, 16);
  TBitmap glyph(16, 16, pf24bit);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect({0, 0, 16, 16});
  images.Add(glyph, nullptr);
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 900, 60);
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  bar->SetImages(&images);
  bar->SetShowCaptions(true);
  for (int i = 0; i < 20; ++i) {
    auto* button = new TToolButton(form.get());
    button->SetCaption("Tool");
    button->SetImageIndex(0);
    button->SetParent(bar);
  }
  form->Show();
  for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  TSkinCommonData data(bar, true);
  auto adapter = TSkMainWnd::Make<TSkToolBarVCLWnd>(bar->Handle(), &data, &manager, "TOOLBAR", true);
  for (auto _ : state) {
    InvalidateRect(bar->Handle(), nullptr, false);
    UpdateWindow(bar->Handle());
  }
  adapter.reset();
}
BENCHMARK(BM_AdaptedToolBarRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
