// How long a long built-in runs on after Abort: each line starts, the
// window layer's pump asks for an abort 20 ms in, and the time from that
// request to the end of the evaluation is reported (abort_ms, target under
// 100 ms).

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "engine/MessageChannel.h"
#include "engine/RunState.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

namespace {

using TClock = std::chrono::steady_clock;

void AbortAfterStart(benchmark::State& state, const std::string& line) {
  SetMessageSink(nullptr);
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  engine->SetOption(0, true);
  double worst = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    TClock::time_point aborted{};
    SetMessagePump([&] {
      if (aborted == TClock::time_point{} && TClock::now() - start > std::chrono::milliseconds(20)) {
        aborted = TClock::now();
        engine->Abort();
      }
    });
    TVariant value;
    engine->Evaluate(line, false, false, -1, value);
    const TClock::time_point end = TClock::now();
    if (aborted == TClock::time_point{}) {
      state.SkipWithError("the line ended before the abort");
      break;
    }
    worst = std::max(worst, std::chrono::duration<double, std::milli>(end - aborted).count());
  }
  SetMessagePump(nullptr);
  state.counters["abort_ms"] = worst;
}

void BM_AbortInverse(benchmark::State& state) { AbortAfterStart(state, "Inverse(MatIdentity(700))"); }
void BM_AbortDet(benchmark::State& state) { AbortAfterStart(state, "Det(Inverse(MatIdentity(700)))"); }
void BM_AbortLinearSolve(benchmark::State& state) {
  AbortAfterStart(state, "LinearSolve(MatIdentity(900), MakeVec(900, 1))");
}
void BM_AbortMatZero(benchmark::State& state) { AbortAfterStart(state, "MatZero(2000)"); }
void BM_AbortIntegrate(benchmark::State& state) { AbortAfterStart(state, "Integrate(Sqrt, 0, 1e300)"); }
void BM_AbortSum(benchmark::State& state) { AbortAfterStart(state, "Sum(Sqrt, {1, 1e9})"); }

BENCHMARK(BM_AbortInverse)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortDet)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortLinearSolve)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortMatZero)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortIntegrate)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortSum)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
