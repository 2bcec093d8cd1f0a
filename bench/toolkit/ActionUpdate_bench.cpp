// One idle update pass over 100 actions, each shown by a tool button and a
// menu item of a visible form: the pass runs whenever the message loop
// idles, so it must cost next to nothing when nothing changes, and stay
// cheap when every action flips its state.

#include <benchmark/benchmark.h>

#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/ToolBar.h"

namespace {

constexpr int ActionCount = 100;

struct TActionForm {
  TForm Form{nullptr};
  TActionList* List = new TActionList(&Form);
  TMainMenu* Menu = new TMainMenu(&Form);
  TToolBar* Bar = new TToolBar(&Form);
  bool Enabled = true;

  TActionForm() {
    Form.SetBounds(0, 0, 800, 600);
    Bar->SetParent(&Form);
    Bar->SetWrapable(true);
    Bar->SetShowCaptions(true);
    auto* top = new TMenuItem(&Form);
    top->SetCaption("&Actions");
    Menu->Items().Add(top);
    for (int i = 0; i < ActionCount; ++i) {
      auto* action = new TAction(&Form);
      action->SetActionList(List);
      action->SetCaption("Action " + std::to_string(i));
      action->OnUpdate = [this, action](TObject*) { action->SetEnabled(Enabled); };
      auto* button = new TToolButton(&Form);
      button->SetParent(Bar);
      button->SetAction(action);
      auto* item = new TMenuItem(&Form);
      item->SetAction(action);
      top->Add(item);
    }
    Form.SetMenu(Menu);
    Form.Show();
    Application().ProcessMessages();
  }
};

void BM_IdleUpdateUnchanged(benchmark::State& state) {
  TActionForm form;
  for (auto _ : state) UpdateActionsOfVisibleForms();
}
BENCHMARK(BM_IdleUpdateUnchanged)->Unit(benchmark::kMicrosecond);

// Every action changes its state on every pass: clients repaint and menus rebuild.
void BM_IdleUpdateAllFlip(benchmark::State& state) {
  TActionForm form;
  for (auto _ : state) {
    form.Enabled = !form.Enabled;
    UpdateActionsOfVisibleForms();
  }
}
BENCHMARK(BM_IdleUpdateAllFlip)->Unit(benchmark::kMicrosecond);

}  // namespace
