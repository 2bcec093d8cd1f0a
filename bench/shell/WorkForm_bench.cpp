// The workspace window over many variables: the rebuild a console line
// causes, a header click's sort, a repaint of a full-screen window, the
// cost of a console line while the window is hidden, and a vector of a
// million elements listed with its elements.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/shell/MainWindowBench.h"
#include "console/Console.h"
#include "console/XEdit.h"
#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "runtime/HeapUsage.h"
#include "runtime/Params.h"
#include "shell/AddVarDlg.h"
#include "shell/WorkForm.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr int VariableCount = 10000;

// The main window, the workspace window and its dialog, as the start-up makes them.
class TWorkspaceBench : public TMainWindowBench {
public:
  explicit TWorkspaceBench(bool shown) : TMainWindowBench("work-bench") {
    WorkForm = Work = new TWorkForm(nullptr, Form->Engine, Form->actWorksp);
    AddVarDlg = new TAddVarDlg(nullptr, Form->Engine);
    if (shown) Work->Toggle();
    Application().ProcessMessages();
  }
  ~TWorkspaceBench() {
    delete AddVarDlg;
    AddVarDlg = nullptr;
    delete Work;
    WorkForm = nullptr;
  }

  // A third each of integers, vectors of three and records of two fields,
  // their names in no order the enumeration would give sorted.
  void AddVariables(int count) {
    ITarnscript& engine = *Form->Engine;
    engine.CompileText("library Shapes; type TPoint = record x, y : Real end; end.");
    TKind* kinds[] = {BaseKind(kcInteger), FindKind("vector"), FindKind("TPoint")};
    for (int i = 0; i < count; ++i) {
      const std::string name = "w" + std::to_string((i * 7919) % count);
      TVar* var = engine.AddVariable(name, kinds[i % 3]);
      if (auto* vector = dynamic_cast<TArrVar*>(var)) SetVecSize(*vector, 3, true);
    }
  }
  void Rebuild() { Work->EngineChanged(dcVariables); }

  TWorkForm* Work;
};

void BM_RebuildAfterAConsoleLine(benchmark::State& state) {
  TWorkspaceBench bench(true);
  bench.AddVariables(VariableCount);
  for (auto _ : state) bench.Rebuild();
  state.counters["rows"] = bench.Work->VarTree->RootNodeCount();
}
BENCHMARK(BM_RebuildAfterAConsoleLine)->Unit(benchmark::kMillisecond);

void BM_SortByAHeaderClick(benchmark::State& state) {
  TWorkspaceBench bench(true);
  bench.AddVariables(VariableCount);
  bench.Rebuild();
  TDTHeader& header = bench.Work->VarTree->Header();
  header.SetSortColumn(state.range(0));
  for (auto _ : state) {
    header.SetSortDirection(header.SortDirection() == sdAscending ? sdDescending : sdAscending);
    bench.Work->SortVariables();
  }
}
BENCHMARK(BM_SortByAHeaderClick)->Arg(0)->Arg(1)->ArgName("column")->Unit(benchmark::kMillisecond);

// Over many variables (0), or over one vector of a million elements (1).
void BM_RepaintAtFullHD(benchmark::State& state) {
  TWorkspaceBench bench(true);
  if (state.range(0)) {
    auto* vector = static_cast<TArrVar*>(bench.Form->Engine->AddVariable("big", FindKind("vector")));
    SetVecSize(*vector, 1000000, true);
  } else {
    bench.AddVariables(VariableCount);
  }
  bench.Rebuild();
  bench.Work->SetBounds(0, 0, 1920, 1080);
  Application().ProcessMessages();
  const HWND window = bench.Work->Handle();
  for (auto _ : state) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    UpdateWindowTree(window);
  }
}
BENCHMARK(BM_RepaintAtFullHD)->Arg(0)->Arg(1)->ArgName("bigvector")->Unit(benchmark::kMillisecond);

// A console line with the window hidden, over an empty workspace (0) or
// over many variables (1): the difference is what the hidden window costs.
void BM_ConsoleLineWithTheWindowHidden(benchmark::State& state) {
  TWorkspaceBench bench(false);
  if (state.range(0)) bench.AddVariables(VariableCount);
  TMainForm& form = *bench.Form;
  form.ExecuteLine(form.CommandLine, "x := 0");
  int lines = 0;
  for (auto _ : state) {
    form.ExecuteLine(form.CommandLine, "x := x + 1");
    if (++lines == 500) {
      state.PauseTiming();
      form.Console->Clear();
      lines = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ConsoleLineWithTheWindowHidden)->Arg(0)->Arg(1)->ArgName("variables")->Unit(benchmark::kMicrosecond);

// Element rows are made when the vector is first opened, not by the rebuild.
void BM_RebuildWithAMillionElementVector(benchmark::State& state) {
  Params.VEditTree = true;
  TWorkspaceBench bench(true);
  auto* vector = static_cast<TArrVar*>(bench.Form->Engine->AddVariable("big", FindKind("vector")));
  SetVecSize(*vector, 1000000, true);
  std::uint64_t grown = 0;
  for (auto _ : state) {
    const std::int64_t before = HeapBytesInUse();
    bench.Rebuild();
    grown = HeapBytesInUse() - before;
  }
  state.counters["heap_bytes"] = static_cast<double>(grown);
  Params.VEditTree = false;
}
BENCHMARK(BM_RebuildWithAMillionElementVector)->Unit(benchmark::kMillisecond);

// Opening the vector makes its million rows.
void BM_OpenAMillionElementVector(benchmark::State& state) {
  Params.VEditTree = true;
  TWorkspaceBench bench(true);
  auto* vector = static_cast<TArrVar*>(bench.Form->Engine->AddVariable("big", FindKind("vector")));
  SetVecSize(*vector, 1000000, true);
  std::uint64_t grown = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Rebuild();
    const std::int64_t before = HeapBytesInUse();
    state.ResumeTiming();
    bench.Work->VarTree->SetNodeExpanded(bench.Work->VarTree->FirstRootNode(), true);
    grown = HeapBytesInUse() - before;
  }
  state.counters["heap_bytes"] = static_cast<double>(grown);
  Params.VEditTree = false;
}
BENCHMARK(BM_OpenAMillionElementVector)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
