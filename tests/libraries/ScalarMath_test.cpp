#include "libraries/ScalarMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "runtime/Exceptions.h"
#include "tests/libraries/RealNear.h"
#include "tests/Numbers.h"

namespace {

constexpr long double Inf = std::numeric_limits<long double>::infinity();

using TRealFunction = long double (*)(long double);

struct TRealCase {
  const char* Text;
  TRealFunction Function;
  long double X;
  long double Expected;
};

}  // namespace

TEST(ScalarMath, OneRealValues) {
  const TRealCase cases[] = {
      {"ArcCos(1)", RealArcCos, 1, 0},
      {"ArcCos(-1)", RealArcCos, -1, Pi},
      {"ArcCos(0.5)", RealArcCos, 0.5L, Pi / 3},
      {"ArcSin(1)", RealArcSin, 1, Pi / 2},
      {"ArcSin(-0.5)", RealArcSin, -0.5L, -Pi / 6},
      {"ArcTanh(0.5)", RealArcTanh, 0.5L, 0.5493061443340548457L},
      {"ArcTanh(1e-20)", RealArcTanh, 1e-20L, 1e-20L},
      {"ArcTanh(1 - 2^-64)", RealArcTanh, 1 - 0x1p-64L, 65 * std::numbers::ln2_v<long double> / 2},
      {"ArcCoth(2)", RealArcCoth, 2, 0.5493061443340548457L},
      {"ArcCoth(1 + 2^-63)", RealArcCoth, 1 + 0x1p-63L, 32 * std::numbers::ln2_v<long double>},
      {"ArcCot(0)", RealArcCot, 0, Pi / 2},
      {"ArcCot(-1)", RealArcCot, -1, -Pi / 4},
      {"ArcCot(1e-17)", RealArcCot, 1e-17L, Pi / 2 - 1e-17L},
      {"ArcCot(-1e-17)", RealArcCot, -1e-17L, -Pi / 2 + 1e-17L},
      {"ArcCot(-1e-4940)", RealArcCot, -1e-4940L, -Pi / 2},
      {"ArcSinh(-1e10)", RealArcSinh, -1e10L, -(10 * std::numbers::ln10_v<long double> + std::numbers::ln2_v<long double>)},
      {"ArcSinh(1e-20)", RealArcSinh, 1e-20L, 1e-20L},
      {"ArcSinh(1e4000)", RealArcSinh, 1e4000L, 4000 * std::numbers::ln10_v<long double> + std::numbers::ln2_v<long double>},
      {"ArcCosh(1)", RealArcCosh, 1, 0},
      {"ArcCosh(1e4932)", RealArcCosh, 1e4932L, 4932 * std::numbers::ln10_v<long double> + std::numbers::ln2_v<long double>},
      {"Tanh(12000)", RealTanh, 12000, 1},
      {"Tanh(-12000)", RealTanh, -12000, -1},
      {"Tanh(1e-17)", RealTanh, 1e-17L, 1e-17L},
      {"Sinh(1e-17)", RealSinh, 1e-17L, 1e-17L},
      {"Sinh(1e-6)", RealSinh, 1e-6L, 1e-6L + 1e-18L / 6},
      {"Sinh(-1)", RealSinh, -1, -1.17520119364380145688L},
      {"Cosh(1e-17)", RealCosh, 1e-17L, 1},
      {"Coth(1e-20)", RealCoth, 1e-20L, 1e20L},
      {"Coth(Inf)", RealCoth, Inf, 1},
      {"Cotan(Pi/4)", RealCotan, Pi / 4, 1},
      {"Exp(-12000)", RealExp, -12000, 0},
      {"Exp(1)", RealExp, 1, std::numbers::e_v<long double>},
      {"Frac(-2.75)", RealFrac, -2.75L, -0.75L},
      {"Frac(1e30)", RealFrac, 1e30L, 0},
      {"Sqr(-3)", RealSqr, -3, 9},
      {"Log2(8)", RealLog2, 8, 3},
  };
  for (const TRealCase& c : cases) ExpectRealNear(c.Function(c.X), c.Expected, c.Text);
}

TEST(ScalarMath, SignsAndInfinities) {
  EXPECT_TRUE(std::signbit(RealSqrt(-0.0L)));
  EXPECT_EQ(RealSqrt(-0.0L), 0);
  EXPECT_EQ(RealArcCoth(1), Inf);
  EXPECT_EQ(RealArcCoth(-1), -Inf);
  for (long double x : {1e-30L, 0.75L, 3.5L, 1e10L, 1e4000L}) {
    EXPECT_EQ(RealArcSinh(-x), -RealArcSinh(x)) << x;
    EXPECT_EQ(RealTanh(-x), -RealTanh(x)) << x;
  }
}

TEST(ScalarMath, TwoRealValues) {
  ExpectRealNear(RealArcTan2(1, -1), 3 * Pi / 4, "ArcTan2(1, -1)");
  ExpectRealNear(RealArcTan2(1, 0), Pi / 2, "ArcTan2(1, 0)");
  ExpectRealNear(RealArcTan2(-1, -1), -3 * Pi / 4, "ArcTan2(-1, -1)");
  EXPECT_EQ(RealHypot(3, 4), 5);
  EXPECT_EQ(RealHypot(0, -7), 7);
  EXPECT_EQ(RealHypot(-Inf, 1), Inf);
  EXPECT_EQ(RealHypot(Inf, Inf), Inf);
  ExpectRealNear(RealHypot(3e4000L, 4e4000L), 5e4000L, "Hypot(3e4000, 4e4000)");
  EXPECT_EQ(RealLog(2, 8), 3);
  ExpectRealNear(RealLog(10, 1000), 3, "Log(10, 1000)");
  ExpectRealNear(RealLog(0.5L, 8), -3, "Log(0.5, 8)");
}

TEST(ScalarMath, FaultsAreThrown) {
  EXPECT_THROW(RealCoth(0), EZeroDivide);
  EXPECT_THROW(RealCoth(1e-4940L), EOverflow);
  EXPECT_THROW(RealArcCoth(0.5L), EInvalidOp);
  EXPECT_THROW(RealArcCoth(-0.0L), EInvalidOp);
  EXPECT_THROW(RealExp(12000), EOverflow);
  EXPECT_THROW(RealSinh(12000), EOverflow);
  EXPECT_THROW(RealCosh(-12000), EOverflow);
  EXPECT_THROW(RealSqr(1e3000L), EOverflow);
  EXPECT_THROW(RealHypot(1e4932L, 1e4932L), EOverflow);
  EXPECT_THROW(RealLog(1, 8), EZeroDivide);
  EXPECT_THROW(RealLog(1, 1), EInvalidOp);
  EXPECT_THROW(RealFrac(Inf), EInvalidOp);
  EXPECT_THROW(RealSin(Inf), EInvalidOp);
  EXPECT_THROW(RealTan(-Inf), EInvalidOp);
}

TEST(ScalarMath, IntegerFunctions) {
  constexpr std::int64_t Least = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(IntAbs(-5), 5);
  EXPECT_EQ(IntAbs(Least + 1), std::numeric_limits<std::int64_t>::max());
  EXPECT_THROW(IntAbs(Least), EIntOverflow);
  EXPECT_EQ(IntFactorial(0), 1);
  EXPECT_EQ(IntFactorial(1), 1);
  EXPECT_EQ(IntFactorial(20), 2432902008176640000);
  EXPECT_EQ(IntGCD(-12, 18), 6);
  EXPECT_EQ(IntGCD(0, 0), 0);
  EXPECT_EQ(IntGCD(7, 0), 7);
  EXPECT_EQ(IntGCD(0, -7), 7);
  EXPECT_EQ(IntGCD(1071, 462), 21);
  EXPECT_THROW(IntGCD(Least, 1), EIntOverflow);
}
