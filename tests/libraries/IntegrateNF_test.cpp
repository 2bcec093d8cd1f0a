#include "libraries/IntegrateNF.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/libraries/CallbackEngine.h"
#include "tests/libraries/RealNear.h"
#include "tests/Numbers.h"

namespace {

using Integrate = CallbackEngine;


}  // namespace

TEST_F(Integrate, ConvergesToTheIntegralWithItsSign) {
  AddRealFunction("Linear", [](long double x) { return x; });
  // Agrees with itself on the first few levels' points: 1 at every multiple of 1/8.
  AddRealFunction("Ripple", [](long double x) { return 1 + std::pow(std::sin(4 * Pi * x), 2); });
  const struct {
    const char* Line;
    long double Expected;
  } cases[] = {
      {"Integrate(Sqr, 0, 1)", 1.0L / 3},
      {"Integrate(Sqr, 1, 0)", -1.0L / 3},
      {"Integrate(Exp, 0, 1)", std::exp(1.0L) - 1},
      {"Integrate(Sin, 0, Pi)", 2},
      {"Integrate(Ripple, 0, 1)", 1.5L},
      {"Integrate(Linear, -3, 1)", -4},
  };
  for (const auto& c : cases) {
    ExpectRealNear(RealOf(c.Line), c.Expected, c.Line, 1e-10L);
    EXPECT_TRUE(Warnings().empty()) << c.Line;
  }
}

TEST_F(Integrate, IntegralsOfValueZeroConvergeOnTheMagnitude) {
  const TTestFunc& zero = AddRealFunction("Zero", [](long double) { return 0; });
  AddRealFunction("Odd", [](long double x) { return x * x * x; });
  EXPECT_EQ(RealOf("Integrate(Zero, 0, 1)"), 0);
  EXPECT_TRUE(Warnings().empty());
  EXPECT_LT(zero.Calls, 100);
  EXPECT_LT(std::fabs(RealOf("Integrate(Odd, -2, 2)")), 1e-15L);
  EXPECT_TRUE(Warnings().empty());
}

TEST_F(Integrate, AnEmptyRangeRunsNothing) {
  const TTestFunc& probe = AddRealFunction("Probe", [](long double x) { return x; });
  EXPECT_EQ(RealOf("Integrate(Probe, 1, 1)"), 0);
  EXPECT_EQ(probe.Calls, 0);
}

TEST_F(Integrate, ASlowIntegralWarnsAndGivesItsLastEstimate) {
  ExpectRealNear(RealOf("Integrate(Sqrt, 0, 1)"), 2.0L / 3, "Sqrt", 1e-8L);
  EXPECT_EQ(Warnings(), std::vector<std::string>{"Integral failed to converge"});
}

TEST_F(Integrate, AFailingFunctionEndsTheIntegral) {
  const TTestFunc& failing = AddRoutine("Failing", "TMathFunc", [](TTestFunc& self, TSourcePos) {
    SetResult(self, TValue::Real(1));
    return FailFromRun(self, 3);
  });
  EXPECT_EQ(ErrorsOf("Integrate(Failing, 0, 1)"), "Bad point");
  EXPECT_EQ(failing.Calls, 3);
  // A built-in integrand reports without a position.
  EXPECT_EQ(ErrorsOf("Integrate(Ln, 0, 1)"), "Ln argument must be positive");
}

TEST_F(Integrate, AnInfiniteIntegralOfFiniteValuesOverflows) {
  AddRealFunction("Huge", [](long double) { return 1e4930L; });
  EXPECT_THROW(Eval("Integrate(Huge, 0, 1e4)"), EOverflow);
}
