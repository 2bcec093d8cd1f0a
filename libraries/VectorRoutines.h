#pragma once
// The vector routines of Math: reductions of a vector to one Real, and the
// routines that build and edit vectors. Sums start at 0 and add the
// elements in ascending order; statistics divide by the element count.
// Arithmetic faults are not caught here: they leave the call as exceptions.

#include <span>

#include "libraries/RuleRoutine.h"

// Reductions; MaxVec and MinVec refuse an empty vector, the others give 0.
extern const TRoutineRule MagnitudeRule;
extern const TRoutineRule MeanRule;
extern const TRoutineRule VarianceRule;
extern const TRoutineRule StDevRule;
extern const TRoutineRule RMSRule;
extern const TRoutineRule MaxVecRule;
extern const TRoutineRule MinVecRule;
extern const TRoutineRule VecSumRule;

extern const TRoutineRule CrossRule;
extern const TRoutineRule JoinRule;
extern const TRoutineRule AppendRule;
extern const TRoutineRule MakeVecRule;
extern const TRoutineRule PartVecRule;
extern const TRoutineRule NormalizeRule;
extern const TRoutineRule SortVecRule;

using TMagnitudeVF = TRuleRoutine<MagnitudeRule>;
using TMeanVF = TRuleRoutine<MeanRule>;
using TVarianceVF = TRuleRoutine<VarianceRule>;
using TStDevVF = TRuleRoutine<StDevRule>;
using TRMSVF = TRuleRoutine<RMSRule>;
using TMaxVF = TRuleRoutine<MaxVecRule>;
using TMinVF = TRuleRoutine<MinVecRule>;
using TVecSumVF = TRuleRoutine<VecSumRule>;
using TCrossVF = TRuleRoutine<CrossRule>;
using TJoinVF = TRuleRoutine<JoinRule>;
using TAppendVF = TRuleRoutine<AppendRule>;
using TMakeVecVF = TRuleRoutine<MakeVecRule>;
using TPartVVF = TRuleRoutine<PartVecRule>;
using TNormalizeVF = TRuleRoutine<NormalizeRule>;
using TVSortVF = TRuleRoutine<SortVecRule>;

// The mean (0 for no elements) and the sum of squared deviations from a
// mean, shared with the series statistics.
long double MeanOf(std::span<const long double> v);
long double SquaredDeviations(std::span<const long double> v, long double mean);

// Sorts ascending in place by quicksort around the middle element. The
// smaller part is sorted by recursion and the larger one by the loop, so
// the depth stays within log2 of the count whatever the input.
void SortVector(std::span<long double> v);
