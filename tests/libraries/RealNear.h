#pragma once
// Comparison of 80-bit reals with a relative tolerance, printed at full precision.

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <string>

// A few units in the last place of an 80-bit result.
inline constexpr long double FewUlps = 4 * std::numeric_limits<long double>::epsilon();

inline void ExpectRealNear(long double actual, long double expected, const std::string& text,
                           long double relativeTolerance = FewUlps) {
  EXPECT_LE(std::fabs(actual - expected), relativeTolerance * std::fabs(expected))
      << text << std::setprecision(21) << ": " << actual << " instead of " << expected;
}
