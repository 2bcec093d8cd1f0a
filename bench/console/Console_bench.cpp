// The console with long runs of lines: adding, painting a page at the end,
// opening levels, copying and clearing, and what a line costs in memory.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <unordered_map>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/PlaySound.h"

namespace {

struct TConsoleView {
  TConsoleView() {
    syntax.Classifier = [this](const std::string& name) -> std::uint8_t {
      const auto found = known.find(name);
      return found == known.end() ? 0 : found->second;
    };
    form = new TForm(nullptr);
    console = new TConsole(form);
    console->SetParent(form);
    console->SetBounds(0, 0, 800, 50 * 18);
    console->Syntax = &syntax;
    form->Show();
    Application().ProcessMessages();
  }
  ~TConsoleView() { delete form; }
  void AddLines(int count) {
    static const std::uint8_t kinds[] = {lkOutput, lkResult, lkInput, lkInfo};
    for (int i = 0; i < count; ++i)
      console->AddLine("x" + std::to_string(i % 100) + " := Sin(y) * 2.5 + 'a string of text' + count;",
                       kinds[i % 4], i % 3 == 2 ? 1 : 0);
  }
  void PaintAll() {
    InvalidateRect(console->Tree->Handle(), nullptr, false);
    UpdateWindow(console->Tree->Handle());
  }
  std::unordered_map<std::string, std::uint8_t> known{{"y", 1}, {"Sin", 3}, {"count", 1}};
  TSyntax syntax;
  TForm* form;
  TConsole* console;
};

void BM_AddLines(benchmark::State& state) {
  for (auto _ : state) {
    TConsoleView view;
    view.AddLines(static_cast<int>(state.range(0)));
  }
}
BENCHMARK(BM_AddLines)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintPageAtTheEnd(benchmark::State& state) {
  TConsoleView view;
  view.AddLines(static_cast<int>(state.range(0)));
  for (auto _ : state) view.PaintAll();
}
BENCHMARK(BM_PaintPageAtTheEnd)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExpandCopyClear(benchmark::State& state) {
  TMemoryClipboardStore clipboard;
  SetClipboardStore(&clipboard);
  for (auto _ : state) {
    state.PauseTiming();
    TConsoleView view;
    view.AddLines(100000);
    view.console->Tree->SelectAllNodes(false);
    state.ResumeTiming();
    view.console->ExpandToLevel(1);
    view.console->CopySelection();
    view.console->Clear();
  }
  SetClipboardStore(nullptr);
}
BENCHMARK(BM_ExpandCopyClear)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BytesPerLine(benchmark::State& state) {
  for (auto _ : state) {
    TConsoleView view;
    const std::size_t before = mallinfo2().uordblks;
    view.AddLines(100000);
    state.counters["bytes_per_line"] = static_cast<double>(mallinfo2().uordblks - before) / 100000;
  }
}
BENCHMARK(BM_BytesPerLine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AddLinesEchoedWithSounds(benchmark::State& state) {
  TMemoryClipboardStore clipboard;
  SetClipboardStore(&clipboard);
  TNullSoundBackend silent;
  SetSoundBackend(&silent);
  Storage = std::make_unique<TStorage>("ConsoleBench.ini", 1);
  AppSounds = std::make_unique<TSounds>();
  AppSounds->AssignFile(sndResult, Storage->AppFolder + "../bin/DATA/result.wav");
  AppSounds->Arm();
  Params.CopyClip = true;
  for (auto _ : state) {
    TConsoleView view;
    view.AddLines(10000);
    silent.ClearRequests();
  }
  Params.CopyClip = false;
  AppSounds.reset();
  std::remove(Storage->FileName().c_str());
  Storage.reset();
  SetSoundBackend(nullptr);
  SetClipboardStore(nullptr);
}
BENCHMARK(BM_AddLinesEchoedWithSounds)->Unit(benchmark::kMillisecond);

}  // namespace
