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

// The four interpreter benchmarks that ../shared/bench/compare.sh runs
// through tarnsh, Lua and CPython, program for program.

// B1: 10^7 passes of a scalar loop body.
void BM_B1_ScalarLoop(benchmark::State& state) {
  RunProgram(state,
             "program B1; var i : Integer; s : Real; "
             "begin s := 0; for i := 1 to 10000000 do s := s + i * 0.5; Write(s) end.");
}
BENCHMARK(BM_B1_ScalarLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

// B2: 10^6 calls of a small script function.
void BM_B2_FunctionCalls(benchmark::State& state) {
  RunProgram(state,
             "program B2; var i : Integer; s : Real; "
             "function f(x : Real) : Real; begin Result := x * x + 1 end; "
             "begin s := 0; for i := 1 to 1000000 do s := s + f(i); Write(s) end.");
}
BENCHMARK(BM_B2_FunctionCalls)->Iterations(3)->Unit(benchmark::kMillisecond);

// B3: a 120 x 120 matrix product written as three script loops.
void BM_B3_MatrixProduct(benchmark::State& state) {
  RunProgram(state,
             "program B3; var a, b, c : Matrix; i, j, k, n : Integer; "
             "begin n := 120; SetLength(a, n, n); SetLength(b, n, n); SetLength(c, n, n); "
             "  for i := 1 to n do for j := 1 to n do begin a[i, j] := i + j; b[i, j] := i - j end; "
             "  for i := 1 to n do for j := 1 to n do for k := 1 to n do c[i, j] := c[i, j] + a[i, k] * b[k, j]; "
             "  Write(c[n, n]) end.");
}
BENCHMARK(BM_B3_MatrixProduct)->Iterations(3)->Unit(benchmark::kMillisecond);

// B4: a string built one character at a time to 100,000 characters, then its
// characters counted one by one.
void BM_B4_StringBuilding(benchmark::State& state) {
  RunProgram(state,
             "program B4; var s : String; i, n : Integer; "
             "begin s := ''; for i := 1 to 100000 do s := s + 'x'; n := 0; "
             "  for i := 1 to Length(s) do if s[i] = 'x' then n := n + 1; Write(n) end.");
}
BENCHMARK(BM_B4_StringBuilding)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
