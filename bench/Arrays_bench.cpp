// Arrays as scripts use them, against plain C++ on contiguous long double
// storage: making a 1000 x 1000 matrix (time and bytes per element), the
// first Inverse of a 500 x 500 matrix against an 80-bit LU with inverse, the
// FFT of 2^20 points against a plain 80-bit FFT (with the process's peak
// memory), and SortVec of 10^6 values against std::sort.
//
// The FFT benchmarks come first, so that the peak memory they report is
// theirs and not that of a benchmark before them.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "bench/ScriptArrays.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The classical in-place radix-2 FFT of n complex points (re, im pairs).
void PlainFFT(std::vector<long double>& data) {
  const std::size_t n = data.size() / 2;
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) {
      std::swap(data[2 * i], data[2 * j]);
      std::swap(data[2 * i + 1], data[2 * j + 1]);
    }
  }
  for (std::size_t length = 2; length <= n; length <<= 1) {
    const long double angle = 2 * std::numbers::pi_v<long double> / static_cast<long double>(length);
    const long double stepRe = std::cos(angle), stepIm = std::sin(angle);
    for (std::size_t start = 0; start < n; start += length) {
      long double wRe = 1, wIm = 0;
      for (std::size_t k = 0; k < length / 2; ++k) {
        long double* u = &data[2 * (start + k)];
        long double* v = &data[2 * (start + k + length / 2)];
        const long double tRe = v[0] * wRe - v[1] * wIm;
        const long double tIm = v[0] * wIm + v[1] * wRe;
        v[0] = u[0] - tRe;
        v[1] = u[1] - tIm;
        u[0] += tRe;
        u[1] += tIm;
        const long double next = wRe * stepRe - wIm * stepIm;
        wIm = wRe * stepIm + wIm * stepRe;
        wRe = next;
      }
    }
  }
}

// FFT takes 2n Reals as n complex points.
void BM_FFT(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  TScriptArrays arrays;
  arrays.SetVector(RandomReals(2 * points));
  for (auto _ : state) benchmark::DoNotOptimize(arrays.Call("FFT", "V"));
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_PlainFFT(benchmark::State& state) {
  const std::vector<long double> input = RandomReals(2 * static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<long double> data = input;
    PlainFFT(data);
    benchmark::DoNotOptimize(data.data());
  }
}

// A fresh 1000 x 1000 matrix each time, as SetLength(m, 1000, 1000) makes it.
void BM_MakeMatrix(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  TScriptArrays arrays;
  TArrVar& m = arrays.Var("M");
  SetMatSize(m, 0, 0, true);
  double bytes = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    SetMatSize(m, n, n, true);
    state.PauseTiming();
    bytes = static_cast<double>(mallinfo2().uordblks - before);
    SetMatSize(m, 0, 0, true);
    state.ResumeTiming();
  }
  state.counters["bytes_per_element"] = bytes / (static_cast<double>(n) * n);
}

// The first Inverse of a matrix: the routine's result is made anew each time.
void BM_FirstInverse(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const std::vector<long double> values = RandomReals(static_cast<std::size_t>(n) * n);
  for (auto _ : state) {
    state.PauseTiming();
    auto arrays = std::make_unique<TScriptArrays>();
    arrays->SetMatrix(n, values);
    state.ResumeTiming();
    benchmark::DoNotOptimize(arrays->Call("Inverse", "M"));
    state.PauseTiming();
    arrays.reset();
    state.ResumeTiming();
  }
}

// LU with partial pivoting, then the inverse column by column.
std::vector<long double> PlainInverse(std::vector<long double> a, std::size_t n) {
  std::vector<std::size_t> pivot(n);
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t p = k;
    for (std::size_t i = k + 1; i < n; ++i)
      if (std::fabs(a[i * n + k]) > std::fabs(a[p * n + k])) p = i;
    pivot[k] = p;
    if (p != k)
      for (std::size_t j = 0; j < n; ++j) std::swap(a[k * n + j], a[p * n + j]);
    for (std::size_t i = k + 1; i < n; ++i) {
      const long double factor = a[i * n + k] /= a[k * n + k];
      for (std::size_t j = k + 1; j < n; ++j) a[i * n + j] -= factor * a[k * n + j];
    }
  }
  std::vector<long double> inverse(n * n, 0);
  std::vector<long double> column(n);
  for (std::size_t c = 0; c < n; ++c) {
    std::fill(column.begin(), column.end(), 0);
    column[c] = 1;
    for (std::size_t k = 0; k < n; ++k) std::swap(column[k], column[pivot[k]]);
    for (std::size_t i = 1; i < n; ++i)
      for (std::size_t j = 0; j < i; ++j) column[i] -= a[i * n + j] * column[j];
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = i + 1; j < n; ++j) column[i] -= a[i * n + j] * column[j];
      column[i] /= a[i * n + i];
    }
    for (std::size_t i = 0; i < n; ++i) inverse[i * n + c] = column[i];
  }
  return inverse;
}

void BM_PlainInverse(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<long double> values = RandomReals(n * n);
  for (auto _ : state) benchmark::DoNotOptimize(PlainInverse(values, n).data());
}

void BM_SortVec(benchmark::State& state) {
  TScriptArrays arrays;
  arrays.SetVector(RandomReals(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(arrays.Call("SortVec", "V"));
}

void BM_StdSort(benchmark::State& state) {
  const std::vector<long double> input = RandomReals(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<long double> values = input;
    std::sort(values.begin(), values.end());
    benchmark::DoNotOptimize(values.data());
  }
}

}  // namespace

BENCHMARK(BM_FFT)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFFT)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeMatrix)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstInverse)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainInverse)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortVec)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSort)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
