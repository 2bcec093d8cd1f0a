#include "libraries/FFTNF.h"

#include <cmath>
#include <utility>
#include <vector>

#include "engine/RunState.h"
#include "libraries/ArrayArgs.h"
#include "libraries/MathLibrary.h"
#include "libraries/MatrixRoutine.h"

namespace {

// The largest stage (in positions) whose twiddle factors are made ahead.
constexpr std::int64_t MaxTwiddleTable = std::int64_t{1} << 14;

// Butterflies, swaps or elements read between two abort checks: well under
// a millisecond.
constexpr long AbortCheckSteps = 1 << 14;

}  // namespace

TFFTNF::TFFTNF(TFuncKind* signature, std::uint8_t direction, TLib* lib)
    : TFunc(direction ? "FFT" : "InverseFFT", signature, lib), direction_(direction) {}

bool TFFTNF::Execute(TSourcePos pos) {
  const TArrVar& v = ArrArg(*this, 0);
  const std::int32_t n = v.Count();
  if (n == 0 || n % 2 != 0) {
    ReportError(n == 0 ? "Empty data" : "Vector size must be even", pos, nullptr);
    return false;
  }
  const std::int32_t m = NextPowerOfTwo(n / 2);
  TAbortCountdown copyCheck(AbortCheckSteps);
  std::vector<long double> work = RealsOf(v, &copyCheck);
  const bool inputsFinite = AllFinite(work.data(), work.size());
  work.resize(2 * static_cast<std::size_t>(m), 0);
  Transform(work, m, direction_ ? 1 : -1);
  // The butterflies run unchecked; a fault shows in what they leave.
  for (long double& x : work) x = CheckReal(direction_ ? x : x / m, inputsFinite);
  SetReals(ArrResult(*this), work, &copyCheck);
  return true;
}

std::int32_t TFFTNF::NextPowerOfTwo(std::int32_t k) {
  std::int32_t power = 1;
  while (power < k) power *= 2;
  return power;
}

void TFFTNF::Transform(std::span<long double> data, std::int32_t nn, int isign) {
  // The classical formulation counts positions from 1, up to 2nn.
  auto d = [&data](std::int64_t position) -> long double& { return data[position - 1]; };
  const std::int64_t n = 2 * static_cast<std::int64_t>(nn);
  TAbortCountdown abortCheck(AbortCheckSteps);
  // Bit reversal.
  for (std::int64_t i = 1, j = 1; i < n; i += 2) {
    abortCheck.Step();
    if (j > i) {
      std::swap(d(j), d(i));
      std::swap(d(j + 1), d(i + 1));
    }
    std::int64_t k = nn;
    while (k >= 2 && j > k) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  // Butterflies, with the twiddle factors by recurrence.
  std::vector<long double> twiddles;
  for (std::int64_t mmax = 2; n > mmax;) {
    const std::int64_t istep = 2 * mmax;
    const long double theta = 2 * MathPi / (isign * mmax);
    const long double wtemp = std::sin(theta / 2);
    const long double wpr = -2 * wtemp * wtemp;
    const long double wpi = std::sin(theta);
    auto butterfly = [&](std::int64_t i, long double wr, long double wi) {
      abortCheck.Step();
      const std::int64_t j = i + mmax;
      const long double tr = wr * d(j) - wi * d(j + 1);
      const long double ti = wr * d(j + 1) + wi * d(j);
      d(j) = d(i) - tr;
      d(j + 1) = d(i + 1) - ti;
      d(i) += tr;
      d(i + 1) += ti;
    };
    // Each factor comes from the one before, so the stage runs factor by
    // factor; while the factors of a stage are few, they are made first and
    // the stage runs block by block instead, which walks the data once.
    twiddles.clear();
    const bool blockwise = mmax <= MaxTwiddleTable;
    long double wr = 1, wi = 0;
    for (std::int64_t mm = 1; mm < mmax; mm += 2) {
      if (blockwise) {
        twiddles.push_back(wr);
        twiddles.push_back(wi);
      } else {
        for (std::int64_t i = mm; i <= n; i += istep) butterfly(i, wr, wi);
      }
      const long double wt = wr;
      wr = wr * wpr - wi * wpi + wr;
      wi = wi * wpr + wt * wpi + wi;
    }
    if (blockwise)
      for (std::int64_t start = 0; start < n; start += istep)
        for (std::int64_t mm = 1; mm < mmax; mm += 2) butterfly(start + mm, twiddles[mm - 1], twiddles[mm]);
    mmax = istep;
  }
}
