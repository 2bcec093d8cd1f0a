// A form opening under the test skin: the control adapter walks a form of
// 500 controls, 100 of them of listed classes, and takes those over
// (target: under 10 ms). The adapter's release is left out of the figure.

#include <benchmark/benchmark.h>

#include <memory>

#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/StandInProvider.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"

namespace {

// 20 unlisted panels of 24 controls each: 3 edits and 2 check boxes
// (listed), 10 labels, 9 unlisted push buttons.
class TBusyForm {
public:
  TBusyForm() {
    manager.SetSkinDirectory(folder.Path());
    manager.SetSkinName("TestSkin");
    manager.ThirdParty.SetNames(ThirdPartyList::ThirdEdits, "TEdit");
    manager.ThirdParty.SetNames(ThirdPartyList::ThirdCheckBoxes, "TCheckBox");
    manager.Loaded();
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 1000, 800);
    provider = new TStandInProvider(form.get(), &manager);
    for (int p = 0; p < 20; ++p) {
      auto* panel = new TPanel(form.get());
      panel->SetBounds((p % 5) * 200, (p / 5) * 200, 195, 195);
      panel->SetParent(form.get());
      for (int c = 0; c < 24; ++c) Place(*panel, c);
    }
    form->Show();
    Settle();
  }
  ~TBusyForm() { form.reset(); }
  static void Settle() {
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }

  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  std::unique_ptr<TForm> form;
  TStandInProvider* provider = nullptr;  // the form's

private:
  void Place(TPanel& panel, int index) {
    TControl* control;
    if (index < 3)
      control = new TEdit(form.get());
    else if (index < 5)
      control = new TCheckBox(form.get());
    else if (index < 15)
      control = new TLabel(form.get());
    else
      control = new TButton(form.get());
    control->SetBounds((index % 4) * 48, (index / 4) * 30, 45, 24);
    control->SetParent(&panel);
  }
};

void BM_AttachAllFiveHundredControls(benchmark::State& state) {
  TBusyForm busy;
  for (auto _ : state) {
    auto adapter = std::make_unique<TSkCtrlAdapter>(busy.provider);
    adapter->AttachAll();
    state.PauseTiming();
    if (adapter->Count() != 100) state.SkipWithError("not 100 items");
    adapter.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AttachAllFiveHundredControls)->Unit(benchmark::kMillisecond);

}  // namespace
