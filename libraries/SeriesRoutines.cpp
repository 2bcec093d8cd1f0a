#include "libraries/SeriesRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/VectorRoutines.h"

namespace {

using TReals = std::vector<long double>;
using TRealSpan = std::span<const long double>;

TReals Deviations(TRealSpan v) {
  const long double mean = MeanOf(v);
  TReals deviations(v.size());
  std::transform(v.begin(), v.end(), deviations.begin(), [mean](long double x) { return RealSub(x, mean); });
  return deviations;
}

// The sum over i of x[i] * y[i + lag], in ascending i.
long double LagSum(TRealSpan x, TRealSpan y, std::size_t lag) {
  long double sum = 0;
  for (std::size_t i = 0; i + lag < x.size(); ++i) sum = RealAdd(sum, RealMul(x[i], y[i + lag]));
  return sum;
}

// For the lags 0 .. N - 1, the lag sums of the deviations divided by N.
TReals Covariances(TRealSpan dx, TRealSpan dy) {
  const auto count = static_cast<long double>(dx.size());
  TReals covariances(dx.size());
  for (std::size_t lag = 0; lag < dx.size(); ++lag) covariances[lag] = RealDiv(LagSum(dx, dy, lag), count);
  return covariances;
}

// A variance is taken as none when its root lies within what rounding can
// leave in the deviations: the mean of v carries an error of up to about
// N units in the last place of v's largest magnitude. A constant vector
// is caught at any scale, and a small but real spread stays one.
bool IsNoVariation(long double variance, TRealSpan v) {
  long double largest = 0;
  for (long double x : v) largest = std::max(largest, std::fabs(x));
  const long double rounding =
      static_cast<long double>(v.size() + 1) * std::numeric_limits<long double>::epsilon() * largest;
  return std::sqrt(variance) <= rounding;
}

bool RunConvolution(TFunc& routine, TSourcePos pos) {
  const TReals first = RealsOf(ArrArg(routine, 0));
  const TReals second = RealsOf(ArrArg(routine, 1));
  if (Refused(first.empty(), "First vector is empty", pos) || Refused(second.empty(), "Second vector is empty", pos))
    return false;
  const bool firstIsLonger = second.size() < first.size();
  const TReals& longer = firstIsLonger ? first : second;
  const TReals& shorter = firstIsLonger ? second : first;
  TReals convolution(first.size() + second.size() - 1);
  for (std::size_t k = 0; k < convolution.size(); ++k) {
    long double sum = 0;
    for (std::size_t j = 0; j < longer.size() && j <= k; ++j)
      if (k - j < shorter.size()) sum = RealAdd(sum, RealMul(longer[j], shorter[k - j]));
    convolution[k] = sum;
  }
  SetReals(ArrResult(routine), convolution);
  return true;
}

// The deviations of the one vector argument, refused when it is empty.
bool ReadSeries(TFunc& routine, TSourcePos pos, TReals& values, TReals& deviations) {
  values = RealsOf(ArrArg(routine, 0));
  if (Refused(values.empty(), "Vector parameter must not be empty", pos)) return false;
  deviations = Deviations(values);
  return true;
}

bool RunAutoCovariance(TFunc& routine, TSourcePos pos) {
  TReals values;
  TReals deviations;
  if (!ReadSeries(routine, pos, values, deviations)) return false;
  SetReals(ArrResult(routine), Covariances(deviations, deviations));
  return true;
}

bool RunAutoCorrelation(TFunc& routine, TSourcePos pos) {
  TReals values;
  TReals deviations;
  if (!ReadSeries(routine, pos, values, deviations)) return false;
  TReals correlations = Covariances(deviations, deviations);
  const long double variance = correlations.front();
  if (IsNoVariation(variance, values))
    std::fill(correlations.begin(), correlations.end(), 1.0L);
  else
    for (long double& c : correlations) c = RealDiv(c, variance);
  SetReals(ArrResult(routine), correlations);
  return true;
}

// The two series of equal, non-zero length.
bool ReadSeriesPair(TFunc& routine, TSourcePos pos, TReals& x, TReals& y) {
  x = RealsOf(ArrArg(routine, 0));
  y = RealsOf(ArrArg(routine, 1));
  return !Refused(x.empty(), "1st parameter must not be empty", pos) &&
         !Refused(y.size() != x.size(), "1st and 2nd parameters must have the same size", pos);
}

bool RunCovariance(TFunc& routine, TSourcePos pos) {
  TReals x;
  TReals y;
  if (!ReadSeriesPair(routine, pos, x, y)) return false;
  SetReals(ArrResult(routine), Covariances(Deviations(x), Deviations(y)));
  return true;
}

bool RunCorrelation(TFunc& routine, TSourcePos pos) {
  TReals x;
  TReals y;
  if (!ReadSeriesPair(routine, pos, x, y)) return false;
  const TReals dx = Deviations(x);
  const TReals dy = Deviations(y);
  const auto count = static_cast<long double>(x.size());
  const long double varianceX = RealDiv(LagSum(dx, dx, 0), count);
  const long double varianceY = RealDiv(LagSum(dy, dy, 0), count);
  if (Refused(IsNoVariation(varianceX, x) || IsNoVariation(varianceY, y), "Zero variance encountered", pos))
    return false;
  const long double scale = RealMul(std::sqrt(varianceX), std::sqrt(varianceY));
  TReals correlations = Covariances(dx, dy);
  for (long double& c : correlations) c = RealDiv(c, scale);
  SetReals(ArrResult(routine), correlations);
  return true;
}

}  // namespace

const TRoutineRule ConvolutionRule{"Convolution", RunConvolution};
const TRoutineRule AutoCovarianceRule{"AutoCovariance", RunAutoCovariance};
const TRoutineRule AutoCorrelationRule{"AutoCorrelation", RunAutoCorrelation};
const TRoutineRule CovarianceRule{"Covariance", RunCovariance};
const TRoutineRule CorrelationRule{"Correlation", RunCorrelation};
