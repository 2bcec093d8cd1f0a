// The matrix editor over a 1000 x 1000 matrix: opening its tab, the reload
// after a console line, Page Down repainted at full HD, selecting
// everything with "selection" mirrored, and copying and pasting it all.

#include <benchmark/benchmark.h>

#include "bench/shell/MainWindowBench.h"
#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "runtime/HeapUsage.h"
#include "shell/AddVarDlg.h"
#include "shell/MatEdit.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr int Size = 1000;

// The workspace window at full HD with the matrix "big" in its tab.
class TMatrixBench : public TMainWindowBench {
public:
  TMatrixBench() : TMainWindowBench("matedit-bench") {
    WorkForm = Work = new TWorkForm(nullptr, Form->Engine, Form->actWorksp);
    AddVarDlg = new TAddVarDlg(nullptr, Form->Engine);
    Work->Toggle();
    Work->SetBounds(0, 0, 1920, 1080);
    Big = static_cast<TArrVar*>(Form->Engine->AddVariable("big", FindKind("matrix")));
    SetMatSize(*Big, Size, Size, true);
    for (int i = 1; i <= Size; ++i)
      for (int j = 1; j <= Size; ++j) SetMatElem(*Big, i, j, i + j / 3.0L);
    Work->EngineChanged(dcVariables);
    Application().ProcessMessages();
  }
  ~TMatrixBench() {
    delete AddVarDlg;
    AddVarDlg = nullptr;
    delete Work;
    WorkForm = nullptr;
  }

  void Open() {
    Work->OpenMatrixEditor(Work->VarTree->FirstRootNode());
    Paint();
  }
  TMatEdit& Editor() { return *Work->ActiveEditorTab()->Editor; }
  void Paint() { UpdateWindowTree(Work->Handle()); }

  TWorkForm* Work;
  TArrVar* Big;
};

void BM_OpenTheTab(benchmark::State& state) {
  TMatrixBench bench;
  std::int64_t grown = 0;
  for (auto _ : state) {
    const std::int64_t before = HeapBytesInUse();
    bench.Open();
    grown = HeapBytesInUse() - before;
    state.PauseTiming();
    bench.Work->actMEClose->Execute();
    Application().ProcessMessages();
    state.ResumeTiming();
  }
  state.counters["heap_bytes"] = static_cast<double>(grown);
}
BENCHMARK(BM_OpenTheTab)->Unit(benchmark::kMillisecond);

// What every notification does to an open tab.
void BM_ReloadAfterAConsoleLine(benchmark::State& state) {
  TMatrixBench bench;
  bench.Open();
  for (auto _ : state) bench.Editor().LoadVariable(bench.Big, bench.Editor().Node, false);
}
BENCHMARK(BM_ReloadAfterAConsoleLine)->Unit(benchmark::kMicrosecond);

void BM_PageDownRepainted(benchmark::State& state) {
  TMatrixBench bench;
  bench.Open();
  TDrawGrid& grid = *bench.Editor().Grid;
  for (auto _ : state) {
    if (grid.TopRow() > Size - 100) grid.SetTopRow(1);
    grid.Perform(WM_KEYDOWN, VK_NEXT, 0);
    bench.Paint();
  }
}
BENCHMARK(BM_PageDownRepainted)->Unit(benchmark::kMillisecond);

void BM_SelectEverything(benchmark::State& state) {
  TMatrixBench bench;
  bench.Open();
  TMatEdit& editor = bench.Editor();
  for (auto _ : state) {
    editor.Grid->SetSelection({1, 1, 1, 1});
    editor.SelectFromCell({0, 0}, true);
    editor.SyncSelection();
  }
}
BENCHMARK(BM_SelectEverything)->Unit(benchmark::kMillisecond);

void BM_CopyEverything(benchmark::State& state) {
  TMatrixBench bench;
  bench.Open();
  bench.Editor().Grid->SetSelection({1, 1, Size, Size});
  for (auto _ : state) bench.Editor().CopySelection();
}
BENCHMARK(BM_CopyEverything)->Unit(benchmark::kMillisecond);

void BM_PasteEverything(benchmark::State& state) {
  TMatrixBench bench;
  bench.Open();
  bench.Editor().Grid->SetSelection({1, 1, Size, Size});
  bench.Editor().CopySelection();
  bench.Editor().Grid->SetSelection({1, 1, 1, 1});
  for (auto _ : state) bench.Editor().Paste(false);
}
BENCHMARK(BM_PasteEverything)->Unit(benchmark::kMillisecond);

}  // namespace
