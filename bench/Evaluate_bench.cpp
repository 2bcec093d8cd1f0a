// Console lines through the engine facade: compile, check, evaluate, print
// the result to a sink and keep it in ans, as a typed line does.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/MessageChannel.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "bench/DiscardingSink.h"

namespace {

// 100,000 evaluations of x := x + 1 with option 0 on, the result listed as
// the console lists it; the time reported is the time per line.
void BM_ConsoleLine(benchmark::State& state) {
  SetMessageSink(MakeCounted<TDiscardingSink>());
  auto engine = MakeCounted<TXBuilder>();
  engine->SetOption(0, true);
  TVariant value;
  engine->Evaluate("x := 0", true, true, -1, value);
  for (auto _ : state) engine->Evaluate("x := x + 1", true, true, -1, value);
  state.SetItemsProcessed(state.iterations());
  state.counters["x"] = static_cast<double>(value.AsInt());
  engine = nullptr;
  SetMessageSink(nullptr);
}
BENCHMARK(BM_ConsoleLine)->Iterations(100'000)->Unit(benchmark::kMicrosecond);

}  // namespace
