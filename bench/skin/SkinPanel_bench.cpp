// A skinned panel filling a 1920 x 1080 form, under the test skin (its
// panel translucent over the form, with a gradient and a pattern, so it
// paints through its cache): a repaint that copies the cache (target:
// 2 ms) and one that rebuilds it first (target: 16 ms), each a whole
// WM_PAINT of the panel's window.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/skin/TestSkinFolder.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

class TSkinnedPanelForm {
public:
  TSkinnedPanelForm() {
    PointAtTestSkin(manager, folder);
    manager.LoadSkin();
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 1920, 1080);
    panel = new TSkinPanel(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    panel->SetCaption("Workspace");
    form->Show();
    TMessage applied{SM_SKINCMD, SkinCommand(scSkinApplied), reinterpret_cast<LPARAM>(&manager), 0};
    BroadcastToChildren(form.get(), applied);
    manager.GlobalInfo.SkinActive = true;
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }
  ~TSkinnedPanelForm() { form.reset(); }

  void Paint(bool rebuild) {
    if (rebuild) panel->SkinData().CacheStale = true;
    InvalidateRect(panel->Handle(), nullptr, false);
    UpdateWindow(panel->Handle());
  }

  TSkinFolder folder;
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
