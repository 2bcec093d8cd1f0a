// The text editor control on a large program: loading and the first paint,
// painting a page, scrolling by a row.

#include <benchmark/benchmark.h>

#include <string>

#include "console/TxCustomEditor.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

std::string LargeText() {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "  x" + std::to_string(i) + " := Sin(y) * 2.5 + count; // note\r\n";
  return text;
}

// An editor of about 80 x 60 cells whose rows have three attribute runs.
struct TEditorOnForm {
  TEditorOnForm() {
    form = new TForm(nullptr);
    editor = new TTxEditor(form);
    editor->SetParent(form);
    editor->SetBounds(0, 0, 80 * 8 + 40, 60 * 16 + 40);
    editor->OnGetLineAttr = [](TObject*, std::string&, int, TColumnAttrs& attrs) {
      for (std::size_t col = 5; col < 12 && col < attrs.size(); ++col) attrs[col].FC = clRed;
    };
    form->Show();
    Application().ProcessMessages();
  }
  ~TEditorOnForm() { delete form; }
  void PaintAll() {
    InvalidateRect(editor->Handle(), nullptr, false);
    UpdateWindow(editor->Handle());
  }
  TForm* form;
  TTxEditor* editor;
};

void BM_LoadAndFirstPaint(benchmark::State& state) {
  const std::string text = LargeText();
  TEditorOnForm view;
  for (auto _ : state) {
    view.editor->Lines().SetText(text);
    view.PaintAll();
  }
}
BENCHMARK(BM_LoadAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_PaintPage(benchmark::State& state) {
  TEditorOnForm view;
  view.editor->Lines().SetText(LargeText());
  view.editor->SetLeftTop(0, static_cast<int>(state.range(0)));
  for (auto _ : state) view.PaintAll();
}
BENCHMARK(BM_PaintPage)->Arg(0)->Arg(99940)->Unit(benchmark::kMillisecond);

void BM_ScrollOneRow(benchmark::State& state) {
  TEditorOnForm view;
  view.editor->Lines().SetText(LargeText());
  int row = 0;
  for (auto _ : state) view.editor->SetLeftTop(0, ++row % 1000);
}
BENCHMARK(BM_ScrollOneRow)->Unit(benchmark::kMicrosecond);

}  // namespace
