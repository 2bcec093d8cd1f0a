// Host objects: a property read in a script loop against a plain variable,
// and events a host fires into an empty script procedure.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "tests/engine/HostProbe.h"

namespace {

constexpr int LoopCount = 1000000;

void RunLoop(benchmark::State& state, const std::string& operand) {
  SetMessageSink(nullptr);
  TProbe probe;  // outlives the engine, whose record gives it its handlers back
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  probe.Count = 1;
  engine->AddClient(probe, "");
  const std::string program = "program P; var i, s, c : Integer; begin c := 1; s := 0; for i := 1 to " +
                              std::to_string(LoopCount) + " do s := s + " + operand + " end.";
  for (auto _ : state)
    if (!engine->CompileText(program)) state.SkipWithError("the program did not compile");
  state.SetItemsProcessed(state.iterations() * LoopCount);
}

void BM_PropertyReadLoop(benchmark::State& state) { RunLoop(state, "Probe.Count"); }
BENCHMARK(BM_PropertyReadLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PlainVariableLoop(benchmark::State& state) { RunLoop(state, "c"); }
BENCHMARK(BM_PlainVariableLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_FiredEvent(benchmark::State& state) {
  SetMessageSink(nullptr);
  TProbe probe;  // outlives the engine, whose record gives it its handlers back
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  engine->AddClient(probe, "");
  engine->CompileText("library H; procedure Empty(Sender : TObject); begin end; end.");
  TVariant value;
  engine->Evaluate("Probe.OnClick := Empty", false, false, -1, value);
  for (auto _ : state) probe.OnClick(&probe);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FiredEvent)->Iterations(100000);

}  // namespace
