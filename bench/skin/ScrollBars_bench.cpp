// The emulated scroll bars under the test skin, arrows and bars 17 pixels:
// painting both bars and the corner of a 1920 x 1080 window (target:
// 1 ms), one step of a thumb dragged along a 17 x 1000 bar (its repaint and
// SB_THUMBTRACK; target: 0.5 ms), and a mouse move through a scroll box
// without an adapter, with one while no skin is active (target: within
// 1.3 times none) and with one under the skin.

#include <benchmark/benchmark.h>

#include <memory>

#include "skin/SkinBase.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"

namespace {

constexpr const char* BenchClass = "ScrollBenchWindow";

// A shown borderless form of the size under the test skin (loaded only
// with skinned), raw windows made on it by the benchmark.
class TScrollBench {
public:
  TScrollBench(int width, int height, bool skinned) {
    ScrollArrowSize = 17;
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = &DefWindowProc;
    windowClass.lpszClassName = BenchClass;
    RegisterClass(windowClass);
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, width, height);
    form->Show();
    manager.AnimEffects.SkinChanging.Active = false;
    manager.SetSkinDirectory(folder.Path());
    if (skinned) manager.SetSkinName("TestSkin");
    Settle();
  }
  ~TScrollBench() {
    adapter.reset();
    form.reset();
    ScrollArrowSize = savedArrowSize;
  }

  static void Settle() {
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }

  // A raw window over the whole form with the bars, 0..999 with a page of 100.
  HWND AdaptedWindow(DWORD bars) {
    const HWND window = CreateWindowEx(0, BenchClass, "", WS_CHILD | WS_VISIBLE | bars, 0, 0, form->Width(),
                                       form->Height(), form->Handle(), nullptr, nullptr);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 999;
    info.nPage = 100;
    for (int bar : {SB_HORZ, SB_VERT}) SetScrollInfo(window, bar, info, false);
    adapter = TSkMainWnd::Make<TSkScrollWnd>(window, nullptr, &manager, "PANEL", true);
    Settle();
    return window;
  }

  TTestSkinFolder folder;
  TSkinManager manager{nullptr};
  std::unique_ptr<TForm> form;
  TSkAdapterPtr<TSkScrollWnd> adapter;

private:
  int savedArrowSize = ScrollArrowSize;
};

void BM_PaintScrollBars(benchmark::State& state) {
  TScrollBench bench(1920, 1080, true);
  bench.AdaptedWindow(WS_HSCROLL | WS_VSCROLL);
  if (!bench.adapter->HorzBar.Shown || !bench.adapter->VertBar.Shown) state.SkipWithError("the bars are not shown");
  for (auto _ : state) PaintScrollBars(*bench.adapter, nullptr, -1);
}
BENCHMARK(BM_PaintScrollBars)->Unit(benchmark::kMicrosecond);

// The thumb goes up and down the 1000-pixel bar a pixel a step.
void BM_ThumbDragStep(benchmark::State& state) {
  TScrollBench bench(200, 1000, true);
  const HWND window = bench.AdaptedWindow(WS_VSCROLL);
  TRect bar = *BarRect(*bench.adapter, SB_VERT, [&] {
    TRect r;
    GetWindowRect(window, r);
    return r;
  }());
  const TThumbPlace thumb = CalcThumb(bench.adapter->VertBar, bar);
  const TPoint grab{(bar.Left + bar.Right) / 2, thumb.Start + thumb.Length / 2};
  SendMessage(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.X, grab.Y));
  if (!bench.adapter->ThumbTracking) state.SkipWithError("the thumb was not grabbed");
  const int travel = bar.Height() - 2 * 17 - thumb.Length;
  int step = 0;
  for (auto _ : state) {
    const int offset = step % (2 * travel);
    TPoint to{grab.X, grab.Y + (offset < travel ? offset : 2 * travel - offset)};
    ScreenToClient(window, to);
    SendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
    ++step;
  }
  SendMessage(window, WM_LBUTTONUP, 0, 0);
}
BENCHMARK(BM_ThumbDragStep)->Unit(benchmark::kMicrosecond);

// Argument 0: no adapter; 1: an adapter while no skin is active; 2: an adapter under the skin.
void BM_ScrollBoxMouseMove(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  TScrollBench bench(400, 300, mode == 2);
  auto* box = new TScrollBox(bench.form.get());
  box->SetBounds(0, 0, 300, 200);
  box->SetParent(bench.form.get());
  auto* content = new TPanel(bench.form.get());
  content->SetBounds(1000, 1000, 50, 50);
  content->SetParent(box);
  TSkinCommonData data(box, false);
  data.SetSkinManager(&bench.manager);
  data.SetSkinSection("PANEL");
  data.ResolveIndexes();
  if (mode > 0) bench.adapter = TSkMainWnd::Make<TSkScrollWnd>(box->Handle(), &data, &bench.manager, "", true);
  TScrollBench::Settle();
  const HWND window = box->Handle();
  int x = 0;
  for (auto _ : state) {
    SendMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(10 + x, 20));
    x = (x + 1) & 63;
  }
  bench.adapter.reset();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScrollBoxMouseMove)->Arg(0)->Arg(1)->Arg(2)->Iterations(1000000)->Unit(benchmark::kNanosecond);

}  // namespace
