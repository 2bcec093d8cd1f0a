#pragma once
// An engine with the standard libraries whose Workspace holds the matrix M
// and the vector V, for benchmarks of arrays as scripts use them.

#include <cstdint>
#include <random>
#include <vector>

#include "bench/DiscardingSink.h"
#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"

// Uniform reals in [-1, 1) from a fixed seed.
inline std::vector<long double> RandomReals(std::size_t n) {
  std::mt19937 generator(20240607);
  std::uniform_real_distribution<double> element(-1.0, 1.0);
  std::vector<long double> values(n);
  for (long double& x : values) x = element(generator);
  return values;
}

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
  TScriptArrays(const TScriptArrays&) = delete;
  TScriptArrays& operator=(const TScriptArrays&) = delete;

  TXBuilder& Engine() { return *engine_; }
  TArrVar& Var(const char* name) { return static_cast<TArrVar&>(*engine_->FindVariable(name)); }

  void SetVector(const std::vector<long double>& values) {
    TArrVar& v = Var("V");
    SetVecSize(v, static_cast<std::int32_t>(values.size()), true);
    for (std::size_t i = 0; i < values.size(); ++i) SetVecElem(v, static_cast<std::int64_t>(i) + 1, values[i]);
  }

  // An n x n matrix from values row by row.
  void SetMatrix(std::int32_t n, const std::vector<long double>& values) {
    TArrVar& m = Var("M");
    SetMatSize(m, n, n, true);
    for (std::int32_t i = 0; i < n; ++i)
      for (std::int32_t j = 0; j < n; ++j) SetMatElem(m, i + 1, j + 1, values[static_cast<std::size_t>(i) * n + j]);
  }

  // Calls the routine on the named variable, as a call in an expression does.
  bool Call(const char* routine, const char* arg) {
    TVar* const args[] = {engine_->FindVariable(arg)};
    return engine_->Funcs().Find(routine)->CallDirect(args, NoPosition);
  }

private:
  CountedPtr<TXBuilder> engine_;
};
