#include "engine/ScalarArith.h"

#include <array>
#include <cmath>
#include <numbers>

#include "engine/Value.h"
#include "runtime/Exceptions.h"

namespace {

void CheckDivisor(std::int64_t dividend, std::int64_t divisor) {
  if (divisor == 0) throw EDivByZero();
  if (dividend == std::numeric_limits<std::int64_t>::min() && divisor == -1) throw EIntOverflow();
}

// The shift count is the operand's lowest byte; counts past the width clear the value.
bool ShiftClears(std::int64_t count, unsigned& places) {
  places = static_cast<std::uint8_t>(count);
  return places >= 64;
}

// r starts at 1; each set bit of the exponent, from the lowest, multiplies r by
// the current base, which is squared only while higher bits remain.
long double PowerBySquaring(long double base, std::uint32_t exponent) {
  long double result = 1;
  for (;;) {
    if (exponent & 1) result *= base;
    exponent >>= 1;
    if (exponent == 0) return result;
    base *= base;
  }
}

long double IntPower(long double base, std::int32_t exponent) {
  if (exponent == 0) return 1;
  if (exponent < 0 && base == 0) throw EZeroDivide();
  const auto magnitude = static_cast<std::uint32_t>(exponent < 0 ? -static_cast<std::int64_t>(exponent) : exponent);
  const long double power = PowerBySquaring(base, magnitude);
  if (exponent > 0) return CheckReal(power, std::isfinite(base));
  // A power beyond the 80-bit range (or a denormal one) may still have a
  // reciprocal inside it: 2^-16400 is a denormal, not an overflow.
  if (std::isfinite(base) && !std::isnormal(power)) return CheckReal(std::pow(base, static_cast<long double>(exponent)), true);
  return 1 / power;
}

// Backing store for the one-character text of a Char operand.
constexpr std::array<char, 256> EveryByte = [] {
  std::array<char, 256> bytes{};
  for (int code = 0; code < 256; ++code) bytes[code] = static_cast<char>(code);
  return bytes;
}();

bool IsWholeInt32(long double value) {
  return std::fabs(value) <= std::numeric_limits<std::int32_t>::max() && value == std::trunc(value);
}

}  // namespace

void ThrowIntOverflow() { throw EIntOverflow(); }

// An infinite result of finite operands is an overflow; an infinity carried
// through from an operand is not.
long double RealFault(long double result, bool operandsFinite) {
  if (std::isnan(result)) throw EInvalidOp();
  if (operandsFinite) throw EOverflow();
  return result;
}

std::int64_t IntDiv(std::int64_t dividend, std::int64_t divisor) {
  CheckDivisor(dividend, divisor);
  return dividend / divisor;
}

std::int64_t IntMod(std::int64_t dividend, std::int64_t divisor) {
  CheckDivisor(dividend, divisor);
  return dividend % divisor;
}

std::int64_t IntShl(std::int64_t value, std::int64_t count) {
  unsigned places;
  if (ShiftClears(count, places)) return 0;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) << places);
}

std::int64_t IntShr(std::int64_t value, std::int64_t count) {
  unsigned places;
  if (ShiftClears(count, places)) return 0;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) >> places);
}

long double RealDiv(long double left, long double right) {
  if (right == 0) {
    if (left == 0) throw EInvalidOp();
    return std::copysign(std::numeric_limits<long double>::infinity(), left);
  }
  return CheckReal(left / right, left, right);
}

long double RealPower(long double base, long double exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (IsWholeInt32(exponent)) return IntPower(base, static_cast<std::int32_t>(exponent));
  if (base < 0) throw EInvalidOp();
  if (base == 0) throw EZeroDivide();
  return CheckReal(std::pow(base, exponent), base, exponent);
}

long double IntegerPower(long double base, std::int64_t exponent) {
  if (exponent < std::numeric_limits<std::int32_t>::min() || exponent > std::numeric_limits<std::int32_t>::max())
    throw ERangeError();
  return IntPower(base, static_cast<std::int32_t>(exponent));
}

long double DegreesToRadians(long double degrees) {
  return RealDiv(RealMul(degrees, std::numbers::pi_v<long double>), 180);
}

bool IsIntegerValue(const TValue& value) { return value.Kind() == kcInteger || value.Kind() == kcEnum; }

std::int64_t IntegerOperand(const TValue& value) {
  QASSERT(IsIntegerValue(value), "Assertion failure");
  return value.AsInt();
}

long double RealOperand(const TValue& value) {
  if (value.Kind() == kcReal) return value.AsReal();
  return static_cast<long double>(IntegerOperand(value));
}

std::partial_ordering CompareNumbers(const TValue& left, const TValue& right) {
  if (IsIntegerValue(left) && IsIntegerValue(right)) return left.AsInt() <=> right.AsInt();
  return RealOperand(left) <=> RealOperand(right);
}

std::string_view OperandText(const TValue& value) {
  if (value.Kind() == kcChar) {
    const auto code = static_cast<unsigned char>(value.AsChar());
    return value.IsEmptyChar() ? std::string_view() : std::string_view(&EveryByte[code], 1);
  }
  QASSERT(value.Kind() == kcString, "Assertion failure");
  return value.Str();
}

std::string ConcatTexts(const TValue& left, const TValue& right) {
  std::string result(OperandText(left));
  result += OperandText(right);
  return result;
}
