// The evaluator at work: its tree built again over the libraries, a
// routine of many arguments chosen until its rows have painted, and one
// step of a parameter dragged with the routine evaluated at once.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "Edits/EdList.h"
#include "Edits/EdValue.h"
#include "console/Sounds.h"
#include "engine/Func.h"
#include "runtime/Storage.h"
#include "shell/EvaluatorForm.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/PlaySound.h"

namespace fs = std::filesystem;

namespace {

// The main window and the evaluator, shown, on folders and settings of their own.
class TEvaluatorBench {
public:
  TEvaluatorBench() : folder_(fs::temp_directory_path() / ("quantrel-evaluator-bench-" + std::to_string(getpid()))) {
    fs::create_directories(folder_ / "LIBS");
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    SetAppFolder(folder_.string() + "/");
    SetSoundBackend(nullptr);
    Storage = std::make_unique<TStorage>("EvaluatorBench.ini", 0);
    images_ = std::make_unique<TImages>(nullptr);
    Main = new TMainForm(nullptr);
    Evaluator = new TEvaluatorForm(nullptr, EvaluatorHost(*Main), Main->actEvaler);
    Main->Show();
    Evaluator->Toggle();
    Settle();
  }
  ~TEvaluatorBench() {
    delete Evaluator;
    delete Main;
    images_.reset();
    AppSounds.reset();
    Storage.reset();
    SetAppFolder("");
    fs::remove_all(folder_);
  }

  void Load(const std::string& library) {
    if (!Main->Engine->CompileText(library)) std::abort();
    Settle();
  }
  TFunc* Routine(const std::string& name) {
    return static_cast<TFuncVar*>(Main->Engine->FindVariable(name))->Func();
  }
  static void Settle() {
    for (int round = 0; round < 5; ++round) Application().ProcessMessages();
  }

  TMainForm* Main;
  TEvaluatorForm* Evaluator;

private:
  fs::path folder_;
  std::unique_ptr<TImages> images_;
};

std::string RoutinesLibrary(int count) {
  std::string text = "library Many;\n";
  for (int i = 0; i < count; ++i)
    text += "function F" + std::to_string(i) + "(x : Real) : Real; interfaced; begin Result := x end;\n";
  return text + "end.";
}

void RebuildTree(benchmark::State& state, TEvaluatorBench& bench) {
  for (auto _ : state) bench.Evaluator->actRefresh->Execute();
  state.counters["nodes"] = bench.Evaluator->FuncTree->Items().Count();
}

void BM_TreeOfTheStandardLibraries(benchmark::State& state) {
  TEvaluatorBench bench;
  bench.Evaluator->chkInterfaced->SetChecked(false);
  RebuildTree(state, bench);
}
BENCHMARK(BM_TreeOfTheStandardLibraries)->Unit(benchmark::kMillisecond);

void BM_TreeWithTenThousandInterfacedRoutines(benchmark::State& state) {
  TEvaluatorBench bench;
  bench.Load(RoutinesLibrary(10000));
  RebuildTree(state, bench);
}
BENCHMARK(BM_TreeWithTenThousandInterfacedRoutines)->Unit(benchmark::kMillisecond);

// Expression rows, the default: the costliest rows.
void BM_ChooseARoutineOfTwentyArgumentsUntilPainted(benchmark::State& state) {
  TEvaluatorBench bench;
  std::string arguments;
  for (int i = 0; i < 20; ++i) arguments += (i ? "; a" : "a") + std::to_string(i) + " : Real";
  bench.Load("library Wide; function Wide(" + arguments + ") : Real; interfaced; begin Result := a0 end; end.");
  TFunc* wide = bench.Routine("Wide");
  TEdList& list = *bench.Evaluator->EdList;
  for (auto _ : state) {
    list.SetRoutine(wide);
    UpdateWindow(bench.Evaluator->Handle());
    for (const auto& row : list.Rows()) UpdateWindow(row->Handle());
    state.PauseTiming();
    list.SetRoutine(nullptr);
    TEvaluatorBench::Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ChooseARoutineOfTwentyArgumentsUntilPainted)->Unit(benchmark::kMillisecond);

// A step back and forth, each evaluating Gain and showing its result.
void BM_DragStepEvaluatingGain(benchmark::State& state) {
  TEvaluatorBench bench;
  bench.Load("library Tools; function Gain(x : Real) : Real; interfaced; "
             "const k : Real = ['Gain', 5, 0, 10]; begin Result := x * k end; end.");
  TEdList& list = *bench.Evaluator->EdList;
  list.SetRoutine(bench.Routine("Gain"));
  TEvaluatorBench::Settle();
  auto& gain = dynamic_cast<TEdValue&>(*list.Rows()[4]);
  const HWND panel = gain.Panel().Handle();
  TPoint at{gain.Image().Left() + 10, gain.Image().Top() + 10};
  SynthesizeMouse(panel, at, TSyntheticMouse::Press, TInputButton::Left);
  int direction = TEdValue::PixelsPerStep;
  for (auto _ : state) {
    at.X += direction;
    direction = -direction;
    SynthesizeMouse(panel, at, TSyntheticMouse::Move, TInputButton::Left);
    UpdateWindow(list.Handle());
  }
  SynthesizeMouse(panel, at, TSyntheticMouse::Release, TInputButton::Left);
}
BENCHMARK(BM_DragStepEvaluatingGain)->Unit(benchmark::kMicrosecond);

}  // namespace
