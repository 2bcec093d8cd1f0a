// The console with long runs of lines: adding, painting a page at the end,
// opening levels, copying and clearing, and what a line costs in memory;
// the engine's listing of a big vector into it, and an abort of that listing.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <string>
#include <unordered_map>

#include "bench/DiscardingSink.h"
#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "engine/RunState.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/PlaySound.h"

namespace {

// Bytes allocated and in use: the heap's and the large blocks it maps
// apart (which the heap's own count leaves out).
std::size_t BytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// What a console's lines hold, a line on average: the bytes clearing them
// gives back (what painting and scrolling allocate and free meanwhile
// does not count).
double BytesPerLine(TConsole& console, int lines) {
  const std::size_t held = BytesInUse();
  console.Clear();
  return static_cast<double>(held - BytesInUse()) / lines;
}

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
  // The lines shown at the end, as the main window does after a typed line.
  void AddLines(int count) {
    static const std::uint8_t kinds[] = {lkOutput, lkResult, lkInput, lkInfo};
    for (int i = 0; i < count; ++i)
      console->AddLine("x" + std::to_string(i % 100) + " := Sin(y) * 2.5 + 'a string of text' + count;",
                       kinds[i % 4], i % 3 == 2 ? 1 : 0);
    console->RefreshView();
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
    view.AddLines(100000);
    state.counters["bytes_per_line"] = BytesPerLine(*view.console, 100000);
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

// The engine lists into a shown console and keeps the windows alive with
// its pump, as in the main window's full view.
struct TListingView : TConsoleView {
  TListingView() : engine(MakeCounted<TXBuilder>(StandardCatalogues())) {
    engine->SetOption(0, true);
    engine->SetConsole(console->ConsoleIntf);
    SetMessagePump([] { Application().ProcessMessages(); });
  }
  ~TListingView() {
    SetMessagePump(nullptr);
    engine->SetConsole(nullptr);
  }
  // The line as the main window runs it: the newest lines shown at its end.
  void Run(const std::string& line) {
    TVariant value;
    engine->Evaluate(line, true, true, -1, value);
    console->RefreshView();
    PaintAll();
  }
  CountedPtr<TXBuilder> engine;
};

std::string MakeVecLine(benchmark::State& state) { return "v := MakeVec(" + std::to_string(state.range(0)) + ")"; }

void BM_ListVector(benchmark::State& state) {
  TListingView view;
  for (auto _ : state) {
    view.Run(MakeVecLine(state));
    state.PauseTiming();
    view.console->Clear();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ListVector)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same listing with its lines dropped: the engine's share of the above.
void BM_ListVectorUnshown(benchmark::State& state) {
  TListingView view;
  view.engine->SetConsole(MakeCounted<TDiscardingSink>());
  for (auto _ : state) view.Run(MakeVecLine(state));
}
BENCHMARK(BM_ListVectorUnshown)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The rows of that listing added straight to the console: what a listed
// line costs in memory, the tree's node included.
void BM_BytesPerListedRow(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const int digits = static_cast<int>(std::to_string(rows).size());
  for (auto _ : state) {
    TConsoleView view;
    view.console->AddLine("vector [" + std::to_string(rows) + "]", lkResult, 0);
    for (int i = 1; i <= rows; ++i) {
      std::string label = std::to_string(i);
      view.console->AddLine(std::string(digits - label.size(), ' ') + label + " |  0", lkOutput, 1);
    }
    state.counters["bytes_per_line"] = BytesPerLine(*view.console, rows + 1);
  }
}
BENCHMARK(BM_BytesPerListedRow)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// One listed row appended to a console that holds up to 100000 of them.
void BM_AppendOneLine(benchmark::State& state) {
  TConsoleView view;
  int lines = 0;
  for (auto _ : state) {
    view.console->AddLine(" 4711 |  0.84147", lkOutput, 1);
    if (++lines == 100000) {
      state.PauseTiming();
      view.console->Clear();
      lines = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_AppendOneLine)->Unit(benchmark::kMicrosecond);

// Ctrl+F9 once the listing of a million rows has listed some: the time
// from the abort to the end of the line, the console repainted (abort_ms,
// target under 100 ms), and the lines the console then holds.
void BM_AbortListing(benchmark::State& state) {
  using TClock = std::chrono::steady_clock;
  TListingView view;
  const auto listed = [&view] { return view.console->Tree->RootNode()->TotalCount - 1; };
  double worst = 0;
  for (auto _ : state) {
    TClock::time_point aborted{};
    SetMessagePump([&] {
      Application().ProcessMessages();
      if (aborted == TClock::time_point{} && listed() >= state.range(0)) {
        aborted = TClock::now();
        view.engine->Abort();
      }
    });
    view.Run("v := MakeVec(1000000)");
    const TClock::time_point end = TClock::now();
    if (aborted == TClock::time_point{}) {
      state.SkipWithError("the listing ended before the abort");
      break;
    }
    worst = std::max(worst, std::chrono::duration<double, std::milli>(end - aborted).count());
    state.PauseTiming();
    state.counters["lines"] = listed();
    view.console->Clear();
    state.ResumeTiming();
  }
  state.counters["abort_ms"] = worst;
}
BENCHMARK(BM_AbortListing)->Arg(10000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
