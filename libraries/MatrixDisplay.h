#pragma once
// ShowMat and ShowVec, System's output routines of the kinds Matrix and
// Vector: a matrix or vector as an aligned table, written as console lines
// that continue the listing in progress (its label, line kind and level;
// outside a listing the empty label, lkOutput and level 0). Elements print
// like every real with Mantissa significant digits and at least Exponent
// exponent digits; a magnitude of at most 1e-16 shows as 0. Both succeed
// unless an abort ends the table where it got to.
//
// A matrix table has as many columns as its longest row; the cells a
// shorter row lacks stay blank.

#include "libraries/RuleRoutine.h"

extern const TRoutineRule ShowMatRule;
extern const TRoutineRule ShowVecRule;

using TShowMVF = TRuleRoutine<ShowMatRule>;
using TShowVVF = TRuleRoutine<ShowVecRule>;
