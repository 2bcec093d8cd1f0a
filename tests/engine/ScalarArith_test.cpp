#include "engine/ScalarArith.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <numbers>

#include "engine/Value.h"
#include "runtime/Exceptions.h"
#include "tests/Numbers.h"

namespace {

constexpr long double Inf = std::numeric_limits<long double>::infinity();

constexpr const char* IntOverflow = "Integer overflow";
constexpr const char* DivByZero = "Division by zero";
constexpr const char* RangeError = "Range check error";
constexpr const char* FloatOverflow = "Floating point overflow";
constexpr const char* ZeroDivide = "Floating point division by zero";
constexpr const char* InvalidOp = "Invalid floating point operation";

// The message of the fault a computation throws, or empty when it succeeds.
template <class Result>
std::string FaultOf(const std::function<Result()>& compute, Result& result) {
  try {
    result = compute();
    return "";
  } catch (const EQuantrelError& fault) {
    return fault.what();
  }
}

template <class Number>
struct Case {
  const char* text;
  std::function<Number()> compute;
  Number expected;          // when fault is empty
  std::string fault = "";   // the expected message otherwise
};

template <class Number>
void CheckCases(const std::vector<Case<Number>>& cases) {
  for (const auto& c : cases) {
    Number result{};
    const std::string fault = FaultOf(c.compute, result);
    EXPECT_EQ(fault, c.fault) << c.text;
    if (c.fault.empty() && fault.empty()) {
      EXPECT_EQ(result, c.expected) << c.text;
    }
  }
}

using IntCase = Case<std::int64_t>;
using RealCase = Case<long double>;

TEST(IntegerArithmetic, ExactOrOverflow) {
  CheckCases<std::int64_t>({
      {"MaxInt + 1", [] { return IntAdd(MaxInt, 1); }, 0, IntOverflow},
      {"MinInt - 1", [] { return IntSub(MinInt, 1); }, 0, IntOverflow},
      {"2^62 * 2", [] { return IntMul(std::int64_t{1} << 62, 2); }, 0, IntOverflow},
      {"2^32 * 2^32", [] { return IntMul(std::int64_t{1} << 32, std::int64_t{1} << 32); }, 0, IntOverflow},
      {"-MinInt", [] { return IntNeg(MinInt); }, 0, IntOverflow},
      {"3037000499 squared", [] { return IntMul(3037000499, 3037000499); }, 9223372030926249001},
      {"MaxInt + MinInt", [] { return IntAdd(MaxInt, MinInt); }, -1},
      {"MinInt + 0", [] { return IntSub(MinInt, 0); }, MinInt},
      {"-MaxInt", [] { return IntNeg(MaxInt); }, -MaxInt},
      {"-2^31 * 2^32", [] { return IntMul(-(std::int64_t{1} << 31), std::int64_t{1} << 32); }, MinInt},
  });
}

TEST(IntegerArithmetic, DivisionAndRemainder) {
  CheckCases<std::int64_t>({
      {"7 div -2", [] { return IntDiv(7, -2); }, -3},
      {"7 mod -2", [] { return IntMod(7, -2); }, 1},
      {"-7 mod 2", [] { return IntMod(-7, 2); }, -1},
      {"-7 div 2", [] { return IntDiv(-7, 2); }, -3},
      {"2147483648 div -1", [] { return IntDiv(2147483648, -1); }, -2147483648},
      {"MinInt div 1", [] { return IntDiv(MinInt, 1); }, MinInt},
      {"0 div 0", [] { return IntDiv(0, 0); }, 0, DivByZero},
      {"0 mod 0", [] { return IntMod(0, 0); }, 0, DivByZero},
      {"5 div 0", [] { return IntDiv(5, 0); }, 0, DivByZero},
      {"5 mod 0", [] { return IntMod(5, 0); }, 0, DivByZero},
      {"4294967296 div 0", [] { return IntDiv(4294967296, 0); }, 0, DivByZero},
      {"MinInt div -1", [] { return IntDiv(MinInt, -1); }, 0, IntOverflow},
      {"MinInt mod -1", [] { return IntMod(MinInt, -1); }, 0, IntOverflow},
  });
}

TEST(IntegerArithmetic, ShiftsUseLowestByteAndClearPastTheWidth) {
  CheckCases<std::int64_t>({
      {"1 shl 63", [] { return IntShl(1, 63); }, MinInt},
      {"-1 shr 63", [] { return IntShr(-1, 63); }, 1},
      {"-8 shr 1", [] { return IntShr(-8, 1); }, MaxInt - 3},
      {"5 shl 0", [] { return IntShl(5, 0); }, 5},
      {"1 shl 64", [] { return IntShl(1, 64); }, 0},
      {"-1 shr 64", [] { return IntShr(-1, 64); }, 0},
      {"1 shl 127", [] { return IntShl(1, 127); }, 0},
      {"1 shl 128", [] { return IntShl(1, 128); }, 0},
      {"1 shl 255", [] { return IntShl(1, 255); }, 0},
      {"1 shl -1", [] { return IntShl(1, -1); }, 0},
      {"1 shl 257 (byte 1)", [] { return IntShl(1, 257); }, 2},
      {"-1 shr 319 (byte 63)", [] { return IntShr(-1, 319); }, 1},
  });
}

TEST(RealArithmetic, FaultsAreFoundInTheResult) {
  CheckCases<long double>({
      {"max + max", [] { return RealAdd(LDBL_MAX, LDBL_MAX); }, 0, FloatOverflow},
      {"-max - max", [] { return RealSub(-LDBL_MAX, LDBL_MAX); }, 0, FloatOverflow},
      {"1e4000 * 1e4000", [] { return RealMul(1e4000L, 1e4000L); }, 0, FloatOverflow},
      {"inf - inf", [] { return RealSub(Inf, Inf); }, 0, InvalidOp},
      {"0 * inf", [] { return RealMul(0, Inf); }, 0, InvalidOp},
      {"inf + 1", [] { return RealAdd(Inf, 1); }, Inf},
      {"1e-4000 * 1e-4000 underflows silently", [] { return RealMul(1e-4000L, 1e-4000L); }, 0},
      {"2^63 + 1 keeps the 64-bit mantissa", [] { return RealAdd(9223372036854775808.0L, 1); }, 9223372036854775809.0L},
  });
}

TEST(RealArithmetic, DivisionZeroRules) {
  CheckCases<long double>({
      {"5 / 0", [] { return RealDiv(5, 0); }, Inf},
      {"-5 / 0", [] { return RealDiv(-5, 0); }, -Inf},
      {"5 / -0", [] { return RealDiv(5, -0.0L); }, Inf},
      {"0 / 0", [] { return RealDiv(0, 0); }, 0, InvalidOp},
      {"inf / -inf", [] { return RealDiv(Inf, -Inf); }, 0, InvalidOp},
      {"1e600 / 2", [] { return RealDiv(1e600L, 2); }, 5e599L},
      {"7 / 2", [] { return RealDiv(7, 2); }, 3.5L},
      {"1 / inf", [] { return RealDiv(1, Inf); }, 0},
      {"max / 0.5", [] { return RealDiv(LDBL_MAX, 0.5L); }, 0, FloatOverflow},
  });
  // Tiny divisors are divisors like any other.
  EXPECT_NEAR(RealDiv(1, 1e-101L) / 1e101L, 1, 1e-18L);
  EXPECT_NEAR(RealDiv(1e-101L, 1e-200L) / 1e99L, 1, 1e-18L);
}

TEST(RealArithmetic, Power) {
  CheckCases<long double>({
      {"2 ^ 10", [] { return IntegerPower(2, 10); }, 1024},
      {"0 ^ 0", [] { return IntegerPower(0, 0); }, 1},
      {"0.0 ^ 0.0", [] { return RealPower(0, 0); }, 1},
      {"2 ^ -1", [] { return IntegerPower(2, -1); }, 0.5L},
      {"-2 ^ 3.0", [] { return RealPower(-2, 3); }, -8},
      {"4 ^ 0.5", [] { return RealPower(4, 0.5L); }, 2},
      {"0 ^ 2.5", [] { return RealPower(0, 2.5L); }, 0},
      {"-1 ^ -2147483648", [] { return IntegerPower(-1, -2147483648LL); }, 1},
      {"2 ^ -20000 underflows to 0", [] { return IntegerPower(2, -20000); }, 0},
      {"2 ^ -16400 is a denormal", [] { return IntegerPower(2, -16400); }, std::ldexp(1.0L, -16400)},
      {"inf ^ -1", [] { return IntegerPower(Inf, -1); }, 0},
      {"-8 ^ (1/3)", [] { return RealPower(-8, 1.0L / 3); }, 0, InvalidOp},
      {"0 ^ -1", [] { return IntegerPower(0, -1); }, 0, ZeroDivide},
      {"0.0 ^ -1.0", [] { return RealPower(0, -1); }, 0, ZeroDivide},
      {"0 ^ -2.5", [] { return RealPower(0, -2.5L); }, 0, ZeroDivide},
      {"2 ^ 4294967296", [] { return IntegerPower(2, 4294967296LL); }, 0, RangeError},
      {"2 ^ -2147483649", [] { return IntegerPower(2, -2147483649LL); }, 0, RangeError},
      {"2 ^ 20000", [] { return IntegerPower(2, 20000); }, 0, FloatOverflow},
      {"2 ^ 4294967296.0", [] { return RealPower(2, 4294967296.0L); }, 0, FloatOverflow},
      {"1e-3000 ^ -2", [] { return IntegerPower(1e-3000L, -2); }, 0, FloatOverflow},
  });
}

TEST(RealArithmetic, DegreesUseTheNearestPi) {
  EXPECT_EQ(DegreesToRadians(180), Pi);
  EXPECT_EQ(DegreesToRadians(90), Pi / 2);
  EXPECT_EQ(DegreesToRadians(-180), -Pi);
  long double ignored;
  EXPECT_EQ(FaultOf<long double>([] { return DegreesToRadians(LDBL_MAX); }, ignored), FloatOverflow);
}

TEST(NumericOperands, CompareExactlyAcrossIntegerAndReal) {
  const TValue twoPow53Plus1 = TValue::Integer((std::int64_t{1} << 53) + 1);
  EXPECT_EQ(CompareNumbers(TValue::Integer(3), TValue::Real(3.5L)), std::partial_ordering::less);
  EXPECT_EQ(CompareNumbers(twoPow53Plus1, TValue::Real(9007199254740992.0L)), std::partial_ordering::greater);
  EXPECT_EQ(CompareNumbers(TValue::Integer(MaxInt), TValue::Integer(MaxInt - 1)), std::partial_ordering::greater);
  EXPECT_EQ(CompareNumbers(TValue::Integer(MinInt), TValue::Real(-9223372036854775808.0L)),
            std::partial_ordering::equivalent);
  EXPECT_EQ(CompareNumbers(TValue::Real(-Inf), TValue::Integer(MinInt)), std::partial_ordering::less);
  // An enumeration member counts as the Integer of its ordinal.
  EXPECT_EQ(CompareNumbers(TValue::Enum(2), TValue::Integer(2)), std::partial_ordering::equivalent);
  EXPECT_EQ(RealOperand(TValue::Integer(MaxInt)), 9223372036854775807.0L);
  EXPECT_EQ(IntegerOperand(TValue::Enum(0)), 0);
}

// Only the empty literal is no text; a NUL is a character like any other.
TEST(TextOperands, OnlyTheEmptyLiteralIsNoText) {
  const std::string zero(1, '\0');
  struct {
    TValue left, right;
    std::string joined;
  } cases[] = {
      {TValue::Char('a'), TValue::Char('b'), "ab"},
      {TValue::EmptyChar(), TValue::Char('x'), "x"},
      {TValue::Char('\0'), TValue::Char('x'), zero + "x"},
      {TValue::String(zero), TValue::String("x"), zero + "x"},
      {TValue::String("ab"), TValue::EmptyChar(), "ab"},
      {TValue::String("ab"), TValue::Char('\0'), "ab" + zero},
      {TValue::String("a" + zero), TValue::String("b"), "a" + zero + "b"},
      {TValue::String(""), TValue::String(""), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ConcatTexts(c.left, c.right), c.joined) << c.joined;
  EXPECT_EQ(OperandText(TValue::EmptyChar()), OperandText(TValue::String("")));
  EXPECT_EQ(OperandText(TValue::Char('\0')), zero);
  EXPECT_EQ(OperandText(TValue::Char('\xFF')), "\xFF");
}

}  // namespace
