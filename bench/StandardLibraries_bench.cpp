// Building an engine with the standard libraries, as every start of the
// program does: the in-process share of start-up, without dynamic loading.

#include <benchmark/benchmark.h>

#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

namespace {

void BM_BuildStandardLibraries(benchmark::State& state) {
  SetMessageSink(nullptr);
  for (auto _ : state) {
    auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
    benchmark::DoNotOptimize(engine.get());
  }
}
BENCHMARK(BM_BuildStandardLibraries)->Unit(benchmark::kMicrosecond);

}  // namespace
