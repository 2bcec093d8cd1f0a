// A line executed in the main window's full view, from the command line's
// hand-over until the console has painted the new lines.

#include <benchmark/benchmark.h>

#include "bench/shell/MainWindowBench.h"
#include "console/Console.h"
#include "console/XEdit.h"
#include "toolkit/win/Paint.h"

namespace {

void BM_ExecuteLineUntilPainted(benchmark::State& state) {
  TMainWindowBench bench("main-bench");
  TMainForm& form = *bench.Form;
  form.ExecuteLine(form.CommandLine, "x := 0");
  const HWND console = form.Console->Tree->Handle();
  int lines = 0;
  for (auto _ : state) {
    form.ExecuteLine(form.CommandLine, "x := x + 1");
    UpdateWindow(console);
    // A console of a working session, not one that grows for ever.
    if (++lines == 500) {
      state.PauseTiming();
      form.Console->Clear();
      lines = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ExecuteLineUntilPainted)->Unit(benchmark::kMicrosecond);

}  // namespace
