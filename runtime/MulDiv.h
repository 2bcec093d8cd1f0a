#pragma once
// Number × Numerator / Denominator with a 64-bit intermediate, rounded to
// the nearest integer (halves away from zero); -1 for a denominator of 0,
// as the platform's function answers.

#include <cstdint>

inline int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t{number} * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}
