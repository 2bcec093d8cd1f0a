// Compiling grows about linearly with the text: one expression of n
// operators, n record and array kinds, n variables in one list. Each runs at
// 10^4 and 10^5 and reports how the time grows (the fitted complexity).

#include <benchmark/benchmark.h>

#include <string>

#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

namespace {

void Compile(benchmark::State& state, const std::string& text) {
  SetMessageSink(nullptr);
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  for (auto _ : state)
    if (!engine->CompileText(text)) state.SkipWithError("the program did not compile");
  state.SetComplexityN(state.range(0));
}

void BM_OperatorsInOneExpression(benchmark::State& state) {
  std::string text = "var x : Integer; begin x := 1";
  for (int i = 0; i < state.range(0); ++i) text += i % 2 ? " + 1" : " - 1";
  Compile(state, text + " end.");
}
BENCHMARK(BM_OperatorsInOneExpression)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// Half records of a field of their own name, half arrays of their own bounds.
void BM_RecordAndArrayKinds(benchmark::State& state) {
  std::string text = "type ";
  for (int i = 0; i < state.range(0) / 2; ++i) {
    const std::string n = std::to_string(i);
    text += "R" + n + " = record f" + n + " : Integer end; A" + n + " = array [1.." + std::to_string(i + 1) +
            "] of Real; ";
  }
  Compile(state, text + "begin end.");
}
BENCHMARK(BM_RecordAndArrayKinds)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_VariablesInOneList(benchmark::State& state) {
  std::string text = "var v0";
  for (int i = 1; i < state.range(0); ++i) text += ", v" + std::to_string(i);
  Compile(state, text + " : Integer; begin end.");
}
BENCHMARK(BM_VariablesInOneList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
