// Whole programs through CompileText, as the editor's Run compiles and runs
// them, with no message sink: the statement trees, script routine calls,
// array indexing and string building at run time. Each iteration compiles
// and runs the program once.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

namespace {

void RunProgram(benchmark::State& state, const std::string& text) {
  SetMessageSink(nullptr);
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  for (auto _ : state)
    if (!engine->CompileText(text)) state.SkipWithError("the program did not compile");
}

// 10^7 passes of a scalar loop body.
void BM_ScalarLoop(benchmark::State& state) {
  RunProgram(state,
             "var i : Integer; s : Real; "
             "begin s := 0; for i := 1 to 10000000 do s := s + i * 0.5 end.");
}
BENCHMARK(BM_ScalarLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

// 10^6 calls of a small script function.
void BM_FunctionCalls(benchmark::State& state) {
  RunProgram(state,
             "function Add(a, b : Real) : Real; begin Result := a + b end; "
             "var i : Integer; s : Real; "
             "begin s := 0; for i := 1 to 1000000 do s := Add(s, i) end.");
}
BENCHMARK(BM_FunctionCalls)->Iterations(3)->Unit(benchmark::kMillisecond);

// A 120 x 120 matrix product written as three script loops.
void BM_MatrixProduct(benchmark::State& state) {
  RunProgram(state,
             "const N = 120; type TM = array [1..N, 1..N] of Real; var a, b, c : TM; i, j, k : Integer; s : Real; "
             "begin "
             "  for i := 1 to N do for j := 1 to N do begin a[i, j] := i + j; b[i, j] := i - j end; "
             "  for i := 1 to N do for j := 1 to N do begin "
             "    s := 0; for k := 1 to N do s := s + a[i, k] * b[k, j]; c[i, j] := s end "
             "end.");
}
BENCHMARK(BM_MatrixProduct)->Iterations(3)->Unit(benchmark::kMillisecond);

// A string built one character at a time to 100,000 characters, then its
// characters counted one by one.
void BM_StringBuilding(benchmark::State& state) {
  RunProgram(state,
             "var s : String; i, n : Integer; "
             "begin s := ''; for i := 1 to 100000 do s := s + 'a'; "
             "n := 0; for i := 1 to Length(s) do if s[i] = 'a' then n := n + 1 end.");
}
BENCHMARK(BM_StringBuilding)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
