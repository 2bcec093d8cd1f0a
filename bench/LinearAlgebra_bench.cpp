// The linear algebra built-ins as a script calls them: the argument copied
// into the routine, the work in contiguous storage, the result written back
// into script variables.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <span>
#include <string>

#include "engine/ArrVar.h"
#include "engine/MessageChannel.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "bench/DiscardingSink.h"

namespace {

// An engine with the standard libraries and the Workspace variables M (an
// n x n matrix of uniform elements in [-1, 1) from a fixed seed, mirrored
// when symmetric), RV and IV.
class TScriptMatrices {
public:
  TScriptMatrices(std::int32_t n, bool symmetric) : engine_(MakeCounted<TXBuilder>(StandardCatalogues())) {
    SetMessageSink(MakeCounted<TDiscardingSink>());
    engine_->SetOption(0, true);
    TVariant value;
    for (const char* line : {"M := {{0}}", "RV := {0}", "IV := {0}"}) engine_->Evaluate(line, false, false, -1, value);
    auto& m = static_cast<TArrVar&>(*engine_->FindVariable("M"));
    SetMatSize(m, n, n, true);
    std::mt19937 generator(20240607);
    std::uniform_real_distribution<double> element(-1.0, 1.0);
    for (std::int32_t i = 1; i <= n; ++i)
      for (std::int32_t j = symmetric ? i : 1; j <= n; ++j) {
        const long double x = element(generator);
        SetMatElem(m, i, j, x);
        if (symmetric) SetMatElem(m, j, i, x);
      }
  }
  ~TScriptMatrices() {
    engine_ = nullptr;
    SetMessageSink(nullptr);
  }

  // Calls the routine on the named variables, as a call in an expression does.
  bool Call(const char* routine, std::initializer_list<const char*> args) {
    std::array<TVar*, 3> vars{};
    std::size_t count = 0;
    for (const char* name : args) vars[count++] = engine_->FindVariable(name);
    return engine_->Funcs().Find(routine)->CallDirect(std::span(vars.data(), count), NoPosition);
  }

private:
  CountedPtr<TXBuilder> engine_;
};

void BM_Inverse(benchmark::State& state) {
  TScriptMatrices matrices(static_cast<std::int32_t>(state.range(0)), false);
  for (auto _ : state) benchmark::DoNotOptimize(matrices.Call("Inverse", {"M"}));
}

void RunEigen(benchmark::State& state, bool symmetric) {
  TScriptMatrices matrices(static_cast<std::int32_t>(state.range(0)), symmetric);
  for (auto _ : state) benchmark::DoNotOptimize(matrices.Call("_EV1201", {"M", "RV", "IV"}));
}

void BM_EV1201Symmetric(benchmark::State& state) { RunEigen(state, true); }
void BM_EV1201NonSymmetric(benchmark::State& state) { RunEigen(state, false); }

}  // namespace

BENCHMARK(BM_Inverse)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EV1201Symmetric)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EV1201NonSymmetric)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
