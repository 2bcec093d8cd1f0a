// The window adapters on raw controls under the test skin: the frame and
// both emulated bars of an 800 x 600 edit painted at WM_NCPAINT (target:
// 1 ms), a list view header of 20 columns repainted (target: 2 ms), and
// 100 check boxes of a dialog repainted (target: 20 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "skin/adapters/SkCheckBoxWnd.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

class TSkinnedDialog {
public:
  TSkinnedDialog() {
    manager.AnimEffects.SkinChanging.Active = false;
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    manager.SetActive(true);
    for (int round = 0; round < 3; ++round) Application().ProcessMessages();
  }

  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  TProtocolFake dialog{"#32770", nullptr, {0, 0, 1000, 800}, {}, WS_POPUP | WS_VISIBLE};
};

void BM_EditFrameAndBars(benchmark::State& state) {
  TSkinnedDialog skinned;
  TFakeState fake;
  fake.VertBar = SCROLLINFO{.fMask = SIF_ALL, .nMin = 0, .nMax = 999, .nPage = 100, .nPos = 300};
  fake.HorzBar = SCROLLINFO{.fMask = SIF_ALL, .nMin = 0, .nMax = 1999, .nPage = 700, .nPos = 100};
  TProtocolFake edit("edit", skinned.dialog.Handle(), {10, 10, 810, 610}, fake,
                     WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE);
  auto adapter = TSkMainWnd::Make<TSkEditWnd>(edit.Handle(), nullptr, &skinned.manager, "EDIT", true);
  if (!adapter->VertBar.Shown || !adapter->HorzBar.Shown) state.SkipWithError("the bars are not shown");
  for (auto _ : state) SendMessage(edit.Handle(), WM_NCPAINT, 1, 0);
}
BENCHMARK(BM_EditFrameAndBars)->Unit(benchmark::kMicrosecond);

void BM_ListViewHeader20Columns(benchmark::State& state) {
  TSkinnedDialog skinned;
  TFakeState fake;
  for (int i = 0; i < 20; ++i)
    fake.Columns.push_back({"Column " + std::to_string(i), i == 3 ? HDF_CENTER | HDF_SORTUP : HDF_LEFT, 60});
  TProtocolFake list("SysListView32", skinned.dialog.Handle(), {10, 10, 990, 410}, fake);
  auto adapter = TSkMainWnd::Make<TSkListViewWnd>(list.Handle(), nullptr, &skinned.manager, "EDIT", true);
  for (auto _ : state) SendMessage(list.Inner(), WM_PAINT, 0, 0);
}
BENCHMARK(BM_ListViewHeader20Columns)->Unit(benchmark::kMicrosecond);

void BM_HundredCheckBoxes(benchmark::State& state) {
  TSkinnedDialog skinned;
  std::vector<std::unique_ptr<TProtocolFake>> boxes;
  std::vector<TSkAdapterPtr<TSkCheckBoxWnd>> adapters;
  for (int i = 0; i < 100; ++i) {
    TFakeState fake;
    fake.Check = WPARAM(i % 3);
    boxes.push_back(std::make_unique<TProtocolFake>("button", skinned.dialog.Handle(),
                                                    Bounds(10 + (i % 5) * 190, 10 + (i / 5) * 30, 180, 22), fake,
                                                    WS_CHILD | WS_VISIBLE | (i % 2 ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON)));
    SetWindowText(boxes.back()->Handle(), "Option " + std::to_string(i));
    adapters.push_back(
        TSkMainWnd::Make<TSkCheckBoxWnd>(boxes.back()->Handle(), nullptr, &skinned.manager, "CHECKBOX", false));
  }
  for (auto _ : state)
    for (const auto& box : boxes) SendMessage(box->Handle(), WM_PAINT, 0, 0);
}
BENCHMARK(BM_HundredCheckBoxes)->Unit(benchmark::kMillisecond);

}  // namespace
