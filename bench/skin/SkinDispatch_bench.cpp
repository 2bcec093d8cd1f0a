// Every message of the main window's two panels and its tool bar passes the
// skinnable controls' procedures, which with no skin hand them on to the
// plain ones: ordinary messages (mouse moves and cursor questions) through
// a skinnable control against its plain counterpart, 1,000,000 each.

#include <type_traits>

#include <benchmark/benchmark.h>

#include "skin/SkinPanel.h"
#include "skin/SkinToolBar.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"

namespace {

constexpr int MessagePairs = 500000;

template <class Control>
struct TShownControl {
  TForm Form{nullptr};
  Control* Shown = new Control(&Form);

  TShownControl() {
    Form.SetBounds(0, 0, 400, 300);
    Shown->SetParent(&Form);
    Shown->SetBounds(0, 0, 300, 40);
    if constexpr (std::is_base_of_v<TToolBar, Control>) {
      for (int i = 0; i < 16; ++i) (new TToolButton(&Form))->SetParent(Shown);
    }
    Form.Show();
    Application().ProcessMessages();
  }
};

template <class Control>
void BM_OrdinaryMessages(benchmark::State& state) {
  TShownControl<Control> shown;
  Control& control = *shown.Shown;
  const LPARAM overSecondButton = MAKELPARAM(30, 10);
  const auto window = reinterpret_cast<WPARAM>(control.Handle());
  for (auto _ : state) {
    control.Perform(WM_MOUSEMOVE, 0, overSecondButton);
    control.Perform(WM_SETCURSOR, window, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  state.counters["per_message"] =
      benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate |
                                                                            benchmark::Counter::kInvert);
}
BENCHMARK(BM_OrdinaryMessages<TPanel>)->Iterations(MessagePairs);
BENCHMARK(BM_OrdinaryMessages<TSkinPanel>)->Iterations(MessagePairs);
BENCHMARK(BM_OrdinaryMessages<TToolBar>)->Iterations(MessagePairs);
BENCHMARK(BM_OrdinaryMessages<TSkinToolBar>)->Iterations(MessagePairs);

}  // namespace
