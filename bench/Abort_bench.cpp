// How long a long built-in runs on after Abort: each line starts, the
// window layer's pump asks for an abort 20 ms in, and the time from that
// request to the end of the evaluation is reported (abort_ms, target under
// 100 ms). A click on Abort waits for the pump too: due_ms is the time from
// 20 ms in to the end, which adds the work done before the pump first ran
// after that (such as copying the arguments). Lines that need data find it
// in Workspace variables made first.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "engine/ArrVar.h"
#include "engine/data/IOSystem.h"
#include "engine/MessageChannel.h"
#include "engine/RunState.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Storage.h"

namespace {

using TClock = std::chrono::steady_clock;

using TSetUp = std::function<void(TXBuilder&)>;

void AbortAfterStart(benchmark::State& state, const std::string& line, const TSetUp& setUp = nullptr) {
  SetMessageSink(nullptr);
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  engine->SetOption(0, true);
  if (setUp) setUp(*engine);
  double worst = 0;
  double worstFromDue = 0;
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
    const TClock::time_point due = start + std::chrono::milliseconds(20);
    worstFromDue = std::max(worstFromDue, std::chrono::duration<double, std::milli>(end - due).count());
  }
  SetMessagePump(nullptr);
  state.counters["abort_ms"] = worst;
  state.counters["due_ms"] = worstFromDue;
}

void BM_AbortInverse(benchmark::State& state) { AbortAfterStart(state, "Inverse(MatIdentity(700))"); }
void BM_AbortDet(benchmark::State& state) { AbortAfterStart(state, "Det(Inverse(MatIdentity(700)))"); }
void BM_AbortLinearSolve(benchmark::State& state) {
  AbortAfterStart(state, "LinearSolve(MatIdentity(900), MakeVec(900, 1))");
}
void BM_AbortMatZero(benchmark::State& state) { AbortAfterStart(state, "MatZero(2000)"); }
void BM_AbortIntegrate(benchmark::State& state) { AbortAfterStart(state, "Integrate(Sqrt, 0, 1e300)"); }
void BM_AbortSum(benchmark::State& state) { AbortAfterStart(state, "Sum(Sqrt, {1, 1e9})"); }

// A differential equation and two minimisations that would run for many
// seconds: a million and fifty million fixed steps of a script's decay (the
// second once stored 1.6 GB of points before its first step), and searches
// in 200 (SimplexSearch) and 50 (SimAnnealing) dimensions without a tolerance.
void CompileDecay(TXBuilder& engine) {
  engine.CompileText(
      "library AbortBench; procedure Decay(Y : Vector; X : Real; var DY : Vector); begin DY[1] := -Y[1] end; end.");
}
void BM_AbortDSolve(benchmark::State& state) { AbortAfterStart(state, "DSolve(Decay, {1}, 0, 1, 1e-6)", CompileDecay); }
void BM_AbortDSolveManySteps(benchmark::State& state) {
  AbortAfterStart(state, "DSolve(Decay, {1}, 0, 1, 2e-8)", CompileDecay);
}
void BM_AbortSimplex(benchmark::State& state) {
  AbortAfterStart(state, "SimplexSearch(Magnitude, MakeVec(200, 1), {2000000000, 0})");
}
void BM_AbortSimAnn(benchmark::State& state) {
  AbortAfterStart(state, "SimAnnealing(Magnitude, MakeVec(50, 1), MakeVec(50, -1), MakeVec(50, 1), {2000000000, 0, 1000})");
}

// A Workspace matrix m of order n with entries from a fixed sequence;
// symmetric when asked.
TSetUp SquareMatrix(std::int32_t n, bool symmetric) {
  return [n, symmetric](TXBuilder& engine) {
    auto& m = static_cast<TArrVar&>(*engine.AddVariable("m", engine.Kinds().FindKind("Matrix")));
    SetMatSize(m, n, n, true);
    std::uint32_t seed = 19;
    for (std::int32_t i = 1; i <= n; ++i)
      for (std::int32_t j = 1; j <= n; ++j) {
        seed = seed * 1664525u + 1013904223u;
        const long double x = static_cast<long double>(seed >> 8) / (1u << 24);
        SetMatElem(m, i, j, symmetric && j < i ? GetMatElem(m, j, i) : x);
      }
    engine.AddVariable("rv", engine.Kinds().FindKind("Vector"));
    engine.AddVariable("iv", engine.Kinds().FindKind("Vector"));
  };
}

void BM_AbortEigenSymmetric(benchmark::State& state) { AbortAfterStart(state, "_EV1201(m, rv, iv)", SquareMatrix(400, true)); }
void BM_AbortEigen(benchmark::State& state) { AbortAfterStart(state, "_EV1201(m, rv, iv)", SquareMatrix(700, false)); }
// A Workspace vector x of n equal elements.
TSetUp LongVector(std::int32_t n) {
  return [n](TXBuilder& engine) {
    TVariant value;
    engine.Evaluate("x := MakeVec(" + std::to_string(n) + ", 1)", false, false, -1, value);
  };
}

void BM_AbortFFT(benchmark::State& state) { AbortAfterStart(state, "FFT(x)", LongVector(1 << 23)); }
void BM_AbortSortVec(benchmark::State& state) { AbortAfterStart(state, "SortVec(x)", LongVector(10000000)); }

// A data file of a million lines of three values, read by routine through
// the "file" source (built beside the programs in bin/) from a new handle
// on every run.
void AbortReading(benchmark::State& state, const std::string& routine, const std::string& target) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "quantrel-abort-bench.txt";
  {
    std::ofstream file(path);
    for (int i = 0; i < 1000000; ++i) file << i << "\t0.5\t-2\n";
  }
  IOSystem = std::make_unique<TIOSystem>(GetAppFolder() + "../bin/");
  AbortAfterStart(state, routine + "(Open('file://" + path.string() + "', omRead), " + target + ")",
                  [&target](TXBuilder& engine) {
                    TVariant value;
                    engine.Evaluate(target + (target == "v" ? " := {}" : " := {{0}}"), false, false, -1, value);
                  });
  IOSystem.reset();
  std::filesystem::remove(path);
}

void BM_AbortReadVecCSV(benchmark::State& state) { AbortReading(state, "ReadVecCSV", "v"); }
void BM_AbortReadMatCSV(benchmark::State& state) { AbortReading(state, "ReadMatCSV", "m"); }

BENCHMARK(BM_AbortInverse)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortDet)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortLinearSolve)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortMatZero)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortIntegrate)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortSum)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortDSolve)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortDSolveManySteps)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortSimplex)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortSimAnn)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortEigenSymmetric)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortEigen)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortFFT)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortSortVec)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortReadVecCSV)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbortReadMatCSV)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
