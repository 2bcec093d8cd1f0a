#include "libraries/DSolveNF.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

#include "Numerics/Matrix.h"
#include "engine/Kind.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/Callback.h"
#include "runtime/StorageLimit.h"

namespace {

using TReals = std::vector<long double>;

// The adaptive method.
constexpr long double Tolerance = 1e-6L;
constexpr long double Safety = 0.9L;
constexpr long double GrowthExponent = -0.2L;
constexpr long double ShrinkExponent = -0.25L;
constexpr long double GrowthLimit = 4;
constexpr long double GrowthLimitBelow = 6e-4L;  // the error ratio under which the step grows by GrowthLimit
constexpr long double Correction = 0.06666666L;  // as the method has always used, not 1/15
constexpr long double ScaleFloor = 1e-100L;
constexpr int MaxSteps = 10000;
constexpr std::int32_t MaxStored = 1000;
constexpr long double StepsPerRange = 20000;  // the first and smallest step is the range over this

// Fixed steps: a ratio of range to step this close to a whole number takes
// that many steps, so that rounding in h adds no tiny last step.
constexpr long double WholeStepsTolerance = 1e-9L;

// out := y + h·d, with the faults of real arithmetic raised.
void AddScaled(TReals& out, const TReals& y, long double h, const TReals& d) {
  for (std::size_t i = 0; i < y.size(); ++i) out[i] = RealAdd(y[i], RealMul(h, d[i]));
}

// The solver of one call: the stepping methods and the points they store.
class TRungeKutta {
public:
  TRungeKutta(TCallback& df, TArrVar& dy, std::size_t n, TSourcePos pos)
      : df_(df), dy_(dy), n_(n), pos_(pos), yt_(n), dyt_(n), dym_(n), ysav_(n), dysav_(n), ytemp_(n), y_(n),
        dydx_(n), yscal_(n) {}

  bool SolveFixed(const TReals& ystart, long double x1, long double x2, long double h, std::int32_t intervals) {
    if (!StartStore(intervals + 1)) return false;
    y_ = ystart;
    auto pointAt = [&](std::int32_t k) { return k == intervals ? x2 : x1 + k * h; };
    for (std::int32_t k = 0;; ++k) {
      const long double x = pointAt(k);
      Store(x, y_);
      if (k == intervals) return true;
      if (!Derivs(y_, dydx_, x) || !RK4Step(y_, dydx_, x, pointAt(k + 1) - x, y_)) return false;
    }
  }

  bool SolveAdaptive(const TReals& ystart, long double x1, long double x2, long double eps) {
    if (!StartStore(MaxStored)) return false;
    const long double saveInterval = (x2 - x1) / MaxStored;
    const long double hmin = (x2 - x1) / StepsPerRange;
    long double x = x1, h = hmin;
    long double xsav = x - 2 * saveInterval;
    bool warnedMinimum = false;
    y_ = ystart;
    for (int step = 1; step <= MaxSteps; ++step) {
      if (!Derivs(y_, dydx_, x)) return false;
      for (std::size_t i = 0; i < n_; ++i) yscal_[i] = std::fabs(y_[i]) + std::fabs(dydx_[i] * h) + ScaleFloor;
      if (std::fabs(x - xsav) > std::fabs(saveInterval) && storedCount_ < MaxStored - 1) {
        Store(x, y_);
        xsav = x;
      }
      if ((x + h - x2) * (x + h - x1) > 0) h = x2 - x;
      long double hdid, hnext;
      if (!StepControl(y_, dydx_, x, h, eps, yscal_, hdid, hnext)) return false;
      if ((x2 - x1) * (x - x2) >= 0) {
        Store(x, y_);
        return true;
      }
      if (std::fabs(hnext) < hmin) {
        if (!warnedMinimum) WriteMessage("Minimum step size is riched", lkWarning, 0);
        warnedMinimum = true;
        hnext = hmin;
      }
      h = hnext;
    }
    WriteMessage("Maximum step number exceeded", lkWarning, 0);
    return true;
  }

  // Row 1 the x values, row i + 1 component i, one column per stored point.
  void WriteResult(TArrVar& result) const {
    const std::size_t rows = n_ + 1;
    SetMatSize(result, static_cast<std::int32_t>(rows), storedCount_, true);
    for (std::size_t r = 0; r < rows; ++r)
      for (std::int32_t c = 0; c < storedCount_; ++c)
        SetRealAt(MatRow(result, static_cast<std::int32_t>(r)), c, stored_[static_cast<std::size_t>(c) * rows + r]);
  }

private:
  // Points that could never be stored are refused before the first step.
  bool StartStore(std::int32_t points) {
    storedCount_ = 0;
    stored_.clear();
    if (StorageCanExist(std::uint64_t{n_ + 1} * static_cast<std::uint64_t>(points), sizeof(long double))) return true;
    MatrixError(MatrixNoMemory);
    return false;
  }

  void Store(long double x, const TReals& y) {
    stored_.push_back(x);
    stored_.insert(stored_.end(), y.begin(), y.end());
    ++storedCount_;
  }

  bool Derivs(const TReals& y, TReals& dydx, long double x) {
    df_.SetVector(0, y);
    df_.SetReal(1, x);
    if (!df_.Run()) return false;
    if (dy_.Count() < static_cast<std::int32_t>(n_)) {
      ReportError("DY has fewer elements than Y0", pos_, nullptr);
      return false;
    }
    for (std::size_t i = 0; i < n_; ++i) dydx[i] = RealAt(dy_, static_cast<std::int32_t>(i));
    return true;
  }

  // yout may be y.
  bool RK4Step(const TReals& y, const TReals& dydx, long double x, long double h, TReals& yout) {
    const long double hh = h * 0.5L;
    const long double h6 = h / 6;
    const long double xh = x + hh;
    AddScaled(yt_, y, hh, dydx);
    if (!Derivs(yt_, dyt_, xh)) return false;
    AddScaled(yt_, y, hh, dyt_);
    if (!Derivs(yt_, dym_, xh)) return false;
    AddScaled(yt_, y, h, dym_);
    for (std::size_t i = 0; i < n_; ++i) dym_[i] = RealAdd(dyt_[i], dym_[i]);
    if (!Derivs(yt_, dyt_, x + h)) return false;
    for (std::size_t i = 0; i < n_; ++i)
      yout[i] = RealAdd(y[i], RealMul(h6, RealAdd(RealAdd(dydx[i], dyt_[i]), RealMul(2, dym_[i]))));
    return true;
  }

  // One accepted step from x, tried first with htry and shrunk until the
  // two half steps and the whole step agree within eps.
  bool StepControl(TReals& y, TReals& dydx, long double& x, long double htry, long double eps, const TReals& yscal,
                   long double& hdid, long double& hnext) {
    const long double xsav = x;
    ysav_ = y;
    dysav_ = dydx;
    long double h = htry;
    for (;;) {
      const long double hh = h * 0.5L;
      if (!RK4Step(ysav_, dysav_, xsav, hh, ytemp_)) return false;
      x = xsav + hh;
      if (!Derivs(ytemp_, dydx, x) || !RK4Step(ytemp_, dydx, x, hh, y)) return false;
      x = xsav + h;
      if (x == xsav) WriteMessage("RKAS - minimum step size", lkWarning, 0);
      if (!RK4Step(ysav_, dysav_, xsav, h, ytemp_)) return false;
      long double errmax = 0;
      for (std::size_t i = 0; i < n_; ++i) {
        ytemp_[i] = RealSub(y[i], ytemp_[i]);
        errmax = std::max(errmax, std::fabs(RealDiv(ytemp_[i], yscal[i])));
      }
      errmax /= eps;
      if (errmax <= 1) {
        hdid = h;
        hnext = errmax <= GrowthLimitBelow ? GrowthLimit * h : Safety * h * std::pow(errmax, GrowthExponent);
        for (std::size_t i = 0; i < n_; ++i) y[i] = RealAdd(y[i], RealMul(ytemp_[i], Correction));
        return true;
      }
      h = Safety * h * std::pow(errmax, ShrinkExponent);
    }
  }

  TCallback& df_;
  TArrVar& dy_;
  std::size_t n_;
  TSourcePos pos_;
  // The stored points one after another, x and then the n components:
  // storage grows with the steps taken, so that a call of very many steps
  // allocates nothing ahead and stops at once when aborted.
  std::deque<long double> stored_;
  std::int32_t storedCount_ = 0;
  // The slopes and states of one step, each of n elements.
  TReals yt_, dyt_, dym_, ysav_, dysav_, ytemp_, y_, dydx_, yscal_;
};

// The number of fixed steps of width h over range (the last one ends at
// x2); false after the report when there is none or they are too many.
bool FixedIntervals(long double range, long double h, TSourcePos pos, std::int32_t& intervals) {
  if (h == 0) {
    ReportError("Zero integration step specified", pos, nullptr);
    return false;
  }
  const long double ratio = range / h;
  const long double nearest = std::nearbyint(ratio);
  const long double count = std::fabs(ratio - nearest) <= WholeStepsTolerance * ratio ? nearest : std::ceil(ratio);
  // One more point than steps must fit 32 bits.
  if (!(count < std::numeric_limits<std::int32_t>::max())) {
    ReportError("Integration step is too small", pos, nullptr);
    return false;
  }
  intervals = static_cast<std::int32_t>(count);
  return true;
}

}  // namespace

TDSolveNF::TDSolveNF(TFuncKind* signature, TLib* lib)
    : TFunc("DSolve", signature, lib), DYVar(MakeVar("DY", signature->Arg(1)->Kind(), false, NoneValue, lib)) {}

bool TDSolveNF::Execute(TSourcePos pos) {
  TCallback df(TCallback::TLocals::Kept);
  if (!df.Open(*Arg(0), pos)) return false;
  const TReals ystart = RealsOf(ArrArg(*this, 1));
  const long double x1 = RealArg(*this, 2);
  const long double x2 = RealArg(*this, 3);
  const long double h = RealArg(*this, 4);
  if (x2 <= x1) {
    ReportError("Non-positilve integration range", pos, nullptr);
    return false;
  }
  if (ystart.empty()) {
    ReportError("Empty initial vector", pos, nullptr);
    return false;
  }
  std::int32_t intervals = 0;
  if (h >= 0 && !FixedIntervals(x2 - x1, h, pos, intervals)) return false;
  auto& dy = static_cast<TArrVar&>(*DYVar);
  dy.SetLength(static_cast<std::int32_t>(ystart.size()));
  df.BindReference(2, dy);
  TRungeKutta solver(df, dy, ystart.size(), pos);
  if (h >= 0 ? !solver.SolveFixed(ystart, x1, x2, h, intervals) : !solver.SolveAdaptive(ystart, x1, x2, Tolerance))
    return false;
  solver.WriteResult(ArrResult(*this));
  return true;
}
