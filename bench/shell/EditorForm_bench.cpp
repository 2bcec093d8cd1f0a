// The program editor window: opening a large program up to its first
// coloured paint, typing a character at its end, and a run that writes
// many lines into the window's console, with an abort in the middle of one.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <string>

#include "bench/shell/MainWindowBench.h"
#include "console/Console.h"
#include "console/SrcEdit.h"
#include "shell/EditorForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"

namespace {

// The main window and the editor window, shown at its designed size.
class TEditorBench : public TMainWindowBench {
public:
  TEditorBench() : Editor(new TEditorForm(nullptr)) {
    Editor->Show();
    Application().ProcessMessages();
  }
  ~TEditorBench() {
    while (Editor->HasActiveTab()) {
      Editor->ActiveEdit()->Editor()->Modified = false;
      Editor->actClose->Execute();
    }
    delete Editor;
  }

  // A program of that many rows, with a comment now and then to follow.
  std::string WriteProgram(int rows) const {
    const std::string name = (Folder() / ("rows-" + std::to_string(rows) + ".tarn")).string();
    std::ofstream file(name);
    file << "program Large;\nvar x : Integer;\nbegin\n";
    for (int row = 3; row < rows - 1; ++row)
      file << (row % 50 == 0 ? "  (* step " : "  x := x + ") << row << (row % 50 == 0 ? " *)\n" : ";\n");
    file << "end.\n";
    return name;
  }
  TTarnEditor& ActiveEditor() const { return *Editor->ActiveEdit()->Editor(); }
  void Paint() const {
    UpdateWindow(Editor->Handle());
    UpdateWindow(ActiveEditor().Handle());
  }

  TEditorForm* Editor;
};

void BM_OpenProgramUntilPainted(benchmark::State& state) {
  TEditorBench bench;
  const std::string program = bench.WriteProgram(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    bench.Editor->OpenFile(program);
    bench.Paint();
    state.PauseTiming();
    bench.Editor->actClose->Execute();
    Application().ProcessMessages();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenProgramUntilPainted)->Arg(100000)->Unit(benchmark::kMillisecond);

// A key as the desktop delivers it, the edit, the status bar and the paint.
void BM_TypeAtTheEnd(benchmark::State& state) {
  TEditorBench bench;
  bench.Editor->OpenFile(bench.WriteProgram(static_cast<int>(state.range(0))));
  TTarnEditor& editor = bench.ActiveEditor();
  editor.SetFocus();
  editor.SetCaret(0, editor.Lines().Count());
  bench.Paint();
  int typed = 0;
  for (auto _ : state) {
    SynthesizeKeyStroke(bench.Editor->Handle(), 'X', "x");
    Application().ProcessMessages();
    bench.Editor->UpdateStatus();
    bench.Paint();
    if (++typed % 100 == 0) {
      state.PauseTiming();
      SynthesizeKeyStroke(bench.Editor->Handle(), VK_RETURN, "\r");
      Application().ProcessMessages();
      state.ResumeTiming();
    }
  }
  state.counters["rows"] = editor.Lines().Count();
}
BENCHMARK(BM_TypeAtTheEnd)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// From F9 until the console has painted the last of the lines.
void BM_RunWritingLines(benchmark::State& state) {
  TEditorBench bench;
  bench.Editor->actNew->Execute();
  bench.ActiveEditor().Lines().SetText("program Lines;\nvar i : Integer;\nbegin\n  for i := 1 to " +
                                       std::to_string(state.range(0)) + " do Write(i)\nend.");
  for (auto _ : state) {
    bench.Editor->actRun->Execute();
    UpdateWindow(bench.Editor->Console->Tree->Handle());
  }
  state.counters["lines"] = bench.Editor->Console->LineCount();
}
BENCHMARK(BM_RunWritingLines)->Arg(10000)->Unit(benchmark::kMillisecond);

// From Ctrl+F9, pressed while a run writes lines, until "Execution
// terminated" is painted.
void BM_AbortWhileWritingLines(benchmark::State& state) {
  TEditorBench bench;
  bench.Editor->actNew->Execute();
  bench.ActiveEditor().Lines().SetText("program Endless;\nbegin\n  while true do Write(1)\nend.");
  for (auto _ : state) {
    std::chrono::steady_clock::time_point pressed;
    RunLater(200, [&] {
      pressed = std::chrono::steady_clock::now();
      SynthesizeKeyStroke(bench.Editor->Handle(), VK_F9, "", {false, true, false});
    });
    bench.Editor->actRun->Execute();
    UpdateWindow(bench.Editor->Console->Tree->Handle());
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count());
  }
}
BENCHMARK(BM_AbortWhileWritingLines)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// What making the window adds to the start: made and freed beside a main window.
void BM_CreateEditorWindow(benchmark::State& state) {
  TMainWindowBench bench;
  for (auto _ : state) {
    auto* editor = new TEditorForm(nullptr);
    Application().ProcessMessages();
    state.PauseTiming();
    delete editor;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateEditorWindow)->Unit(benchmark::kMillisecond);

}  // namespace
