#pragma once
// The Gamma function in 80-bit precision: the rational approximation of the
// Cephes library on [2, 3), reached by the recurrence Gamma(x+1) = x Gamma(x);
// Stirling's series above 13; the reflection formula for large negatives.

#include <string>

// Gamma of x. A singularity (zero or a negative integer) and an argument
// above the largest one report "Singularity" or "Overflow range error"
// without position and give +-GammaMaxNum, the largest finite 80-bit real.
long double GammaValue(long double x);

// The message for an argument the routine Gamma refuses (zero, a negative
// integer, an argument above the largest), empty for any other.
std::string GammaRefusal(long double x);

// The value Gamma gives after reporting an overflow or a singularity.
inline constexpr long double GammaMaxNum = 0xFFFFFFFFFFFFD37Ap+16320L;
// The largest argument whose Gamma is within the 80-bit range.
inline constexpr long double GammaMaxArgument = 1755.455L;
