#pragma once
// The Params vector of the minimisers: optional settings by 1-based
// position, each taking its default when the vector is shorter.

#include <cstdint>

class TArrVar;

// Params[position], or fallback when absent.
long double ParamOr(const TArrVar& params, int position, long double fallback);
// A count: Params[position] truncated toward zero, which must fit 32 bits
// (ERangeError otherwise); fallback when absent or below 1.
std::int32_t CountParam(const TArrVar& params, int position, std::int32_t fallback);
// A tolerance: Params[position]; fallback when absent or negative.
long double ToleranceParam(const TArrVar& params, int position, long double fallback);
