// Window adapters under the test skin, each repaint a whole WM_PAINT of
// the windows concerned: a form of 40 raw push buttons (target: 10 ms for
// all of them) and a tab control of 30 tabs in 3 rows at 800 x 600
// (target: 5 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/adapters/SkBtnWnd.h"
#include "skin/adapters/SkTabControlWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

class TSkinnedForm {
public:
  TSkinnedForm() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 840, 640);
    form->Show();
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    Settle();
  }
  ~TSkinnedForm() {
    adapters.clear();
    fakes.clear();
    form.reset();
  }
  static void Settle() {
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }
  HWND Raw(const char* className, const TRect& bounds, TFakeState state = {}) {
    fakes.push_back(std::make_unique<TProtocolFake>(className, form->Handle(), bounds, std::move(state)));
    return fakes.back()->Handle();
  }
  template <class Adapter>
  void Adapt(HWND window, const char* section) {
    adapters.push_back(TSkMainWnd::Make<Adapter>(window, nullptr, nullptr, section, false));
  }
  void Repaint() {
    for (const auto& fake : fakes) {
      InvalidateRect(fake->Handle(), nullptr, true);
      UpdateWindow(fake->Handle());
    }
  }

  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  std::unique_ptr<TForm> form;
  std::vector<std::unique_ptr<TProtocolFake>> fakes;
  std::vector<TSkAdapterPtr<>> adapters;
};

void BM_FortyPushButtons(benchmark::State& state) {
  TSkinnedForm skinned;
  for (int i = 0; i < 40; ++i) {
    const HWND button = skinned.Raw("button", Bounds(10 + (i % 8) * 100, 10 + (i / 8) * 40, 90, 28));
    SetWindowText(button, ("Button " + std::to_string(i + 1)).c_str());
    skinned.Adapt<TSkBtnWnd>(button, "BUTTON");
  }
  for (auto _ : state) skinned.Repaint();
}
BENCHMARK(BM_FortyPushButtons)->Unit(benchmark::kMillisecond);

void BM_ThirtyTabsInThreeRows(benchmark::State& state) {
  TSkinnedForm skinned;
  TFakeState tabs;
  for (int i = 0; i < 30; ++i)
    tabs.Items.push_back({"Tab " + std::to_string(i + 1), Bounds(4 + (i % 10) * 78, 2 + (i / 10) * 22, 76, 20)});
  tabs.Current = 12;
  tabs.Rows = 3;
  tabs.DisplayInset = {2, 68, 2, 2};
  skinned.Adapt<TSkTabControlWnd>(skinned.Raw("SysTabControl32", Bounds(10, 10, 800, 600), tabs), "PAGECONTROL");
  for (auto _ : state) skinned.Repaint();
}
BENCHMARK(BM_ThirtyTabsInThreeRows)->Unit(benchmark::kMillisecond);

}  // namespace
