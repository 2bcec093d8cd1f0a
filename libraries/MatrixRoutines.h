#pragma once
// The matrix routines of Math that reduce, build, cut and edit matrices.
// Column, DelCol and DelRow work on the caller's matrix (a var parameter);
// DelCol and DelRow change it. A routine that reads columns by the count of
// row 1 refuses a matrix with rows of other lengths.

#include "libraries/RuleRoutine.h"

extern const TRoutineRule TraceRule;
extern const TRoutineRule MinMatRule;
extern const TRoutineRule MaxMatRule;
extern const TRoutineRule MatIdentityRule;
extern const TRoutineRule MatZeroRule;
extern const TRoutineRule TransposeRule;
extern const TRoutineRule PartMatRule;
extern const TRoutineRule ColumnRule;
extern const TRoutineRule DelColRule;
extern const TRoutineRule DelRowRule;

using TTraceVF = TRuleRoutine<TraceRule>;
using TMinMVF = TRuleRoutine<MinMatRule>;
using TMaxMVF = TRuleRoutine<MaxMatRule>;
using TMatIdentityVF = TRuleRoutine<MatIdentityRule>;
using TMatZeroVF = TRuleRoutine<MatZeroRule>;
using TTransposeVF = TRuleRoutine<TransposeRule>;
using TPartMVF = TRuleRoutine<PartMatRule>;
using TColumnVF = TRuleRoutine<ColumnRule>;
using TDelColVF = TRuleRoutine<DelColRule>;
using TDelRowVF = TRuleRoutine<DelRowRule>;

class TArrVar;

// result := the transpose of m, each element's whole value copied; m must
// be rectangular. Shared with the transpose operator.
void TransposeInto(const TArrVar& m, TArrVar& result);
