// Colouring cost: every console line and every edited row goes through TSyntax.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "console/Syntax.h"

namespace {

// 100,000 lines of about 60 characters: identifiers, numbers, strings, symbols.
std::vector<std::string> SampleLines() {
  std::vector<std::string> lines;
  lines.reserve(100000);
  for (int i = 0; i < 100000; ++i)
    lines.push_back("result" + std::to_string(i % 97) + " := Sin(x) * 3.25 + $1F - 'text " +
                    std::to_string(i) + "' + count;");
  return lines;
}

void BM_SyntaxLines(benchmark::State& state) {
  const std::vector<std::string> lines = SampleLines();
  const std::unordered_map<std::string, std::uint8_t> known = {{"x", 1}, {"count", 1}, {"Sin", 3}};
  TSyntax syntax;
  syntax.Classifier = [&known](const std::string& name) -> std::uint8_t {
    const auto found = known.find(name);
    return found == known.end() ? 0 : found->second;
  };
  std::int64_t characters = 0;
  for (const std::string& line : lines) characters += static_cast<std::int64_t>(line.size());
  for (auto _ : state) {
    int tokens = 0;
    for (const std::string& line : lines) {
      TSyntaxLine open(syntax, line);
      while (!syntax.AtEnd()) tokens += syntax.NextKind();
    }
    benchmark::DoNotOptimize(tokens);
  }
  state.counters["per_char"] = benchmark::Counter(static_cast<double>(characters) * state.iterations(),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SyntaxLines)->Unit(benchmark::kMillisecond);

}  // namespace
