// A 20-button TToolBar (images, captions) taken over by its adapter under
// the test skin, repainted as a whole WM_PAINT: the bar from the cache and
// every button composed from TOOLBUTTON (target: 3 ms); and a raw
// ToolbarWindow32 of 20 buttons painted by the native tool bar adapter.

#include <benchmark/benchmark.h>

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkToolBarVCLWnd.h"
#include "skin/adapters/SkToolBarWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

// The test skin, active, and an image list of one blue 16 x 16 glyph.
struct TToolBarBenchSkin {
  TToolBarBenchSkin() {
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    TBitmap glyph(16, 16, pf24bit);
    glyph.Canvas().Brush().SetColor(clBlue);
    glyph.Canvas().FillRect({0, 0, 16, 16});
    images.Add(glyph, nullptr);
  }
  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  TImageList images{16, 16};
};

void BM_AdaptedToolBarRepaint(benchmark::State& state) {
  TToolBarBenchSkin skin;
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 900, 60);
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  bar->SetImages(&skin.images);
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
  auto adapter = TSkMainWnd::Make<TSkToolBarVCLWnd>(bar->Handle(), &data, &skin.manager, "TOOLBAR", true);
  for (auto _ : state) {
    InvalidateRect(bar->Handle(), nullptr, false);
    UpdateWindow(bar->Handle());
  }
  adapter.reset();
}
BENCHMARK(BM_AdaptedToolBarRepaint)->Unit(benchmark::kMillisecond);

void BM_NativeToolBarPaint(benchmark::State& state) {
  TToolBarBenchSkin skin;
  TFakeState buttons;
  buttons.ImageList = reinterpret_cast<LRESULT>(skin.images.Handle());
  for (int i = 0; i < 20; ++i) {
    TFakeItem item;
    item.Text = i % 2 ? "Tool" : "Open the selected file";
    item.Rect = Bounds(i * 44, 0, 44, 40);
    item.Image = 0;
    buttons.Items.push_back(item);
  }
  TProtocolFake dialog("#32770", nullptr, {0, 0, 920, 80}, {}, WS_POPUP | WS_VISIBLE | WS_CAPTION);
  TProtocolFake bar("ToolbarWindow32", dialog.Handle(), {0, 0, 900, 44}, buttons);
  auto adapter = TSkMainWnd::Make<TSkToolBarWnd>(bar.Handle(), nullptr, &skin.manager, "TOOLBAR", false);
  TBitmap target(900, 44, pf24bit);
  for (auto _ : state) SendMessage(bar.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
  adapter.reset();
}
BENCHMARK(BM_NativeToolBarPaint)->Unit(benchmark::kMillisecond);

}  // namespace
