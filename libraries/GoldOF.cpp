#include "libraries/GoldOF.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/Callback.h"
#include "libraries/SearchParams.h"

namespace {

constexpr long double GoldenMean = std::numbers::phi_v<long double>;
constexpr long double C = 0.381966011250105151766L;  // (3 - sqrt 5) / 2, the golden-section fraction
constexpr long double MinRange = 1e-16L;
constexpr long double DefaultTolerance = 1e-6L;
// Past this many golden-ratio steps downhill the function is taken to have
// no minimum (it falls, or levels off, for ever).
constexpr int MaxBracketSteps = 100;

struct TPoint {
  long double X;
  long double F;
};

// The search of one call; every evaluation of F that fails ends it.
class TGoldenSection {
public:
  TGoldenSection(TCallback& f, TSourcePos pos) : f_(f), pos_(pos) {}

  // a, b, c with F(b) below F(a) and F(c), from two starting points.
  bool BracketMinimum(TPoint& a, TPoint& b, TPoint& c) {
    if (a.X > b.X) std::swap(a.X, b.X);
    if (!At(a) || !At(b)) return false;
    // Downhill from a to b.
    if (a.F < b.F) std::swap(a, b);
    c.X = Beyond(a.X, b.X);
    if (!At(c)) return false;
    // Until F rises: a level stretch brackets nothing yet.
    for (int step = 0; b.F >= c.F; ++step) {
      if (step == MaxBracketSteps) return Refuse("Minimum cannot be bracketed", pos_);
      a = b;
      b = c;
      c.X = Beyond(a.X, b.X);
      if (!At(c)) return false;
    }
    if (c.X < a.X) std::swap(a, c);
    return true;
  }

  // The smaller of the two inner points once the bracket a < b < c has
  // narrowed to tol; iterations counts the narrowing steps.
  bool Narrow(const TPoint& a, const TPoint& b, const TPoint& c, long double tol, std::int32_t maxIter,
              TPoint& minimum, std::int32_t& iterations) {
    long double x0 = a.X, x3 = c.X;
    TPoint p1 = b, p2 = b;
    if (b.X - a.X >= c.X - b.X) {
      p1.X = b.X - C * (b.X - a.X);
      if (!At(p1)) return false;
    } else {
      p2.X = b.X + C * (c.X - b.X);
      if (!At(p2)) return false;
    }
    for (iterations = 0; !(std::fabs(x3 - x0) <= tol * (std::fabs(p1.X) + std::fabs(p2.X))) &&
                         !(maxIter > 0 && iterations >= maxIter);
         ++iterations) {
      if (p2.F < p1.F) {
        x0 = p1.X;
        p1 = p2;
        p2.X = p1.X + C * (x3 - p1.X);
        if (!At(p2)) return false;
      } else {
        x3 = p2.X;
        p2 = p1;
        p1.X = p1.X - C * (p1.X - x0);
        if (!At(p1)) return false;
      }
    }
    minimum = p1.F < p2.F ? p1 : p2;
    return true;
  }

private:
  bool At(TPoint& p) { return f_.Evaluate(p.X, p.F); }

  // The next golden-ratio step past b, away from a.
  static long double Beyond(long double a, long double b) { return RealAdd(b, RealMul(GoldenMean, RealSub(b, a))); }

  TCallback& f_;
  TSourcePos pos_;
};

}  // namespace

bool TGoldOF::Execute(TSourcePos pos) {
  TCallback f(TCallback::TLocals::Reset);
  if (!f.Open(*Arg(0), pos)) return false;
  const TArrVar& params = ArrArg(*this, 1);
  if (params.Count() < 2) return Refuse("Parameter vector must contain at least 2 values", pos);
  TPoint a{RealAt(params, 0), 0}, b{RealAt(params, 1), 0}, c{0, 0};
  if (std::fabs(b.X - a.X) <= MinRange) return Refuse("Zero initial range specified", pos);
  const std::int32_t maxIter = CountParam(params, 3, 0);
  const long double tol =
      std::max(ParamOr(params, 4, DefaultTolerance), std::sqrt(std::numeric_limits<long double>::epsilon()));
  TGoldenSection search(f, pos);
  TPoint minimum;
  std::int32_t iterations = 0;
  if (!search.BracketMinimum(a, b, c) || !search.Narrow(a, b, c, tol, maxIter, minimum, iterations)) return false;
  const std::array<long double, 2> result{minimum.X, minimum.F};
  SetReals(ArrResult(*this), result);
  if (maxIter > 0 && iterations >= maxIter) WriteMessage("GoldenSearch has reached maximum iteration", lkWarning, 0);
  return true;
}
