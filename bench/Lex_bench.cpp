#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "engine/Lex.h"
#include "runtime/Random.h"

namespace {

constexpr std::int32_t PackagedSeed = 0x1234567;

// About 10 MB of program text: routines with declarations, loops,
// arithmetic, strings, comments and number literals of every kind.
std::string MakeProgram() {
  std::string text = "program Bench;\n";
  for (int i = 0; text.size() < 10'000'000; ++i) {
    const std::string n = std::to_string(i);
    text += "(* routine " + n + " computes a running sum *)\n"
            "function Accumulate" + n + "(const Values : Vector; Count : integer) : real;\n"
            "var Index : integer; Total, Scale : real;\n"
            "begin\n"
            "  Total := 0.0; Scale := 2.5e-3 * " + n + ";\n"
            "  for Index := 1 to Count do\n"
            "    if (Values[Index] >= Scale) and not (Index mod 3 = 0) then\n"
            "      Total := Total + Values[Index] / (Index + $1F) - #1011 // weighted\n"
            "    else WriteLn('skipped ', Index);\n"
            "  Result := Total\n"
            "end;\n";
  }
  return text + "begin\nend.\n";
}

const std::string& Program() {
  static const std::string text = MakeProgram();
  return text;
}

const std::string& ScrambledProgram() {
  static const std::string text = [] {
    std::string scrambled = Program();
    TRandom::Seed(PackagedSeed);
    for (char& c : scrambled) c = static_cast<char>(c ^ TRandom::Below(256));
    return scrambled;
  }();
  return text;
}

void ReadEveryToken(benchmark::State& state, const std::string& text, std::int32_t seed) {
  TLex lex;
  TToken token;
  std::istringstream input(text);
  std::int64_t tokens = 0;
  for (auto _ : state) {
    lex.SetInput(&input, seed);
    do {
      lex.NextToken(token);
      ++tokens;
    } while (token.TokClass != tcEOF);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
  state.SetItemsProcessed(tokens);
}

void BM_LexPlainText(benchmark::State& state) { ReadEveryToken(state, Program(), -1); }
BENCHMARK(BM_LexPlainText)->Unit(benchmark::kMillisecond);

void BM_LexScrambledText(benchmark::State& state) { ReadEveryToken(state, ScrambledProgram(), PackagedSeed); }
BENCHMARK(BM_LexScrambledText)->Unit(benchmark::kMillisecond);

}  // namespace
