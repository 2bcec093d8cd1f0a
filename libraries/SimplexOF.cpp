#include "libraries/SimplexOF.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/Callback.h"
#include "libraries/SearchParams.h"

namespace {

using TReals = std::vector<long double>;

constexpr long double DefaultTolerance = 1e-6L;
constexpr long double StartFactor = 1.5L;
// A coordinate that is 0 in X0 cannot be scaled away from 0: the simplex
// steps from it by this much instead.
constexpr long double StartOffset = 0.5L;

// The n + 1 vertices of the simplex with their values of F. The arithmetic
// is checked: a function without a minimum sends the simplex off until it
// overflows.
class TSimplex {
public:
  TSimplex(TCallback& f, const TReals& x0) : f_(f), n_(x0.size()), p_(n_ + 1, x0), y_(n_ + 1) {
    for (std::size_t i = 0; i < n_; ++i) p_[i][i] = p_[i][i] != 0 ? StartFactor * p_[i][i] : StartOffset;
  }

  bool EvaluateVertices() {
    for (std::size_t i = 0; i <= n_; ++i)
      if (!f_.Evaluate(p_[i], y_[i])) return false;
    return true;
  }

  // One reflection, expansion, contraction or shrink. spread is then the
  // largest coordinate distance between the vertices that were the worst
  // and the best at its start.
  bool Step(long double& spread) {
    FindBestAndWorst();
    Centroid();
    Combine(-1, p_[ihi_], 2, pr_);
    long double ypr, yprr;
    if (!f_.Evaluate(pr_, ypr)) return false;
    if (ypr < y_[ilo_]) {
      Combine(3, pr_, -2, prr_);
      if (!f_.Evaluate(prr_, yprr)) return false;
      if (yprr < y_[ilo_]) ReplaceWorst(prr_, yprr);
      else ReplaceWorst(pr_, ypr);
    } else if (AnotherIsWorseThan(ypr)) {
      ReplaceWorst(pr_, ypr);
    } else {
      if (ypr <= y_[ihi_]) ReplaceWorst(pr_, ypr);
      Combine(0.5L, p_[ihi_], 0.5L, prr_);
      if (!f_.Evaluate(prr_, yprr)) return false;
      if (yprr > y_[ihi_]) {
        if (!ShrinkTowardsBest()) return false;
      } else {
        ReplaceWorst(prr_, yprr);
      }
    }
    spread = 0;
    for (std::size_t j = 0; j < n_; ++j) spread = std::max(spread, std::fabs(p_[ihi_][j] - p_[ilo_][j]));
    return true;
  }

  const TReals& Best() const { return p_[std::min_element(y_.begin(), y_.end()) - y_.begin()]; }

private:
  void FindBestAndWorst() {
    ilo_ = ihi_ = 0;
    for (std::size_t i = 1; i <= n_; ++i) {
      if (y_[i] < y_[ilo_]) ilo_ = i;
      else if (y_[i] > y_[ihi_]) ihi_ = i;
    }
  }

  void Centroid() {
    pbar_.assign(n_, 0);
    for (std::size_t i = 0; i <= n_; ++i)
      if (i != ihi_)
        for (std::size_t j = 0; j < n_; ++j) pbar_[j] = RealAdd(pbar_[j], p_[i][j]);
    for (long double& x : pbar_) x /= static_cast<long double>(n_);
  }

  // out := a·from + b·centroid.
  void Combine(long double a, const TReals& from, long double b, TReals& out) {
    out.resize(n_);
    for (std::size_t j = 0; j < n_; ++j) out[j] = RealAdd(RealMul(a, from[j]), RealMul(b, pbar_[j]));
  }

  bool AnotherIsWorseThan(long double y) const {
    for (std::size_t i = 0; i <= n_; ++i)
      if (i != ihi_ && y_[i] > y) return true;
    return false;
  }

  void ReplaceWorst(const TReals& p, long double y) {
    p_[ihi_] = p;
    y_[ihi_] = y;
  }

  bool ShrinkTowardsBest() {
    for (std::size_t i = 0; i <= n_; ++i)
      for (std::size_t j = 0; j < n_; ++j) p_[i][j] = RealAdd(p_[i][j], p_[ilo_][j]) / 2;
    for (std::size_t i = 0; i <= n_; ++i)
      if (i != ilo_ && !f_.Evaluate(p_[i], y_[i])) return false;
    return true;
  }

  TCallback& f_;
  std::size_t n_;
  std::vector<TReals> p_;  // the vertices, one row each
  TReals y_;
  TReals pbar_, pr_, prr_;
  std::size_t ilo_ = 0, ihi_ = 0;
};

}  // namespace

bool TSimplexOF::Execute(TSourcePos pos) {
  TCallback f(TCallback::TLocals::Reset);
  if (!f.Open(*Arg(0), pos)) return false;
  const TReals x0 = RealsOf(ArrArg(*this, 1));
  if (x0.empty()) {
    ReportError("Initial vector is empty", pos, nullptr);
    return false;
  }
  const TArrVar& params = ArrArg(*this, 2);
  const std::int32_t maxIter = CountParam(params, 1, 0);
  const long double tol = ToleranceParam(params, 2, DefaultTolerance);
  TSimplex simplex(f, x0);
  if (!simplex.EvaluateVertices()) return false;
  for (std::int64_t iter = 1;;) {
    long double spread;
    if (!simplex.Step(spread)) return false;
    ++iter;
    const bool limitReached = maxIter > 0 && iter > maxIter;
    // A simplex without spread never moves again, whatever the tolerance.
    if (limitReached || spread < tol || spread == 0) {
      SetReals(ArrResult(*this), simplex.Best());
      if (limitReached) WriteMessage("Maximum iterration number has been riched", lkWarning, 0);
      return true;
    }
  }
}
