#include "libraries/IntegrateNF.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/ScalarArith.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/Callback.h"

namespace {

constexpr long double Tolerance = 1e-10L;
constexpr int MaxLevels = 20;
// Fewer levels sample too few points: a periodic integrand can agree with
// itself on them and pass for converged.
constexpr int MinLevels = 6;

// One integral, a < b. Each refinement halves the trapezoids' width; the
// estimate of the integral of |F| beside it is the scale against which an
// integral whose value is (close to) 0 converges. Every estimate is
// checked: an infinite one out of a finite range and finite values of F is
// an overflow.
class TSimpsonRule {
public:
  explicit TSimpsonRule(TCallback& integrand) : integrand_(integrand) {}

  // False when F failed.
  bool Simpson(long double a, long double b, long double& integral) {
    TTrapezoid st, ost;
    long double s = 0, os = 0;
    operandsFinite_ = std::isfinite(a) && std::isfinite(b);
    for (int level = 1; level <= MaxLevels; ++level) {
      if (!Trapezoid(st, level, a, b)) return false;
      if (level > 1) {
        s = CheckReal((4 * st.Value - ost.Value) / 3, operandsFinite_);
        if (level >= MinLevels && std::fabs(s - os) <= Tolerance * std::max(std::fabs(s), st.Magnitude)) break;
      }
      if (level == MaxLevels) WriteMessage("Integral failed to converge", lkWarning, 0);
      os = s;
      ost = st;
    }
    integral = s;
    return true;
  }

private:
  struct TTrapezoid {
    long double Value = 0;
    long double Magnitude = 0;
  };

  bool EvalF(long double x, long double& y) {
    if (!integrand_.Evaluate(x, y)) return false;
    operandsFinite_ = operandsFinite_ && std::isfinite(y);
    return true;
  }

  bool Trapezoid(TTrapezoid& s, int level, long double a, long double b) {
    if (level == 1) {
      long double fa, fb;
      if (!EvalF(a, fa) || !EvalF(b, fb)) return false;
      s.Value = CheckReal((b - a) * 0.5L * (fa + fb), operandsFinite_);
      s.Magnitude = CheckReal((b - a) * 0.5L * (std::fabs(fa) + std::fabs(fb)), operandsFinite_);
      points_ = 1;
      return true;
    }
    const long double del = (b - a) / points_;
    long double x = a + 0.5L * del;
    long double sum = 0, magnitude = 0;
    for (std::int32_t i = 0; i < points_; ++i, x += del) {
      long double y;
      if (!EvalF(x, y)) return false;
      sum += y;
      magnitude += std::fabs(y);
    }
    s.Value = CheckReal(((b - a) * sum / points_ + s.Value) * 0.5L, operandsFinite_);
    s.Magnitude = CheckReal(((b - a) * magnitude / points_ + s.Magnitude) * 0.5L, operandsFinite_);
    points_ *= 2;
    return true;
  }

  TCallback& integrand_;
  std::int32_t points_ = 0;  // the points the next refinement adds
  bool operandsFinite_ = true;  // the range's ends and every value of F so far
};

}  // namespace

bool TIntegrateNF::Execute(TSourcePos pos) {
  TCallback integrand(TCallback::TLocals::Kept);
  if (!integrand.Open(*Arg(0), pos, TCallback::TRunPosition::None)) return false;
  const long double x1 = RealArg(*this, 1);
  const long double x2 = RealArg(*this, 2);
  TSimpsonRule rule(integrand);
  long double integral = 0;
  if (x1 != x2 && !rule.Simpson(std::min(x1, x2), std::max(x1, x2), integral)) return false;
  if (x2 < x1) integral = -integral;
  SetResult(*this, TValue::Real(integral));
  return true;
}
