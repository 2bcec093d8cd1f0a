// The numerical methods of Math: the Fourier transform's core on 2^20
// complex points, and the rate at which Integrate and DSolve run the
// routines they are given (the routine is the cost; the methods' own work
// between runs should not show).

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/FFTNF.h"
#include "libraries/StandardLibraries.h"

namespace {

void BM_FFTTransform(benchmark::State& state) {
  const std::int32_t points = 1 << 20;
  std::vector<long double> data(2 * static_cast<std::size_t>(points));
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::sin(0.001L * static_cast<long double>(i));
  for (auto _ : state) {
    TFFTNF::Transform(data, points, 1);
    benchmark::DoNotOptimize(data.data());
  }
  state.counters["points_per_second"] = benchmark::Counter(points, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FFTTransform)->Unit(benchmark::kMillisecond);

// The standard libraries without a sink (warnings go nowhere), with the
// routine the test runs filed in Workspace.
class TBenchEngine {
public:
  TBenchEngine() { SetMessageSink(nullptr); }
  ~TBenchEngine() { engine_ = nullptr; }

  template <class TRoutine>
  TRoutine& Add(const char* kindName) {
    auto* signature = static_cast<TFuncKind*>(engine_->Kinds.FindKind(kindName));
    return *static_cast<TRoutine*>(engine_->RegisterFunc(
        std::make_unique<TRoutine>(signature, engine_->FindLibrary(WorkspaceLibName)), frPlain));
  }

  void Evaluate(const std::string& line) {
    TVariant value;
    engine_->Evaluate(line, false, false, -1, value);
  }

private:
  CountedPtr<TXBuilder> engine_ = MakeCounted<TXBuilder>(StandardCatalogues());
};

// A built-in stand-in for a script function: the square root, which
// Integrate never sees converge, so every call is a full run of 20 levels,
// 2^19 + 1 evaluations.
class TRoot final : public TFunc {
public:
  TRoot(TFuncKind* signature, TLib* lib) : TFunc("Root", signature, lib) {}
  bool Execute(TSourcePos) override {
    SetResult(*this, TValue::Real(std::sqrt(RealArg(*this, 0))));
    ++Runs;
    return true;
  }
  std::int64_t Runs = 0;
};

void BM_IntegrateEvaluations(benchmark::State& state) {
  TBenchEngine engine;
  TRoot& root = engine.Add<TRoot>("TMathFunc");
  for (auto _ : state) engine.Evaluate("Integrate(Root, 0, 1)");
  state.counters["evaluations_per_second"] = benchmark::Counter(static_cast<double>(root.Runs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IntegrateEvaluations)->Unit(benchmark::kMillisecond);

// A chain of 10 equations, DY[i] = Y[i + 1] - Y[i] (the last decays).
class TChain final : public TFunc {
public:
  TChain(TFuncKind* signature, TLib* lib) : TFunc("Chain", signature, lib) {}
  bool Execute(TSourcePos) override {
    const TArrVar& y = ArrArg(*this, 0);
    TArrVar& dy = ArrRefArg(*this, 2);
    const std::int32_t n = y.Count();
    for (std::int32_t i = 0; i < n; ++i) SetRealAt(dy, i, (i + 1 < n ? RealAt(y, i + 1) : 0) - RealAt(y, i));
    ++Runs;
    return true;
  }
  std::int64_t Runs = 0;
};

void BM_DSolveTenEquations(benchmark::State& state) {
  TBenchEngine engine;
  TChain& chain = engine.Add<TChain>("TDiffFunc");
  const std::string line = state.range(0) ? "DSolve(Chain, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 5, 0.001)"
                                          : "DSolve(Chain, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 5)";
  for (auto _ : state) engine.Evaluate(line);
  state.counters["runs_per_call"] = static_cast<double>(chain.Runs) / static_cast<double>(state.iterations());
  state.counters["runs_per_second"] = benchmark::Counter(static_cast<double>(chain.Runs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DSolveTenEquations)->ArgName("fixed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
