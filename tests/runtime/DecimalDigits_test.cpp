#include "runtime/DecimalDigits.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Real = std::numeric_limits<long double>;

// Both ways of finding the digits, for one value and count: they must agree byte for byte.
void ExpectSameDigits(long double x, int count) {
  char fast[MaxDecimalDigits];
  char printed[MaxDecimalDigits];
  const int fastExponent = TruncatedDigits(x, count, fast);
  const int printedExponent = PrintedTruncatedDigits(x, count, printed);
  const auto size = static_cast<std::size_t>(count);
  ASSERT_EQ(std::string(fast, size) + "e" + std::to_string(fastExponent),
            std::string(printed, size) + "e" + std::to_string(printedExponent))
      << "x = " << std::scientific << static_cast<double>(x) << " (2^" << std::ilogb(x) << "), " << count
      << " digits";
}

// Values whose digits are hard to cut right: exact powers of two and their
// neighbours on both sides of the fast range's limits, all-ones mantissas,
// digits that run into 9s or 0s, and the range's ends.
std::vector<long double> EdgeValues() {
  std::vector<long double> values{Real::max(),     Real::min(),      Real::denorm_min(), 1e-100L,  1.0L / 3,
                                  2.0L / 3,        0.1L,             0.5L,               1,        9.999999999999999999L,
                                  0.9999999999999999999L, 1e18L,     1e19L,              1e20L,    123456789012345678.5L,
                                  18446744073709551615.0L, 1334.333333333333333L, 1e-5L / 3, 1e4000L, 1.5e-4000L};
  for (int e = -140; e <= 140; ++e) {
    const long double power = std::ldexp(1.0L, e);
    values.push_back(power);
    values.push_back(std::nextafter(power, 0.0L));
    values.push_back(std::nextafter(power, Real::infinity()));
    values.push_back(std::ldexp(3.0L, e) / 3);
  }
  return values;
}

TEST(TruncatedDigits, AgreesWithPrintfAtTheEdges) {
  for (const long double x : EdgeValues())
    for (const int count : {1, 2, 12, 18, 19, 20, MaxDecimalDigits}) ExpectSameDigits(x, count);
}

// Random mantissas over the fast range and its surroundings, and over every exponent.
TEST(TruncatedDigits, AgreesWithPrintfOverRandomValues) {
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> nearExponent(-200, 200);
  std::uniform_int_distribution<int> anyExponent(Real::min_exponent - 64, Real::max_exponent - 1);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t mantissa = random() | (std::uint64_t{1} << 63);
    const int exponent = i % 4 == 0 ? anyExponent(random) : nearExponent(random);
    const long double x = std::ldexp(static_cast<long double>(mantissa), exponent - 63);
    if (x == 0 || std::isinf(x)) continue;
    ExpectSameDigits(x, i % 2 == 0 ? 19 : 1 + static_cast<int>(random() % MaxDecimalDigits));
  }
}

TEST(TruncatedDigits, KeepsTheCallersRoundingMode) {
  char digits[MaxDecimalDigits];
  std::fesetround(FE_UPWARD);
  TruncatedDigits(1e-30L, 19, digits);
  PrintedTruncatedDigits(1e-30L, 19, digits);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  std::fesetround(FE_TONEAREST);
}

}  // namespace
