// A window adapter sits in front of every message of the window it took
// over: 1,000,000 mouse moves sent to a shown TScrollBox without an
// adapter, with one and no skin manager (target: within 1.3 times the
// plain cost), and with one under the test skin. The adapter is the
// framework's own TSkMainWnd.

#include <memory>

#include <benchmark/benchmark.h>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/win/MessageQueue.h"

namespace {

constexpr int Moves = 1000000;

enum TSetup { NoAdapter, AdapterWithoutSkin, AdapterUnderTestSkin };

// The adapter goes first, the manager after the form, whose controls may still ask it.
struct TBenchWindow {
  std::unique_ptr<TTestSkinFolder> folder;
  std::unique_ptr<TSkinManager> manager;
  TForm form{nullptr};
  TScrollBox* box = new TScrollBox(&form);
  TSkinCommonData data{box, true};
  TSkAdapterPtr<> adapter;

  explicit TBenchWindow(TSetup setup) {
    if (setup == AdapterUnderTestSkin) {
      folder = std::make_unique<TTestSkinFolder>();
      manager = std::make_unique<TSkinManager>(nullptr);
      manager->SetSkinDirectory(folder->Path());
      manager->SetSkinName("TestSkin");
    }
    form.SetBounds(0, 0, 400, 300);
    box->SetParent(&form);
    box->SetBounds(10, 10, 300, 200);
    form.Show();
    Application().ProcessMessages();
    if (setup != NoAdapter) adapter = TSkMainWnd::Make(box->Handle(), &data, nullptr, "PANEL", false);
  }
};

void BM_MouseMovesThroughScrollBox(benchmark::State& state) {
  TBenchWindow window(static_cast<TSetup>(state.range(0)));
  const HWND handle = window.box->Handle();
  int x = 0;
  for (auto _ : state) {
    SendMessage(handle, WM_MOUSEMOVE, 0, MAKELPARAM(10 + (x & 63), 20));
    ++x;
  }
  state.counters["per_message"] = benchmark::Counter(
      static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MouseMovesThroughScrollBox)
    ->ArgName("setup")
    ->Arg(NoAdapter)
    ->Arg(AdapterWithoutSkin)
    ->Arg(AdapterUnderTestSkin)
    ->Iterations(Moves);

}  // namespace
