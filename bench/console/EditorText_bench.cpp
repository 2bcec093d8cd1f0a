// The editor's text store on a large program: loading, reading the whole
// text, the whole-text rebuild of an undo, and the column conversions that
// run for every painted row and keystroke.

#include <benchmark/benchmark.h>

#include <string>

#include "runtime/Utf8Cells.h"
#include "tests/console/EditorDouble.h"

namespace {

// 100,000 rows of about 40 characters, every tenth indented with a Tab.
std::string LargeText() {
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    if (i % 10 == 0) text += '\t';
    text += "  x" + std::to_string(i) + " := Sin(y) * 2.5 + count; // note\r\n";
  }
  return text;
}

void BM_SetTextStr(benchmark::State& state) {
  const std::string text = LargeText();
  TEditorDouble editor;
  for (auto _ : state) editor.lines.SetText(text);
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_SetTextStr)->Unit(benchmark::kMillisecond);

void BM_Text(benchmark::State& state) {
  TEditorDouble editor;
  editor.lines.SetText(LargeText());
  for (auto _ : state) benchmark::DoNotOptimize(editor.lines.Text());
}
BENCHMARK(BM_Text)->Unit(benchmark::kMillisecond);

void BM_UndoWordAtTheEnd(benchmark::State& state) {
  TEditorDouble editor;
  editor.lines.SetText(LargeText());
  const int last = editor.lines.Count() - 1;
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetCaretInternal(editor.lines.RowLength(last), last);
    for (const char* c : {"w", "o", "r", "d"}) editor.Type(c);
    state.ResumeTiming();
    editor.undo.Undo();
  }
}
BENCHMARK(BM_UndoWordAtTheEnd)->Unit(benchmark::kMillisecond);

void BM_PosFromCaretOfTheLastRow(benchmark::State& state) {
  TEditorDouble editor;
  editor.lines.SetText(LargeText());
  const int last = editor.lines.Count() - 1;
  for (auto _ : state) benchmark::DoNotOptimize(editor.lines.PosFromCaret(3, last));
}
BENCHMARK(BM_PosFromCaretOfTheLastRow)->Unit(benchmark::kMillisecond);

void BM_ByteOfCell(benchmark::State& state) {
  std::string row(200, 'a');
  if (state.range(0)) row.replace(20, 1, "\xC2\xB5");
  for (auto _ : state) benchmark::DoNotOptimize(ByteOfCell(row, 180));
}
BENCHMARK(BM_ByteOfCell)->Arg(0)->Arg(1);

}  // namespace
