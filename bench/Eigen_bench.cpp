#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "Numerics/NXEigen.h"
#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"

namespace {

// Uniform elements in [-1, 1) from a fixed seed, mirrored when symmetric.
TNMatrix RandomMatrix(std::int32_t n, bool symmetric) {
  std::mt19937 generator(20240607);
  std::uniform_real_distribution<double> element(-1.0, 1.0);
  TNMatrix m(n, n);
  for (std::int32_t i = 1; i <= n; ++i)
    for (std::int32_t j = symmetric ? i : 1; j <= n; ++j) {
      const long double x = element(generator);
      m.SetItem(i, j, x);
      if (symmetric) m.SetItem(j, i, x);
    }
  return m;
}

// EigenValues destroys its matrix, so every run works on a fresh copy; the
// O(n^2) copy is noise beside the O(n^3) iteration.
void RunEigenValues(benchmark::State& state, bool symmetric) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const TNMatrix original = RandomMatrix(n, symmetric);
  TNVector real, imaginary;
  for (auto _ : state) {
    TNMatrix a = original;
    benchmark::DoNotOptimize(EigenValues(a, real, imaginary));
  }
}

void BM_EigenValuesSymmetric(benchmark::State& state) { RunEigenValues(state, true); }
void BM_EigenValuesNonSymmetric(benchmark::State& state) { RunEigenValues(state, false); }

}  // namespace

BENCHMARK(BM_EigenValuesSymmetric)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenValuesNonSymmetric)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
