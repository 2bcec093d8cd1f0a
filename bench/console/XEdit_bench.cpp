// The command line recolours its whole line on every keystroke: recolouring
// a long line, and typing one character by character (change handling,
// recolouring and the widget's own work per key).

#include <benchmark/benchmark.h>

#include <string>

#include "console/Syntax.h"
#include "console/XEdit.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Messages.h"

namespace {

// 200 characters of Tarnscript with every kind of token.
std::string LongLine() {
  std::string line;
  while (line.size() < 200) line += "x := Sin(y) * 2.5 + 'text' + $1F; ";
  return line.substr(0, 200);
}

struct TCommandLine {
  TCommandLine() {
    syntax.Attrs().SetDefaults();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 1800, 80);
    edit = new TXEdit(form, false);
    edit->SetBounds(0, 0, 1780, edit->Height());
    edit->Syntax = &syntax;
    edit->PlainColors = false;
    edit->SetPrompt("> ");
    form->Show();
    edit->SetFocus();
    Application().ProcessMessages();
  }
  ~TCommandLine() { delete form; }

  TSyntax syntax;
  TForm* form;
  TXEdit* edit;
};

void BM_RecolorLongLine(benchmark::State& state) {
  TCommandLine line;
  line.edit->SetSource(LongLine());
  for (auto _ : state) line.edit->Recolor();
}
BENCHMARK(BM_RecolorLongLine)->Unit(benchmark::kMicrosecond);

// One iteration types the 200 characters; the time per key is the figure.
void BM_TypeLongLine(benchmark::State& state) {
  TCommandLine line;
  const std::string text = LongLine();
  for (auto _ : state) {
    line.edit->SetSource("");
    for (const char c : text) line.edit->Perform(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
  }
  state.counters["per key"] = benchmark::Counter(static_cast<double>(state.iterations() * text.size()),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypeLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
