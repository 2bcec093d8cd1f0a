// A keystroke through the whole key path of the text editor (key down,
// character, dispatcher, typing, the repaint of the row) in the middle of a
// large program.

#include <benchmark/benchmark.h>

#include <string>

#include "console/TxCustomEditor.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

struct TLargeProgram {
  TLargeProgram() {
    form = new TForm(nullptr);
    editor = new TTxEditor(form);
    editor->SetParent(form);
    editor->SetBounds(0, 0, 800, 600);
    form->Show();
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "  x" + std::to_string(i) + " := Sin(y) * 2.5 + count; // note\r\n";
    editor->Lines().SetText(text);
    editor->SetCaretInternal(10, 50000);
    editor->SetFocus();
    Application().ProcessMessages();
  }
  ~TLargeProgram() { delete form; }
  void Key(WORD key, char32_t character) {
    SendMessage(editor->Handle(), WM_KEYDOWN, key, 0);
    if (character) SendMessage(editor->Handle(), WM_CHAR, character, 0);
    SendMessage(editor->Handle(), WM_KEYUP, key, 0);
    UpdateWindow(editor->Handle());
  }
  TForm* form;
  TTxEditor* editor;
};

void BM_TypedKey(benchmark::State& state) {
  TLargeProgram program;
  for (auto _ : state) program.Key('A', 'a');
}
BENCHMARK(BM_TypedKey)->Unit(benchmark::kMicrosecond);

void BM_ArrowKey(benchmark::State& state) {
  TLargeProgram program;
  int i = 0;
  for (auto _ : state) program.Key(++i % 2 ? VK_RIGHT : VK_LEFT, 0);
}
BENCHMARK(BM_ArrowKey)->Unit(benchmark::kMicrosecond);

}  // namespace
