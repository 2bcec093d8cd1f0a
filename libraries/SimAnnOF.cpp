#include "libraries/SimAnnOF.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "engine/RunFlags.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/Callback.h"
#include "libraries/SearchParams.h"
#include "runtime/Random.h"

namespace {

using TReals = std::vector<long double>;

constexpr long double DefaultTolerance = 0.001L;
constexpr int TemperatureSamples = 50;
constexpr int CyclesPerAdjustment = 15;
constexpr int AdjustmentsPerTemperature = 5;
constexpr long double AcceptedBelow = 0.4L;  // a lower acceptance rate shrinks the step
constexpr long double AcceptedAbove = 0.6L;  // a higher one widens it
// A rate this far outside the band changes the step by a factor 1 + StepFactor.
constexpr long double RateScale = 0.4L;
constexpr long double StepFactor = 2;
constexpr long double Cooling = 0.9L;

long double Random() { return TRandom::NextReal(); }

// The median of a non-empty list, which it sorts.
long double Median(TReals& values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The annealing of one call, over the point X that the passes carry on.
class TAnnealing {
public:
  TAnnealing(TCallback& f, TReals x, TReals lo, TReals hi, long double tol, std::int32_t maxIter)
      : f_(f), x_(std::move(x)), lo_(std::move(lo)), hi_(std::move(hi)), n_(x_.size()), tol_(tol),
        maxIter_(maxIter), range_(n_), step_(n_), accepted_(n_) {}

  // One pass from X to the best point it finds, which X then is.
  bool AnnealPass() {
    for (std::size_t i = 0; i < n_; ++i) {
      range_[i] = hi_[i] - lo_[i];
      step_[i] = range_[i] / 2;
      accepted_[i] = 0;
    }
    best_ = x_;
    long double f, temperature;
    if (!f_.Evaluate(x_, f) || !InitialTemperature(temperature)) return false;
    long double fbest = f;
    std::int64_t t = 0;
    do {
      for (int adjustment = 0; adjustment < AdjustmentsPerTemperature; ++adjustment) {
        for (int cycle = 0; cycle < CyclesPerAdjustment; ++cycle)
          for (std::size_t i = 0; i < n_; ++i)
            if (!TryCoordinate(i, temperature, f, fbest)) return false;
        AdjustSteps();
      }
      temperature *= Cooling;
      ++t;
      if (AbortFlag) return false;
    } while (!(maxIter_ > 0 && t > maxIter_) && !StepsConverged());
    x_ = best_;
    if (maxIter_ > 0 && t > maxIter_)
      WriteMessage("Maximum iterration number [" + std::to_string(maxIter_) + "] has been reached", lkWarning, 0);
    return true;
  }

  const TReals& X() const { return x_; }

private:
  // A random move of coordinate i, kept or undone by the Metropolis rule.
  bool TryCoordinate(std::size_t i, long double temperature, long double& f, long double& fbest) {
    const long double xold = x_[i];
    x_[i] += (2 * Random() - 1) * step_[i];
    if (x_[i] < lo_[i] || x_[i] > hi_[i]) x_[i] = lo_[i] + Random() * range_[i];
    long double fnew;
    if (!f_.Evaluate(x_, fnew)) return false;
    if (MetropolisAccept(RealSub(fnew, f), temperature)) {
      ++accepted_[i];
      f = fnew;
    } else {
      x_[i] = xold;
    }
    if (f < fbest) {
      fbest = f;
      best_ = x_;
    }
    return true;
  }

  static bool MetropolisAccept(long double delta, long double temperature) {
    if (delta < 0) return true;
    const long double r = Random();
    // delta = 0 is always taken; tested apart so that a temperature cooled to 0 gives no 0/0.
    return delta == 0 || r < std::exp(-delta / temperature);
  }

  void AdjustSteps() {
    for (std::size_t i = 0; i < n_; ++i) {
      const long double ratio = accepted_[i] / static_cast<long double>(CyclesPerAdjustment);
      if (ratio > AcceptedAbove)
        step_[i] = std::min(step_[i] * (1 + StepFactor * (ratio - AcceptedAbove) / RateScale), range_[i]);
      else if (ratio < AcceptedBelow)
        step_[i] /= 1 + StepFactor * (AcceptedBelow - ratio) / RateScale;
      accepted_[i] = 0;
    }
  }

  bool StepsConverged() const {
    for (std::size_t i = 0; i < n_; ++i)
      if (!(step_[i] < std::max(tol_, tol_ * std::fabs(best_[i])))) return false;
    return true;
  }

  // The median rise of F between random samples, over ln 2: a typical rise
  // is then accepted with probability one half. X is back at its start
  // afterwards.
  bool InitialTemperature(long double& temperature) {
    const TReals start = x_;
    TReals rises;
    long double fprev;
    if (!f_.Evaluate(x_, fprev)) return false;
    for (int sample = 0; sample < TemperatureSamples; ++sample) {
      const std::size_t s = sample % n_;
      x_[s] = lo_[s] + Random() * range_[s];
      long double f;
      if (!f_.Evaluate(x_, f)) return false;
      if (f > fprev) rises.push_back(RealSub(f, fprev));
      fprev = f;
    }
    x_ = start;
    temperature = rises.empty() ? 1 : Median(rises) / std::numbers::ln2_v<long double>;
    return true;
  }

  TCallback& f_;
  TReals x_, lo_, hi_;
  std::size_t n_;
  long double tol_;
  std::int32_t maxIter_;
  TReals range_, step_, best_;
  std::vector<int> accepted_;
};

}  // namespace

bool TSimAnnOF::Execute(TSourcePos pos) {
  TCallback f(TCallback::TLocals::Reset);
  if (!f.Open(*Arg(0), pos)) return false;
  TReals x0 = RealsOf(ArrArg(*this, 1));
  TReals lo = RealsOf(ArrArg(*this, 2));
  TReals hi = RealsOf(ArrArg(*this, 3));
  if (x0.empty() || lo.size() != x0.size() || hi.size() != x0.size()) {
    ReportError(x0.empty() ? "Initial vector is empty" : "All vectors must have the same size", pos, nullptr);
    return false;
  }
  const TArrVar& params = ArrArg(*this, 4);
  const std::int32_t maxIter = CountParam(params, 1, 0);
  const long double tol = ToleranceParam(params, 2, DefaultTolerance);
  const std::int32_t passes = CountParam(params, 3, 1);
  TRandom::SeedFromClock();
  TAnnealing annealing(f, std::move(x0), std::move(lo), std::move(hi), tol, maxIter);
  for (std::int32_t pass = 0; pass < passes; ++pass)
    if (!annealing.AnnealPass()) return false;
  SetReals(ArrResult(*this), annealing.X());
  return true;
}
