// The program editor on a large program: loading with the comment scan and
// the first coloured paint, colouring rows, painting a page, rescanning,
// and typing that does or does not rescan.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>

#include "console/Syntax.h"
#include "console/TarnEditor.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

std::string Program() {
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    text += i % 50 == 0 ? "(* a comment over\r\n two rows *)\r\n" : "";
    text += "  x" + std::to_string(i % 97) + " := Sin(y) * 2.5 + 'text';\r\n";
  }
  return text;
}

struct TProgramView {
  TProgramView() {
    syntax.Classifier = [this](const std::string& name) -> std::uint8_t {
      const auto found = known.find(name);
      return found == known.end() ? 0 : found->second;
    };
    form = new TForm(nullptr);
    editor = new TTarnEditor(form);
    editor->SetParent(form);
    editor->SetGutterWidth(48);
    editor->Syntax = &syntax;
    editor->SetBounds(0, 0, 100 * 8 + 80, 60 * 16 + 20);
    form->Show();
    Application().ProcessMessages();
  }
  ~TProgramView() { delete form; }
  void PaintAll() {
    InvalidateRect(editor->Handle(), nullptr, false);
    UpdateWindow(editor->Handle());
  }
  std::unordered_map<std::string, std::uint8_t> known{{"y", 1}, {"Sin", 3}};
  TSyntax syntax;
  TForm* form;
  TTarnEditor* editor;
};

void BM_LoadRescanAndPaint(benchmark::State& state) {
  const std::string text = Program();
  TProgramView view;
  for (auto _ : state) {
    view.editor->Lines().SetText(text);
    view.PaintAll();
  }
}
BENCHMARK(BM_LoadRescanAndPaint)->Unit(benchmark::kMillisecond);

void BM_PaintColouredPage(benchmark::State& state) {
  TProgramView view;
  view.editor->Lines().SetText(Program());
  view.editor->SetLeftTop(0, static_cast<int>(state.range(0)));
  for (auto _ : state) view.PaintAll();
}
BENCHMARK(BM_PaintColouredPage)->Arg(0)->Arg(99940)->Unit(benchmark::kMillisecond);

// Colouring rows on their own, as painting asks for them.
class TColouringProbe : public TTarnEditor {
public:
  using TTarnEditor::TTarnEditor;
  void Colour(int line) {
    ColumnAttrs().assign(130, TColumnAttr{});
    GetLineAttr(line, 0, 128);
  }
};

void BM_ColourEveryRow(benchmark::State& state) {
  TProgramView view;
  auto* probe = new TColouringProbe(view.form);
  probe->Syntax = &view.syntax;
  probe->Lines().SetText(Program());
  const int rows = probe->Lines().Count();
  for (auto _ : state)
    for (int row = 0; row < rows; ++row) probe->Colour(row);
  state.counters["per_row"] = benchmark::Counter(static_cast<double>(rows) * state.iterations(),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ColourEveryRow)->Unit(benchmark::kMillisecond);

void BM_RescanComments(benchmark::State& state) {
  TProgramView view;
  view.editor->Lines().SetText(Program());
  for (auto _ : state) view.editor->RescanComments();
}
BENCHMARK(BM_RescanComments)->Unit(benchmark::kMillisecond);

void BM_TypeAtRow50000(benchmark::State& state) {
  TProgramView view;
  view.editor->Lines().SetText(Program());
  view.editor->SetCaretInternal(4, 50000);
  const char typed = static_cast<char>(state.range(0));
  for (auto _ : state) {
    view.editor->TypeChar(static_cast<char32_t>(typed));
    UpdateWindow(view.editor->Handle());
    state.PauseTiming();
    view.editor->SetCaretInternal(4, 50000);  // the view stays where it is
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TypeAtRow50000)->Arg('(')->Arg('a')->Unit(benchmark::kMillisecond);

}  // namespace
