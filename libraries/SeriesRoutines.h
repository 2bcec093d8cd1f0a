#pragma once
// The series statistics of Math: the full discrete convolution of two
// vectors, and the auto- and cross-covariance and -correlation of series
// for the lags 0 .. N - 1. Every lag divides by N, the whole count.

#include "libraries/RuleRoutine.h"

extern const TRoutineRule ConvolutionRule;
extern const TRoutineRule AutoCovarianceRule;
extern const TRoutineRule AutoCorrelationRule;
extern const TRoutineRule CovarianceRule;
extern const TRoutineRule CorrelationRule;

using TVConvVF = TRuleRoutine<ConvolutionRule>;
using TAutoCovVF = TRuleRoutine<AutoCovarianceRule>;
using TAutoCorrVF = TRuleRoutine<AutoCorrelationRule>;
using TCovarVF = TRuleRoutine<CovarianceRule>;
using TCorrVF = TRuleRoutine<CorrelationRule>;
