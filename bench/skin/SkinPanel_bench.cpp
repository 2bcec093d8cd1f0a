// A skinned panel filling a 1920 x 1080 form, under the test skin (its
// panel translucent over the form, with a gradient and a pattern, so it
// paints through its cache): a repaint that copies the cache (target:
// 2 ms) and one that rebuilds it first (target: 16 ms), each a whole
// WM_PAINT of the panel's window.

#include <benchmark/benchmark.h>

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

class TSkinnedPanelForm {
public:
  TSkinnedPanelForm() {
    form = std::make_unique<TForm>(nullptr);
    Application().InsertComponent(form.get());
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 1920, 1080);
    panel = new TSkinPanel(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    panel->SetCaption("Workspace");
    form->Show();
    manager.AnimEffects.SkinChanging.Active = false;
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }
  ~TSkinnedPanelForm() { form.reset(); }

  void Paint(bool rebuild) {
    if (rebuild) panel->SkinData().CacheStale = true;
    InvalidateRect(panel->Handle(), nullptr, false);
    UpdateWindow(panel->Handle());
  }

  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  std::unique_ptr<TForm> form;
  TSkinPanel* panel = nullptr;
};

void BM_SkinnedPanelFromCache(benchmark::State& state) {
  TSkinnedPanelForm skinned;
  if (!skinned.panel->SkinData().MustUseCache()) state.SkipWithError("the panel does not paint through its cache");
  skinned.Paint(true);
  for (auto _ : state) skinned.Paint(false);
}
BENCHMARK(BM_SkinnedPanelFromCache)->Unit(benchmark::kMillisecond);

void BM_SkinnedPanelRebuilt(benchmark::State& state) {
  TSkinnedPanelForm skinned;
  for (auto _ : state) skinned.Paint(true);
}
BENCHMARK(BM_SkinnedPanelRebuilt)->Unit(benchmark::kMillisecond);

}  // namespace
