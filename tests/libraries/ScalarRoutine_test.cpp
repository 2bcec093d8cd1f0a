#include "libraries/ScalarRoutine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "libraries/Gamma.h"
#include "libraries/ScalarMath.h"
#include "runtime/Exceptions.h"
#include "tests/libraries/MathEngine.h"

// Each routine name reaches its own function with its arguments in order.
TEST_F(MathEngine, RoutinesComputeTheirFunctions) {
  const struct {
    const char* Line;
    long double Expected;
  } cases[] = {
      {"Sqrt(2)", RealSqrt(2)},          {"Sqr(1.5)", 2.25L},
      {"Sin(0.5)", RealSin(0.5L)},       {"Cos(0.5)", RealCos(0.5L)},
      {"Exp(0.5)", RealExp(0.5L)},       {"Tan(0.5)", RealTan(0.5L)},
      {"Tanh(0.5)", RealTanh(0.5L)},     {"ArcCos(0.5)", RealArcCos(0.5L)},
      {"ArcCosh(2)", RealArcCosh(2)},    {"ArcCot(-1)", RealArcCot(-1)},
      {"ArcCoth(2)", RealArcCoth(2)},    {"ArcSin(0.5)", RealArcSin(0.5L)},
      {"ArcSinh(-1e10)", RealArcSinh(-1e10L)}, {"ArcTan(0.5)", RealArcTan(0.5L)},
      {"ArcTanh(0.5)", RealArcTanh(0.5L)}, {"Cosh(0.5)", RealCosh(0.5L)},
      {"Cotan(0.5)", RealCotan(0.5L)},   {"Coth(0.5)", RealCoth(0.5L)},
      {"Abs(-0.5)", 0.5L},               {"Frac(-2.75)", -0.75L},
      {"Ln(2)", RealLn(2)},              {"Log10(2)", RealLog10(2)},
      {"Log2(0.5)", -1},                 {"Sinh(0.5)", RealSinh(0.5L)},
      {"Gamma(5)", 24},                  {"Gamma(0.5)", GammaValue(0.5L)},
      {"Tanh(12000)", 1},                {"ArcTan2(1, -1)", RealArcTan2(1, -1)},
      {"ArcTan2(1, 0)", RealArcTan2(1, 0)}, {"Hypot(3, 4)", 5},
      {"Log(2, 8)", 3},                  {"Log(0.5, 8)", RealLog(0.5L, 8)},
  };
  for (const auto& c : cases) EXPECT_EQ(Real(c.Line), c.Expected) << c.Line;
}

TEST_F(MathEngine, IntegerRoutines) {
  EXPECT_EQ(Integer("AbsI(-5)"), 5);
  EXPECT_EQ(Integer("Factorial(20)"), 2432902008176640000);
  EXPECT_EQ(Integer("Factorial(0)"), 1);
  EXPECT_EQ(Integer("GCD(-12, 18)"), 6);
  EXPECT_EQ(Integer("GCD(0, 0)"), 0);
  EXPECT_EQ(Integer("GCD(7, 0)"), 7);
}

TEST_F(MathEngine, ArgumentsBeyondWhatLiteralsWrite) {
  const long double root = Call("Sqrt", {-0.0L}).AsReal();
  EXPECT_EQ(root, 0);
  EXPECT_TRUE(std::signbit(root));
  EXPECT_EQ(Call("Hypot", {3e4000L, 4e4000L}).AsReal(), RealHypot(3e4000L, 4e4000L));
  EXPECT_EQ(Call("Tanh", {-1e4000L}).AsReal(), -1);
  EXPECT_TRUE(Sink->ErrorTexts().empty());
}

TEST_F(MathEngine, ArgumentsOutsideTheDomainAreRefusedAtTheCall) {
  const struct {
    const char* Line;
    const char* Message;
  } cases[] = {
      {"Sqrt(-1)", "Sqrt argument must be non-negative"},
      {"Sqrt(-1e-300)", "Sqrt argument must be non-negative"},
      {"ArcCos(-1.0000001)", "ArcCos argument must be between -1 and 1"},
      {"ArcSin(1.0000001)", "ArcSin argument must be between -1 and 1"},
      {"ArcCosh(0.5)", "ArcCosh argument must be greater or equal 1"},
      {"ArcTanh(1)", "ArcTanh argument must be between -1 and 1"},
      {"ArcTanh(-1)", "ArcTanh argument must be between -1 and 1"},
      {"Ln(0)", "Ln argument must be positive"},
      {"Log10(-1)", "Log10 argument must be positive"},
      {"Log2(0)", "Log2 argument must be positive"},
      {"Cotan(1e-100)", "Cotan argument must be non-zero"},
      {"ArcTan2(0, 1)", "ArcTan2 first argument must be non-zero"},
      {"Log(10, 0)", "Log arguments must be positive"},
      {"Log(-2, 8)", "Log arguments must be positive"},
      {"Factorial(21)", "Argument has to be from 0 to 20"},
      {"Factorial(-1)", "Argument has to be from 0 to 20"},
      {"Gamma(0)", "Bad Gamma function argument [0]"},
      {"Gamma(-3)", "Bad Gamma function argument [-3]"},
      {"Gamma(1755.46)", "Gamma function argument is too big [1755.46]"},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.Line), std::string(c.Message) + " at [1:1] ") << c.Line;
}

TEST_F(MathEngine, TanTanhCothAndArcCothReportTheirFaultsWithoutPosition) {
  const struct {
    const char* Line;
    const char* Message;
  } cases[] = {
      {"Coth(0)", "Floating point division by zero"},
      {"ArcCoth(0.5)", "Invalid floating point operation"},
      {"ArcCoth(0)", "Invalid floating point operation"},
      {"Tan(Inf)", "Invalid floating point operation"},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.Line), c.Message) << c.Line;
  EXPECT_EQ(Real("ArcCoth(1)"), INFINITY);
}

TEST_F(MathEngine, OtherFaultsLeaveTheEngine) {
  EXPECT_THROW(Evaluate("Exp(12000)"), EOverflow);
  EXPECT_THROW(Evaluate("Sinh(-12000)"), EOverflow);
  EXPECT_THROW(Evaluate("Log(1, 8)"), EZeroDivide);
  EXPECT_THROW(Evaluate("AbsI(-9223372036854775807 - 1)"), EIntOverflow);
  EXPECT_FALSE(Engine.IsRunning());
  EXPECT_EQ(Real("Sqrt(4)"), 2);
}
