#pragma once
// The arithmetic of Tarnscript scalars: 64-bit Integers that never wrap and
// 80-bit Reals that never yield a not-a-number. Every fault is thrown as the
// exception of runtime/Exceptions.h that carries the user's message; callers
// that must not throw (operators) turn it into an error line in one place.
// Operators, vector and matrix operators and the mathematical built-ins all
// compute through these functions, so a rule holds in one place for all.

#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

static_assert(std::numeric_limits<long double>::digits == 64, "Real must be the 80-bit extended type");

class TValue;

// The faults of the inline functions below, thrown out of line so that the
// checks cost a compare each where they pass.
[[noreturn]] void ThrowIntOverflow();
long double RealFault(long double result, bool operandsFinite);

// Integer arithmetic: a result outside the 64-bit range throws EIntOverflow.
// Inline, as the typed evaluation computes with them in its loops.
inline std::int64_t IntAdd(std::int64_t left, std::int64_t right) {
  std::int64_t result;
  if (__builtin_add_overflow(left, right, &result)) [[unlikely]] ThrowIntOverflow();
  return result;
}
inline std::int64_t IntSub(std::int64_t left, std::int64_t right) {
  std::int64_t result;
  if (__builtin_sub_overflow(left, right, &result)) [[unlikely]] ThrowIntOverflow();
  return result;
}
inline std::int64_t IntMul(std::int64_t left, std::int64_t right) {
  std::int64_t result;
  if (__builtin_mul_overflow(left, right, &result)) [[unlikely]] ThrowIntOverflow();
  return result;
}
inline std::int64_t IntNeg(std::int64_t value) { return IntSub(0, value); }
// Truncated toward zero; the remainder has the dividend's sign. A zero divisor
// throws EDivByZero (0 div 0 included); the smallest integer by -1 throws
// EIntOverflow for both.
std::int64_t IntDiv(std::int64_t dividend, std::int64_t divisor);
std::int64_t IntMod(std::int64_t dividend, std::int64_t divisor);
// The count is the lowest byte of Count; 64 places or more leave 0. Shr lets
// zeros in at the top, so a negative value becomes positive.
std::int64_t IntShl(std::int64_t value, std::int64_t count);
std::int64_t IntShr(std::int64_t value, std::int64_t count);

// Whether x is neither infinite nor a NaN: only then is x - x zero. Cheaper
// on the x87 than std::isfinite, which loads the largest 80-bit constant
// from memory to compare with.
inline bool IsFiniteReal(long double x) { return x - x == 0; }

// The fault check of every real result: a NaN throws EInvalidOp, an infinity
// out of finite operands throws EOverflow; underflow is silent.
inline long double CheckReal(long double result, bool operandsFinite) {
  return IsFiniteReal(result) ? result : RealFault(result, operandsFinite);
}
inline long double CheckReal(long double result, long double operand) {
  return IsFiniteReal(result) ? result : RealFault(result, std::isfinite(operand));
}
inline long double CheckReal(long double result, long double left, long double right) {
  return IsFiniteReal(result) ? result : RealFault(result, std::isfinite(left) && std::isfinite(right));
}

// Real arithmetic, checked as above.
inline long double RealAdd(long double left, long double right) { return CheckReal(left + right, left, right); }
inline long double RealSub(long double left, long double right) { return CheckReal(left - right, left, right); }
inline long double RealMul(long double left, long double right) { return CheckReal(left * right, left, right); }
// Only an exact zero divides by zero: x/0 is infinity with the sign of x, and
// 0/0 throws EInvalidOp like any other quotient without a value.
long double RealDiv(long double left, long double right);
// Base to a Real exponent: an integral exponent within 32 bits takes the
// integer power; otherwise a negative base throws EInvalidOp and a zero base
// with a negative exponent EZeroDivide.
long double RealPower(long double base, long double exponent);
// Base to an Integer exponent; an exponent outside 32 bits throws ERangeError.
long double IntegerPower(long double base, std::int64_t exponent);
// Degrees to radians: multiplied by the 80-bit pi, then divided by 180.
long double DegreesToRadians(long double degrees);

// Operand values. A numeric value is an Integer, a Real or an enumeration
// member, which counts as the Integer of its ordinal.
bool IsIntegerValue(const TValue& value);
std::int64_t IntegerOperand(const TValue& value);
// Exact: an Integer widens to an 80-bit Real without rounding.
long double RealOperand(const TValue& value);
// Two Integers compare as 64-bit integers, anything else as 80-bit Reals.
std::partial_ordering CompareNumbers(const TValue& left, const TValue& right);

// The text of a String or Char operand, valid while the value lives; only the
// empty literal's Char is no text.
std::string_view OperandText(const TValue& value);
std::string ConcatTexts(const TValue& left, const TValue& right);
