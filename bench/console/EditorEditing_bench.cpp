// Editing a large program in the text editor control: typing, Enter and a
// joining Backspace in the middle of it, pasting and undoing a block,
// copying everything.

#include <benchmark/benchmark.h>

#include <string>

#include "console/TxCustomEditor.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"

namespace {

std::string Rows(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "  x" + std::to_string(i) + " := Sin(y) * 2.5 + count; // note\r\n";
  return text;
}

struct TLargeText {
  TLargeText() {
    form = new TForm(nullptr);
    editor = new TTxEditor(form);
    editor->SetParent(form);
    editor->SetBounds(0, 0, 800, 600);
    form->Show();
    editor->Lines().SetText(Rows(100000));
    editor->SetCaretInternal(10, 50000);
    Application().ProcessMessages();
  }
  ~TLargeText() { delete form; }
  void Settle() { UpdateWindow(editor->Handle()); }
  TForm* form;
  TTxEditor* editor;
};

void BM_TypeACharacter(benchmark::State& state) {
  TLargeText view;
  for (auto _ : state) {
    view.editor->TypeChar('a');
    view.Settle();
  }
}
BENCHMARK(BM_TypeACharacter)->Unit(benchmark::kMicrosecond);

void BM_Enter(benchmark::State& state) {
  TLargeText view;
  for (auto _ : state) {
    view.editor->NewLine();
    view.Settle();
  }
}
BENCHMARK(BM_Enter)->Unit(benchmark::kMillisecond);

void BM_BackspaceJoiningRows(benchmark::State& state) {
  TLargeText view;
  for (auto _ : state) {
    view.editor->SetCaretInternal(0, 50000);
    view.editor->DeleteLeft();
    view.Settle();
  }
}
BENCHMARK(BM_BackspaceJoiningRows)->Unit(benchmark::kMillisecond);

void BM_PasteThousandRowsAndUndo(benchmark::State& state) {
  TLargeText view;
  Clipboard().SetAsText(Rows(1000));
  for (auto _ : state) {
    view.editor->ClipboardPaste();
    view.editor->UndoList().Undo();
    view.Settle();
  }
}
BENCHMARK(BM_PasteThousandRowsAndUndo)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndCopy(benchmark::State& state) {
  TLargeText view;
  for (auto _ : state) {
    view.editor->SetSelStart(0);
    view.editor->SetSelLength(view.editor->Lines().Count() * 50);
    view.editor->ClipboardCopy();
  }
}
BENCHMARK(BM_SelectAllAndCopy)->Unit(benchmark::kMillisecond);

}  // namespace
