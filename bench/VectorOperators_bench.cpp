// The matrix product operator and SortVec as scripts use them: the
// operands are script variables and the results are written into script
// variables.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "engine/ArrVar.h"
#include "engine/MessageChannel.h"
#include "engine/Token.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

namespace {

class TDiscardingSink final : public IXConsBase {
public:
  void Write(const std::string&, std::uint8_t, int) override {}
  void ExpandToLevel(int) override {}
  void Clear() override {}
};

// An engine with the standard libraries and the Workspace variables M (a
// matrix) and V (a vector), filled with uniform reals in [-1, 1) from a
// fixed seed.
class TScriptArrays {
public:
  TScriptArrays() : engine_(MakeCounted<TXBuilder>(StandardCatalogues())) {
    SetMessageSink(MakeCounted<TDiscardingSink>());
    engine_->SetOption(0, true);
    TVariant value;
    for (const char* line : {"M := {{0}}", "V := {0}"}) engine_->Evaluate(line, false, false, -1, value);
  }
  ~TScriptArrays() {
    engine_ = nullptr;
    SetMessageSink(nullptr);
  }

  TArrVar& Array(const char* name) { return static_cast<TArrVar&>(*engine_->FindVariable(name)); }
  TXBuilder& Engine() { return *engine_; }

  void FillMatrix(std::int32_t n) {
    SetMatSize(Array("M"), n, n, true);
    for (std::int32_t i = 1; i <= n; ++i)
      for (std::int32_t j = 1; j <= n; ++j) SetMatElem(Array("M"), i, j, Next());
  }

  void FillVector(std::int32_t n) {
    SetVecSize(Array("V"), n, true);
    for (std::int32_t i = 1; i <= n; ++i) SetVecElem(Array("V"), i, Next());
  }

private:
  long double Next() { return element_(generator_); }

  CountedPtr<TXBuilder> engine_;
  std::mt19937 generator_{20240607};
  std::uniform_real_distribution<double> element_{-1.0, 1.0};
};

void BM_MatrixProduct(benchmark::State& state) {
  TScriptArrays arrays;
  arrays.FillMatrix(static_cast<std::int32_t>(state.range(0)));
  TKind* matrix = arrays.Engine().Kinds.FindKind("Matrix");
  TOperator* product = arrays.Engine().Ops.Find(tkStar, false, matrix, matrix);
  TVar* m = &arrays.Array("M");
  for (auto _ : state) benchmark::DoNotOptimize(product->Apply(m, m));
}

void BM_SortVec(benchmark::State& state) {
  TScriptArrays arrays;
  arrays.FillVector(static_cast<std::int32_t>(state.range(0)));
  TFunc* sortVec = arrays.Engine().Funcs.Find("SortVec");
  const std::array<TVar*, 1> args{&arrays.Array("V")};
  for (auto _ : state) benchmark::DoNotOptimize(sortVec->CallDirect(args, NoPosition));
}

}  // namespace

BENCHMARK(BM_MatrixProduct)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortVec)->Arg(1000000)->Unit(benchmark::kMillisecond);
